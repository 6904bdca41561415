// GenPlayTest.cpp - whole games through the move handler: a dealt game
// played by scripted clicks, and random play on the fixture variants.
#include <random>

#include "App/User.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/GenAutoplay.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "tests/Game/GameFixture.h"

namespace {

class GenPlayTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    FixtureUseRealLayouts();
  }
  void Deal(void (*setup)(), unsigned number) {
    GenSetSetupOverrideForTests(setup);
    GenNewGameWithNumber(number, true);
    ASSERT_TRUE(RunAnimations());
  }
};

TEST_F(GenPlayTest, DealtKlondikeKeepsEveryCard) {
  Deal(FixtureKlondikePlaySetup, 7);
  EXPECT_EQ(FixtureCountAllCards(), 52);
  EXPECT_TRUE(GenCheckOk());
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  // Click the deck: one card goes to the waste.
  FixtureClick(kWhereDeck, -1, 0);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(g_GenLive.waste.numCards, 1);
  EXPECT_EQ(g_GenLive.deck.numCards, 23);
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
  EXPECT_EQ(FixtureCountAllCards(), 52);
}

}  // namespace

namespace {

// Could the card go to a foundation now (up in suit from the ace)?
bool FitsFoundation(const Card& card) {
  Gen& g = g_GenLive;
  for (int f = 0; f < g.numFoundations; ++f) {
    const CardGroup& pile = g.foundations[f];
    if (pile.numCards == 0 ? card.rank == 1
                           : pile.cards[pile.numCards - 1].suit == card.suit &&
                                 pile.cards[pile.numCards - 1].rank == card.rank - 1) {
      return true;
    }
  }
  return false;
}

// Plays a Klondike-like game greedily through clicks (autoplay takes cards
// to the foundations): the waste's card by quick move; each tableau's first
// face-up card when that uncovers a card or empties a column; a run off a
// card that could then go to a foundation; else a click on the deck. True
// when the game was won.
bool PlayKlondikeGreedily(int maxActions, int* actions) {
  Gen& g = g_GenLive;
  int idleDeckClicks = 0;
  for (*actions = 0; *actions < maxActions; ++*actions) {
    if (g.gameOver) return true;
    bool moved = false;
    auto tryQuick = [&](int where, int index) {
      std::string before = FixtureDescribeGame();
      FixtureClick(where, index, 1);
      for (int f = 0; f < 20000 && CardsAnimIsAnimating(); ++f) AnimTick();
      moved = FixtureDescribeGame() != before;
      if (moved && getenv("H6DBG") && *actions > 2900) printf("%d: %d/%d\n%s\n%s\n", *actions, where, index, before.c_str(), FixtureDescribeGame().c_str());
      return moved;
    };
    if (g.waste.numCards > 0 && tryQuick(kWhereWaste, g.waste.numCards - 1)) {
      idleDeckClicks = 0;
      continue;
    }
    for (int t = 0; t < g.numTableaus && !moved; ++t) {
      CardGroup& pile = g.tableaus[t];
      int first = -1;
      for (int i = 0; i < pile.numCards; ++i) {
        if (pile.cards[i].faceUp) {
          first = i;
          break;
        }
      }
      if (first < 0) continue;
      if (!(first == 0 && pile.cards[0].rank == 13) && tryQuick(kWhereTableau + t, first)) break;
      for (int i = first + 1; i < pile.numCards && !moved; ++i) {
        if (FitsFoundation(pile.cards[i - 1])) tryQuick(kWhereTableau + t, i);
      }
    }
    if (moved) {
      idleDeckClicks = 0;
      continue;
    }
    if (++idleDeckClicks > 2 * (g.deck.numCards + g.waste.numCards) + 2) return false;
    FixtureClick(kWhereDeck, -1, 0);
    for (int f = 0; f < 20000 && CardsAnimIsAnimating(); ++f) AnimTick();
  }
  return g.gameOver != 0;
}

}  // namespace

TEST_F(GenPlayTest, DebugOne) {
  g_UserGameOptions.autoplayMode[kGameKlondike] = 3;
  g_UserRecord.cardAnimationOn = 0;
  EngProgramSetFrameTimeForTests(0.5f);
  Deal(FixtureKlondikePlaySetup, 3);
  printf("%s\n", FixtureDescribeGame().c_str());
  for (int k = 0; k < 6; ++k) {
    FixtureClick(kWhereDeck, -1, 0);
    for (int f = 0; f < 20000 && CardsAnimIsAnimating(); ++f) AnimTick();
    printf("%s\n", FixtureDescribeGame().c_str());
    FixtureClick(kWhereWaste, g_GenLive.waste.numCards - 1, 1);
    for (int f = 0; f < 20000 && CardsAnimIsAnimating(); ++f) AnimTick();
    printf("after quick: %s\n", FixtureDescribeGame().c_str());
  }
}

TEST_F(GenPlayTest, DISABLED_FindWinningDeals) {
  g_UserGameOptions.autoplayMode[kGameKlondike] = 3;
  g_UserRecord.cardAnimationOn = 0;
  EngProgramSetFrameTimeForTests(0.5f);
  for (unsigned n = 1; n <= 100; ++n) {
    Deal(FixtureKlondikePlaySetup, n);
    int actions = 0;
    bool won = PlayKlondikeGreedily(3000, &actions);
    if (won) printf("deal %u won after %d actions\n", n, actions);
  }
}
