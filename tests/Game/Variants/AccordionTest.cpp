// AccordionTest.cpp - Accordion and Spiral: their rows in the shared
// suites, the drop rule (one or three places back, suit or rank; nothing
// from an empty or missing pile), whole piles moving and gaps closing up,
// the spiral's cells, the score, a resumed game with fewer piles, and the
// last move to the win.
#include <string>

#include "Game/GenGame.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenScores.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Accordion.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameAccordion, .dealt = 52, .faceMode = 1, .speed = 1.5f, .tableaus = 52,
     .slots = "0 3 4 8", .faces = "T: u*52", .deepest = "T: u52", .insideFrame = true},
    {.game = kGameSpiral, .dealt = 52, .faceMode = 1, .speed = 1.5f, .tableaus = 52,
     .slots = "0 3 4 8", .faces = "T: u*52", .deepest = "T: u52", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Accordion, kRows);

class AccordionTest : public VariantTest {};

// A pile goes onto the pile one or three places before it when their top
// cards share suit or rank; two places back, or no match, is refused.
TEST_F(AccordionTest, APileMovesOneOrThreePlacesBackOnSuitOrRank) {
  struct MoveCase {
    int from, to;
    const char* onto;
    const char* moved;
    bool moves;
  };
  const MoveCase cases[] = {
      {5, 4, "9h*", "2h*", true},  {5, 4, "9h*", "9c*", true},  {5, 4, "9h*", "2c*", false},
      {5, 2, "9h*", "2h*", true},  {5, 3, "9h*", "2h*", false}, {5, 1, "9h*", "2h*", false},
      {5, 6, "9h*", "2h*", false}, {3, 0, "Kd*", "Kc*", true},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to) + ": " + c.moved +
                 " onto " + c.onto);
    // Every pile holds a card: no gap closes up but the one the move makes.
    std::string piles;
    for (int t = 0; t < 52; ++t) {
      const char* card = t == c.to ? c.onto : t == c.from ? c.moved : "5s*";
      piles += "T" + std::to_string(t) + ": " + (t == c.from ? "4d* " : "") + card + "; ";
    }
    ASSERT_TRUE(VariantTable(kGameAccordion, piles));
    FixtureDrag(GenTableauCode(c.from + 1), 0, GenTableauCode(c.to + 1));
    VariantSettle();
    const Gen& g = g_GenLive;
    EXPECT_EQ(g.numTableaus, c.moves ? 51 : 52);
    // The whole pile moves; the piles after it close up.
    EXPECT_EQ(g.tableaus[c.to].numCards, c.moves ? 3 : 1);
    if (c.moves) {
      EXPECT_EQ(FixturePile(GenTableauCode(c.from + 1)), "5s*") << "the next pile moved down";
      EXPECT_EQ(AccordionGetScore(), 5);
    }
  }
}

// The drop rule refuses an empty target and a target outside the piles in
// play, whatever was asked of it.
TEST_F(AccordionTest, TheDropRuleRefusesEmptyAndMissingTargets) {
  ASSERT_TRUE(VariantTable(kGameAccordion, "T0: ; T1: 9h*; T2: 9c*; T3: 4s*; S: 9d*"));
  Gen& g = g_GenLive;
  struct VetoCase {
    int source, target;
    bool allowed;
  };
  const VetoCase cases[] = {
      {kWhereTableau + 2, kWhereTableau + 1, true},  {kWhereTableau + 1, kWhereTableau + 0, false},
      {kWhereTableau + 0, kWhereTableau - 1, false}, {kWhereTableau + 2, kWhereTableau - 1, false},
      {kWhereTableau + 1, kWhereTableau - 2, false}, {kWhereTableau + 3, kWhereTableau + 0, false},
      {kWhereTableau + 54, kWhereTableau + 53, false}, {kWhereTableau + 3, kWhereFoundation, false},
  };
  for (const VetoCase& c : cases) {
    g.selectionSource = c.source;
    EXPECT_EQ(AccordionDropVeto(c.target), c.allowed) << c.source << " -> " << c.target;
  }
  g.selection.numCards = 0;
  g.selectionSource = kWhereTableau + 2;
  EXPECT_FALSE(AccordionDropVeto(kWhereTableau + 1)) << "nothing carried";
}

// Spiral's line winds clockwise inwards through its 9 x 7 grid.
TEST_F(AccordionTest, TheSpiralWindsInwards) {
  struct CellCase {
    int k, column, row;
  };
  const CellCase cases[] = {{0, 0, 0},  {8, 8, 0},  {9, 8, 1},  {14, 8, 6}, {15, 7, 6},
                            {22, 0, 6}, {23, 0, 5}, {27, 0, 1}, {28, 1, 1}, {34, 7, 1},
                            {47, 1, 2}, {48, 2, 2}, {51, 5, 2}, {62, 5, 3}};
  for (const CellCase& c : cases) {
    int column = -1, row = -1;
    ASSERT_TRUE(AccordionSpiralCell(c.k, 9, 7, &column, &row)) << c.k;
    EXPECT_EQ(column, c.column) << c.k;
    EXPECT_EQ(row, c.row) << c.k;
  }
  int column, row;
  EXPECT_FALSE(AccordionSpiralCell(63, 9, 7, &column, &row));
  EXPECT_FALSE(AccordionSpiralCell(-1, 9, 7, &column, &row));
}

// A dealt game played a few moves is saved and resumed with its fewer
// piles.
TEST_F(AccordionTest, AGameWithFewerPilesResumes) {
  FixtureUsePlayer("Tester");
  const Gen& g = g_GenLive;
  for (unsigned deal = 1; deal < 20 && !(g.numTableaus < 50 && g.ready); ++deal) {
    VariantDeal(kGameSpiral, deal);
    for (int moves = 0; moves < 10; ++moves) {
      int from = -1, to = -1;
      for (int t = 1; t < g.numTableaus && from < 0; ++t) {
        for (int back : {1, 3}) {
          if (t - back < 0 || from >= 0) continue;
          const Card& a = g.tableaus[t].cards[g.tableaus[t].numCards - 1];
          const Card& b = g.tableaus[t - back].cards[g.tableaus[t - back].numCards - 1];
          if (a.suit == b.suit || a.rank == b.rank) {
            from = t;
            to = t - back;
          }
        }
      }
      if (from < 0) break;
      FixtureDrag(GenTableauCode(from + 1), 0, GenTableauCode(to + 1));
      VariantSettle();
    }
  }
  ASSERT_LT(g.numTableaus, 50);
  const std::string table = FixtureDescribeGame();
  const int piles = g.numTableaus;
  ASSERT_TRUE(GenSaveCurrentGame());
  VariantDeal(kGameSpiral, 77);
  ASSERT_TRUE(GenResumeSavedGameIfAny());
  EXPECT_EQ(g.numTableaus, piles);
  EXPECT_EQ(FixtureDescribeGame(), table);
}

// Two piles left that match: the last move wins, once.
TEST_F(AccordionTest, NearWonPositionEndsInOneWin) {
  std::string big = "T0:";
  const char* ranks = "A23456789TJQK";
  for (int r = 0; r < 13; ++r) big += std::string(" ") + ranks[r] + "c*";
  ASSERT_TRUE(VariantTable(kGameAccordion, big + "; T1: 5h* Kh*"));
  Gen& g = g_GenLive;
  g.numTableaus = 2;
  FixtureDrag(GenTableauCode(2), 0, GenTableauCode(1));
  VariantSettle();
  EXPECT_EQ(g.numTableaus, 1);
  EXPECT_EQ(g.tableaus[0].numCards, 15);
  EXPECT_TRUE(g.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  EXPECT_EQ(AccordionGetScore(), 255);
  FixtureClick(GenTableauCode(1), 0, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
