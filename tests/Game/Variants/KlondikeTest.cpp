// KlondikeTest.cpp - the Klondike family: its rows in the shared suites, the
// stock (cards turned per click, the waste turned back or not), spaces, and
// a position played to the win.
#include <string>

#include "tests/Support/GameImportsStandIn.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

constexpr const char* kStaircase = "T: u du d2u d3u d4u d5u d6u; D: d24";

constexpr VariantRow kRows[] = {
    {.game = kGameKlondike, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4", .deckMarker = 1,
     .tableauMarker = 13, .deckInUse = true, .wasteInUse = true, .faces = kStaircase,
     .deepest = "T: d6u13; W: u24", .insideFrame = true},
    {.game = kGameKlondike2, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t0", .slots = "0 3 4", .deckMarker = 1,
     .deckInUse = true, .wasteInUse = true, .faces = kStaircase, .deepest = "T: d6u13; W: u24", .insideFrame = true},
    {.game = kGameDoubleKlondike, .deckSize = 104, .dealt = 45, .faceMode = 3, .foundations = 8,
     .tableaus = 9, .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4",
     .deckMarker = 1, .tableauMarker = 13, .deckInUse = true, .wasteInUse = true,
     .faces = "T: u du d2u d3u d4u d5u d6u d7u d8u; D: d59", .deepest = "T: d8u13; W: u59", .insideFrame = true},
    {.game = kGameLasVegas, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4", .deckMarker = 2,
     .tableauMarker = 13, .deckInUse = true, .wasteInUse = true, .faces = kStaircase,
     .deepest = "T: d6u13; W: u24", .insideFrame = true},
    {.game = kGameLasVegas2, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 w0 t1 / drop f10 t1 w16 / space t17", .slots = "0 3 4", .deckMarker = 1,
     .tableauMarker = 13, .deckInUse = true, .wasteInUse = true, .faces = kStaircase,
     .deepest = "T: d6u13; W: u24", .insideFrame = true},
    {.game = kGameThumbAndPouch, .dealt = 28, .faceMode = 3, .foundations = 4, .tableaus = 7,
     .rules = "pick f0 w0 t5 / drop f10 t5 w16 / space t0", .slots = "0 3 4", .deckMarker = 2,
     .deckInUse = true, .wasteInUse = true, .faces = kStaircase, .deepest = "T: d6u13; W: u24", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Klondike, kRows);

class KlondikeTest : public VariantTest {};

// A click on the stock turns three cards in Klondike, Klondike (Easier) and
// Double Klondike and one in the others; once the stock is empty a click
// turns the waste back, except in Las Vegas Cardolia and Thumb and Pouch.
TEST_F(KlondikeTest, StockTurnsAndWasteTurnsBack) {
  struct StockCase {
    int game;
    int turned;
    bool turnsBack;
  };
  const StockCase cases[] = {
      {kGameKlondike, 3, true},     {kGameKlondike2, 3, true},   {kGameDoubleKlondike, 3, true},
      {kGameLasVegas, 1, false},    {kGameLasVegas2, 1, true},   {kGameThumbAndPouch, 1, false},
  };
  for (const StockCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    VariantDeal(c.game, 5);
    Gen& g = g_GenLive;
    const int stock = g.deck.numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.waste.numCards, c.turned);
    EXPECT_EQ(g.deck.numCards, stock - c.turned);
    EXPECT_TRUE(g.waste.cards[g.waste.numCards - 1].faceUp);
    // Through the stock, then one click more.
    for (int clicks = 0; clicks < 60 && g.deck.numCards > 0; ++clicks) {
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
    }
    ASSERT_EQ(g.deck.numCards, 0);
    const int waste = g.waste.numCards;
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(g.deck.numCards, c.turnsBack ? waste : 0);
    EXPECT_EQ(g.waste.numCards, c.turnsBack ? 0 : waste);
    if (c.turnsBack) {
      EXPECT_FALSE(g.deck.cards[g.deck.numCards - 1].faceUp) << "the stock lies face down again";
    }
  }
}

// Spaces take only kings where the marker shows a king, any card or run in
// Klondike (Easier) and Thumb and Pouch.
TEST_F(KlondikeTest, SpacesTakeKingsOrAnything) {
  struct SpaceCase {
    int game;
    bool queenFits;
  };
  const SpaceCase cases[] = {{kGameKlondike, false}, {kGameKlondike2, true}, {kGameLasVegas, false},
                             {kGameThumbAndPouch, true}, {kGameDoubleKlondike, false}};
  for (const SpaceCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    ASSERT_TRUE(VariantTable(c.game, "T0: 4c 9h*; T1: Qs* Jd*; T2: "));
    FixtureDrag(kWhereTableau + 1, 0, kWhereTableau + 2);
    EXPECT_EQ(g_GenLive.tableaus[2].numCards, c.queenFits ? 2 : 0);
    ASSERT_TRUE(VariantTable(c.game, "T0: 4c Kh*; T1: ; T2: 5d*"));
    FixtureDrag(kWhereTableau, 1, kWhereTableau + 1);
    EXPECT_EQ(g_GenLive.tableaus[1].numCards, 1) << "a king always fills a space";
  }
}

// Thumb and Pouch builds down by any other suit, even of the same colour.
TEST_F(KlondikeTest, ThumbAndPouchBuildsByAnyOtherSuit) {
  ASSERT_TRUE(VariantTable(kGameThumbAndPouch, "T0: 9s*; T1: 8c*; T2: 8s*"));
  FixtureDrag(kWhereTableau + 2, 0, kWhereTableau);
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 1) << "not on its own suit";
  FixtureDrag(kWhereTableau + 1, 0, kWhereTableau);
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 2) << "a club on a spade";
}

// The last king comes from the stock through the waste; the win is counted
// once.
TEST_F(KlondikeTest, NearWonPositionEndsInOneWin) {
  std::string piles;
  const char* suits = "hsdc";
  const char* ranks = "A23456789TJQ";
  for (int f = 0; f < 4; ++f) {
    piles += "F" + std::to_string(f) + ":";
    for (int r = 0; r < 12; ++r) piles += std::string(" ") + ranks[r] + suits[f] + "*";
    piles += "; ";
  }
  piles += "T0: Ks*; T4: Kd*; W: Kc*; D: Kh";
  ASSERT_TRUE(VariantTable(kGameKlondike, piles));
  FixtureDrag(kWhereTableau, 0, kWhereFoundation + 1);
  FixtureDrag(kWhereTableau + 4, 0, kWhereFoundation + 2);
  FixtureDrag(kWhereWaste, 0, kWhereFoundation + 3);
  VariantSettle();
  EXPECT_FALSE(g_GenLive.gameOver);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  ASSERT_EQ(g_GenLive.waste.numCards, 1);
  FixtureDrag(kWhereWaste, 0, kWhereFoundation);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
