// FreeCellTest.cpp - the FreeCell family: its rows in the shared suites, the
// run limit by free cells and empty piles, the Eight Off and SeaTowers
// deals, and a position played to the win.
#include <string>

#include "tests/Support/GameImportsStandIn.h"
#include "Game/Gen.h"
#include "Game/GenDeal.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameFreeCell, .faceMode = 1, .foundations = 4, .cells = 4, .tableaus = 8,
     .rules = "pick c0 f0 t1 / drop c0 f10 t1 / space t0", .slots = "0 3 4",
     .faces = "T: u7*4 u6*4", .deepest = "T: u19", .insideFrame = true},
    {.game = kGameBakersGame, .faceMode = 1, .foundations = 4, .cells = 4, .tableaus = 8,
     .rules = "pick c0 f0 t2 / drop c0 f10 t2 / space t0", .slots = "0 3 4",
     .faces = "T: u7*4 u6*4", .deepest = "T: u19", .insideFrame = true},
    {.game = kGameEightOff, .faceMode = 1, .foundations = 4, .cells = 8, .tableaus = 8,
     .rules = "pick c0 f0 t2 / drop c0 f10 t2 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u6*8; C: u*4 0*4", .deepest = "T: u18", .insideFrame = true},
    {.game = kGameSeaTowers, .faceMode = 1, .foundations = 4, .cells = 4, .tableaus = 10,
     .rules = "pick c0 f0 t2 / drop c0 f10 t2 / space t17", .slots = "0 3 4", .tableauMarker = 13,
     .faces = "T: u5*10; C: u 0 0 u", .deepest = "T: u17", .insideFrame = true},
    {.game = kGameThreeCell, .faceMode = 1, .foundations = 4, .cells = 3, .tableaus = 8,
     .rules = "pick c0 f0 t1 / drop c0 f10 t1 / space t0", .slots = "0 3 4",
     .faces = "T: u7*4 u6*4", .deepest = "T: u19", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(FreeCell, kRows);

class FreeCellTest : public VariantTest {};

// A run of n cards is dragged from tableau 1 onto tableau 2 (or onto it
// empty) with some cells free and some other tableau piles empty.
struct RunCase {
  int game;
  int freeCells;
  int otherEmptyPiles;
  bool targetEmpty;
  int run;
  bool moves;
};

// The card text of rank r and suit letter s, face up.
std::string CardText(int rank, char suit) {
  const char* ranks = "A23456789TJQK";
  return std::string(1, ranks[rank - 1]) + suit + "*";
}

TEST_F(FreeCellTest, RunsMoveAsFarAsCellsAndEmptyPilesAllow) {
  const RunCase cases[] = {
      {kGameFreeCell, 2, 1, false, 6, true},   {kGameFreeCell, 2, 1, false, 7, false},
      {kGameFreeCell, 2, 0, true, 3, true},    {kGameFreeCell, 2, 0, true, 4, false},
      {kGameFreeCell, 2, 1, true, 6, true},    {kGameFreeCell, 2, 1, true, 7, false},
      {kGameFreeCell, 0, 0, false, 1, true},   {kGameFreeCell, 0, 0, false, 2, false},
      {kGameFreeCell, 4, 2, false, 7, true},   {kGameThreeCell, 3, 0, false, 4, true},
      {kGameThreeCell, 3, 0, false, 5, false}, {kGameBakersGame, 1, 1, false, 4, true},
      {kGameBakersGame, 1, 1, false, 5, false}, {kGameEightOff, 5, 0, false, 6, true},
      {kGameEightOff, 5, 0, false, 7, false},
  };
  for (const RunCase& c : cases) {
    SCOPED_TRACE(std::string(GenGameTable[c.game].name) + " run " + std::to_string(c.run) +
                 " free cells " + std::to_string(c.freeCells) + " empty piles " +
                 std::to_string(c.otherEmptyPiles) + (c.targetEmpty ? " onto a space" : ""));
    const bool inSuit = c.game != kGameFreeCell && c.game != kGameThreeCell;
    // Tableau 1: a run of eight from the king down; in suit or alternating.
    std::string piles = "T0:";
    for (int rank = 13; rank >= 6; --rank) piles += " " + CardText(rank, inSuit || rank % 2 ? 'h' : 's');
    const int head = 6 + c.run - 1;  // rank of the run's first card
    const char headSuit = inSuit || head % 2 ? 'h' : 's';
    piles += "; T1: " + (c.targetEmpty ? std::string() : CardText(head + 1, inSuit ? 'h' : headSuit == 'h' ? 'c' : 'd'));
    const int tableaus = 8;
    for (int t = 2, empty = c.otherEmptyPiles; t < tableaus; ++t, --empty) {
      piles += "; T" + std::to_string(t) + ":" + (empty > 0 ? "" : " 2c*");
    }
    const int cells = c.game == kGameThreeCell ? 3 : c.game == kGameEightOff ? 8 : 4;
    for (int cell = 0; cell < cells - c.freeCells; ++cell) piles += "; C" + std::to_string(cell) + ": 3d*";
    ASSERT_TRUE(VariantTable(c.game, piles));
    FixtureDrag(kWhereTableau, 8 - c.run, kWhereTableau + 1);
    EXPECT_EQ(g_GenLive.tableaus[1].numCards, (c.targetEmpty ? 0 : 1) + (c.moves ? c.run : 0));
    EXPECT_EQ(g_GenLive.tableaus[0].numCards, c.moves ? 8 - c.run : 8);
    EXPECT_EQ(g_GenLive.selection.numCards, 0);
  }
}

// Eight Off's last four cards go to cells 1-4 and SeaTowers' 51st and 52nd to
// cells 1 and 4; the other cards cycle over the tableau from pile 1.
TEST_F(FreeCellTest, EightOffAndSeaTowersDealTheirCellsFromTheEndOfTheDeal) {
  struct DealCase {
    int game;
    int cellOf[52];  // by deal index: cell number, 0 for the tableau
  };
  DealCase cases[2] = {{kGameEightOff, {}}, {kGameSeaTowers, {}}};
  for (int k = 48; k < 52; ++k) cases[0].cellOf[k] = k - 47;
  cases[1].cellOf[50] = 1;
  cases[1].cellOf[51] = 4;
  for (const DealCase& c : cases) {
    SCOPED_TRACE(GenGameTable[c.game].name);
    const unsigned number = 31;
    GenSetCurGame(c.game);
    ASSERT_TRUE(GenInit());
    g_GenLive.dealNumber = number;
    GenSetupAndShuffleDeck();
    const CardGroup order = g_GenLive.deck;  // card k of the deal is slot 51 - k
    VariantDeal(c.game, number);
    const Gen& g = g_GenLive;
    int nextInPile[10] = {};
    int pile = 0;
    for (int k = 0; k < 52; ++k) {
      const Card& expected = order.cards[51 - k];
      const Card* got;
      if (c.cellOf[k] > 0) {
        got = &g.cells[GenPileIndex(c.cellOf[k])].cards[0];
      } else {
        got = &g.tableaus[pile].cards[nextInPile[pile]++];
        pile = (pile + 1) % g.numTableaus;
      }
      EXPECT_EQ(got->suit * 14 + got->rank, expected.suit * 14 + expected.rank) << "deal index " << k;
    }
  }
}

// Four kings left to play; the last one wins, once.
TEST_F(FreeCellTest, NearWonPositionEndsInOneWin) {
  std::string piles;
  const char* suits = "hsdc";
  for (int f = 0; f < 4; ++f) {
    piles += "F" + std::to_string(f) + ":";
    for (int rank = 1; rank <= 12; ++rank) piles += " " + CardText(rank, suits[f]);
    piles += "; ";
  }
  piles += "T0: Kh*; T3: Ks*; C1: Kd*; C2: Kc*";
  ASSERT_TRUE(VariantTable(kGameFreeCell, piles));
  const int moves[][2] = {{kWhereTableau, 0}, {kWhereTableau + 3, 1}, {kWhereCell + 1, 2}, {kWhereCell + 2, 3}};
  for (const auto& move : moves) {
    EXPECT_FALSE(g_GenLive.gameOver);
    FixtureDrag(move[0], 0, kWhereFoundation + move[1]);
    VariantSettle();
  }
  EXPECT_TRUE(g_GenLive.gameOver);
  for (int f = 0; f < 4; ++f) EXPECT_EQ(g_GenLive.foundations[f].numCards, 13);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  // A click after the win changes nothing and counts nothing.
  FixtureClick(kWhereFoundation, 12, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
