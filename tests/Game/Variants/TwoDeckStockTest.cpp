// TwoDeckStockTest.cpp - Miss Milligan, Giant and Curds and Whey: their rows
// in the shared suites, the stock deals, Miss Milligan's reserve, Giant's
// foundations, Curds and Whey's moves and win, and positions played to the
// win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameMissMilligan, .deckSize = 104, .dealt = 8, .faceMode = 1, .foundations = 8,
     .tableaus = 8, .reserves = 1, .rules = "pick t1 r1 / drop f10 t1 r1 / space t17",
     .slots = "0 3 4", .tableauMarker = 13, .deckInUse = true, .faces = "T: u*8; D: d96",
     .deepest = "T: u30; R: u20; F: u13", .insideFrame = true},
    {.game = kGameGiant, .deckSize = 104, .dealt = 8, .faceMode = 1, .speed = 0.7f,
     .foundations = 8, .tableaus = 8, .rules = "pick f14 t1 / drop f10 t1", .slots = "0 3 4 5",
     .deckInUse = true, .faces = "T: u*8; D: d96", .deepest = "T: u30; F: u13",
     .insideFrame = true},
    {.game = kGameCurdsAndWhey, .faceMode = 1, .speed = 1.5f, .tableaus = 13,
     .rules = "pick t9 / drop t9 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u4*13", .deepest = "T: u20", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(TwoDeckStock, kRows);

class TwoDeckStockTest : public VariantTest {};

const char* const kRanks = "A23456789TJQK";
const char* const kSuits = "hsdc";

std::string SuitUp(char suit, int highest) {
  std::string text;
  for (int r = 1; r <= highest; ++r) text += std::string(" ") + kRanks[r - 1] + suit + "*";
  return text;
}

std::string SuitDown(char suit) {
  std::string text;
  for (int r = 13; r >= 1; --r) text += std::string(" ") + kRanks[r - 1] + suit + "*";
  return text;
}

// Miss Milligan's stock deals one card to every pile; Giant's deals eight.
TEST_F(TwoDeckStockTest, StockDealsOneCardToEveryPile) {
  for (int game : {kGameMissMilligan, kGameGiant}) {
    SCOPED_TRACE(GenGameTable[game].name);
    VariantDeal(game, 21);
    Gen& g = g_GenLive;
    int before[8];
    for (int t = 0; t < 8; ++t) before[t] = g.tableaus[t].numCards;
    const int stock = g.deck.numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.deck.numCards, stock - 8);
    for (int t = 0; t < 8; ++t) EXPECT_EQ(g.tableaus[t].numCards, before[t] + 1) << "pile " << t;
  }
}

// Miss Milligan's reserve takes a card or run only once the stock is empty,
// and gives it back onto the piles.
TEST_F(TwoDeckStockTest, MissMilliganReserveOpensWithAnEmptyStock) {
  ASSERT_TRUE(VariantTable(kGameMissMilligan, "T0: 9c* 8h* 7s*; T1: 9d*; D: 5h"));
  FixtureDrag(kWhereTableau, 1, kWhereReserve);
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 0) << "the stock still holds a card";
  ASSERT_TRUE(VariantTable(kGameMissMilligan, "T0: 9c* 8h* 7s*; T1: 9d*"));
  FixtureDrag(kWhereTableau, 1, kWhereReserve);
  EXPECT_EQ(FixturePile(kWhereReserve), "8h* 7s*");
  FixtureDrag(kWhereReserve, 0, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "9c* 8h* 7s*");
}

// Giant's foundations give cards back onto the piles only once the stock is
// empty.
TEST_F(TwoDeckStockTest, GiantTakesFromFoundationsOnlyWithAnEmptyStock) {
  for (bool stockEmpty : {false, true}) {
    SCOPED_TRACE(stockEmpty ? "stock empty" : "stock holds a card");
    ASSERT_TRUE(VariantTable(kGameGiant, std::string("F0: Ah* 2h* 3h*; T0: 4c*") +
                                             (stockEmpty ? "" : "; D: 9s")));
    FixtureDrag(kWhereFoundation, 2, kWhereTableau);
    EXPECT_EQ(FixturePile(kWhereTableau), stockEmpty ? "4c* 3h*" : "4c*");
    EXPECT_EQ(g_GenLive.foundations[0].numCards, stockEmpty ? 2 : 3);
  }
}

// Curds and Whey builds down in suit or by equal rank; a run in suit or a
// set of one rank moves together; a space takes a king or a run headed by
// one.
TEST_F(TwoDeckStockTest, CurdsAndWheyBuildsInSuitOrByRank) {
  ASSERT_TRUE(VariantTable(kGameCurdsAndWhey,
                           "T0: 8h*; T1: 7h* 7s*; T2: 7d*; T3: 9s* 8s* 7c*; T4: Kd* Qd*; T5: "));
  FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "8h* 7h* 7s*") << "a set of sevens on the eight in suit";
  FixtureDrag(kWhereTableau + 2, 0, kWhereTableau);
  EXPECT_EQ(FixturePile(kWhereTableau), "8h* 7h* 7s* 7d*") << "a seven on a seven";
  FixtureDrag(kWhereTableau + 3, 1, kWhereTableau);
  EXPECT_EQ(g_GenLive.tableaus[3].numCards, 3) << "8s 7c is neither a run in suit nor a set";
  FixtureDrag(kWhereTableau + 3, 0, kWhereTableau + 5);
  EXPECT_EQ(g_GenLive.tableaus[5].numCards, 0) << "a nine into a space";
  FixtureDrag(kWhereTableau + 4, 0, kWhereTableau + 5);
  EXPECT_EQ(FixturePile(kWhereTableau + 5), "Kd* Qd*");
}

// Curds and Whey is won when every pile is empty or one whole suit from the
// king down; piles of 13 cards that are not whole suits do not win.
TEST_F(TwoDeckStockTest, CurdsAndWheyIsWonOnlyByWholeSuits) {
  const std::string won = "T0:" + SuitDown('h') + "; T1:" + SuitDown('s') + "; T2:" + SuitDown('d');
  const std::string lastSuitBut = "; T3: Kc* Qc* Jc* Tc* 9c* 8c* 7c* 6c* 5c* 4c* 3c* 2c*; T4: Ac*";
  ASSERT_TRUE(VariantTable(kGameCurdsAndWhey, won + lastSuitBut));
  FixtureDrag(kWhereTableau + 4, 0, kWhereTableau + 3);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);

  // Thirteen cards in each of four piles, but the last is the queen and
  // king of the deal under a run from the jack.
  StatsResetForTests();
  ASSERT_TRUE(VariantTable(kGameCurdsAndWhey,
                           won + "; T3: Qc* Kc* Jc* Tc* 9c* 8c* 7c* 6c* 5c* 4c* 3c* 2c*; T4: Ac*"));
  FixtureDrag(kWhereTableau + 4, 0, kWhereTableau + 3);
  VariantSettle();
  ASSERT_EQ(g_GenLive.tableaus[3].numCards, 13);
  EXPECT_FALSE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 0);
}

// Miss Milligan and Giant are won by the standard autoplay step when their
// last foundation fills, whatever the player's autoplay setting.
TEST_F(TwoDeckStockTest, NearWonPositionsEndInOneWin) {
  for (int game : {kGameMissMilligan, kGameGiant}) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    g_UserOptions.autoplayMode[game] = 0;
    std::string piles;
    for (int f = 0; f < 8; ++f) {
      piles += "F" + std::to_string(f) + ":" + SuitUp(kSuits[f % 4], f == 7 ? 12 : 13) + "; ";
    }
    piles += "T2: Kc*";
    ASSERT_TRUE(VariantTable(game, piles));
    FixtureDrag(kWhereTableau + 2, 0, kWhereFoundation + 7);
    VariantSettle();
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
