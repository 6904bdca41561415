// GizaTest.cpp - the pyramid games (Giza, Pyramid, Tut's Tomb): their rows
// in the shared suites, which pyramid cards are free, pairs adding up to 13
// and kings alone, the stock of Pyramid and Tut's Tomb, and the last pair
// of each game to the win (Giza only once its piles are cleared too).
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Giza.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameGiza, .dealt = 52, .faceMode = 1, .foundations = 1, .tableaus = 8, .fans = 28,
     .rules = "pick r8 w8 t8 f16 n16 / drop r21 t21 f16 n16 w16", .slots = "0 3 4 7",
     .faces = "N: u*21 0*7; R: u*7; T: u3*8", .deepest = "T: u3; F: u52", .insideFrame = true, .mayOverlap = "N"},
    {.game = kGamePyramid, .dealt = 29, .faceMode = 1, .foundations = 1, .fans = 28,
     .rules = "pick d8 r8 w8 f16 n16 / drop d21 r21 w21 f16 n16", .slots = "0 3 4 7",
     .deckMarker = 1, .redealCounter = 2, .deckInUse = true, .wasteInUse = true,
     .faces = "N: u*21 0*7; R: u*7; W: u; D: u23", .deepest = "W: u23; F: u52", .insideFrame = true, .mayOverlap = "N"},
    {.game = kGameTutsTomb, .dealt = 28, .faceMode = 1, .foundations = 1, .fans = 28,
     .rules = "pick r8 w8 f16 n16 / drop r21 w21 f16 n16", .slots = "0 3 4 7", .deckMarker = 1,
     .deckInUse = true, .wasteInUse = true, .faces = "N: u*21 0*7; R: u*7; D: d24",
     .deepest = "W: u24; F: u52", .insideFrame = true, .mayOverlap = "N"},
};
INSTANTIATE_VARIANT_ROWS(Giza, kRows);

class GizaTest : public VariantTest {};

// A pyramid card is free when both cards under it are gone; the rows start
// at fans 1, 2, 4, 7, 11, 16 and 22 (fan j of a row of L lies over fans
// j + L and j + L + 1); the bottom row is always free.
TEST_F(GizaTest, APyramidCardIsFreeWhenBothCardsUnderItAreGone) {
  struct CoverCase {
    int fan;           // from 1
    int under1, under2;  // the fans it lies over (0: the bottom row)
  };
  const CoverCase cases[] = {{1, 2, 3},   {2, 4, 5},   {3, 5, 6},   {4, 7, 8},   {6, 9, 10},
                             {7, 11, 12}, {10, 14, 15}, {11, 16, 17}, {15, 20, 21}, {16, 22, 23},
                             {21, 27, 28}, {22, 0, 0},  {28, 0, 0}};
  for (const CoverCase& c : cases) {
    SCOPED_TRACE(c.fan);
    const std::string fan = "N" + std::to_string(c.fan - 1) + ": Kh*";
    ASSERT_TRUE(VariantTable(kGamePyramid, fan));
    EXPECT_TRUE(PyramidIsUncovered(c.fan - 1));
    if (c.under1 == 0) continue;
    for (int under : {c.under1, c.under2}) {
      ASSERT_TRUE(VariantTable(kGamePyramid, fan + "; N" + std::to_string(under - 1) + ": 5c*"));
      EXPECT_FALSE(PyramidIsUncovered(c.fan - 1)) << "covered by " << under;
      // Freed into a reserve pile, the card under it still covers it.
      ASSERT_TRUE(PyramidMoveFanToReserve(under - 1));
      EXPECT_FALSE(PyramidIsUncovered(c.fan - 1)) << "still covered by " << under;
    }
  }
  // Out of range: refused and logged.
  ClearLog();
  EXPECT_FALSE(PyramidIsUncovered(28));
  EXPECT_FALSE(PyramidMoveFanToReserve(30));
  EXPECT_TRUE(LogContains("Internal Error [30,"));
}

// Two free cards whose ranks add up to 13 leave together for the
// foundation; any other pair goes back.
TEST_F(GizaTest, PairsAddingUpTo13LeaveTheTable) {
  struct PairCase {
    int game;
    const char* piles;
    int from, to;
    bool pairs;
  };
  const PairCase cases[] = {
      {kGamePyramid, "R0: Qh*; R1: Ac*", GenReserveCode(1), GenReserveCode(2), true},
      {kGamePyramid, "R0: Qh*; R1: 2c*", GenReserveCode(1), GenReserveCode(2), false},
      {kGamePyramid, "R0: 6h*; R1: 7c*", GenReserveCode(2), GenReserveCode(1), true},
      {kGamePyramid, "R0: 9h*; W: 3c* 4d*", kWhereWaste, GenReserveCode(1), true},
      {kGamePyramid, "R0: 9h*; W: 4d*; D: 5s*", kWhereDeck, kWhereWaste, false},
      {kGamePyramid, "R0: 8h*; D: 5s*", GenReserveCode(1), kWhereDeck, true},
      {kGameTutsTomb, "R0: Jh*; W: 2d*", GenReserveCode(1), kWhereWaste, true},
      {kGameGiza, "R0: Jh*; T3: 5c* 2d*", GenTableauCode(4), GenReserveCode(1), true},
      {kGameGiza, "R0: Jh*; T3: 5c* 2d*; T4: 8s*", GenTableauCode(5), GenTableauCode(4), false},
  };
  for (const PairCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + ": " + c.piles);
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    const int cards = FixtureCountAllCards();
    CardGroup* from = GenGetGroup(g_GenLive, c.from);
    FixtureDrag(c.from, from->numCards - 1, c.to);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, c.pairs ? 2 : 0);
    EXPECT_EQ(FixtureCountAllCards(), cards);
  }
}

// A king lifted from the waste, the stock (Pyramid) or a free pyramid card
// leaves at once, alone.
TEST_F(GizaTest, AKingLeavesAlone) {
  struct KingCase {
    int game;
    const char* piles;
    int from;
  };
  const KingCase cases[] = {
      {kGamePyramid, "W: 4c* Kd*; R0: 5h*", kWhereWaste},
      {kGamePyramid, "D: 4c* Kd*; R0: 5h*", kWhereDeck},
      {kGamePyramid, "R0: 5h*; R1: Ks*", GenReserveCode(2)},
      {kGameGiza, "T0: 3c* Kh*; R0: 5h*", GenTableauCode(1)},
  };
  for (const KingCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    CardGroup* from = GenGetGroup(g_GenLive, c.from);
    FixtureClick(c.from, from->numCards - 1, 0);
    VariantSettle();
    ASSERT_EQ(g_GenLive.foundations[0].numCards, 1);
    EXPECT_EQ(g_GenLive.foundations[0].cards[0].rank, 13);
    EXPECT_EQ(g_GenLive.selection.numCards, 0);
  }
}

// Pyramid: a click on the stock turns its card to the waste; the empty
// stock takes the waste back twice, then no more. Tut's Tomb turns three
// cards and takes the waste back without limit.
TEST_F(GizaTest, TheStockTurnsAndRedeals) {
  ASSERT_TRUE(VariantTable(kGamePyramid, "R0: 5h*; D: 9c* 4d*"));
  GenSetRedealCounter(2);
  for (int turn = 0; turn < 2; ++turn) {
    FixtureClick(kWhereDeck, g_GenLive.deck.numCards - 1, 0);
    VariantSettle();
  }
  EXPECT_EQ(g_GenLive.waste.numCards, 2);
  for (int redeal = 2; redeal >= 0; --redeal) {
    SCOPED_TRACE(redeal);
    FixtureClick(kWhereDeck, -1, 0);  // the empty stock
    VariantSettle();
    EXPECT_EQ(g_GenLive.deck.numCards, redeal > 0 ? 2 : 0);
    EXPECT_EQ(GenGetRedealCounter(), redeal > 0 ? redeal - 1 : 0);
    // Through the stock again.
    while (g_GenLive.deck.numCards > 0) {
      FixtureClick(kWhereDeck, g_GenLive.deck.numCards - 1, 0);
      VariantSettle();
    }
  }
  EXPECT_EQ(g_GenLive.emptySpacePicture, 2) << "no more redeals";

  ASSERT_TRUE(VariantTable(kGameTutsTomb, "R0: 5h*; D: 9c 4d 2s 3s"));
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.waste.numCards, 3);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
  for (int round = 0; round < 3; ++round) {
    FixtureClick(kWhereDeck, -1, 0);  // the empty stock takes the waste back
    VariantSettle();
    EXPECT_EQ(g_GenLive.deck.numCards, 4);
    EXPECT_EQ(g_GenLive.waste.numCards, 0);
    for (int turn = 0; turn < 2; ++turn) {
      FixtureClick(kWhereDeck, -1, 0);
      VariantSettle();
    }
  }
}

// The last pair of the pyramid wins, once; in Giza only when its piles
// are empty as well.
TEST_F(GizaTest, TheLastPairWinsOnce) {
  struct WinCase {
    int game;
    const char* piles;
    int from, to;
    bool wins;
  };
  const WinCase cases[] = {
      {kGamePyramid, "R0: Qh*; R1: Ac*; D: 5s* 9d*", GenReserveCode(1), GenReserveCode(2), true},
      {kGameTutsTomb, "R0: Qh*; W: Ac*; D: 5s", kWhereWaste, GenReserveCode(1), true},
      {kGameGiza, "R0: Qh*; T2: Ac*", GenTableauCode(3), GenReserveCode(1), true},
      {kGameGiza, "R0: Qh*; T2: Ac*; T5: 4d*", GenTableauCode(3), GenReserveCode(1), false},
  };
  for (const WinCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + ": " + c.piles);
    StatsResetForTests();
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    CardGroup* from = GenGetGroup(g_GenLive, c.from);
    FixtureDrag(c.from, from->numCards - 1, c.to);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, 2);
    EXPECT_EQ(g_GenLive.gameOver != 0, c.wins);
    EXPECT_EQ(StatsGetAddedForTests(true), c.wins ? 1 : 0);
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(StatsGetAddedForTests(true), c.wins ? 1 : 0);
  }
}

// The pyramid's steps on a table of another game (no 28 fans) touch
// nothing.
TEST_F(GizaTest, StepsOnAnotherTableTouchNothing) {
  VariantDeal(kGameKlondike, 4);
  const std::string table = FixtureDescribeGame();
  EXPECT_FALSE(PyramidAutoplay(0, 0));
  EXPECT_FALSE(PyramidIsUncovered(0));
  EXPECT_FALSE(PyramidDeal(0, 0));
  EXPECT_EQ(FixtureDescribeGame(), table);
  EXPECT_FALSE(g_GenLive.gameOver);
}

// A card let go over an empty stock, waste or Giza pile pairs with nothing:
// it goes back where it was lifted from, and nothing stays in the hand.
TEST_F(GizaTest, ACardDroppedOnAnEmptyPileGoesBack) {
  struct EmptyCase {
    int game;
    const char* piles;
    int to;
  };
  const EmptyCase cases[] = {
      {kGamePyramid, "R0: Js*; W: 5s*", kWhereDeck},
      {kGamePyramid, "R0: Js*; D: 5s*", kWhereWaste},
      {kGameTutsTomb, "R0: Js*; D: 5s", kWhereWaste},
      {kGameGiza, "R0: Js*; T2: 4d*", GenTableauCode(1)},
  };
  for (const EmptyCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + ": " + c.piles);
    ASSERT_TRUE(VariantTable(c.game, c.piles));
    const std::string before = FixtureDescribeGame();
    FixtureDrag(GenReserveCode(1), 0, c.to);
    VariantSettle();
    EXPECT_EQ(g_GenLive.selection.numCards, 0);
    EXPECT_EQ(FixtureDescribeGame(), before);
  }
}

}  // namespace
