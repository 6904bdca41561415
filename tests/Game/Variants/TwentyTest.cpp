// TwentyTest.cpp - Twenty: its row in the shared suites, the deal of the
// aces and kings, the two directions of the foundations, reserves that take
// a card only while empty and refill from the stock, the stock's click, and
// a position played to the win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/Variants/Twenty.h"
#include "Game/GenVariant.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr VariantRow kRows[] = {
    {.game = kGameTwenty, .deckSize = 104, .dealt = 28, .faceMode = 1, .foundations = 8,
     .reserves = 20, .rules = "pick r8 / drop f13 r0", .slots = "0 3 4 8", .deckInUse = true,
     .faces = "F: u*8; R: u*20; D: d76", .deepest = "R: u6", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Twenty, kRows);

class TwentyTest : public VariantTest {};

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "hsdc";

std::string Card(int rank, int suit) { return std::string(1, kRanks[rank - 1]) + kSuits[suit] + "*"; }

// Whatever the deal, an ace starts foundation suit + 1 and a king
// foundation suit + 5.
TEST_F(TwentyTest, TheDealStartsTheFoundationsWithAcesAndKings) {
  for (unsigned deal : {1u, 40u, 777u}) {
    SCOPED_TRACE(deal);
    VariantDeal(kGameTwenty, deal);
    for (int s = 0; s < 4; ++s) {
      EXPECT_EQ(FixturePile(GenFoundationCode(s + 1)), Card(1, s));
      EXPECT_EQ(FixturePile(GenFoundationCode(s + 5)), Card(13, s));
    }
  }
}

// Foundations 1-4 build up in suit, 5-8 down in suit.
TEST_F(TwentyTest, FoundationsBuildUpAndDownInSuit) {
  struct BuildCase {
    int foundation;  // from 1
    const char* pile;
    const char* card;
    bool fits;
  };
  const BuildCase cases[] = {
      {1, "Ah* 2h*", "3h*", true},  {1, "Ah* 2h*", "3d*", false}, {1, "Ah* 2h*", "Ah*", false},
      {5, "Kh* Qh*", "Jh*", true},  {5, "Kh* Qh*", "Kh*", false}, {6, "Ks*", "Qs*", true},
      {6, "Ks*", "Qc*", false},     {2, "As*", "2s*", true},
  };
  for (const BuildCase& c : cases) {
    SCOPED_TRACE(std::string(c.pile) + " <- " + c.card);
    ASSERT_TRUE(VariantTable(kGameTwenty, "F" + std::to_string(c.foundation - 1) + ": " + c.pile +
                                              "; R3: " + c.card));
    const int before = g_GenLive.foundations[c.foundation - 1].numCards;
    FixtureDrag(GenReserveCode(4), 0, GenFoundationCode(c.foundation));
    VariantSettle();
    EXPECT_EQ(g_GenLive.foundations[c.foundation - 1].numCards, before + (c.fits ? 1 : 0));
  }
}

// A reserve pile takes a card only while empty; an emptied pile is filled
// from the stock at once, as long as the stock lasts.
TEST_F(TwentyTest, ReservesTakeACardOnlyWhileEmptyAndRefill) {
  ASSERT_TRUE(VariantTable(kGameTwenty, "R0: 5h*; R1: 7c*; R2: "));
  FixtureDrag(GenReserveCode(1), 0, GenReserveCode(2));
  EXPECT_EQ(FixturePile(GenReserveCode(2)), "7c*");
  FixtureDrag(GenReserveCode(1), 0, GenReserveCode(3));
  VariantSettle();
  EXPECT_EQ(FixturePile(GenReserveCode(3)), "5h*");
  EXPECT_EQ(g_GenLive.reserves[0].numCards, 0) << "no stock to refill from";

  ASSERT_TRUE(VariantTable(kGameTwenty, "F0: Ah*; R0: 2h*; R1: 7c*; D: 9c Kd"));
  FixtureDrag(GenReserveCode(1), 0, GenFoundationCode(1));
  VariantSettle();
  EXPECT_EQ(FixturePile(GenFoundationCode(1)), "Ah* 2h*");
  // The emptied pile first, then every other empty one, in order.
  EXPECT_EQ(FixturePile(GenReserveCode(1)), "Kd*");
  EXPECT_EQ(FixturePile(GenReserveCode(3)), "9c*");
  EXPECT_EQ(g_GenLive.deck.numCards, 0);
}

// A click on the stock deals a card onto every reserve pile.
TEST_F(TwentyTest, TheStockDealsOntoEveryReservePile) {
  VariantDeal(kGameTwenty, 8);
  const int stock = g_GenLive.deck.numCards;
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(g_GenLive.deck.numCards, stock - 20);
  for (int r = 0; r < 20; ++r) EXPECT_EQ(g_GenLive.reserves[r].numCards, 2) << r;
}

// Every foundation full but one, its last card in a reserve: the game is
// won once.
TEST_F(TwentyTest, NearWonPositionEndsInOneWin) {
  std::string piles;
  for (int s = 0; s < 4; ++s) {
    piles += "F" + std::to_string(s) + ":";
    for (int r = 1; r <= 13; ++r) piles += " " + Card(r, s);
    piles += "; F" + std::to_string(s + 4) + ":";
    for (int r = 13; r >= (s == 3 ? 2 : 1); --r) piles += " " + Card(r, s);
    piles += "; ";
  }
  ASSERT_TRUE(VariantTable(kGameTwenty, piles + "R7: Ac*"));
  FixtureDrag(GenReserveCode(8), 0, GenFoundationCode(8));
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
  FixtureClick(kWhereDeck, -1, 0);
  VariantSettle();
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
