// ColeopterTest.cpp - Coleopter: its row in the shared suites, the aces of
// the deal, foundations fed only from the pile beneath, the waste, and a
// position played to the win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameColeopter, .deckSize = 104, .dealt = 16, .faceMode = 1, .foundations = 8,
     .tableaus = 8, .rules = "pick t2 f16 w0 / drop t6 f14 w16 / space t0", .slots = "0 3 4 5",
     .deckMarker = 2, .deckInUse = true, .wasteInUse = true, .faces = "T: u*8; F: u*8; D: d88",
     .deepest = "T: u30; W: u88; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Coleopter, kRows);

class ColeopterTest : public VariantTest {};

// Whatever the deal number, the foundations start with aces of suits 0, 1,
// 2, 3, 0, 1, 2, 3.
TEST_F(ColeopterTest, DealStartsTheFoundationsWithAcesInSuitOrder) {
  for (unsigned deal : {1u, 9u, 123456u}) {
    SCOPED_TRACE("deal " + std::to_string(deal));
    VariantDeal(kGameColeopter, deal);
    for (int f = 0; f < 8; ++f) {
      const CardGroup& pile = g_GenLive.foundations[f];
      ASSERT_EQ(pile.numCards, 1) << "foundation " << f;
      EXPECT_EQ(pile.cards[0].rank, 1);
      EXPECT_EQ(pile.cards[0].suit, f % 4);
    }
  }
}

// A foundation takes the next card of its suit only from the pile beneath
// it, one card at a time, and never from the waste.
TEST_F(ColeopterTest, FoundationTakesOnlyFromThePileBeneathIt) {
  struct FoundationCase {
    int from;  // tableau pile, or -1 for the waste
    int card;
    bool taken;
  };
  const FoundationCase cases[] = {{2, 1, true}, {3, 0, false}, {2, 0, false}, {-1, 0, false}};
  for (const FoundationCase& c : cases) {
    SCOPED_TRACE("from " + std::to_string(c.from) + " card " + std::to_string(c.card));
    ASSERT_TRUE(VariantTable(kGameColeopter, "F2: Ad*; T2: 3d* 2d*; T3: 2d*; W: 2d*"));
    FixtureDrag(c.from < 0 ? kWhereWaste : kWhereTableau + c.from, c.card, kWhereFoundation + 2);
    EXPECT_EQ(g_GenLive.foundations[2].numCards, c.taken ? 2 : 1);
  }
}

// The waste's card goes onto a pile; a run moves only when in one suit.
TEST_F(ColeopterTest, WasteCardGoesOntoThePiles) {
  ASSERT_TRUE(VariantTable(kGameColeopter, "T0: 9c* 8c*; T1: 9h* 8s*; T2: 9s*; W: 7d*"));
  FixtureDrag(kWhereWaste, 0, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "9c* 8c* 7d*");
  FixtureDrag(kWhereTableau + 1, 0, kWhereTableau + 2);
  EXPECT_EQ(g_GenLive.tableaus[2].numCards, 1) << "9h 8s is no run in suit";
}

// Coleopter is won by the standard autoplay step once the last foundation
// is full, whatever the player's autoplay setting.
TEST_F(ColeopterTest, NearWonColeopterEndsInOneWin) {
  g_UserOptions.autoplayMode[kGameColeopter] = 0;
  const char* ranks = "A23456789TJQK";
  const char* suits = "hsdc";
  std::string piles;
  for (int f = 0; f < 8; ++f) {
    piles += "F" + std::to_string(f) + ":";
    for (int r = 0; r < (f == 7 ? 12 : 13); ++r) piles += std::string(" ") + ranks[r] + suits[f % 4] + "*";
    piles += "; ";
  }
  piles += "T7: Kc*";
  ASSERT_TRUE(VariantTable(kGameColeopter, piles));
  FixtureDrag(kWhereTableau + 7, 0, kWhereFoundation + 7);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
