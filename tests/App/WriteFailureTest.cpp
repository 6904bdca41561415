// Tests of the notices of a player's files that could not be written: each
// kind is told once in a run however often its write fails, the file keeps
// what it held, a score that was not written shows nowhere as entered, and
// the program's own Exit ends only once a new notice has been answered.
// The popup on a full disk is the program's test (FullDiskRunTest).
#include <filesystem>
#include <functional>
#include <string>

#include "App/Score.h"
#include "App/Stats.h"
#include "App/User.h"
#include "App/WriteFailure.h"
#include "Engine/MWin/MWinManager.h"
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
    GameShellResetForTests();
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

// Exit writes the player's files before the window closes: a profile that
// cannot be written holds the end ("CLOSING DOWN") until its notice has been
// shown and answered. A healthy write ends at once, and so does one whose
// kind the player was told of before in the run.
TEST_F(WriteFailureTest, ExitEndsOnlyOnceTheNoticeOfAFileNotWrittenIsAnswered) {
  const std::string profile = folder_ + "Users/Ann.opt";
  const struct {
    const char* what;
    bool blocked, toldBefore;
  } cases[] = {
      {"a healthy disk", false, false},
      {"the profile not written", true, false},
      {"the profile not written, told before in the run", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFailureClearNotices();
    GameShellResetForTests();
    const std::string blocker = c.blocked ? BlockWrites(profile) : "";
    if (c.toldBefore) {
      UserSave();
      WriteFailureShowNotices();
      MWin::PopupAnswer(1);
    }
    ClearLog();
    g_UserOptions.runningScore[kGameKlondike] += 100;  // the game's score, to be kept
    const std::string before = ReadFile(profile);
    GameMenuExit();
    const bool held = c.blocked && !c.toldBefore;
    EXPECT_EQ(ReadFile(profile) == before, c.blocked) << "what Exit wrote of the profile";
    EXPECT_EQ(WriteFailureGetPendingCount(), held ? 1 : 0);
    EXPECT_EQ(LogContains("CLOSING DOWN"), !held);
    if (held) {
      WriteFailureShowNotices();
      EXPECT_TRUE(g_MWin.IsPopupOpen());
      EXPECT_FALSE(LogContains("CLOSING DOWN")) << "ended under its notice";
      MWin::PopupAnswer(1);
      EXPECT_FALSE(g_MWin.IsOn());
      EXPECT_TRUE(LogContains("CLOSING DOWN")) << "the answer did not end the program";
    }
    if (!blocker.empty()) std::filesystem::remove(blocker);
  }
}

}  // namespace
