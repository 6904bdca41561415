// Memory played through the program's own start of play and mouse input
// (the test harness on a real window): two cards that differ are turned
// back after their look and the game goes on, on more than one deal.
// Runs on an X server of its own.
#include <string>

#include <gtest/gtest.h>

#include "Game/AnimSetup.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"
#include "tests/Support/XServer.h"

namespace {

class MemoryPlayPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string noDisplay;
    ASSERT_TRUE(TestUsePrivateDisplay(&noDisplay)) << noDisplay;
  }

  // A left click on the card of a place, as the window reports it.
  static void Click(GameHarness& h, int place) {
    const CardGroup& pile = g_GenLive.tableaus[place];
    int x = 0, y = 0;
    ASSERT_TRUE(h.Project(pile.pos[0] + pile.cards[0].pos[0], pile.pos[1] + pile.cards[0].pos[1], pile.pos[2],
                          &x, &y));
    h.MouseMove(x, y);
    h.Frame();
    h.MouseButton(0, true);
    h.Frame();
    h.MouseButton(0, false);
    h.Frame();
  }
  static bool FaceUp(int place) { return g_GenLive.tableaus[place].cards[0].faceUp != 0; }
  // The first place after `after` whose card differs from the card of
  // place `from`.
  static int Differing(int from, int after) {
    const Card& a = g_GenLive.tableaus[from].cards[0];
    for (int t = after + 1; t < g_GenLive.numTableaus; ++t) {
      const Card& b = g_GenLive.tableaus[t].cards[0];
      if (b.suit != a.suit || b.rank != a.rank) return t;
    }
    return -1;
  }
};

TEST_F(MemoryPlayPixelTest, APairThatDiffersTurnsBackAndPlayGoesOn) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  for (unsigned deal : {7u, 8u}) {
    SCOPED_TRACE("deal " + std::to_string(deal));
    ASSERT_TRUE(h.Deal(kGameMemory, deal));
    const int second = Differing(0, 0);
    ASSERT_GT(second, 0);
    Click(h, 0);
    ASSERT_TRUE(h.RunAnimations()) << "the first card still turning";
    ASSERT_TRUE(FaceUp(0));
    Click(h, second);
    // The second card turns, both lie on view for their look, then each
    // turns face down again: one chain of moves.
    ASSERT_TRUE(h.RunAnimations()) << "the pair's turn and look never ended";
    EXPECT_FALSE(FaceUp(0));
    EXPECT_FALSE(FaceUp(second)) << "the pair stayed face up";
    // The game goes on: the next card turns.
    const int third = Differing(0, second);
    ASSERT_GT(third, 0);
    Click(h, third);
    ASSERT_TRUE(h.RunAnimations());
    EXPECT_TRUE(FaceUp(third)) << "nothing more could be turned";
  }
}

}  // namespace
