// AcesUpTest.cpp - Aces Up: its row in the shared suites, which clicks
// discard a card (aces high), the discard by a drag, a right click or key
// F, the stock, spaces, and the four aces that follow the 48th discard to
// the win.
#include <string>

#include "tests/Support/GameImportsStandIn.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/Variants/AcesUp.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameAcesUp, .dealt = 4, .faceMode = 1, .foundations = 1, .tableaus = 4,
     .rules = "pick t8 f16 / drop t15 f14", .baseRank = 0, .slots = "0 3 4 5", .deckInUse = true,
     .faces = "T: u*4; D: d48", .deepest = "T: u16", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(AcesUp, kRows);

class AcesUpTest : public VariantTest {};

// A click on a column's top card discards it only when another column's
// top card has its suit and outranks it, the ace counting above the king.
TEST_F(AcesUpTest, AClickDiscardsACardOutrankedInItsSuit) {
  struct DiscardCase {
    const char* piles;
    bool discarded;
  };
  const DiscardCase cases[] = {
      {"T0: 5h*; T1: 9h*", true},         {"T0: 9h*; T1: 5h*", false},
      {"T0: Kh*; T1: Ah*", true},         {"T0: Ah*; T1: Kh*", false},
      {"T0: 5h*; T1: 9d*", false},        {"T0: 5h*; T1: 9h* 2c*", false},
      {"T0: 5h*; T1: 2c*; T3: 6h*", true}, {"T0: 5h*", false},
  };
  for (const DiscardCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameAcesUp, c.piles));
    FixtureClick(kWhereTableau, 0, 0);
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, c.discarded ? 1 : 0);
    EXPECT_EQ(g_GenLive.tableaus[0].numCards, c.discarded ? 0 : 1);
  }
}

// The other ways to discard take the same cards the click does: a drag
// onto the discard pile, a right click (which fills a space only with a
// card that cannot be discarded) and key F over the card. The discard
// pile's place is marked.
TEST_F(AcesUpTest, ADragARightClickAndKeyFDiscardAsAClickDoes) {
  enum Way { kDrag, kRightClick, kKeyF };
  struct WayCase {
    Way way;
    const char* piles;
    int foundation;  // cards on the foundation afterwards
    int space;       // cards in column 3 (a space) afterwards
  };
  const WayCase cases[] = {
      {kDrag, "T0: 5h*; T1: 9h*; T2: Kc*", 1, 0},       {kDrag, "T0: 9h*; T1: 5h*; T2: Kc*", 0, 0},
      {kRightClick, "T0: 5h*; T1: 9h*; T2: Kc*", 1, 0}, {kRightClick, "T0: 9h*; T1: 5h*; T2: Kc*", 0, 1},
      {kKeyF, "T0: Kh*; T1: Ah*; T2: Kc*", 1, 0},       {kKeyF, "T0: Ah*; T1: Kh*; T2: Kc*", 0, 0},
  };
  for (const WayCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.way) + " " + c.piles);
    ASSERT_TRUE(VariantTable(kGameAcesUp, c.piles));
    EXPECT_TRUE(g_GenLive.foundations[0].drawEmptySpace);
    switch (c.way) {
      case kDrag:
        FixtureDrag(kWhereTableau, 0, kWhereFoundation);
        break;
      case kRightClick:
        FixtureClick(kWhereTableau, 0, 1);
        break;
      case kKeyF: {
        float x, y;
        FixtureCardPlace(kWhereTableau, 0, &x, &y);
        GenSetPointerTablePoint(x, y);
        EXPECT_EQ(GenSendClickedCardToFoundation(), c.foundation);
        break;
      }
    }
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[0].numCards, c.foundation);
    EXPECT_EQ(g_GenLive.tableaus[3].numCards, c.space);
    EXPECT_EQ(g_GenLive.tableaus[0].numCards + c.foundation + c.space, 1);
  }
}

// A column's top card moves into a space, never onto another card; the
// stock deals one card to each column.
TEST_F(AcesUpTest, SpacesTakeAnyCardAndTheStockDealsFour) {
  ASSERT_TRUE(VariantTable(kGameAcesUp, "T0: 3c* 7h*; T1: 9h*; T2: ; D: 2s 3s 4s 5s 6s"));
  FixtureDrag(kWhereTableau, 1, kWhereTableau + 1);
  EXPECT_EQ(g_GenLive.tableaus[1].numCards, 1);
  FixtureDrag(kWhereTableau, 1, kWhereTableau + 2);
  EXPECT_EQ(g_GenLive.tableaus[2].numCards, 1);
  EXPECT_EQ(g_GenLive.tableaus[0].numCards, 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  const int expected[4] = {2, 2, 2, 1};
  for (int t = 0; t < 4; ++t) EXPECT_EQ(g_GenLive.tableaus[t].numCards, expected[t]) << t;
  EXPECT_EQ(g_GenLive.deck.numCards, 1);
  EXPECT_TRUE(g_GenLive.tableaus[3].cards[0].faceUp);
}

// 47 cards discarded; the 48th leaves the four aces, which go up by
// themselves, and the game is won once.
TEST_F(AcesUpTest, TheLastDiscardSendsTheAcesUpAndWins) {
  std::string foundation = "F0:";
  const char* ranks = "23456789TJQK";
  const char* suits = "hsdc";
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 12; ++r) {
      if (s == 0 && r == 0) continue;  // the two of hearts is still in play
      foundation += std::string(" ") + ranks[r] + suits[s] + "*";
    }
  }
  ASSERT_TRUE(VariantTable(kGameAcesUp, foundation + "; T0: 2h*; T1: As*; T2: Ad*; T3: Ac* Ah*"));
  ASSERT_EQ(g_GenLive.foundations[0].numCards, 47);
  // The 48th discard dragged onto the pile: the aces follow all the same.
  FixtureDrag(kWhereTableau, 0, kWhereFoundation);
  VariantSettle();
  EXPECT_EQ(g_GenLive.foundations[0].numCards, 52);
  for (int t = 0; t < 4; ++t) EXPECT_EQ(g_GenLive.tableaus[t].numCards, 0) << t;
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
