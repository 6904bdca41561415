// Tests of the score tables: file size and layout, ranking, which running
// scores enter, a full table, damaged and foreign files (mended without
// losing the good rows, kept aside first, never half-written; shown but
// left alone where they cannot be kept aside), a table that cannot be read
// left alone, removing a player's rows, and the player's best row.
#include <functional>
#include <string>
#include <utility>

#include <unistd.h>

#include "App/DamagedFile.h"
#include "App/RecordBlocks.h"
#include "App/Score.h"
#include "Game/GameImports.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/App/PlayerFixture.h"

namespace {

class ScoreTest : public PlayerTest {
 protected:
  // The current player finishes a game of the current game with a score.
  void Finish(std::int32_t score, std::int32_t seconds = 100) {
    g_UserOptions.runningScore[GenGetCurGame()] = score;
    g_UserOptions.elapsedSeconds[GenGetCurGame()] = seconds;
    ScoreAddGameScore();
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < ScoreGetEntryCount(); ++i) names.push_back(ScoreGetEntry(i).name);
    return names;
  }
};

TEST_F(ScoreTest, AnAddedScoreIsWrittenAsHeaderAndOneBlockPerRow) {
  Finish(1234, 75);
  const std::string path = ScorePath(kGameKlondike);
  EXPECT_EQ(ReadFile(path).size(), 84u + 140u);
  Finish(99, 20);
  EXPECT_EQ(ReadFile(path).size(), 84u + 2 * 140u);

  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 2);
  const ScoreEntry& e = ScoreGetEntry(0);
  EXPECT_EQ(e.score, 1234u);
  EXPECT_EQ(e.playTime, 75u);
  EXPECT_EQ(e.year, 2024);
  EXPECT_EQ(e.month, 3);
  EXPECT_EQ(e.day, 1);
  EXPECT_EQ(e.playerId, g_UserRecord.playerId);
  EXPECT_STREQ(e.name, "Ann");
  EXPECT_STREQ(e.country, "England");
  EXPECT_EQ(e.reserved, 0);
  EXPECT_EQ(ScoreGetLastAddedIndex(), 1);  // the 99 just added, below the 1234

  std::uint8_t bytes[kScoreEntrySize];
  ScoreEntryToBytes(e, bytes);
  EXPECT_EQ(GenGetU32(bytes, 0), 1234u);
  EXPECT_EQ(GenGetI32(bytes, 8), 2024);
  EXPECT_EQ(bytes[12], 3);
  EXPECT_EQ(bytes[13], 1);
  EXPECT_EQ(GenGetU32(bytes, 16), 75u);
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 24), "Ann");
  EXPECT_STREQ(reinterpret_cast<const char*>(bytes + 58), "England");
}

TEST_F(ScoreTest, RowsRankByScoreThenTimeThenTheGreaterName) {
  const struct {
    std::int32_t score, seconds;
    const char* name;
  } games[] = {{500, 90, "Bea"}, {700, 300, "Cid"}, {500, 60, "Dan"}, {500, 90, "Zed"}, {500, 90, "bob"}};
  for (const auto& g : games) {
    BecomePlayer(g.name, "Wales");
    Finish(g.score, g.seconds);
  }
  ScoreReadCurrentGameScores();
  // 'b' (98) is greater than 'Z' (90) byte by byte.
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cid", "Dan", "bob", "Zed", "Bea"}));
  EXPECT_TRUE(ScoreCompareEntries(Entry(5, 1, "b"), Entry(5, 1, "Z")));
  EXPECT_FALSE(ScoreCompareEntries(Entry(5, 1, "Z"), Entry(5, 1, "Z")));
}

TEST_F(ScoreTest, OnlyScoresFromOneTo100000Enter) {
  const struct {
    std::int32_t score;
    bool enters;
  } cases[] = {{0, false}, {-5, false}, {100001, false}, {100000, true}, {1, true}};
  for (const auto& c : cases) {
    std::filesystem::remove(ScorePath(kGameKlondike));
    Finish(c.score);
    ScoreReadCurrentGameScores();
    EXPECT_EQ(ScoreGetEntryCount(), c.enters ? 1 : 0) << c.score;
    EXPECT_EQ(std::filesystem::exists(ScorePath(kGameKlondike)), c.enters) << c.score;
  }
}

TEST_F(ScoreTest, AFullTableTakesAnEqualLowestScoreInTheLastRow) {
  for (int i = 0; i < kScoreMaxEntries; ++i) {
    BecomePlayer(("P" + std::to_string(i)).c_str(), "Wales");
    Finish(1000 + 10 * i, 100);
  }
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 20);
  ASSERT_EQ(ScoreGetEntry(19).score, 1000u);

  // Lower than the lowest: the file is not touched and no row is new.
  const std::string before = ReadFile(ScorePath(kGameKlondike));
  BecomePlayer("Low", "Wales");
  Finish(999);
  EXPECT_TRUE(ReadFile(ScorePath(kGameKlondike)) == before);
  EXPECT_EQ(ScoreGetLastAddedIndex(), -1);

  // Equal to the lowest and faster: replaces row 19, sorts above it.
  BecomePlayer("Tie", "Wales");
  Finish(1000, 50);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 20);
  EXPECT_STREQ(ScoreGetEntry(19).name, "Tie");
  EXPECT_EQ(ScoreGetLastAddedIndex(), 19);
  EXPECT_EQ(ReadFile(ScorePath(kGameKlondike)).size(), 84u + 20 * 140u);
}

TEST_F(ScoreTest, ATwentyFirstRowIsDroppedWhenReadAndKeptUntilTheNextWrite) {
  std::string file = ScoreHeader("Klondike");
  for (int i = 0; i < 21; ++i) file += ScoreRow(Entry(2000 - i, 10, ("R" + std::to_string(i)).c_str()));
  WriteFile(ScorePath(kGameKlondike), file);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 20);
  EXPECT_TRUE(ReadFile(ScorePath(kGameKlondike)) == file);
  Finish(5000);
  EXPECT_EQ(ReadFile(ScorePath(kGameKlondike)).size(), 84u + 20 * 140u);
}

TEST_F(ScoreTest, AFailedWriteKeepsTheOldTable) {
  Finish(400);
  const std::string before = ReadFile(ScorePath(kGameKlondike));
  const std::string blocker = BlockWrites(ScorePath(kGameKlondike));
  Finish(800);
  std::filesystem::remove(blocker);
  EXPECT_TRUE(ReadFile(ScorePath(kGameKlondike)) == before);
  EXPECT_TRUE(LogContains("Could not write file <"));
  EXPECT_FALSE(LogContains("deleted"));
}

// A row that does not hold, or a cut one at the end, is left out of the
// table, but the file is kept aside before the table is written without it,
// and the player is told once.
TEST_F(ScoreTest, DamagedRowsAreSkippedTheFileKeptAsideAndTheGoodOnesKept) {
  const std::string header = ScoreHeader("Klondike");
  const std::string ann = ScoreRow(Entry(700, 10, "Ann"));
  const std::string bob = ScoreRow(Entry(600, 10, "Bob"));
  // One byte of the row's month flipped on the disk: the cipher runs as a
  // stream, so the row deciphers, to month 6 ^ 0x80.
  std::string flipped = ScoreRow(Entry(650, 10, "Cid"));
  flipped[16 + 12] = static_cast<char>(flipped[16 + 12] ^ 0x80);
  ScoreEntry badMonth = Entry(900, 10, "Bad");
  badMonth.month = 13;
  ScoreEntry badReserved = Entry(901, 10, "Res");
  badReserved.reserved = 2;
  // A block whose name field has no terminator.
  std::uint8_t raw[kScoreEntrySize];
  ScoreEntryToBytes(Entry(903, 10, "X"), raw);
  std::memset(raw + 24, 'N', 34);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"a byte of a row flipped", header + ann + flipped + bob},
      {"rows that do not hold and a short tail",
       header + ann + ScoreRow(badMonth) + ScoreRow(badReserved) + ScoreRow(Entry(902, 10, "")) + bob +
           Block(raw, sizeof raw) + "short tail"},
      {"a row cut at the end", header + ann + bob + flipped.substr(0, 70)},
  };
  const std::string path = ScorePath(kGameKlondike);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(path + ".damaged");
    WriteFile(path, c.bytes);
    DamagedFileClearNotices();
    ClearLog();
    ScoreReadCurrentGameScores();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_TRUE(ReadFile(path + ".damaged") == c.bytes);  // kept as it was, before the table is written again
    EXPECT_EQ(ReadFile(path).size(), 84u + 2 * 140u);
    EXPECT_FALSE(LogContains("deleted"));
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_Scores: Klondike, Klondike.sco.damaged"));
    // Told once: the mended table reads as it is.
    ScoreReadCurrentGameScores();
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged-2"));
  }

  // The next score goes in beside the rows kept.
  Finish(650);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Ann", "Bob"}));
  EXPECT_EQ(ReadFile(path).size(), 84u + 3 * 140u);

  // With no name left to keep it aside under, the damaged table is left as
  // it is: no score enters it, no row leaves it, its rows that read are
  // shown, and the player is told.
  const std::string damaged = header + ann + flipped + bob;
  WriteFile(path, damaged);
  for (int n = 2; n <= 99; ++n) WriteFile(path + ".damaged-" + std::to_string(n), "taken");
  DamagedFileClearNotices();
  ClearLog();
  Finish(800);
  ScoreDeleteUserScoresForCurGame();
  EXPECT_TRUE(ReadFile(path) == damaged);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob"}));
  EXPECT_EQ(ScoreGetLastAddedIndex(), -1);
  EXPECT_TRUE(LogContains("Damaged file notice: Damaged_ScoresNotKept: Klondike, Klondike.sco"));
}

// A damaged table whose folder refuses its copy (here a folder stands where
// the copy is made, which stops root too): the rows that read are shown
// wherever the table is read, the file stays as it is, no score enters it,
// and the keeping is tried once in the run, logged once, told once in the
// player's language; in the next run it is mended.
TEST_F(ScoreTest, ADamagedTableThatCannotBeKeptAsideShowsItsRowsAndTakesNoScore) {
  const std::string path = ScorePath(kGameKlondike);
  std::string flipped = ScoreRow(Entry(650, 10, "Cid"));
  flipped[16 + 12] = static_cast<char>(flipped[16 + 12] ^ 0x80);
  const std::string damaged =
      ScoreHeader("Klondike") + ScoreRow(Entry(700, 10, "Bob")) + flipped + ScoreRow(Entry(600, 10, "Ann"));
  WriteFile(path, damaged);
  const std::string blocker = path + ".damaged.tmp-" + std::to_string(getpid());
  std::filesystem::create_directory(blocker);
  EngLanguagesRelease();
  ASSERT_TRUE(EngLanguagesInit(CARDOLIA_SOURCE_DIR "/Languages", "English"));
  DamagedFileClearNotices();
  ClearLog();

  ScoreReadCurrentGameScores();  // the Scores page
  EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "Ann"}));
  Finish(800);  // a won game
  EXPECT_EQ(ScoreGetLastAddedIndex(), -1);
  ScoreEntry best;
  EXPECT_TRUE(ScoreGetUsersBestScore(&best));  // the send button's row
  EXPECT_EQ(best.score, 600u);
  ScoreDeleteUserScoresForCurGame();
  std::filesystem::remove(blocker);  // the folder takes copies again, but not in this run
  ScoreReadCurrentGameScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "Ann"}));

  EXPECT_TRUE(ReadFile(path) == damaged);
  for (const auto& entry : std::filesystem::directory_iterator(folder_ + "Scores")) {
    EXPECT_EQ(entry.path().filename().string().find(".damaged"), std::string::npos) << entry.path();
  }
  int keepLines = 0, rowsShownLines = 0;
  for (const std::string& line : LogLines()) {
    keepLines += line.find("Could not keep damaged file") != std::string::npos;
    rowsShownLines += line.find("not kept aside: left as it is, 2 rows shown") != std::string::npos;
  }
  EXPECT_EQ(keepLines, 1);
  EXPECT_EQ(rowsShownLines, 1);
  EXPECT_TRUE(LogContains("Is a directory"));
  EXPECT_TRUE(LogContains("Score not entered: the damaged table could not be kept aside"));
  ASSERT_EQ(DamagedFileGetPendingCount(), 1);
  EXPECT_TRUE(LogContains("Damaged file notice: The score table of Klondike (\"Klondike.sco\") was damaged, and no "
                          "copy of it could be kept beside it"));
  EXPECT_TRUE(LogContains("Every score in it that could still be read is shown"));
  EXPECT_FALSE(LogContains("cannot be read"));

  // The next run keeps it aside and mends it; the next score goes in.
  DamagedFileClearNotices();
  ScoreReadCurrentGameScores();
  EXPECT_TRUE(ReadFile(path + ".damaged") == damaged);
  EXPECT_EQ(ReadFile(path).size(), 84u + 2 * 140u);
  Finish(800);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob", "Ann"}));
}

TEST_F(ScoreTest, ADamagedHeaderIsMendedAndEveryRowThatReadsKept) {
  const std::string rows = ScoreRow(Entry(700, 10, "Ann")) + ScoreRow(Entry(900, 20, "Bob", "Wales"));
  const std::string header = ScoreHeader("Klondike");
  auto changed = [](std::string bytes, std::size_t at) {
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    return bytes;
  };
  std::string noise(84 + 2 * 140, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 167 + 3);
  const struct {
    const char* what;
    std::string bytes;
    std::vector<std::string> kept;
  } cases[] = {
      {"another game's header", ScoreHeader("Yukon") + rows, {"Bob", "Ann"}},
      {"a header of version 4.5", ScoreHeader("Klondike", 4.5f) + rows, {"Bob", "Ann"}},
      {"a byte of the header's counter block changed", changed(header, 9) + rows, {"Bob", "Ann"}},
      {"a byte of the version changed", changed(header, 19) + rows, {"Bob", "Ann"}},
      {"a byte of the game's name changed", changed(header, 22) + rows, {"Bob", "Ann"}},
      {"rows and a torn tail behind a damaged header", changed(header, 19) + rows + "torn", {"Bob", "Ann"}},
      {"the file cut inside the header", header.substr(0, 50), {}},
      {"the file emptied", "", {}},
      {"random bytes", noise, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = ScorePath(kGameKlondike);
    std::filesystem::remove(path + ".damaged");
    WriteFile(path, c.bytes);
    DamagedFileClearNotices();
    ClearLog();
    ScoreReadCurrentGameScores();
    EXPECT_EQ(Names(), c.kept);
    EXPECT_TRUE(ReadFile(path + ".damaged") == c.bytes);  // the damaged file kept as it was
    EXPECT_FALSE(LogContains("deleted"));
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_Scores: Klondike, Klondike.sco.damaged"));
    // With rows kept the table is whole again; without, there is no table.
    EXPECT_EQ(std::filesystem::exists(path), !c.kept.empty());
    if (!c.kept.empty()) {
      EXPECT_EQ(ReadFile(path).size(), 84u + 140u * c.kept.size());
    }
    // Told once: the mended table reads as it is.
    ScoreReadCurrentGameScores();
    EXPECT_EQ(Names(), c.kept);
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
  }
  // A new score goes into the mended table beside the rows kept.
  WriteFile(ScorePath(kGameKlondike), ScoreHeader("Klondike", 4.5f) + rows);
  Finish(800);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "Ann", "Ann"}));
  EXPECT_TRUE(std::filesystem::exists(ScorePath(kGameKlondike) + ".damaged-2"));
}

TEST_F(ScoreTest, ATableThatCannotBeReadIsNeverWrittenOverAndThePlayerIsToldOnce) {
  const std::string path = ScorePath(kGameKlondike);
  const std::string table = ScoreHeader("Klondike") + ScoreRow(Entry(700, 10, "Bob", "Wales"));
  const struct {
    const char* what;
    std::function<void()> make;
    bool needsNonRoot;
  } cases[] = {
      {"a folder in its place", [&] { std::filesystem::create_directories(path + "/rows"); }, false},
      {"larger than a reader takes",
       [&] {
         WriteFile(path, table);
         std::filesystem::resize_file(path, kRecordBlocksMaxFileSize + 1);
       },
       false},
      {"no permission to read it",
       [&] {
         WriteFile(path, table);
         std::filesystem::permissions(path, std::filesystem::perms::none);
       },
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.needsNonRoot && geteuid() == 0) continue;  // root reads any file
    std::filesystem::remove_all(path);
    c.make();
    const auto stampOf = [&] {
      std::error_code error;
      return std::pair{std::filesystem::last_write_time(path, error), std::filesystem::is_directory(path)};
    };
    const auto before = stampOf();
    DamagedFileClearNotices();
    ClearLog();

    Finish(800);  // a won game, or Quit Game
    ScoreDeleteUserScoresForCurGame();
    g_GenLive.moves = 5;
    ScoreAddLostGameScore();
    EXPECT_TRUE(stampOf() == before);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
    EXPECT_EQ(ScoreGetEntryCount(), 0);
    EXPECT_EQ(ScoreGetLastAddedIndex(), -1);
    EXPECT_TRUE(LogContains("Score not entered: the table cannot be read"));
    ASSERT_EQ(DamagedFileGetPendingCount(), 1);
    EXPECT_TRUE(LogContains("Damaged file notice: Damaged_ScoresUnreadable: Klondike, Klondike.sco"));

    // Readable again, the table takes the next score beside its rows.
    std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
    std::filesystem::remove_all(path);
    WriteFile(path, table);
    Finish(800);
    ScoreReadCurrentGameScores();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(DamagedFileGetPendingCount(), 1);
  }
}

TEST_F(ScoreTest, RemovingAPlayersRowsMatchesNameAndCountryAndMakesNoEmptyFiles) {
  Finish(100);
  BecomePlayer("Ann", "Wales");  // same name, other country: another player
  Finish(200);
  BecomePlayer("Bob", "England");
  Finish(300);
  GenSetCurGame(kGameYukon);
  BecomePlayer("Ann", "England");
  Finish(50);
  GenSetCurGame(kGameKlondike);

  ScoreDeleteUserScoresForAllGames();
  EXPECT_EQ(GenGetCurGame(), kGameKlondike);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Bob", "Ann"}));
  EXPECT_STREQ(ScoreGetEntry(1).country, "Wales");
  // Yukon's table is written back empty; no other game gained a file.
  EXPECT_EQ(ReadFile(ScorePath(kGameYukon)).size(), 84u);
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_ + "Scores")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
}

TEST_F(ScoreTest, DeletingAnotherPlayerRemovesThatPlayersRows) {
  ASSERT_TRUE(UserNew("Bob", "Wales"));
  Finish(300);
  ASSERT_TRUE(UserNew("Cid", "Peru"));  // the player changes
  Finish(200);
  UserDeleteFiles("Bob");
  EXPECT_STREQ(g_UserRecord.country, "Peru");
  ScoreReadCurrentGameScores();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cid"}));
}

TEST_F(ScoreTest, TheNumberedGamesAnswerRemovesOnlyDealtByNumberRows) {
  g_GenLive.dealtByNumber = 1;
  Finish(500);
  g_GenLive.dealtByNumber = 0;
  Finish(400);
  ScoreDeleteUserNumberedGameScoresCB(0);  // No
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 2);
  EXPECT_EQ(AppImportsGetCallsForTests().scoresPageStarted, 0);
  ScoreDeleteUserNumberedGameScoresCB(1);
  ScoreReadCurrentGameScores();
  ASSERT_EQ(ScoreGetEntryCount(), 1);
  EXPECT_EQ(ScoreGetEntry(0).score, 400u);
  EXPECT_EQ(AppImportsGetCallsForTests().scoresPageStarted, 1);
}

TEST_F(ScoreTest, TheBestRowIsThePlayersHighestFoundByNameAndCountry) {
  ScoreEntry best;
  EXPECT_FALSE(ScoreGetUsersBestScore(&best));  // no table
  BecomePlayer("Ann", "Wales");
  Finish(900);
  BecomePlayer("Ann", "England");
  Finish(300, 50);
  Finish(700, 90);
  Finish(700, 80);
  ASSERT_TRUE(ScoreGetUsersBestScore(&best));
  EXPECT_EQ(best.score, 700u);
  EXPECT_EQ(best.playTime, 80u);  // the first in table order
  EXPECT_STREQ(best.country, "England");
  EXPECT_FALSE(ScoreGetUsersBestScore(nullptr));
  BecomePlayer("Nobody", "England");
  EXPECT_FALSE(ScoreGetUsersBestScore(&best));
}

TEST_F(ScoreTest, ALostGameEntersOnlyAfterTwoMoves) {
  g_UserOptions.runningScore[kGameKlondike] = 250;
  g_GenLive.moves = 1;
  ScoreAddLostGameScore();
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 0);
  g_GenLive.moves = 2;
  ScoreAddLostGameScore();
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 1);
  ScoreAddWonGameScore();
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 2);
}

TEST_F(ScoreTest, NoPlayerNoEntry) {
  UserDeleteFiles(g_UserRecord.name);
  ASSERT_FALSE(UserIsLoaded());
  g_UserOptions.runningScore[kGameKlondike] = 250;
  ScoreAddGameScore();
  EXPECT_TRUE(LogContains("( ScoreAddGameScore )    User not loaded"));
  ScoreEntry best;
  EXPECT_FALSE(ScoreGetUsersBestScore(&best));
}

}  // namespace
