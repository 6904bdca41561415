// GapsTest.cpp - Gaps: its row in the shared suites, every redeal of every
// set of finished runs (no place twice, four gaps, the rows' first places),
// the reshuffle's refusals, which gap a clicked card goes to (a row starts
// with a 2 only), the gather and redeal, and the last card to the win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/Variants/Gaps.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameGaps, .dealt = 52, .faceMode = 1, .speed = 3.5f, .tableaus = 52, .reserves = 1,
     .rules = "pick t8 / drop t15 / space t20", .slots = "0 3 4 6", .deckMarker = 1, .redealCounter = 3,
     .deckInUse = true, .faces = "T: u~*52; R: u4", .deepest = "T: u; R: u4", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Gaps, kRows);

class GapsTest : public VariantTest {};

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "hsdc";

std::string Card(int rank, int suit) { return std::string(1, kRanks[rank - 1]) + kSuits[suit] + "*"; }

// Lays a redeal's table: row r's finished run of runs[r] cards (suit r, 2
// up), the aces on reserve pile 1, the other cards in the stock.
void LayRedeal(const int runs[4]) {
  Gen& g = g_GenLive;
  bool inRun[4][14] = {};
  for (int p = 0; p < kGapsPlaces; ++p) {
    CardGroup& place = g.tableaus[p];
    const int row = p / kGapsPerRow, i = p % kGapsPerRow;
    place.numCards = i < runs[row] ? 1 : 0;
    if (place.numCards) {
      place.cards[0].SetSuitAndRank(row, i + 2);
      inRun[row][i + 2] = true;
    }
  }
  g.deck.numCards = 0;
  for (int s = 0; s < 4; ++s) {
    for (int r = 2; r <= 13; ++r) {
      if (!inRun[s][r]) g.deck.cards[g.deck.numCards++].SetSuitAndRank(s, r);
    }
  }
  g.dealGroup.numCards = g.deck.numCards;
}

// Every finished-run length 0-12 in each row, after the first, second and
// third redeal: every card gets its own empty place, four gaps remain, and
// from the second redeal on every unfinished row starts with a gap.
TEST_F(GapsTest, EveryRedealLeavesFourGaps) {
  ASSERT_TRUE(VariantTable(kGameGaps, "R0: Ah* As* Ad* Ac*"));
  Gen& g = g_GenLive;
  int runs[4];
  long long failures = 0;
  for (int counter : {2, 1, 0}) {
    GenSetRedealCounter(counter);
    for (runs[0] = 0; runs[0] <= 12; ++runs[0]) {
      for (runs[1] = 0; runs[1] <= 12; ++runs[1]) {
        for (runs[2] = 0; runs[2] <= 12; ++runs[2]) {
          for (runs[3] = 0; runs[3] <= 12; ++runs[3]) {
            LayRedeal(runs);
            const int cards = g.dealGroup.numCards;
            if (cards == 0) continue;  // every row finished: nothing to deal
            if (!GapsDeal(0, 0)) {
              ++failures;
              continue;
            }
            bool taken[kGapsPlaces];
            for (int p = 0; p < kGapsPlaces; ++p) taken[p] = g.tableaus[p].numCards > 0;
            bool ok = true;
            for (int k = 0; k < cards && ok; ++k) {
              const int place = g.dealPlan[k] - kWhereTableau;
              ok = place >= 0 && place < kGapsPlaces && !taken[place];
              if (ok) taken[place] = true;
            }
            int gaps = 0;
            for (int p = 0; p < kGapsPlaces; ++p) gaps += taken[p] ? 0 : 1;
            if (counter < 2) {
              for (int row = 0; row < 4; ++row) ok = ok && (runs[row] > 0 || !taken[row * kGapsPerRow]);
            }
            if (!ok || gaps != 4) {
              if (++failures <= 3) {
                ADD_FAILURE() << "counter " << counter << " runs " << runs[0] << " " << runs[1] << " "
                              << runs[2] << " " << runs[3] << ": gaps " << gaps;
              }
            }
          }
        }
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

// The first deal after set-up takes the aces out: their places are the
// gaps.
TEST_F(GapsTest, TheDealTakesTheAcesOut) {
  for (unsigned deal : {1u, 5u, 909u}) {
    VariantDeal(kGameGaps, deal);
    const Gen& g = g_GenLive;
    int gaps = 0;
    for (int p = 0; p < kGapsPlaces; ++p) {
      if (g.tableaus[p].numCards == 0) ++gaps;
      else EXPECT_NE(g.tableaus[p].cards[0].rank, 1);
    }
    EXPECT_EQ(gaps, 4) << deal;
    EXPECT_EQ(g.reserves[0].numCards, 4);
  }
}

// A clicked card goes to the first gap whose left neighbour is its suit one
// rank lower; a row's first place takes a 2 and nothing else.
TEST_F(GapsTest, AClickedCardGoesToTheFirstGapThatTakesIt) {
  struct MoveCase {
    const char* piles;
    int from;   // place
    int to;     // place, -1 for none
  };
  const MoveCase cases[] = {
      {"T0: 5h*; T20: 6h*", 20, 1},
      {"T0: 5h*; T7: 5s*; T20: 6h*", 20, 1},
      {"T1: 5h*; T20: 2c*", 20, 0},
      {"T0: 9d*; T1: 5h*; T14: 5h*; T20: 6h*", 20, 2},
      // The last card of row 1 is a 2: the 3 does not start row 2.
      {"T0: 9d*; T12: 2c*; T20: 3c*", 20, -1},
      {"T0: 9d*; T12: 2c*; T13: 8s*; T20: 3c*", 20, -1},
      {"T0: 9d*; T1: Kh*; T20: 8s*", 20, -1},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameGaps, c.piles));
    const std::string card = FixturePile(GenTableauCode(c.from + 1));
    FixtureClick(GenTableauCode(c.from + 1), 0, 0);
    VariantSettle();
    if (c.to < 0) {
      EXPECT_EQ(FixturePile(GenTableauCode(c.from + 1)), card);
    } else {
      EXPECT_EQ(FixturePile(GenTableauCode(c.to + 1)), card);
      EXPECT_EQ(g_GenLive.tableaus[c.from].numCards, 0);
    }
  }
}

// A card dragged to a gap goes there when the gap takes it, any row's
// first gap for a 2; onto a card or a gap that does not take it, it goes
// back. A right click does what a click does.
TEST_F(GapsTest, ADraggedCardGoesIntoTheGapItIsDroppedOn) {
  struct DragCase {
    const char* piles;
    int from, to;  // places
    bool moves;
  };
  const DragCase cases[] = {
      {"T0: 2c*; T14: 2h*; T20: 6h*", 20, 0, false}, {"T13: 9s*; T20: 2h*", 20, 26, true},
      {"T13: 9s*; T20: 2h*", 20, 0, true},          {"T0: 5h*; T20: 6h*", 20, 1, true},
      {"T0: 5h*; T20: 6h*", 20, 2, false},          {"T0: 5h*; T1: 9c*; T20: 6h*", 20, 1, false},
  };
  for (const DragCase& c : cases) {
    SCOPED_TRACE(std::string(c.piles) + " -> " + std::to_string(c.to));
    ASSERT_TRUE(VariantTable(kGameGaps, c.piles));
    const std::string card = FixturePile(GenTableauCode(c.from + 1));
    const std::string before = FixturePile(GenTableauCode(c.to + 1));
    FixtureDrag(GenTableauCode(c.from + 1), 0, GenTableauCode(c.to + 1));
    VariantSettle();
    EXPECT_EQ(FixturePile(GenTableauCode(c.to + 1)), c.moves ? card : before);
    EXPECT_EQ(FixturePile(GenTableauCode(c.from + 1)), c.moves ? "" : card);
    EXPECT_EQ(g_GenLive.selection.numCards, 0);
  }
  ASSERT_TRUE(VariantTable(kGameGaps, "T0: 5h*; T20: 6h*"));
  FixtureClick(GenTableauCode(21), 0, 1);
  VariantSettle();
  EXPECT_EQ(FixturePile(GenTableauCode(2)), "6h*");
}

// A click on the stock gathers every card outside the finished runs and
// deals them again, three times; then it does nothing. The reshuffle
// refuses when the aces are not all on reserve pile 1.
TEST_F(GapsTest, TheStockRedealsThreeTimes) {
  VariantDeal(kGameGaps, 21);
  const Gen& g = g_GenLive;
  for (int redeal = 2; redeal >= 0; --redeal) {
    SCOPED_TRACE(redeal);
    int runs[4];
    for (int row = 0; row < 4; ++row) runs[row] = GapsFinishedRun(row);
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    EXPECT_EQ(GenGetRedealCounter(), redeal);
    EXPECT_EQ(g.deck.numCards, 0);
    EXPECT_EQ(FixtureCountAllCards(), 52);
    EXPECT_EQ(g.dealGroup.numCards, 0);
    int gaps = 0;
    for (int p = 0; p < kGapsPlaces; ++p) gaps += g.tableaus[p].numCards == 0 ? 1 : 0;
    EXPECT_EQ(gaps, 4);
    for (int row = 0; row < 4; ++row) EXPECT_GE(GapsFinishedRun(row), runs[row]) << "a finished run stays";
  }
  EXPECT_EQ(g.emptySpacePicture, 2) << "no more redeals";
  const std::string table = FixtureDescribeGame();
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(FixtureDescribeGame(), table);

  ASSERT_TRUE(VariantTable(kGameGaps, "R0: Ah* As* Ad*; T5: 7d*"));
  ClearLog();
  EXPECT_FALSE(GapsReshuffle(0, 0));
  EXPECT_TRUE(LogContains("Internal Error"));
}

// Three rows done and the fourth a king short: the king's move wins, once.
TEST_F(GapsTest, NearWonPositionEndsInOneWin) {
  std::string piles;
  for (int row = 0; row < 4; ++row) {
    for (int i = 0; i < 12; ++i) {
      if (row == 3 && i == 11) continue;
      piles += "T" + std::to_string(row * 13 + i) + ": " + Card(i + 2, row) + "; ";
    }
  }
  ASSERT_TRUE(VariantTable(kGameGaps, piles + "T51: Kc*; R0: Ah* As* Ad* Ac*"));
  FixtureClick(GenTableauCode(52), 0, 0);
  VariantSettle();
  EXPECT_EQ(FixturePile(GenTableauCode(51)), "Kc*");
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

// Gaps' callbacks on a table of another game (fewer than 52 places) touch
// nothing and end nothing.
TEST_F(GapsTest, CallbacksOnAnotherTableTouchNothing) {
  VariantDeal(kGameKlondike, 4);
  const std::string table = FixtureDescribeGame();
  EXPECT_EQ(GapsFinishedRun(0), 0);
  EXPECT_FALSE(GapsDeal(0, 0));
  EXPECT_FALSE(GapsAutoplay(0, 0));
  ClearLog();
  EXPECT_FALSE(GapsReshuffle(0, 0));
  EXPECT_TRUE(LogContains("Internal Error"));
  EXPECT_EQ(FixtureDescribeGame(), table);
  EXPECT_FALSE(g_GenLive.gameOver);
}

}  // namespace
