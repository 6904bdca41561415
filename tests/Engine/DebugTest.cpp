// Tests of the error reporter and the message log: the exact bytes of each
// kind of line, cutting, repeats written once with their count, overflow,
// the file's life across runs and the fatal path.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/Debug.h"
#include "tests/Support/TestSupport.h"

namespace {

class DebugTest : public TempDirTest {};

TEST_F(DebugTest, EachReporterWritesItsLineByteForByte) {
  struct Case {
    void (*report)();
    const char* line;
  };
  const Case cases[] = {
      {[] { DebugError("EngFile::Read", "x"); }, " <ERROR>  ( EngFile::Read )    x"},
      {[] { DebugAssert(false, "Here", "n=%d", 3); }, " <ERROR>  ( Here )    n=3"},
      {[] { DebugExitNMMessage("W", "y"); }, "<EXIT NM> ( W )    y"},
      {[] { DebugExitMessage("W", "y"); }, " <EXIT>   ( W )     y"},
      {[] { DebugExitMessage("", "y"); }, " <EXIT>   y"},
      {[] { DebugNote("x"); }, " |  x"},
      {[] { DebugExitMessage(nullptr, "y"); }, " <EXIT>   y"},  // not straight after its twin
      {[] { DebugPlain("x"); }, "x"},
      {[] { DebugDoString("x", 9); }, "<WARNING> <invalid D_ value: 9> x"},
      {[] { DebugDoString("x", -1); }, "<WARNING> <invalid D_ value: -1> x"},
      {[] { DebugDoString("x", D_POPUP); }, " <POPUP>  x"},
  };
  std::string expected;
  for (const Case& c : cases) {
    ClearLog();
    c.report();
    ASSERT_EQ(LogLines().size(), 1u) << c.line;
    EXPECT_EQ(LogLines()[0], c.line);
    expected += std::string(c.line) + "\n";
  }
  EXPECT_EQ(ReadFile("ErrorLog.txt"), expected);
}

TEST_F(DebugTest, QuietCasesStoreNothing) {
  EXPECT_TRUE(DebugAssert(true, "Here", "never"));
  DebugDoString(nullptr, D_NOTE);
  DebugPlain("%s", "");
  EXPECT_TRUE(LogLines().empty());
  EXPECT_FALSE(std::ifstream("ErrorLog.txt").good());
}

TEST_F(DebugTest, LongTextsAreCutNeverLost) {
  const std::string text483(483, 'a');
  DebugPlain("%s", text483.c_str());
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_EQ(LogLines()[0], std::string(462, 'a') + " ... (TRUNCATED)");

  ClearLog();
  const std::string text482(482, 'b');
  DebugPlain("%s", text482.c_str());
  EXPECT_EQ(LogLines().at(0), text482);

  // A long where and message together still give one line, cut to fit.
  ClearLog();
  const std::string where(200, 'w');
  DebugError(where.c_str(), "%s", std::string(4000, 'm').c_str());
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_LE(LogLines()[0].size(), 512u);
  EXPECT_NE(LogLines()[0].find(" ... (TRUNCATED)"), std::string::npos);

  // An invalid level's prefix cannot push a cut text out of the log either.
  ClearLog();
  DebugDoString(std::string(600, 'c').c_str(), -2000000000);
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_LE(LogLines()[0].size(), 512u);
}

TEST_F(DebugTest, UnwritableLogOverflowsAfter200Reports) {
  ASSERT_TRUE(DebugSetLogFilename("no-such-folder/log.txt", false));
  for (int i = 0; i < 199; ++i) DebugNote("line %d", i);
  EXPECT_EQ(DebugGetPendingCount(), 199);
  DebugNote("line 199");
  ASSERT_EQ(DebugGetPendingCount(), 3);
  EXPECT_STREQ(DebugGetPendingLine(0), " ");
  EXPECT_STREQ(DebugGetPendingLine(1), "(MESSAGE LOG OVERFLOWED)");
  EXPECT_STREQ(DebugGetPendingLine(2), " ");
  DebugNote("after");
  EXPECT_EQ(DebugGetPendingCount(), 4);
}

TEST_F(DebugTest, PendingLinesReachTheFileOnceItCanBeWritten) {
  ASSERT_TRUE(DebugSetLogFilename("later/log.txt", false));
  DebugNote("one");
  DebugNote("two");
  EXPECT_EQ(DebugGetPendingCount(), 2);
  std::filesystem::create_directory("later");
  DebugNote("three");
  EXPECT_EQ(DebugGetPendingCount(), 0);
  EXPECT_EQ(ReadFile("later/log.txt"), " |  one\n |  two\n |  three\n");
}

TEST_F(DebugTest, ASecondRunReplacesTheFileAndReportsAppend) {
  DebugNote("first run");
  DebugNote("still first");
  EXPECT_EQ(ReadFile("ErrorLog.txt"), " |  first run\n |  still first\n");
  DebugResetForTests();  // a new process
  DebugNote("second run");
  EXPECT_EQ(ReadFile("ErrorLog.txt"), " |  second run\n");
}

// Network jobs report from their worker threads while the main thread
// reports too: every line reaches the file whole, none is lost.
TEST_F(DebugTest, ReportsFromSeveralThreadsKeepEveryLineWhole) {
  constexpr int kThreads = 4;
  constexpr int kLines = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) DebugError("Worker", "thread %d line %d of a report", t, i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream file(ReadFile("ErrorLog.txt"));
  std::vector<int> counts(kThreads, 0);
  for (std::string line; std::getline(file, line);) {
    int t = -1, i = -1;
    ASSERT_EQ(std::sscanf(line.c_str(), " <ERROR>  ( Worker )    thread %d line %d of a report", &t, &i), 2) << line;
    ASSERT_TRUE(t >= 0 && t < kThreads) << line;
    ++counts[static_cast<std::size_t>(t)];
  }
  EXPECT_EQ(counts, std::vector<int>(kThreads, kLines));
}

// A report that comes again straight after itself is counted, not
// written: the count follows as one line when another line comes or the
// log is written on the way out. Only the same text at the same level
// counts as the same report.
TEST_F(DebugTest, ARepeatedReportIsWrittenOnceWithItsCount) {
  const struct {
    const char* what;
    void (*reports)();
    const char* file;
  } cases[] = {
      {"6,600 repeats, then another line",
       [] {
         for (int i = 0; i < 6600; ++i) DebugError("AnimGameOverTick", "No lights");
         DebugNote("done");
       },
       " <ERROR>  ( AnimGameOverTick )    No lights\n    (the line above came 6599 more times)\n |  done\n"},
      {"one repeat",
       [] {
         DebugNote("again");
         DebugNote("again");
         DebugNote("other");
       },
       " |  again\n    (the line above came 1 more time)\n |  other\n"},
      {"the same text at another level, and lines that alternate",
       [] {
         DebugNote("x");
         DebugPlain(" |  x");
         DebugNote("y");
         DebugNote("x");
         DebugNote("y");
       },
       " |  x\n |  x\n |  y\n |  x\n |  y\n"},
      {"repeats when the run ends",
       [] {
         DebugNote("start");
         for (int i = 0; i < 3; ++i) DebugError("Render", "No device");
         DebugWriteFormattedMessagesToFile();  // the program's shutdown
       },
       " |  start\n <ERROR>  ( Render )    No device\n    (the line above came 2 more times)\n"},
      {"the line once more after its count",
       [] {
         DebugNote("tick");
         DebugNote("tick");
         DebugWriteFormattedMessagesToFile();
         DebugNote("tick");
       },
       " |  tick\n    (the line above came 1 more time)\n |  tick\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DebugResetForTests();  // a new run: the file starts afresh
    c.reports();
    EXPECT_EQ(ReadFile("ErrorLog.txt"), c.file);
  }
  // An unwritable log keeps the count with its line, in the table's room.
  DebugResetForTests();
  ASSERT_TRUE(DebugSetLogFilename("no-such-folder/log.txt", false));
  for (int i = 0; i < 198; ++i) DebugNote("line %d", i);
  DebugNote("line 197");
  DebugNote("next");
  EXPECT_LE(DebugGetPendingCount(), kDebugMaxPending);
}

TEST_F(DebugTest, LogFilenameRules) {
  EXPECT_TRUE(DebugSetLogFilename("mine.txt", false));
  EXPECT_STREQ(DebugGetLogFilename(), "mine.txt");
  EXPECT_TRUE(DebugSetLogFilename(nullptr, false));
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");

  const std::string tooLong(1024, 'n');
  EXPECT_FALSE(DebugSetLogFilename(tooLong.c_str(), false));
  EXPECT_STREQ(DebugGetLogFilename(), "ErrorLog.txt");
  EXPECT_TRUE(LogContains("( DebugSetLogFilename )    Filename too long"));

  WriteFile("old.txt", "old");
  EXPECT_TRUE(DebugSetLogFilename("old.txt", true));
  EXPECT_FALSE(std::ifstream("old.txt").good());
}

// What a server or a file says is logged inside its own line: control
// characters escaped, the length capped.
TEST_F(DebugTest, ForeignWordsStayInsideTheirLine) {
  struct Case {
    const char* what;
    std::string text;
    std::size_t length;
    std::string shown;
  } cases[] = {
      {"plain", "plain words", SIZE_MAX, "plain words"},
      {"a planted line", "one\n <ERROR>  ( UpdaterDoDownload )    fake", SIZE_MAX,
       "one\\n <ERROR>  ( UpdaterDoDownload )    fake"},
      {"other controls", "cr\r\ttab\x1b[31m\x7f", SIZE_MAX, "cr\\r\\ttab\\x1b[31m\\x7f"},
      {"CP1252 letters stay", "caf\xe9", SIZE_MAX, "caf\xe9"},
      {"up to a zero byte", std::string("cut\0here", 8), 8, "cut"},
      {"up to a length", "abcdef", 3, "abc"},
      {"too long", std::string(300, 'a'), SIZE_MAX, std::string(kDebugForeignTextLength, 'a') + "..."},
      {"an escape is not split", std::string(kDebugForeignTextLength - 1, 'a') + "\n", SIZE_MAX,
       std::string(kDebugForeignTextLength - 1, 'a') + "..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(DebugForeignText(c.text.data(), c.length), c.shown);
  }
  EXPECT_EQ(DebugForeignText(nullptr), "");
  // In the file: one line, and the caller's errno survives the report.
  errno = ENOSPC;
  DebugError("UpdaterReadURL", "Got result <%s>", DebugForeignText(cases[1].text).c_str());
  EXPECT_EQ(errno, ENOSPC);
  EXPECT_EQ(ReadFile("ErrorLog.txt"),
            " <ERROR>  ( UpdaterReadURL )    Got result <one\\n <ERROR>  ( UpdaterDoDownload )    fake>\n");
}

TEST_F(DebugTest, ReportLastErrorUsesTheSystemText) {
  errno = ENOENT;
  DebugReportLastError("Opening");
  errno = 0;
  DebugReportLastError(nullptr);
  ASSERT_EQ(LogLines().size(), 2u);
  EXPECT_EQ(LogLines()[0], std::string(" <ERROR>  ( Opening [Last Error] )    ") + std::strerror(ENOENT));
  EXPECT_EQ(LogLines()[1], " <ERROR>  ( (unknown) [Last Error] )    No msg");
}

TEST_F(DebugTest, FatalErrorExitsWith255AndLeavesItsLinesInTheLog) {
  EXPECT_EXIT(DebugFatalErrorIf(true, "Main", "broken %d", 7), ::testing::ExitedWithCode(255), "");
  EXPECT_EQ(ReadFile("ErrorLog.txt"),
            " \nEXITING DUE TO FOLLOWING ERROR:\n \n <ERROR>  ( Main )    broken 7\n");
  DebugFatalErrorIf(false, "Main", "not taken");
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
