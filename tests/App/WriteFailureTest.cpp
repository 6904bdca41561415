// Tests of the notices of a player's files that could not be written: each
// kind is told once in a run however often its write fails, the file keeps
// what it held, and a score that was not written shows nowhere as entered.
// The popup on a full disk is the program's test (FullDiskRunTest).
#include <filesystem>
#include <functional>
#include <string>

#include "App/Score.h"
#include "App/Stats.h"
#include "App/User.h"
#include "App/WriteFailure.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "tests/App/PlayerFixture.h"

namespace {

class WriteFailureTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    WriteFailureClearNotices();
  }
  void TearDown() override {
    WriteFailureClearNotices();
    PlayerTest::TearDown();
  }
};

TEST_F(WriteFailureTest, EachKindOfFileNotWrittenIsToldOnceAndKeepsItsFile) {
  const std::string users = folder_ + "Users/";
  // A lost game with a score: its statistics record and its score row.
  const auto endGame = [] {
    g_GenLive.moves = 10;
    g_GenLive.statsState = 0;
    g_UserOptions.runningScore[kGameKlondike] = 500;
    StatsAddCurrentGame(0, 1);
  };
  const auto save = [] { UserSave(); };
  const struct {
    const char* what;
    std::string file;
    std::function<void()> prepare, write;  // a file to keep; the write that fails
    const char* notice;
  } cases[] = {
      {"the profile", users + "Ann.usr", save, save, "Write failure notice: NotSaved_Profile: Ann"},
      {"the per-game options", users + "Ann.opt", save, save, "Write failure notice: NotSaved_Profile: Ann"},
      {"the statistics", users + "Ann.sta", endGame, endGame, "Write failure notice: NotSaved_Statistics: Ann"},
      {"a score table", ScorePath(kGameKlondike), endGame, endGame, "Write failure notice: NotSaved_Score: Klondike"},
      {"a score table whose rows are removed", ScorePath(kGameKlondike), endGame,
       [] { ScoreDeleteUserScoresForCurGame(); }, "Write failure notice: NotSaved_Score: Klondike"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.prepare();
    WriteFailureClearNotices();
    ClearLog();
    const std::string before = ReadFile(c.file);
    const std::string blocker = BlockWrites(c.file);
    c.write();
    c.write();
    std::filesystem::remove(blocker);
    EXPECT_TRUE(ReadFile(c.file) == before);
    EXPECT_EQ(WriteFailureGetPendingCount(), 1);
    EXPECT_TRUE(LogContains(c.notice));
  }
}

TEST_F(WriteFailureTest, AScoreNotWrittenShowsNoRowAsEntered) {
  g_UserOptions.runningScore[kGameKlondike] = 400;
  ScoreAddGameScore();
  ASSERT_EQ(ScoreGetLastAddedIndex(), 0);
  const std::string blocker = BlockWrites(ScorePath(kGameKlondike));
  g_UserOptions.runningScore[kGameKlondike] = 800;
  ScoreAddGameScore();
  std::filesystem::remove(blocker);
  // The table is the file's: the 400 alone, and no row is the new one.
  ASSERT_EQ(ScoreGetEntryCount(), 1);
  EXPECT_EQ(ScoreGetEntry(0).score, 400u);
  EXPECT_EQ(ScoreGetLastAddedIndex(), -1);
  EXPECT_EQ(WriteFailureGetPendingCount(), 1);
}

}  // namespace
