// GenUndoTest.cpp - the undo history: what is recorded, the 200-state limit,
// marked states and the undo option, redo and its end.
#include "Game/AnimSetup.h"
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenUndo.h"
#include "Game/GenVariant.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GenUndoTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    GenSetSetupOverrideForTests(FixtureFreeCellPlaySetup);
    ASSERT_TRUE(GenInit());
    ASSERT_TRUE(FixtureBuild("D: "));
  }
  // Sets piles and records the state.
  void State(const std::string& piles) {
    ASSERT_TRUE(FixtureBuild(piles));
    GenUndoRecordState();
  }
};

TEST_F(GenUndoTest, TheHistoryKeepsTheLast200States) {
  GenUndoReset();
  for (int k = 0; k < 205; ++k) State(k % 2 ? "T0: 5h* 4c*" : "T0: 5h*");
  EXPECT_EQ(GenUndoGetNumInUse(), kGenUndoMaxStates);
  EXPECT_EQ(GenUndoGetIndex(), kGenUndoMaxStates - 1);
  EXPECT_EQ(g_GenLive.moves, 205);
  // The oldest five went: the first left is state 5 (two cards).
  EXPECT_EQ(GenUndoGetRecord(0)->tableaus[0].numCards, 2);
  // All 199 steps back work, and end at that state.
  int steps = 0;
  while (GenUndoCanUndo(nullptr)) {
    ASSERT_TRUE(GenUndo());
    ++steps;
  }
  EXPECT_EQ(steps, kGenUndoMaxStates - 1);
  EXPECT_EQ(FixturePile(kWhereTableau), "5h* 4c*");
}

TEST_F(GenUndoTest, AChangeThatMovesNoCardIsNotRecorded) {
  GenUndoReset();
  State("T0: 9c 5h*");
  State("T0: 9c* 5h*");  // only turned over
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  State("T0: 9c*; T1: 5h*");
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
  // Nothing is recorded while cards are carried.
  ASSERT_TRUE(FixtureBuild("T0: ; S: 9c*"));
  GenUndoRecordState();
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
}

// A redeal may fill every pile as full as before; its counter tells it from
// no move at all.
TEST_F(GenUndoTest, ARedealThatKeepsEveryCountIsRecorded) {
  GenUndoReset();
  GenSetRedealCounter(2);
  State("T0: 9c* 5h*; T1: 6s*");
  GenSetRedealCounter(1);
  State("T0: 6s* 9c*; T1: 5h*");
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
  ASSERT_TRUE(GenUndo());
  EXPECT_EQ(GenGetRedealCounter(), 2);
  EXPECT_EQ(FixturePile(kWhereTableau), "9c* 5h*");
}

struct MarkedCase {
  int option;
  bool allowed;
  int markedUndos;
};

TEST_F(GenUndoTest, TheUndoOptionDecidesAboutAStateThatTurnedACard) {
  const MarkedCase cases[] = {{0, false, 0}, {1, false, 0}, {2, true, 1}};
  for (const MarkedCase& c : cases) {
    SCOPED_TRACE(c.option);
    g_UserRecord.undoLevel = static_cast<uint8_t>(c.option);
    GenUndoReset();
    g_GenLive.markedUndos = g_GenLive.unmarkedUndos = 0;
    State("T0: 9c 5h*; T1: 6s*");
    const std::string before = FixtureDescribeGame();
    State("T0: 9c*; T1: 6s* 5h*");  // the move uncovered the 9
    ASSERT_TRUE(GenUndoGetRecord(1)->marked);
    int marked = 0;
    EXPECT_EQ(GenUndoCanUndo(&marked), c.allowed);
    EXPECT_EQ(marked, c.option == 0 ? 0 : 1);
    EXPECT_EQ(GenUndo(), c.allowed);
    EXPECT_EQ(g_GenLive.markedUndos, c.markedUndos);
    if (c.allowed) {
      EXPECT_EQ(FixtureDescribeGame(), before);
    }
  }
}

TEST_F(GenUndoTest, AnUnmarkedUndoIsCountedAsSuchAndRedoComesBack) {
  g_UserRecord.undoLevel = 1;
  GenUndoReset();
  State("T0: 9c* 5h*; T1: 6s*");
  const std::string first = FixtureDescribeGame();
  State("T0: 9c*; T1: 6s* 5h*");
  const std::string second = FixtureDescribeGame();
  ASSERT_TRUE(GenUndo());
  EXPECT_EQ(FixtureDescribeGame(), first);
  EXPECT_EQ(g_GenLive.unmarkedUndos, 1);
  ASSERT_TRUE(GenUndoCanRedo());
  ASSERT_TRUE(GenRedo());
  EXPECT_EQ(FixtureDescribeGame(), second);
  EXPECT_FALSE(GenUndoCanRedo());
}

TEST_F(GenUndoTest, ANewMoveEndsTheRedo) {
  GenUndoReset();
  State("T0: 9c* 5h*; T1: 6s*");
  State("T0: 9c*; T1: 6s* 5h*");
  ASSERT_TRUE(GenUndo());
  ASSERT_TRUE(GenUndoCanRedo());
  State("T0: 9c* 5h*; T1: ; T2: 6s*");
  EXPECT_FALSE(GenUndoCanRedo());
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
}

TEST_F(GenUndoTest, NoStepWhileAnimatingOrAfterTheGameIsOver) {
  GenUndoReset();
  State("T0: 9c* 5h*; T1: 6s*");
  State("T0: 9c*; T1: 6s* 5h*");
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 1, 0, 0.5f));
  EXPECT_FALSE(GenUndoCanUndo(nullptr));
  EXPECT_FALSE(GenUndo());
  ASSERT_TRUE(RunAnimations());
  g_GenLive.gameOver = 1;
  EXPECT_FALSE(GenUndoCanUndo(nullptr));
  EXPECT_FALSE(GenUndoCanRedo());
}

TEST_F(GenUndoTest, AStateIsRecordedWhenTheRunningMoveEnds) {
  GenUndoReset();
  State("T0: 9c* 5h*; T1: 6s*");
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToTableau(1, 0, 1, 0.5f));
  GenUndoRecordState();
  EXPECT_EQ(GenUndoGetNumInUse(), 1);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(GenUndoGetNumInUse(), 2);
  EXPECT_EQ(GenUndoGetRecord(1)->tableaus[1].numCards, 2);
}

TEST_F(GenUndoTest, ARecordOutsideTheHistoryIsRefused) {
  GenUndoReset();
  State("T0: 9c*");
  EXPECT_FALSE(GenUndoCreateUndoDetailsFromGen(5, false));
  EXPECT_TRUE(LogContains("Bad undo num 5"));
  EXPECT_EQ(GenUndoCreateGenFromUndoDetails(7), nullptr);
}

}  // namespace
