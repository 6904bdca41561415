// The end of a game in the running program: a player continues a Klondike
// game one move from the win, drags that card home, autoplay takes the
// rest to the foundations (each landing with its burst), the celebration
// comes up, the player leaves it for the main menu and exits. The log of
// the whole run holds no error line. A win whose score table cannot be read
// leaves the table as it was and tells the player. A deal left without a
// move is no game, however it is given up.
//
// The nearly won game is made in the test's own process (NearlyWon.h): the deal
// laid out by the card core, its cards put on the foundations but the three
// highest of each suit, which lie on the first four columns, written as the
// game writes a saved game. Screenshots go to <build>/screenshots.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngEncryption.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "tests/Program/NearlyWon.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
// The OK of a notice popup of the main menu, in the virtual 640 x 480 screen.
constexpr float kNoticeOkX = 320, kNoticeOkY = 275;

// The celebration covers the whole screen with its background: the black
// margin above the table (left of the Menu corner) takes its colours. Eight
// points along that margin, and how many of them are lit.
std::vector<long> AboveTheTable(ProgramHarness& h) {
  std::vector<long> colours;
  for (int i = 0; i < 8; ++i) colours.push_back(h.PixelVirtual(40.0f + 65.0f * static_cast<float>(i), 15));
  return colours;
}
int Lit(const std::vector<long>& colours) {
  int lit = 0;
  for (long colour : colours) {
    const playrun::Rgb c = playrun::Split(colour);
    lit += c.r + c.g + c.b > 60 ? 1 : 0;
  }
  return lit;
}

class GameEndRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = playrun::ScreenshotFolder();
    // The layouts file is the build's.
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    EngEncryptionInit("Mplx4QoragZn_265");
  }
  // What the screen and the log showed when a wait ran out.
  static std::string Why(ProgramHarness& h) { return playrun::WhatWasShown(h, "GameEndFailed"); }
  // Ann's nearly won Klondike on disk; then the program from its start to
  // that table, until the first column's jack of hearts shows its face (its
  // paper or its red), not the cloth nor a back.
  static void StartToSavedTable(ProgramHarness& h, playrun::LastMove* move) {
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
    ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
    playrun::WritePlayer(h.UserFolder());  // Ann, with Klondike chosen
    ASSERT_TRUE(playrun::WriteNearlyWonKlondike(h.UserFolder() + "/SavedGames/Ann_Klondike.c3o", move));
    ASSERT_TRUE(h.StartProgram());
    ASSERT_TRUE(playrun::StartToSavedGame(h, "GameEndFailed")) << Why(h);
    const auto face = [](playrun::Rgb c) { return (c.r > 200 && c.g > 200) || (c.r > 110 && c.g < 60); };
    ASSERT_TRUE(playrun::WaitForPixel(h, move->from.x, move->from.y, face, 120)) << Why(h);
  }
  // The last move; autoplay takes the rest home and the celebration comes.
  static void WinToCelebration(ProgramHarness& h, const playrun::LastMove& move) {
    ASSERT_TRUE(h.DragVirtual(move.from.x, move.from.y, move.to.x, move.to.y));
    h.MoveVirtual(320, 470);
    int lit = 0;
    ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return (lit = Lit(AboveTheTable(h))) >= 6; }, 120))
        << "waited for the celebration's background above the table (" << lit << " of 8 points lit)\n"
        << Why(h);
  }
  std::string shots_;
};

TEST_F(GameEndRunTest, AWonGameCelebratesAndTheRunLogsNoError) {
  ProgramHarness h(dir_ + "/home");
  playrun::LastMove move{};
  ASSERT_NO_FATAL_FAILURE(StartToSavedTable(h, &move));
  EXPECT_EQ(Lit(AboveTheTable(h)), 0) << "the table counts as the celebration";
  h.Screenshot(shots_ + "GameEndLastMove.png");
  ASSERT_NO_FATAL_FAILURE(WinToCelebration(h, move));
  // It runs on (its background scrolls and changes colour) for 40 changes
  // seen above the table: a fault of its frames would be in the log by then.
  std::vector<long> last = AboveTheTable(h);
  int changes = 0;
  bool stayed = true;
  ProgramHarness::WaitUntil([&] {
    const std::vector<long> now = AboveTheTable(h);
    stayed = Lit(now) >= 4;
    changes += now != last ? 1 : 0;
    last = now;
    return !stayed || changes >= 40;
  }, 120);
  h.Screenshot(shots_ + "GameEndCelebration.png");
  EXPECT_TRUE(stayed) << "the celebration ended by itself";
  EXPECT_GE(changes, 40) << "waited for the celebration to move on 40 times";
  EXPECT_FALSE(std::filesystem::exists(h.UserFolder() + "/SavedGames/Ann_Klondike.c3o"))
      << "a won game is no game to continue";

  // Escape leaves it for the main menu; Exit ends the run.
  h.Key("Escape");
  ASSERT_TRUE(playrun::WaitForMainMenu(h, 120)) << Why(h);
  h.Screenshot(shots_ + "GameEndMenu.png");
  h.ClickVirtual(612, 458);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);
  EXPECT_EQ(h.LogErrorLines(), "");
}

// The score table of Klondike is larger than any table the game reads: the
// win's score is not entered, the file is left as it was, and the main menu
// tells the player once.
TEST_F(GameEndRunTest, AWonGamesScoreLeavesATableThatCannotBeReadAsItIs) {
  ProgramHarness h(dir_ + "/home");
  const std::string table = h.UserFolder() + "/Scores/Klondike.sco";
  std::filesystem::create_directories(std::filesystem::path(table).parent_path());
  {
    std::ofstream out(table, std::ios::binary);
    out << "the first bytes of a table";
  }
  std::filesystem::resize_file(table, (64u << 20) + 1);  // sparse: no disk space taken
  const auto written = std::filesystem::last_write_time(table);
  playrun::LastMove move{};
  ASSERT_NO_FATAL_FAILURE(StartToSavedTable(h, &move));
  ASSERT_NO_FATAL_FAILURE(WinToCelebration(h, move));
  ASSERT_TRUE(h.WaitForLog("Score not entered: the table cannot be read", 60)) << Why(h);

  // Escape leaves the celebration; the menu shows the notice.
  h.Key("Escape");
  ASSERT_TRUE(h.WaitForLog("Damaged file notices shown: 1", 120)) << Why(h);
  ASSERT_TRUE(playrun::WaitForPixel(h, kNoticeOkX, kNoticeOkY, playrun::IsButtonGreen, 30)) << Why(h);
  h.Screenshot(shots_ + "GameEndScoreTableUnreadable.png");
  h.ClickVirtual(kNoticeOkX, kNoticeOkY);
  // The notice gone: New Game under it was dimmed, still green.
  ASSERT_TRUE(playrun::WaitForMainMenu(h, 60)) << Why(h);
  h.ClickVirtual(612, 458);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);

  EXPECT_EQ(std::filesystem::file_size(table), (64u << 20) + 1);
  EXPECT_TRUE(std::filesystem::last_write_time(table) == written);
  std::ifstream in(table, std::ios::binary);
  std::string start(26, '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  EXPECT_EQ(start, "the first bytes of a table");
  const std::string log = h.LogText();
  const std::string notice = "Damaged file notice: The score table of Klondike (\"Klondike.sco\") cannot be read.";
  EXPECT_NE(log.find(notice), std::string::npos);
  EXPECT_EQ(log.find(notice), log.rfind(notice)) << "told once";
}

// FreeCell dealt and left at once (its deal may send aces home by itself),
// then given up every way without a move: a new deal over the saved one,
// the in-game New, Continue and Quit Game. None of them is a game: the
// statistics hold no game and the score table no row.
TEST_F(GameEndRunTest, ADealLeftWithoutAMoveCountsNowhere) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  playrun::WritePlayer(h.UserFolder(), [](UserRecord& ann) { ann.menuGame = kGameFreeCell; });
  ASSERT_TRUE(h.StartProgram());
  const std::string saved = h.UserFolder() + "/SavedGames/Ann_FreeCell.c3o";
  const auto menu = [&h] { return playrun::WaitForMainMenu(h, 120); };

  ASSERT_TRUE(playrun::StartToTable(h, shots_, "GameEndFailed")) << Why(h);
  h.Key("Escape");
  ASSERT_TRUE(menu()) << Why(h);
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return std::filesystem::exists(saved); }, 60)) << "the deal saved";
  ASSERT_TRUE(playrun::StartToTableFromMenu(h, shots_, "GameEndFailed")) << Why(h);  // New Game over it
  h.Key("ctrl+n");
  h.Key("Escape");
  ASSERT_TRUE(menu()) << Why(h);
  h.ClickVirtual(420, 443);  // Continue Game
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(playrun::WaitForPixel(h, 343, 449, [](playrun::Rgb c) { return c.g <= c.r; }, 120))
      << "the table again" << Why(h);
  h.Key("Escape");
  ASSERT_TRUE(menu()) << Why(h);
  h.Screenshot(shots_ + "GameEndUnmovedDeal.png");
  h.ClickVirtual(497, 443);  // Quit Game
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return !std::filesystem::exists(saved); }, 60))
      << "Quit Game left the saved game" << Why(h);
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);

  // The statistics file is its 32-byte header at most: no game block.
  const std::string stats = h.UserFolder() + "/Users/Ann.sta";
  const std::uintmax_t size = std::filesystem::exists(stats) ? std::filesystem::file_size(stats) : 0;
  EXPECT_LT(size, 32u + 96u) << (size - 32) / 96 << " games counted";
  EXPECT_FALSE(std::filesystem::exists(h.UserFolder() + "/Scores/FreeCell.sco")) << "a score entered";
  EXPECT_EQ(h.LogErrorLines(), "");
}

}  // namespace
