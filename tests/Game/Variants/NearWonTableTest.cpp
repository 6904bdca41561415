// NearWonTableTest.cpp - the games whose family tests win only their first
// game, each played to the win from one table: every foundation one king
// short, the kings stacked on the first tableau pile, nothing in the stock.
// The last king ends the game, once.
#include <string>

#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

constexpr int kGames[] = {
    kGameBakersGame,   kGameEightOff,     kGameSeaTowers,      kGameThreeCell,
    kGameKlondike2,    kGameDoubleKlondike, kGameLasVegas,     kGameLasVegas2,
    kGameThumbAndPouch, kGameYukon,       kGameRussianCardolia, kGameGargantua,
    kGameSteps,        kGameInterchange,  kGameUnlimited,      kGameFortyThievesEasier,
    kGameNumberTen,    kGameStreets,
};

class NearWonTableTest : public VariantTest {};

TEST_F(NearWonTableTest, TheLastKingWinsOnce) {
  for (int game : kGames) {
    SCOPED_TRACE(GenGameTable[game].name);
    StatsResetForTests();
    GenSetCurGame(game);
    ASSERT_TRUE(GenInit());
    const int foundations = g_GenLive.numFoundations;
    ASSERT_GE(foundations, 4);
    // Foundation f holds suit f % 4 (hearts, spades, diamonds, clubs); its
    // king goes on last from the top of the stack, so foundation 0's king
    // lies on top.
    std::string kings = "T0:";
    for (int f = foundations - 1; f >= 0; --f) kings += std::string(" K") + "hsdc"[f % 4] + "*";
    ASSERT_TRUE(VariantTable(game, VariantFoundationsUpTo(foundations, 12) + kings));
    for (int f = 0; f < foundations; ++f) {
      EXPECT_FALSE(g_GenLive.gameOver) << "before king " << f;
      VariantMove(kWhereTableau, -1, kWhereFoundation + f);
      EXPECT_EQ(g_GenLive.foundations[f].numCards, 13) << "foundation " << f;
    }
    EXPECT_TRUE(g_GenLive.gameOver);
    EXPECT_EQ(StatsGetAddedForTests(true), 1);
  }
}

}  // namespace
