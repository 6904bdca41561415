// Tests of the statistics: recording finished games (once per game, lost
// games only with a move of the player's), the file kept whole through every change, a
// damaged header mended without losing a record, the per-day table and its
// totals on a pinned today, the reset of one game, damaged files that
// queries read around without deleting anything, and the history read once
// while the file stays the one read.
#include <string>

#include "App/DamagedFile.h"
#include "App/RecordBlocks.h"
#include "App/Stats.h"
#include "App/StatsLocal.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "tests/App/PlayerFixture.h"

namespace {

class StatsTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    g_GenLive.moves = 10;
    g_GenLive.statsState = 0;
    DamagedFileClearNotices();
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
  // A deal left without a move: not counted, nor entered in the table, but
  // marked as recorded.
  g_GenLive.moves = 1;
  g_UserOptions.runningScore[kGameKlondike] = 80;
  StatsAddCurrentGame(0, 1);
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
  EXPECT_EQ(g_GenLive.statsState, 1);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGameKlondike], 0u);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 0);
  StatsAddCurrentGame(0, 1);
  EXPECT_TRUE(LogContains("Game already added to stats (0,1)"));

  // A game given up after one move is a lost game in the table and in the
  // statistics alike.
  g_GenLive.moves = 2;
  End(false);
  EXPECT_EQ(File().size(), 32u + 96u);
  EXPECT_EQ(g_GenLive.statsState, 1);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kGameKlondike], 1u);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 1);

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

TEST_F(StatsTest, ADamagedHeaderIsMendedAndEveryRecordThatReadsKept) {
  EXPECT_FALSE(StatsCheckFileOk());  // no file
  End(true);
  EXPECT_TRUE(StatsCheckFileOk());
  EXPECT_EQ(DamagedFileGetPendingCount(), 0);

  const std::string records = StatsRow(DaysAgo(2), true, 300) + StatsRow(DaysAgo(1), false, 100) +
                              StatsRow(DaysAgo(1), true, 50, kGameYukon) + StatsRow(kFixtureToday, true, 200);
  const std::string header = StatsHeader();
  auto changed = [](std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
    return bytes;
  };
  std::string noise(32 + 3 * 96, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 + 7);
  const struct {
    const char* what;
    std::string bytes;
    std::string kept;  // the record blocks the mended file holds
  } cases[] = {
      {"a header of version 4.2", StatsHeader(4.2f) + records, records},
      {"a byte of the header's counter block changed", changed(header, 3) + records, records},
      {"a byte of the version changed", changed(header, 17) + records, records},
      {"a record's block in place of the header", StatsRow(kFixtureToday, true, 1) + records.substr(0, 96),
       ""},  // a header-sized start of a record is no header, its rest no record
      {"the file cut inside the header", header.substr(0, 20), ""},
      {"the file emptied", "", ""},
      {"random bytes", noise, ""},
      {"records and a torn tail behind a damaged header", changed(header, 5) + records + "torn", records},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string aside = StatsPath() + ".damaged";
    std::filesystem::remove(aside);
    WriteFile(StatsPath(), c.bytes);
    DamagedFileClearNotices();
    ClearLog();
    EXPECT_TRUE(StatsCheckFileOk());
    const std::string file = File();
    ASSERT_GE(file.size(), 32u);
    EXPECT_TRUE(file.substr(32) == c.kept);
    EXPECT_TRUE(ReadFile(aside) == c.bytes);  // the damaged file kept as it was
    EXPECT_TRUE(LogContains("Got version"));
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_Statistics: Ann, Ann.sta.damaged"));
    // Told once: the mended file is good.
    EXPECT_TRUE(StatsCheckFileOk());
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
  }

  // A changed byte of the header's unused words harms nothing: the file
  // stays as it is.
  const std::string unused = changed(header, 31) + records;
  WriteFile(StatsPath(), unused);
  DamagedFileClearNotices();
  EXPECT_TRUE(StatsCheckFileOk());
  EXPECT_TRUE(File() == unused);
  EXPECT_EQ(DamagedFileGetPendingCount(), 0);

  // The mended history is the one the page shows.
  WriteFile(StatsPath(), StatsHeader(4.2f) + records);
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 2);
  EXPECT_EQ(DayStats(2), (Day{1, 1, 300}));
  EXPECT_EQ(DayStats(0), (Day{1, 1, 200}));
  // A second damage finds the first name taken.
  WriteFile(StatsPath(), StatsHeader(4.2f) + records);
  EXPECT_TRUE(StatsCheckFileOk());
  EXPECT_TRUE(std::filesystem::exists(StatsPath() + ".damaged-2"));

  // A file too large to read is not judged, and not recorded into.
  WriteFile(StatsPath(), StatsHeader());
  std::filesystem::resize_file(StatsPath(), kRecordBlocksMaxFileSize + 1);
  EXPECT_FALSE(StatsCheckFileOk());
  End(true);
  EXPECT_EQ(std::filesystem::file_size(StatsPath()), kRecordBlocksMaxFileSize + 1);
}

TEST_F(StatsTest, ADamagedHeaderThatCannotBeKeptAsideLeavesTheFileAlone) {
  const std::string damaged = StatsHeader(4.2f) + StatsRow(kFixtureToday, true, 5);
  WriteFile(StatsPath(), damaged);
  // Every name of the series is taken.
  WriteFile(StatsPath() + ".damaged", "");
  for (int n = 2; n <= 99; ++n) WriteFile(StatsPath() + ".damaged-" + std::to_string(n), "");
  EXPECT_FALSE(StatsCheckFileOk());
  End(true);
  EXPECT_TRUE(File() == damaged);
  EXPECT_TRUE(LogContains("Could not keep damaged file"));
  EXPECT_EQ(DamagedFileGetPendingCount(), 0);
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
  EXPECT_EQ(DayStats(1), (Day{1, 0, 50}));   // a lost game's seconds count too
  EXPECT_EQ(DayStats(2), (Day{2, 1, 400}));
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
  EXPECT_EQ(DayStats(0), (Day{1, 0, 30}));
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

  // A damaged header is mended first: the other games' records stay.
  const std::string damaged = StatsHeader(4.2f) + StatsRow(DaysAgo(1), true, 5) + yukon1;
  WriteFile(StatsPath(), damaged);
  StatsResetThisGame();
  EXPECT_TRUE(File().substr(32) == yukon1);
  EXPECT_TRUE(ReadFile(StatsPath() + ".damaged") == damaged);

  StatsDeleteFile();
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
  StatsResetThisGame();  // no file: nothing
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
}

// The page and a game's end take the history kept since the file was read:
// the file is read again only when it is not the file read (another player,
// or changed from outside).
TEST_F(StatsTest, TheHistoryIsReadOnceWhileTheFileStaysTheOneRead) {
  std::string file = StatsHeader();
  for (int i = 0; i < 200; ++i) file += StatsRow(DaysAgo(i % 20), i % 3 != 0, 60, i % 2 ? kGameYukon : kGameKlondike);
  WriteFile(StatsPath(), file);
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 18);  // Klondike on the even days back
  const int reads = StatsHistoryReadsForTests();
  for (int game = 0; game < 30; ++game) {
    End(game % 2 == 0, 10);
    EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 18);
    EXPECT_TRUE(StatsCheckFileOk());
  }
  EXPECT_EQ(StatsHistoryReadsForTests(), reads);
  EXPECT_EQ(File().size(), 32u + 230u * 96u);
  EXPECT_TRUE(File().substr(0, file.size()) == file);
  // Today: the file's 10 Klondike games and the 30 recorded.
  EXPECT_EQ(DayStats(0).played, 10u + 30u);
  EXPECT_EQ(DayStats(0).seconds, 10u * 60u + 30u * 10u);

  // Another program writes the file: read anew.
  WriteFile(StatsPath(), StatsHeader() + StatsRow(DaysAgo(3), true, 7));
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 3);
  EXPECT_EQ(StatsHistoryReadsForTests(), reads + 1);
  EXPECT_EQ(DayStats(3), (Day{1, 1, 7}));
  // Another player has another file.
  BecomePlayer("Bob", "Wales");
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 0);
  BecomePlayer("Ann", "England");
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 3);
  // A deleted file leaves no history behind.
  StatsDeleteFile();
  EXPECT_EQ(StatsGetPrevDaysStatsForCurGame(), 0);
  EXPECT_EQ(StatsGetDayCount(), 0);
}

}  // namespace
