// GenPlayTest.cpp - whole games through the move handler: a dealt game
// played by clicks to a win, with undo, redo, save and resume on the way,
// and random play on the fixture variants.
#include <random>
#include <string>
#include <vector>

#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/Gen.h"
#include "Game/GenAutoplay.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

// A deal of the Klondike-like fixture that the greedy player below wins.
constexpr unsigned kWinningDeal = 10;

void Settle() {
  for (int f = 0; f < 100000 && CardsAnimIsAnimating(); ++f) AnimTick();
}

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

// One greedy action on a Klondike-like game, all by clicks (autoplay takes
// cards to the foundations): the waste's card by quick move; a tableau's
// first face-up card when that uncovers a card or empties a column; a run
// off a card that could then go to a foundation; else a click on the deck.
// False when the game is stuck (the deck went round twice without a move).
bool GreedyAction(int* idleDeckClicks) {
  Gen& g = g_GenLive;
  auto tryQuick = [](int where, int index) {
    std::string before = FixtureDescribeGame();
    FixtureClick(where, index, 1);
    Settle();
    return FixtureDescribeGame() != before;
  };
  if (g.waste.numCards > 0 && tryQuick(kWhereWaste, g.waste.numCards - 1)) {
    *idleDeckClicks = 0;
    return true;
  }
  for (int t = 0; t < g.numTableaus; ++t) {
    CardGroup& pile = g.tableaus[t];
    int first = -1;
    for (int i = 0; i < pile.numCards && first < 0; ++i) {
      if (pile.cards[i].faceUp) first = i;
    }
    if (first < 0) continue;
    bool moved = !(first == 0 && pile.cards[0].rank == 13) && tryQuick(kWhereTableau + t, first);
    for (int i = first + 1; i < pile.numCards && !moved; ++i) {
      if (FitsFoundation(pile.cards[i - 1])) moved = tryQuick(kWhereTableau + t, i);
    }
    if (moved) {
      *idleDeckClicks = 0;
      return true;
    }
  }
  if (++*idleDeckClicks > 2 * (g.deck.numCards + g.waste.numCards) + 2) return false;
  FixtureClick(kWhereDeck, -1, 0);
  Settle();
  return true;
}

class GenPlayTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    FixtureUseRealLayouts();
    g_UserRecord.cardAnimationOn = 0;
    g_UserRecord.gatherCards = 0;
    EngProgramSetFrameTimeForTests(0.5f);
  }
  void Deal(void (*setup)(), unsigned number) {
    GenSetSetupOverrideForTests(setup);
    GenNewGameWithNumber(number, true);
    Settle();
  }
};

TEST_F(GenPlayTest, KlondikeIsWonByClicksWithUndoRedoSaveAndResume) {
  FixtureUsePlayer("Tester");
  g_UserOptions.autoplayMode[kGameKlondike] = 3;
  Deal(FixtureKlondikePlaySetup, kWinningDeal);
  ASSERT_EQ(FixtureCountAllCards(), 52);
  const std::string dealt = FixtureDescribeGame();

  int idle = 0, actions = 0;
  for (; actions < 25; ++actions) ASSERT_TRUE(GreedyAction(&idle));
  ASSERT_FALSE(g_GenLive.gameOver);
  const std::string midway = FixtureDescribeGame();
  const int states = GenUndoGetIndex();
  ASSERT_GT(states, 5);

  // Undo to the deal, redo back to the same table.
  std::vector<std::string> seen;
  while (GenUndoCanUndo(nullptr)) {
    seen.push_back(FixtureDescribeGame());
    ASSERT_TRUE(GenUndo());
    EXPECT_EQ(FixtureCountAllCards(), 52);
  }
  EXPECT_EQ(GenUndoGetIndex(), 0);
  EXPECT_EQ(FixtureDescribeGame(), dealt);
  while (GenUndoCanRedo()) ASSERT_TRUE(GenRedo());
  EXPECT_EQ(FixtureDescribeGame(), midway);
  EXPECT_EQ(seen.front(), midway);

  // Saved mid-way, played on to the win, then resumed to the same table.
  ASSERT_TRUE(GenSaveCurrentGame());
  EXPECT_EQ(GenGetSavedGameDealNumber(), g_GenLive.dealNumber);
  while (!g_GenLive.gameOver && actions < 400) {
    ASSERT_TRUE(GreedyAction(&idle));
    ++actions;
  }
  ASSERT_TRUE(g_GenLive.gameOver);
  for (int f = 0; f < 4; ++f) EXPECT_EQ(g_GenLive.foundations[f].numCards, 13);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  // The win removed the saved game.
  EXPECT_FALSE(GenSavedGameExists());

  ASSERT_TRUE(GenSaveCurrentGame());  // a won game writes nothing
  EXPECT_FALSE(GenSavedGameExists());
}

TEST_F(GenPlayTest, ResumedGameIsTheSavedOneAndPlaysOnToTheWin) {
  FixtureUsePlayer("Tester");
  g_UserOptions.autoplayMode[kGameKlondike] = 3;
  Deal(FixtureKlondikePlaySetup, kWinningDeal);
  int idle = 0;
  for (int a = 0; a < 30; ++a) ASSERT_TRUE(GreedyAction(&idle));
  const std::string midway = FixtureDescribeGame();
  const Gen saved = g_GenLive;
  ASSERT_TRUE(GenSaveCurrentGame());

  // Another game in between.
  Deal(FixtureKlondikePlaySetup, kWinningDeal + 1);
  ASSERT_NE(FixtureDescribeGame(), midway);

  ASSERT_TRUE(GenResumeSavedGameIfAny());
  EXPECT_EQ(FixtureDescribeGame(), midway);
  EXPECT_EQ(g_GenLive.dealNumber, saved.dealNumber);
  EXPECT_EQ(g_GenLive.moves, saved.moves);  // the resumed table was counted when it was recorded
  EXPECT_TRUE(GenIsGameInProgress());
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  for (int a = 0; a < 400 && !g_GenLive.gameOver; ++a) ASSERT_TRUE(GreedyAction(&idle));
  EXPECT_TRUE(g_GenLive.gameOver);
}

// Random play: presses, drags, quick moves, deck clicks, undos and redos;
// after every step no card is lost and the record is sound.
struct RandomPlayCase {
  const char* name;
  void (*setup)();
  int game;
  unsigned deal;
  int steps;
};

class GenRandomPlayTest : public GenPlayTest,
                          public ::testing::WithParamInterface<RandomPlayCase> {};

TEST_P(GenRandomPlayTest, KeepsEveryCardAndASoundRecord) {
  const RandomPlayCase& c = GetParam();
  GenSetCurGame(c.game);
  g_UserOptions.autoplayMode[c.game] = 1;
  Deal(c.setup, c.deal);
  Gen& g = g_GenLive;
  const int total = FixtureCountAllCards();
  std::mt19937 rng(c.deal);
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  // Every pile in use, by code.
  std::vector<int> piles;
  for (int i = 0; i < g.numTableaus; ++i) piles.push_back(kWhereTableau + i);
  for (int i = 0; i < g.numFoundations; ++i) piles.push_back(kWhereFoundation + i);
  for (int i = 0; i < g.numCells; ++i) piles.push_back(kWhereCell + i);
  if (g.wasteInUse) piles.push_back(kWhereWaste);
  for (int step = 0; step < c.steps; ++step) {
    const int what = pick(10);
    const int from = piles[static_cast<size_t>(pick(static_cast<int>(piles.size())))];
    CardGroup* pile = GenGetGroup(g, from);
    // Mostly a face-up card; now and then any card.
    int firstUp = 0;
    while (firstUp < pile->numCards - 1 && !pile->cards[firstUp].faceUp) ++firstUp;
    int index = -1;
    if (pile->numCards > 0) {
      index = pick(4) == 0 ? pick(pile->numCards) : firstUp + pick(pile->numCards - firstUp);
    }
    if (what == 0 && g.deckInUse) {
      FixtureClick(kWhereDeck, -1, 0);
    } else if (what <= 3 && index >= 0) {
      FixtureClick(from, index, 1);
    } else if (what <= 4 && index >= 0) {
      FixtureDrag(from, index, piles[static_cast<size_t>(pick(static_cast<int>(piles.size())))]);
    } else if (what <= 6 && index >= 0) {
      // A legal drag: lift, then release over a pile of the drop list.
      float x, y;
      FixtureCardPlace(from, index, &x, &y);
      FixtureClick(from, index, -1);  // press only
      if (g.selection.numCards > 0 && GenGetDropCandidateCount() > 0) {
        const GenCandidate* target = GenGetDropCandidate(pick(GenGetDropCandidateCount()));
        FixtureCardPlace(target->kindBase + target->index, target->empty ? -1 : target->topIndex,
                         &x, &y);
        GenSetPointerTablePoint(x, y);
      }
      GenHandleSelection(0, 0, 0);
    } else if (what == 7) {
      GenUndo();
    } else if (what == 8) {
      GenRedo();
    } else if (index >= 0) {
      FixtureClick(from, index, 0);
    }
    Settle();
    ASSERT_EQ(FixtureCountAllCards(), total) << "step " << step;
    ASSERT_EQ(g.selection.numCards, 0) << "step " << step;
    ASSERT_TRUE(GenCheckOk()) << "step " << step;
    if (g.gameOver) break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, GenRandomPlayTest,
    ::testing::Values(RandomPlayCase{"Klondike", FixtureKlondikePlaySetup, kGameKlondike, 3, 1200},
                      RandomPlayCase{"FreeCell", FixtureFreeCellPlaySetup, kGameFreeCell, 5, 1000},
                      RandomPlayCase{"Spider", FixtureSpiderPlaySetup, kGameSpider, 8, 800}),
    [](const ::testing::TestParamInfo<RandomPlayCase>& info) { return info.param.name; });

}  // namespace
