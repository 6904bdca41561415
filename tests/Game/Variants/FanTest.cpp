// FanTest.cpp - the games played on fans: Bristol and Buffalo Bill. Their
// rows in the shared suites, their foundations, stocks and cells, and
// positions played to the win.
#include <string>

#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "Game/UserOptions.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const VariantRow kRows[] = {
    {.game = kGameBristol, .dealt = 24, .faceMode = 1, .foundations = 4, .fans = 8, .reserves = 3,
     .rules = "pick n8 r8 / drop f11 n6 r16 / space n19", .slots = "0 3 4", .deckMarker = 2,
     .deckInUse = true, .faces = "N: u3*8; D: d28", .deepest = "N: u20; R: u10; F: u13",
     .insideFrame = true},
    {.game = kGameBuffaloBill, .deckSize = 104, .dealt = 104, .faceMode = 1, .speed = 1.5f,
     .foundations = 8, .cells = 8, .fans = 26, .rules = "pick n8 c8 / drop f13 c8 n16",
     .slots = "0 3 4", .faces = "N: u4*26", .deepest = "N: u4; C: u; F: u13", .insideFrame = true},
};
INSTANTIATE_VARIANT_ROWS(Fan, kRows);

class FanTest : public VariantTest {};

const char* const kRanks = "A23456789TJQK";
const char* const kSuits = "hsdc";

std::string SuitUp(char suit, int highest) {
  std::string text;
  for (int r = 1; r <= highest; ++r) text += std::string(" ") + kRanks[r - 1] + suit + "*";
  return text;
}

std::string SuitDown(char suit, int lowest) {
  std::string text;
  for (int r = 13; r >= lowest; --r) text += std::string(" ") + kRanks[r - 1] + suit + "*";
  return text;
}

// Bristol's fans take one card at a time, down regardless of suit; an
// empty fan stays empty; its foundations build up regardless of suit.
TEST_F(FanTest, BristolBuildsDownOnFansAndUpOnFoundations) {
  struct MoveCase {
    const char* piles;
    int from, card, to;
    int toAfter;
  };
  const MoveCase cases[] = {
      {"N0: 9h*; N1: 2c* 8s*", kWhereFan + 1, 1, kWhereFan, 2},
      {"N0: 9h*; N1: 8s* 7d*", kWhereFan + 1, 0, kWhereFan, 1},
      {"N0: ; N1: 2c* 8s*", kWhereFan + 1, 1, kWhereFan, 0},
      {"F0: Ah*; N1: 2c*", kWhereFan + 1, 0, kWhereFoundation, 2},
      {"F0: ; N1: 2c*", kWhereFan + 1, 0, kWhereFoundation, 0},
      {"N0: 9h*; R1: 5d* 8c*", kWhereReserve + 1, 1, kWhereFan, 2},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameBristol, c.piles));
    FixtureDrag(c.from, c.card, c.to);
    EXPECT_EQ(GenGetGroup(g_GenLive, c.to)->numCards, c.toAfter);
  }
}

// Bristol's stock deals one card onto each of the three reserve piles.
TEST_F(FanTest, BristolStockDealsToTheReserves) {
  VariantDeal(kGameBristol, 4);
  const int stock = g_GenLive.deck.numCards;
  for (int click = 1; click <= 2; ++click) {
    FixtureClick(kWhereDeck, -1, 0);
    VariantSettle();
    for (int r = 0; r < 3; ++r) EXPECT_EQ(g_GenLive.reserves[r].numCards, click) << "reserve " << r;
  }
  EXPECT_EQ(g_GenLive.deck.numCards, stock - 6);
}

// Buffalo Bill's foundations: 1 to 4 up in suit from the ace, 5 to 8 down
// in suit from the king, each half starting each suit once; the cells take
// one card each; nothing is built on a fan.
TEST_F(FanTest, BuffaloBillFoundationsCellsAndFans) {
  struct MoveCase {
    const char* piles;
    int from, to;
    int toAfter;
  };
  const MoveCase cases[] = {
      {"N0: Ah*", kWhereFan, kWhereFoundation + 1, 1},
      {"N0: Kh*", kWhereFan, kWhereFoundation + 1, 0},
      {"N0: Kh*", kWhereFan, kWhereFoundation + 5, 1},
      {"F0: Ah*; N0: Ah*", kWhereFan, kWhereFoundation + 1, 0},
      {"F0: Ah*; N0: 2h*", kWhereFan, kWhereFoundation, 2},
      {"F4: Kh*; N0: Qh*", kWhereFan, kWhereFoundation + 4, 2},
      {"F4: Kh*; N0: Qs*", kWhereFan, kWhereFoundation + 4, 1},
      {"N0: 5c*", kWhereFan, kWhereCell + 3, 1},
      {"C3: 9d*; N0: 5c*", kWhereFan, kWhereCell + 3, 1},
      {"N0: 5c*; N1: 6c*", kWhereFan, kWhereFan + 1, 1},
      {"F0: Ac*; C2: 2c*", kWhereCell + 2, kWhereFoundation, 2},
  };
  for (const MoveCase& c : cases) {
    SCOPED_TRACE(c.piles);
    ASSERT_TRUE(VariantTable(kGameBuffaloBill, c.piles));
    FixtureDrag(c.from, 0, c.to);
    EXPECT_EQ(GenGetGroup(g_GenLive, c.to)->numCards, c.toAfter);
  }
}

// Bristol and Buffalo Bill are won by the standard autoplay step when the
// last foundation fills, whatever the player's autoplay setting.
TEST_F(FanTest, NearWonPositionsEndInOneWin) {
  g_UserOptions.autoplayMode[kGameBristol] = 0;
  g_UserOptions.autoplayMode[kGameBuffaloBill] = 0;
  ASSERT_TRUE(VariantTable(kGameBristol, "F0:" + SuitUp('h', 13) + "; F1:" + SuitUp('s', 13) +
                                             "; F2:" + SuitUp('d', 13) + "; F3:" +
                                             SuitUp('c', 12) + "; R2: Kc*"));
  FixtureDrag(kWhereReserve + 2, 0, kWhereFoundation + 3);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);

  StatsResetForTests();
  std::string piles;
  for (int f = 0; f < 4; ++f) piles += "F" + std::to_string(f) + ":" + SuitUp(kSuits[f], 13) + "; ";
  for (int f = 4; f < 8; ++f) {
    piles += "F" + std::to_string(f) + ":" + SuitDown(kSuits[f - 4], f == 7 ? 2 : 1) + "; ";
  }
  piles += "C5: Ac*";
  ASSERT_TRUE(VariantTable(kGameBuffaloBill, piles));
  FixtureDrag(kWhereCell + 5, 0, kWhereFoundation + 7);
  VariantSettle();
  EXPECT_TRUE(g_GenLive.gameOver);
  EXPECT_EQ(StatsGetAddedForTests(true), 1);
}

}  // namespace
