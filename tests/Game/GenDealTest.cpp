// GenDealTest.cpp - filling and shuffling the deck and the standard deal
// plans.
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenDeal.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GenDealTest : public GameTest {
 protected:
  // A ready record of the game with a deck of deckSize cards and the deal
  // number, dealt as far as the deck is filled and shuffled.
  void Deck(int game, int deckSize, unsigned number) {
    GenSetCurGame(game);
    GenReset();
    ASSERT_TRUE(GenSetDeckAndDealGroup(deckSize, 0, 0, 1.0f));
    g_GenLive.ready = 1;
    g_GenLive.dealNumber = number;
    GenSetupAndShuffleDeck();
  }
  static std::string Cards(int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
      Card c = g_GenLive.deck.cards[i];
      c.faceUp = 0;
      text += FixtureCardText(c) + (i + 1 < to ? " " : "");
    }
    return text;
  }
  static std::map<int, int> SuitCounts() {
    std::map<int, int> counts;
    for (int i = 0; i < g_GenLive.deck.numCards; ++i) ++counts[g_GenLive.deck.cards[i].suit];
    return counts;
  }
  // Tableaus named by the plan for cards first .. last - 1, as indices.
  static std::vector<int> Plan(int first, int last) {
    std::vector<int> piles;
    for (int k = first; k < last; ++k) piles.push_back(g_GenLive.dealPlan[k] - kWhereTableau);
    return piles;
  }
};

TEST_F(GenDealTest, ADealNumberAlwaysGivesTheSameDeck) {
  Deck(kGameKlondike, 52, 1);
  // Deal 1, pinned: a change here changes every player's deal 1.
  EXPECT_EQ(Cards(0, 8), "Ac 6h Td 8s 3d Jc As Kd");
  std::string first = Cards(0, 52);
  Deck(kGameKlondike, 52, 1);
  EXPECT_EQ(Cards(0, 52), first);
  Deck(kGameKlondike, 52, 2);
  EXPECT_NE(Cards(0, 52), first);
  // Still a full deck, and card numbers follow the swapped suits and ranks.
  std::set<int> numbers;
  for (int i = 0; i < 52; ++i) {
    const Card& c = g_GenLive.deck.cards[i];
    EXPECT_EQ(c.number, c.suit * 14 + c.rank);
    numbers.insert(c.number);
  }
  EXPECT_EQ(numbers.size(), 52u);
}

TEST_F(GenDealTest, DecksThatCannotBeFilledOrShuffledStayAsTheyWere) {
  Deck(kGameKlondike, 60, 1);  // 60 is no deck size: untouched
  for (int i = 0; i < 60; ++i) EXPECT_EQ(g_GenLive.deck.cards[i].rank, -1) << i;

  GenReset();
  ASSERT_TRUE(GenSetDeckAndDealGroup(1, 0, 0, 1.0f));
  g_GenLive.ready = 1;
  ASSERT_TRUE(FixtureBuild("D: 9c"));
  GenShuffleDeck();
  EXPECT_EQ(FixturePile(kWhereDeck), "9c");

  Deck(kGameKlondike, 104, 3);  // two decks: every card twice
  std::map<int, int> copies;
  for (int i = 0; i < 104; ++i) ++copies[g_GenLive.deck.cards[i].number];
  EXPECT_EQ(copies.size(), 52u);
  for (const auto& [number, count] : copies) EXPECT_EQ(count, 2) << number;
}

TEST_F(GenDealTest, SpiderFamilyDrawsItsSuitsFromTheDealNumber) {
  for (unsigned number : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    Deck(kGameSpider3Suits, 104, number);
    std::vector<int> counts;
    for (const auto& [suit, count] : SuitCounts()) counts.push_back(count);
    std::sort(counts.begin(), counts.end());
    EXPECT_EQ(counts, (std::vector<int>{26, 39, 39})) << number;

    Deck(kGameSpider2Suits, 104, number);
    std::map<int, int> two = SuitCounts();
    ASSERT_EQ(two.size(), 2u);
    // One draw gives both suits: hearts with spades or diamonds with clubs.
    EXPECT_TRUE((two.count(0) && two.count(1)) || (two.count(2) && two.count(3))) << number;
    EXPECT_EQ(two.begin()->second, 52);

    Deck(kGameSpiderette1Suit, 52, number);
    EXPECT_EQ(SuitCounts().size(), 1u);
  }
  // Pinned: the same deal number gives the same two suits on every run.
  Deck(kGameSpider2Suits, 104, 1);
  std::map<int, int> pinned = SuitCounts();
  EXPECT_EQ(pinned.begin()->first, 2);  // diamonds with clubs
}

TEST_F(GenDealTest, SpiderDecksOfTheWrongSizeAreReported) {
  Deck(kGameSpider1Suit, 52, 9);
  EXPECT_TRUE(LogContains("Spider1 but num cards 52"));
  EXPECT_EQ(SuitCounts().size(), 1u);
  ClearLog();
  Deck(kGameSpiderette3Suits, 104, 9);
  EXPECT_TRUE(LogContains("Spiderette3 but num cards 104"));
}

TEST_F(GenDealTest, PlanningToTableaus) {
  struct Case {
    int tableaus, cards, mode;
    bool backwards;
    std::vector<int> plan;
  } cases[] = {
      {7, 28, 3, false, {0, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 6, 3, 4, 5, 6, 4, 5, 6, 5, 6, 6}},
      {7, 28, 3, true, {6, 5, 4, 3, 2, 1, 0, 5, 4, 3, 2, 1, 0, 4, 3, 2, 1, 0, 3, 2, 1, 0, 2, 1, 0, 1, 0, 0}},
      {3, 8, 1, false, {0, 1, 2, 0, 1, 2, 0, 1}},
      {3, 8, 0, true, {2, 1, 0, 2, 1, 0, 2, 1}},
      // Past the triangle the start wraps round instead of leaving the row.
      {2, 6, 3, false, {0, 1, 1, 0, 1, 1}},
  };
  for (const Case& c : cases) {
    GenReset();
    ASSERT_TRUE(GenSetDeckAndDealGroup(52, c.cards, c.mode, 1.0f));
    g_GenLive.ready = 1;
    ASSERT_TRUE(GenStdSetNTableausPosition(c.tableaus, 0, 0, 0, 1));
    EXPECT_EQ(GenPlanDealToTableaus(c.backwards), 1);
    EXPECT_EQ(Plan(0, c.cards), c.plan) << c.tableaus << " " << c.mode << " " << c.backwards;
    for (int k = 0; k < c.cards; ++k) EXPECT_EQ(g_GenLive.dealGroup.cards[k].faceUp, c.mode == 1);
  }
}

TEST_F(GenDealTest, PlanningSendsTheFirstCardToTheFoundationWhenAsked) {
  GenReset();
  ASSERT_TRUE(GenSetDeckAndDealGroup(52, 5, 0, 1.0f));
  g_GenLive.ready = 1;
  g_GenLive.dealFirstToFoundation = 1;
  ASSERT_TRUE(GenStdSetNTableausPosition(2, 0, 0, 0, 1));
  ASSERT_EQ(GenPlanDealForward(), 1);
  EXPECT_EQ(g_GenLive.dealPlan[0], kWhereFoundation);
  EXPECT_EQ(g_GenLive.dealGroup.cards[0].faceUp, 1);
  EXPECT_EQ(Plan(1, 5), (std::vector<int>{0, 1, 0, 1}));
  EXPECT_EQ(g_GenLive.dealGroup.cards[1].faceUp, 0);
}

TEST_F(GenDealTest, PlanningRefusesWhatCannotBeDealt) {
  struct Case { int tableaus, fans, deck, cards; bool ready; } cases[] = {
      {0, 0, 52, 10, true},   // no piles: nothing planned (and no division by zero)
      {3, 0, 52, 0, true},    // nothing to deal
      {3, 0, 52, 10, false},  // not ready
      {3, 0, 5, 10, true},    // more cards than the deck
  };
  for (const Case& c : cases) {
    GenReset();
    ASSERT_TRUE(GenSetDeckAndDealGroup(c.deck, c.cards, 1, 1.0f));
    g_GenLive.ready = c.ready;
    ASSERT_TRUE(GenStdSetNTableausPosition(c.tableaus, 0, 0, 0, 1));
    g_GenLive.dealPlan[0] = 12345;
    EXPECT_EQ(GenPlanDealForward(), 0);
    EXPECT_EQ(GenPlanDealToFans(), 0);
    EXPECT_EQ(g_GenLive.dealPlan[0], 12345);
  }
  GenReset();
  ASSERT_TRUE(GenSetDeckAndDealGroup(52, 7, 1, 1.0f));
  g_GenLive.ready = 1;
  g_GenLive.numFans = 3;
  ASSERT_EQ(GenPlanDealToFans(), 1);
  for (int k = 0; k < 7; ++k) EXPECT_EQ(g_GenLive.dealPlan[k], kWhereFan + k % 3);
}

}  // namespace

namespace {

TEST_F(GenDealTest, CardTurnsAndSpacingFollowTheOptions) {
  GenReset();
  ASSERT_TRUE(GenSetDeckAndDealGroup(52, 0, 0, 1.0f));
  ASSERT_TRUE(FixtureBuild("T0: Ah* 2h*; N0: 3h* 4h*; F0: 5h*"));
  g_GenLive.ready = 1;
  g_UserRecord.cardAngle = 0;
  GenSetRandomCardAngles();
  EXPECT_EQ(g_GenLive.tableaus[0].cards[1].rot[2], 0.0f);
  g_UserRecord.cardAngle = 3;
  g_GenLive.foundations[0].cards[0].rot[2] = 0.5f;
  GenSetRandomCardAngles();
  const float degree = 3.14159265f / 180;
  bool turned = false;
  for (int i = 0; i < 2; ++i) {
    float t = g_GenLive.tableaus[0].cards[i].rot[2];
    float f = g_GenLive.fans[0].cards[i].rot[2];
    EXPECT_LE(std::fabs(t), 3 * degree + 1e-6f);
    EXPECT_LE(std::fabs(f), 3.6f * degree + 1e-6f);  // fans turn 1.2 times as far
    turned = turned || t != 0 || f != 0;
  }
  EXPECT_TRUE(turned);
  EXPECT_FLOAT_EQ(g_GenLive.foundations[0].cards[0].rot[2], 0.5f);  // foundations keep theirs

  g_UserRecord.cardSpacing = 2;
  GenSetCardSpacingLevel(true);  // keep: only the setting changes
  EXPECT_FLOAT_EQ(CardsGetSettings().verticalVariation, 0.2f);
  EXPECT_EQ(g_GenLive.tableaus[0].cards[0].vSpacing, 0.0f);
  GenSetCardSpacingLevel(false);
  EXPECT_GE(g_GenLive.tableaus[0].cards[0].vSpacing, 0.8f);
}

}  // namespace
