// Tests of the statistics: recording finished games (once per game, lost
// games only after 8 moves), the file kept whole through every change, the
// header check, the per-day table and its totals on a pinned today, the
// reset of one game, and damaged files that queries read around without
// deleting anything.
#include <string>

#include "App/RecordBlocks.h"
#include "App/Stats.h"
#include "tests/App/PlayerFixture.h"

namespace {

class StatsTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    g_GenLive.moves = 10;
    g_GenLive.statsState = 0;
  }
  // A game of the current game ends after the seconds given.
  void End(bool won, std::int32_t seconds = 60) {
    g_UserOptions.elapsedSeconds[GenGetCurGame()] = seconds;
    g_GenLive.statsState = 0;
    StatsAddCurrentGame(won ? 1 : 0, won ? 0 : 1);
  }
  std::string File() { return ReadFile(StatsPath()); }
  struct Day {
    std::uint32_t played, won, seconds;
    bool operator==(const Day&) const = default;
  };
  static Day DayStats(int day) {
    Day d{};
    StatsGetDayStats(GenGetCurGame(), day, &d.played, &d.won, &d.seconds);
    return d;
  }
};

TEST_F(StatsTest, AWonGameIsRecordedWithItsDayTimeAndTag) {
  End(true, 300);
  const std::string file = File();
  ASSERT_EQ(file.size(), 32u + 96u);
  std::uint8_t plain[kStatsRecordSize];
  std::string block = file.substr(32);
  block.push_back('\0');
  ASSERT_TRUE(EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), kStatsRecordSize));
  std::memcpy(plain, block.data(), sizeof plain);
  EXPECT_EQ(GenGetI32(plain, 0), 2024);
  EXPECT_EQ(plain[4], 3);
  EXPECT_EQ(plain[5], 1);
  EXPECT_EQ(plain[6], 1);
  EXPECT_EQ(GenGetU32(plain, 8), 300u);
  EXPECT_STREQ(reinterpret_cast<const char*>(plain + 12), "_Klondike_");
  EXPECT_EQ(g_GenLive.statsState, 2);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGameKlondike], 1u);

  End(false, 100);
  EXPECT_EQ(File().size(), 32u + 2 * 96u);
  EXPECT_EQ(File().substr(0, 128) == file, true);  // the old blocks are kept as they were
}

TEST_F(StatsTest, EachGameIsRecordedOnce) {
  // A loss after 7 moves: not counted, but marked as recorded.
  g_GenLive.moves = 7;
  g_UserOptions.runningScore[kGameKlondike] = 80;
  StatsAddCurrentGame(0, 1);
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
  EXPECT_EQ(g_GenLive.statsState, 1);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGameKlondike], 0u);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 1);  // 7 moves are enough for the table
  StatsAddCurrentGame(0, 1);
  EXPECT_TRUE(LogContains("Game already added to stats (0,1)"));

  // A win reported lost afterwards (a new game after the win): only the
  // state goes back.
  g_GenLive.moves = 10;
  End(true);
  const std::string won = File();
  StatsAddCurrentGame(0, 1);
  EXPECT_EQ(g_GenLive.statsState, 0);
  EXPECT_TRUE(File() == won);

  ClearLog();
  StatsAddCurrentGame(1, 1);
  StatsAddCurrentGame(0, 0);
  EXPECT_EQ(LogLines().size(), 2u);
  EXPECT_TRUE(LogContains("( StatsAddCurrentGame )    Parameter Error"));
}

TEST_F(StatsTest, ATornTailIsDroppedAndAFailedWriteKeepsTheFile) {
  End(true);
  End(false);
  const std::string whole = File();
  WriteFile(StatsPath(), whole + std::string(40, '\x5a'));  // half a record left by a crash
  End(true);
  EXPECT_EQ(File().size(), 32u + 3 * 96u);
  EXPECT_TRUE(File().substr(0, whole.size()) == whole);

  const std::string before = File();
  const std::string blocker = BlockWrites(StatsPath());
  End(true);
  std::filesystem::remove(blocker);
  EXPECT_TRUE(File() == before);
  EXPECT_TRUE(LogContains("Could not write stats file"));
}

TEST_F(StatsTest, TheHeaderCheckDeletesOnlyAHeaderProvenWrong) {
  EXPECT_FALSE(StatsCheckFileOk());  // no file
  End(true);
  EXPECT_TRUE(StatsCheckFileOk());
  const struct {
    std::string bytes;
    bool deleted;
  } cases[] = {{StatsHeader(4.2f) + StatsRow(kFixtureToday, true, 5), true}, {"short", true}};
  for (const auto& c : cases) {
    WriteFile(StatsPath(), c.bytes);
    ClearLog();
    EXPECT_FALSE(StatsCheckFileOk());
    EXPECT_EQ(!std::filesystem::exists(StatsPath()), c.deleted);
  }
  EXPECT_TRUE(LogContains("Got version 0.000000 not 4.300000"));
  // A file too large to read is not judged, and not recorded into.
  WriteFile(StatsPath(), StatsHeader());
  std::filesystem::resize_file(StatsPath(), kRecordBlocksMaxFileSize + 1);
  EXPECT_FALSE(StatsCheckFileOk());
  End(true);
  EXPECT_EQ(std::filesystem::file_size(StatsPath()), kRecordBlocksMaxFileSize + 1);
}

TEST_F(StatsTest, DaysAndTotalsCountBackFromAPinnedToday) {
  // First game of a variant today: one day, no days before it.
  End(true, 40);
  EXPECT_EQ(StatsGetNumberOfDaysSinceStartForCurGame(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 0);
  EXPECT_EQ(StatsGetDayCount(), 1);

  // Across the leap day: 28 February, 29 February, 1 March.
  std::string file = StatsHeader();
  file += StatsRow({2024, 2, 28}, true, 300);
  file += StatsRow({2024, 2, 28}, false, 100);
  file += StatsRow({2024, 2, 28}, true, 500, kGameYukon);  // another game
  file += StatsRow({2024, 2, 29}, false, 50);
  file += StatsRow(kFixtureToday, true, 200);
  file += StatsRow(kFixtureToday, true, 100);
  WriteFile(StatsPath(), file);
  int year = 0, month = 0, day = 0;
  EXPECT_EQ(StatsGetNumberOfDaysSinceStartForCurGame(&year, &month, &day), 3);
  EXPECT_EQ(year * 10000 + month * 100 + day, 20240228);
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 2);
  EXPECT_EQ(DayStats(0), (Day{2, 2, 300}));
  EXPECT_EQ(DayStats(1), (Day{1, 0, 0}));
  EXPECT_EQ(DayStats(2), (Day{2, 1, 300}));  // only the won game's seconds
  EXPECT_EQ(DayStats(3), (Day{0, 0, 0}));    // outside the table
  EXPECT_EQ(DayStats(-1), (Day{0, 0, 0}));

  const struct {
    int previousDays;
    std::uint32_t played, won;
  } totals[] = {{-1, 5, 3}, {0, 2, 2}, {1, 3, 2}, {7, 5, 3}};
  for (const auto& t : totals) {
    std::uint32_t played = 99, won = 99;
    StatsGetTotalsForPrevDays(kGameKlondike, t.previousDays, &played, &won);
    EXPECT_EQ(played, t.played) << t.previousDays;
    EXPECT_EQ(won, t.won) << t.previousDays;
  }
  StatsFreeDayStats();
  EXPECT_EQ(DayStats(0), (Day{0, 0, 0}));
}

TEST_F(StatsTest, QueriesReadAroundDamageAndNeverDelete) {
  StatsRecord badWon;
  std::uint8_t raw[kStatsRecordSize];
  std::string file = StatsHeader() + StatsRow(DaysAgo(1), true, 30);
  badWon.won = 2;
  badWon.year = 2024;
  std::snprintf(badWon.tag, sizeof badWon.tag, "_Klondike_");
  StatsRecordToBytes(badWon, raw);
  file += Block(raw, sizeof raw);
  file += StatsRow({2024, 4, 31}, true, 30);  // no such day
  file += StatsRow({2024, 3, 2}, true, 30);   // after today
  file += StatsRow(kFixtureToday, false, 30);
  file += std::string(50, '\x11');            // a short tail
  WriteFile(StatsPath(), file);
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 1);
  EXPECT_EQ(DayStats(0), (Day{1, 0, 0}));
  EXPECT_EQ(DayStats(1), (Day{1, 1, 30}));
  EXPECT_TRUE(LogContains("( StatsGetGameStatsForPrevDay )    Invalid entry in file"));
  EXPECT_TRUE(LogContains("( StatsGetPrevDaysStatsForCurGame )    Could not find date"));
  EXPECT_TRUE(File() == file);
  EXPECT_TRUE(StatsCheckFileOk());
}

TEST_F(StatsTest, AHistoryThatCannotBeBelievedShowsNoDays) {
  WriteFile(StatsPath(), StatsHeader() + StatsRow({1800, 1, 1}, true, 30) + StatsRow(kFixtureToday, true, 30));
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 0);
  EXPECT_EQ(StatsGetDayCount(), 0);
  EXPECT_TRUE(LogContains("Could not get previous day count [ today: 01.03.2024   first: 01.01.1800]"));
  WriteFile(StatsPath(), StatsHeader() + StatsRow({2024, 2, 30}, true, 30));  // the first day does not exist
  EXPECT_EQ(StatsGetNumberOfDaysSinceStartForCurGame(nullptr, nullptr, nullptr), 0);
}

TEST_F(StatsTest, ResettingOneGameKeepsTheOthersInOrder) {
  const std::string yukon1 = StatsRow(DaysAgo(3), true, 10, kGameYukon);
  const std::string yukon2 = StatsRow(DaysAgo(1), false, 20, kGameYukon);
  const std::string spider = StatsRow(DaysAgo(2), true, 30, kGameSpider);
  WriteFile(StatsPath(), StatsHeader() + yukon1 + StatsRow(DaysAgo(2), true, 5) + spider +
                             StatsRow(DaysAgo(1), false, 5) + yukon2 + "tail");
  std::string work = StatsPath();
  work.back() = 'b';
  WriteFile(work, "left over");
  StatsResetThisGame();
  const std::string file = File();
  ASSERT_EQ(file.size(), 32u + 3 * 96u);
  EXPECT_TRUE(file.substr(32) == yukon1 + spider + yukon2);
  EXPECT_FALSE(std::filesystem::exists(work));
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 0);

  // A reset whose write fails leaves the history as it was.
  const std::string kept = StatsHeader() + StatsRow(DaysAgo(1), true, 5) + yukon1;
  WriteFile(StatsPath(), kept);
  const std::string blocker = BlockWrites(StatsPath());
  StatsResetThisGame();
  std::filesystem::remove(blocker);
  EXPECT_TRUE(File() == kept);

  // A header of another version: nothing changes.
  const std::string foreign = StatsHeader(4.2f) + yukon1;
  WriteFile(StatsPath(), foreign);
  StatsResetThisGame();
  EXPECT_TRUE(File() == foreign);
  EXPECT_TRUE(LogContains("Internal Error <4.200000>"));

  StatsDeleteFile();
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
  StatsResetThisGame();  // no file: nothing
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
}

}  // namespace
