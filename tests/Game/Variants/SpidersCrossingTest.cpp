// SpidersCrossingTest.cpp - Spider's Crossing (and its triple deck) and
// Spider Trap: their rows in the shared suites, the cells and the stock,
// Spider Trap's reserve, and positions played to the win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameSpidersCrossing, .deckSize = 104, .dealt = 68, .foundations = 8, .cells = 9,
     .tableaus = 9, .rules = "pick t2 c8 f16 / drop t6 c16 f16 / space t0", .slots = "0 3 4",
     .deckInUse = true, .faces = "T: d6u*5 d5u*4; C: u*9; D: d36",
     .deepest = "T: d6u24; C: u; F: u13", .insideFrame = true},
    {.game = kGameSpidersCrossingTD, .deckSize = 156, .dealt = 79, .foundations = 12,
     .cells = 11, .tableaus = 11, .rules = "pick t2 c8 f16 / drop t6 c16 f16 / space t0",
     .slots = "0 3 4", .deckInUse = true, .faces = "T: d6u*2 d5u*9; C: u*11; D: d77",
     .deepest = "T: d6u24; C: u; F: u13", .insideFrame = true},
    {.game = kGameSpiderTrap, .dealt = 25, .faceMode = 2, .foundations = 4, .cells = 1,
     .tableaus = 5, .reserves = 1, .rules = "pick t2 r2 / drop f10 t6 r2 / space t0",
     .slots = "0 3 4", .deckInUse = true, .faces = "T: d4u*5; D: d27",
     .deepest = "T: d4u20; C: u; R: u3; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(SpidersCrossing, kRows);

class SpidersCrossingTest : public VariantTest {};

std::string SuitDown(char suit, int lowest) {
  const char* ranks = "A23456789TJQK";
  std::string text;
  for (int r = 13; r >= lowest; --r) text += std::string(" ") + ranks[r - 1] + suit + "*";
  return text;
}

std::string SuitUp(char suit, int highest) {
  const char* ranks = "A23456789TJQK";
  std::string text;
  for (int r = 1; r <= highest; ++r) text += std::string(" ") + ranks[r - 1] + suit + "*";
  return text;
}

// A stock click moves each cell's card onto the pile below it, then deals
// one card from the stock into every cell.
TEST_F(SpidersCrossingTest, StockEmptiesTheCellsOntoThePilesThenRefillsThem) {
  std::string piles;
  const char* cards[] = {"2h", "3h", "4h", "5h", "6h", "7h", "8h", "9h", "Th"};
  for (int i = 0; i < 9; ++i) {
    piles += "T" + std::to_string(i) + ": Kc*; ";
    if (i != 3) piles += "C" + std::to_string(i) + ": " + cards[i] + "*; ";
  }
  piles += "D: 2s 3s 4s 5s 6s 7s 8s 9s Ts Js Qs";
  ASSERT_TRUE(VariantTable(kGameSpidersCrossing, piles));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  const Gen& g = g_GenLive;
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE("pile " + std::to_string(i));
    EXPECT_EQ(FixturePile(kWhereTableau + i), i == 3 ? "Kc*" : "Kc* " + std::string(cards[i]) + "*");
    EXPECT_EQ(g.cells[i].numCards, 1);
  }
  EXPECT_EQ(g.deck.numCards, 2);
  EXPECT_EQ(FixturePile(kWhereCell), "Qs*") << "the stock's top card goes to cell 1";
}

// Nothing is put into a cell by hand; a cell's card goes onto a pile.
TEST_F(SpidersCrossingTest, CellsOnlyGiveCards) {
  ASSERT_TRUE(VariantTable(kGameSpidersCrossing, "T0: 9d*; T1: 8c*; C0: 8s*; C1: "));
  FixtureDrag(kWhereTableau + 1, 0, kWhereCell + 1);
  EXPECT_EQ(g_GenLive.cells[1].numCards, 0);
  FixtureDrag(kWhereCell, 0, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "9d* 8s*");
  EXPECT_EQ(g_GenLive.cells[0].numCards, 0);
}

// The last suit completed wins Spider's Crossing and its triple deck, once.
TEST_F(SpidersCrossingTest, NearWonSpidersCrossingEndsInOneWin) {
  for (int game : {kGameSpidersCrossing, kGameSpidersCrossingTD}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    const int foundations = game == kGameSpidersCrossing ? 8 : 12;
    std::string piles;
    for (int f = 0; f < foundations - 1; ++f) {
      piles += "F" + std::to_string(f) + ":" + SuitDown("hsdc"[f % 4], 1) + "; ";
    }
    piles += "T0:" + SuitDown('c', 2) + "; C4: Ac*";
    ASSERT_TRUE(VariantTable(game, piles));
    FixtureDrag(kWhereCell + 4, 0, kWhereTableau);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

// Spider Trap's reserve holds at most three cards, built down in suit.
TEST_F(SpidersCrossingTest, SpiderTrapReserveHoldsThreeCards) {
  struct ReserveCase {
    const char* piles;
    int fromCard;
    int reserveAfter;
  };
  const ReserveCase cases[] = {
      {"R0: ; T0: 9h* 8h* 7h*", 0, 3},
      {"R0: Ts*; T0: 9h* 8h*", 0, 1},
      {"R0: Th*; T0: 9h* 8h* 7h*", 0, 1},
      {"R0: Th*; T0: 9h* 8h*", 0, 3},
      {"R0: Th* 9h*; T0: 8h*", 0, 3},
  };
  for (const ReserveCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameSpiderTrap, c.piles));
    FixtureDrag(kWhereTableau, c.fromCard, kWhereReserve);
    EXPECT_EQ(g_GenLive.reserves[0].numCards, c.reserveAfter);
  }
}

// Spider Trap's stock deals one card to each of the five piles.
TEST_F(SpidersCrossingTest, SpiderTrapStockDealsFive) {
  VariantDeal(kGameSpiderTrap, 3);
  const int stock = g_GenLive.deck.numCards;
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.deck.numCards, stock - 5);
  for (int t = 0; t < 5; ++t) EXPECT_GE(g_GenLive.tableaus[t].numCards, 6) << "pile " << t;
}

// Spider Trap is won on its foundations by the standard autoplay step,
// whatever the player's autoplay setting.
TEST_F(SpidersCrossingTest, NearWonSpiderTrapEndsInOneWin) {
  g_UserOptions.autoplayMode[kGameSpiderTrap] = 0;
  ASSERT_TRUE(VariantTable(kGameSpiderTrap, "F0:" + SuitUp('h', 13) + "; F1:" + SuitUp('s', 13) +
                                                "; F2:" + SuitUp('d', 13) + "; F3:" +
                                                SuitUp('c', 12) + "; R0: Kc*"));
  FixtureDrag(kWhereReserve, 0, kWhereFoundation + 3);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
