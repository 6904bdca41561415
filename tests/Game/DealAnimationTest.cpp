// DealAnimationTest.cpp - a fixture variant dealt from a deal number, its
// deal animation run to the end on an injected clock, every card checked
// against the deal plan.
#include <string>
#include <vector>

#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class DealAnimationTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    FixtureUseRealLayouts();
  }

  // Sets a fixture variant up through GenInit and deals the number; returns
  // the deck's cards (suit and rank) as they lay before the first card flew.
  std::vector<std::string> SetUpAndDeal(void (*setup)(), unsigned number) {
    GenSetSetupOverrideForTests(setup);
    EXPECT_TRUE(GenInit());
    GenDeal(true, true, number);
    std::vector<std::string> deck;
    for (int i = 0; i < g_GenLive.deck.numCards; ++i) {
      Card c = g_GenLive.deck.cards[i];
      c.faceUp = 0;
      deck.push_back(FixtureCardText(c));
    }
    return deck;
  }

  // What each pile should hold after the deal: card k of the plan is the
  // deck's card 51 - k, landing face up when the plan (or mode 3's last card
  // of a tableau) says so.
  static std::vector<std::vector<std::string>> ExpectedTableaus(const std::vector<std::string>& deck,
                                                                int numTableaus, int dealt,
                                                                bool lastUp, bool allUp) {
    std::vector<std::vector<std::string>> piles(numTableaus);
    for (int k = 0; k < dealt; ++k) {
      int pile = g_GenLive.dealPlan[k] - kWhereTableau;
      piles[pile].push_back(deck[deck.size() - 1 - k]);
    }
    for (auto& pile : piles) {
      for (size_t i = 0; i < pile.size(); ++i) {
        if (allUp || (lastUp && i + 1 == pile.size())) pile[i] += '*';
      }
    }
    return piles;
  }

  static std::string Join(const std::vector<std::string>& cards) {
    std::string text;
    for (size_t i = 0; i < cards.size(); ++i) text += (i ? " " : "") + cards[i];
    return text;
  }
};

TEST_F(DealAnimationTest, KlondikeDealLandsEveryCardWhereThePlanSays) {
  std::vector<std::string> deck = SetUpAndDeal(FixtureKlondikeSetup, 4242);
  Gen& g = g_GenLive;
  ASSERT_EQ(g.dealNumber, 4242u);
  ASSERT_EQ(deck.size(), 52u);
  ASSERT_TRUE(AnimIsDealAnimating());
  GameTimeReset();  // held while the deal flies
  EXPECT_STREQ(GameTimeGetString(), "0:00");

  ASSERT_TRUE(RunAnimations());

  auto expected = ExpectedTableaus(deck, 7, 28, true, false);
  for (int t = 0; t < 7; ++t) {
    SCOPED_TRACE(t);
    ASSERT_EQ(g.tableaus[t].numCards, t + 1);  // mode 3: the triangle
    EXPECT_EQ(FixturePile(kWhereTableau + t), Join(expected[t]));
    // Each card sits in its own slot of its own pile: owner and layout.
    float faceDownGap = CardsGetCardHeight() / 12;
    for (int i = 0; i < g.tableaus[t].numCards; ++i) {
      const Card& card = g.tableaus[t].cards[i];
      EXPECT_EQ(card.owner, &g.tableaus[t]);
      EXPECT_EQ(card.hidden, 0);
      EXPECT_EQ(card.flying, 0);
      EXPECT_NEAR(card.pos[0], 0.0f, 1e-5);
      EXPECT_NEAR(card.pos[1], -faceDownGap * static_cast<float>(i), 1e-4);
    }
  }
  std::vector<std::string> rest(deck.begin(), deck.begin() + 24);
  EXPECT_EQ(FixturePile(kWhereDeck), Join(rest));
  EXPECT_EQ(g.dealGroup.numCards, 0);
  EXPECT_EQ(FixtureCountAllCards(), 52);
  EXPECT_TRUE(GenCheckOk());
  EXPECT_TRUE(GenIsFirstGameOfferPending());
  EXPECT_FALSE(LogContains("ERROR"));
}

TEST_F(DealAnimationTest, TheSameDealNumberGivesTheSameTable) {
  // The table once the deal of a number has run to its end.
  auto dealt = [this](unsigned number) {
    SetUpAndDeal(FixtureKlondikeSetup, number);
    EXPECT_TRUE(RunAnimations());
    return FixtureDescribeGame();
  };
  const std::string first = dealt(77);
  EXPECT_EQ(dealt(77), first);
  EXPECT_NE(dealt(78), first);
}

TEST_F(DealAnimationTest, FreeCellDealsAllCardsFaceUpInTurn) {
  std::vector<std::string> deck = SetUpAndDeal(FixtureFreeCellSetup, 1);
  ASSERT_TRUE(RunAnimations());
  auto expected = ExpectedTableaus(deck, 8, 52, false, true);
  for (int t = 0; t < 8; ++t) {
    SCOPED_TRACE(t);
    EXPECT_EQ(FixturePile(kWhereTableau + t), Join(expected[t]));
    EXPECT_EQ(g_GenLive.tableaus[t].numCards, t < 4 ? 7 : 6);
  }
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
  EXPECT_EQ(FixtureCountAllCards(), 52);
}

TEST_F(DealAnimationTest, WithCardAnimationOffTheDealIsPlacedAtOnce) {
  auto table = [] {
    std::string text;
    for (int t = 0; t < 7; ++t) text += FixturePile(kWhereTableau + t) + "|";
    return text + FixturePile(kWhereDeck);
  };
  SetUpAndDeal(FixtureKlondikeSetup, 4242);
  ASSERT_TRUE(RunAnimations());
  std::string animated = table();

  g_UserRecord.cardAnimationOn = 0;
  SetUpAndDeal(FixtureKlondikeSetup, 4242);
  EXPECT_FALSE(CardsAnimIsAnimating());
  EXPECT_EQ(table(), animated);
  EXPECT_EQ(g_GenLive.dealGroup.numCards, 0);
  EXPECT_EQ(FixtureCountAllCards(), 52);
}

TEST_F(DealAnimationTest, TheClockStartsFromZeroWhenTheDealEnds) {
  SetUpAndDeal(FixtureKlondikeSetup, 5);
  GameTimeReset();
  AdvanceTime(40);  // a long deal: none of it counts
  EXPECT_STREQ(GameTimeGetString(), "0:00");
  ASSERT_TRUE(RunAnimations());
  AdvanceTime(65);
  EXPECT_STREQ(GameTimeGetString(), "1:05");
}

}  // namespace
