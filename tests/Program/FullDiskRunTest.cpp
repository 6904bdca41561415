// The player's folder on a disk with no room left (a small tmpfs of the
// test's own, in a mount namespace private to the test, filled up under the
// running program): the options left with Back and Quit Game over a game
// that counts cannot write the profile, the settings, the statistics
// record nor the score row. The old files stay, and the player is told in
// a "Not Saved" message once for each kind of file, not again when it fails
// again; a new deal over a game that counts says so over the table; the
// menu's Exit tells of the profile and settings it could not write before
// the window closes.
// Screenshots go to <build>/screenshots.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngEncryption.h"
#include "Game/GenRecord.h"
#include "tests/Program/NearlyWon.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::IsButtonGreen;

constexpr int kWidth = 1024, kHeight = 768;
// Places in the virtual 640 x 480 screen: the player selection's Continue
// Player, the main menu's Game page (Continue Game, Quit Game), Options and
// Exit, and the Options screen's System tab and Back.
constexpr float kContinuePlayerX = 220, kContinuePlayerY = 400;
constexpr float kContinueGameX = 420, kContinueGameY = 443;
constexpr float kQuitGameX = 497, kQuitGameY = 443;
constexpr float kOptionsX = 250, kOptionsY = 429;
constexpr float kExitX = 612, kExitY = 458;
constexpr float kSystemTabX = 592, kSystemTabY = 82;
constexpr float kBackX = 320, kBackY = 445;
constexpr float kAsideX = 630, kAsideY = 300;  // where the pointer lights no button
constexpr float kPopupX = 320, kPopupY = 215;  // inside a message over the table
constexpr float kNextGameX = 100, kNextGameY = 179;  // the game below Klondike in the list

// A message's body over the table (far greener than the cloth).
bool IsPopupGreen(playrun::Rgb c) { return c.g > c.r + 10 && c.g > c.b && c.g < 120; }

// The menu's Exit button as it is drawn, and dimmed under a message.
bool IsLit(playrun::Rgb c) { return c.g > 85 && c.g > c.r + 20; }
bool IsDimmed(playrun::Rgb c) { return c.g > 20 && c.g < 70 && c.g > c.r + 8; }

constexpr const char* kProfileFailed = "( UserSave )    Error writing to user file";

// Reads a whole file; "" when there is none.
std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// How often what stands in the text.
int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

// Fills the disk of the folder with one file, grown until the disk takes
// no more; true when no byte is left free.
bool FillDisk(const std::string& folder) {
  const int fd = ::open((folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const std::vector<char> chunk(1 << 16, 'x');
  for (const std::size_t size : {chunk.size(), std::size_t{4096}, std::size_t{1}}) {
    while (::write(fd, chunk.data(), size) > 0) {
    }
  }
  ::close(fd);
  struct statvfs disk {};
  return ::statvfs(folder.c_str(), &disk) == 0 && disk.f_bavail == 0;
}

class FullDiskRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = playrun::ScreenshotFolder();
    // The layouts file is the build's.
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    EngEncryptionInit("Mplx4QoragZn_265");
    home_ = dir_ + "/home";
    folder_ = home_ + "/data/Quarnix/Free Cardolia 3D";
  }
  // The disk goes before the test's folder, which holds it.
  void TearDown() override {
    disk_.reset();
    TempDirTest::TearDown();
  }
  // What the screen and the log showed when a wait ran out.
  static std::string Why(ProgramHarness& h) { return playrun::WhatWasShown(h, "FullDiskFailed"); }
  // Waits until the log says that many notice popups were shown.
  static bool WaitForNotices(ProgramHarness& h, int shown) {
    return ProgramHarness::WaitUntil(
        [&] { return Count(h.LogText(), "Write failure notices shown: ") >= shown; }, 60, 0.1);
  }
  // The player's folder on a small disk of its own; the log stays where
  // there is room (a file of the test's own bound over the program's log
  // file). Before the harness, which makes its folders.
  void MountSmallDisk() {
    disk_ = std::make_unique<SmallDisk>(folder_, 32u << 20);
    ASSERT_TRUE(disk_->Mounted());
    const std::string log = dir_ + "/LogFile.txt";
    std::ofstream(log).flush();
    std::ofstream(folder_ + "/LogFile.txt").flush();
    ASSERT_EQ(::mount(log.c_str(), (folder_ + "/LogFile.txt").c_str(), nullptr, MS_BIND, nullptr), 0)
        << std::strerror(errno);
  }
  // Ann with a nearly won Klondike that counts when it is given up (two
  // moves made, the cards on the foundations making its score), and the
  // program from its start to her Game page.
  void StartToAnnsGamePage(ProgramHarness& h, playrun::LastMove* move) {
    ASSERT_EQ(h.UserFolder(), folder_);
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(folder_, &noDeck)) << noDeck;
    playrun::WritePlayer(folder_);  // Ann, with Klondike chosen
    const std::string saved = folder_ + "/SavedGames/Ann_Klondike.c3o";
    ASSERT_TRUE(playrun::WriteNearlyWonKlondike(saved, move));
    g_GenLive.moves = 2;
    ASSERT_TRUE(playrun::WriteSavedGame(g_GenLive, saved));
    ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
    ASSERT_TRUE(h.StartProgram());
    ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30)) << Why(h);
    ASSERT_TRUE(playrun::WaitForPixel(h, kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 30)) << Why(h);
    h.ClickVirtual(kContinuePlayerX, kContinuePlayerY);
    ASSERT_TRUE(playrun::WaitForPixel(h, kContinueGameX, kContinueGameY, IsButtonGreen, 240)) << Why(h);
  }
  // The same, then the disk filled: what the settings and the profile held
  // when it was full.
  struct OldFiles {
    std::string settings, profile;
  };
  void StartToAnnsGamePageOnAFullDisk(ProgramHarness& h, OldFiles* old) {
    playrun::LastMove move{};
    ASSERT_NO_FATAL_FAILURE(StartToAnnsGamePage(h, &move));
    ASSERT_TRUE(FillDisk(folder_)) << "the disk kept room";
    old->settings = Read(folder_ + "/Resolution.dat");
    old->profile = Read(folder_ + "/Users/Ann.usr");
  }
  std::string shots_, home_, folder_;
  std::unique_ptr<SmallDisk> disk_;
};

// Options left with Back and Quit Game over a game that counts, on a full
// disk: each kind of file not written is told once, in a message over the
// main menu, and the old files stay.
TEST_F(FullDiskRunTest, WritesThatFindNoRoomKeepTheOldFilesAndAreToldOncePerKind) {
  if (!RerunInPrivateMounts(900)) return;
  ASSERT_NO_FATAL_FAILURE(MountSmallDisk());
  ProgramHarness h(home_);
  OldFiles old;
  ASSERT_NO_FATAL_FAILURE(StartToAnnsGamePageOnAFullDisk(h, &old));
  const std::string& settings = old.settings;
  const std::string& profile = old.profile;

  // Options left with Back: neither the settings nor the profile are
  // written, and one message says so.
  h.ClickVirtual(kOptionsX, kOptionsY);
  ASSERT_TRUE(playrun::WaitForPixel(h, kSystemTabX, kSystemTabY, IsButtonGreen, 60)) << Why(h);
  h.ClickVirtual(kBackX, kBackY);
  h.MoveVirtual(kAsideX, kAsideY);
  ASSERT_TRUE(WaitForNotices(h, 1)) << "no word of the settings not saved; " << Why(h);
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsDimmed, 30)) << "no message over the menu; " << Why(h);
  h.Screenshot(shots_ + "FullDiskOptionsNotSaved.png");
  h.Key("Return");
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsLit, 30)) << "the message stayed; " << Why(h);

  // Again: the writes fail as before, and the player, told once, is not
  // told again.
  h.ClickVirtual(kOptionsX, kOptionsY);
  ASSERT_TRUE(playrun::WaitForPixel(h, kSystemTabX, kSystemTabY, IsButtonGreen, 60)) << Why(h);
  h.ClickVirtual(kBackX, kBackY);
  h.MoveVirtual(kAsideX, kAsideY);
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return Count(h.LogText(), kProfileFailed) >= 2; }, 60, 0.1))
      << "the profile was not written again; " << Why(h);
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsLit, 30)) << Why(h);

  // Quit Game counts the game given up: neither its statistics record nor
  // its score row is written, and one message says so.
  h.ClickVirtual(kQuitGameX, kQuitGameY);
  h.MoveVirtual(kAsideX, kAsideY);
  ASSERT_TRUE(WaitForNotices(h, 2)) << "no word of the game not counted; " << Why(h);
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsDimmed, 30)) << "no message over the menu; " << Why(h);
  h.Screenshot(shots_ + "FullDiskQuitGameNotSaved.png");
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/Users/Ann.sta"));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/Scores/Klondike.sco"));
  EXPECT_TRUE(Read(folder_ + "/Resolution.dat") == settings);
  EXPECT_TRUE(Read(folder_ + "/Users/Ann.usr") == profile);
  h.Key("Return");
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsLit, 30)) << "the message stayed; " << Why(h);

  // Each kind was told once.
  const std::string text = h.LogText();
  EXPECT_EQ(Count(text, "Write failure notice: "), 4) << text;
  for (const char* notice : {"The display and sound settings could not be saved; the disk may be full.",
                             "The profile and options of Ann could not be saved; the disk may be full.",
                             "The statistics of Ann could not be saved; the disk may be full.",
                             "The score table of Klondike could not be saved; the disk may be full."}) {
    EXPECT_EQ(Count(text, std::string("Write failure notice: ") + notice), 1) << notice;
  }
  EXPECT_EQ(Count(text, "Write failure notices shown: "), 2);
  h.ClickVirtual(kExitX, kExitY);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);
}

// A new deal (Ctrl+N) over a game that counts, on a full disk: the message
// comes over the table, and once it is answered play goes on.
TEST_F(FullDiskRunTest, ANewDealThatCannotCountTheGameSaysSoOverTheTable) {
  if (!RerunInPrivateMounts(900)) return;
  ASSERT_NO_FATAL_FAILURE(MountSmallDisk());
  ProgramHarness h(home_);
  playrun::LastMove move{};
  ASSERT_NO_FATAL_FAILURE(StartToAnnsGamePage(h, &move));
  h.ClickVirtual(kContinueGameX, kContinueGameY);
  h.MoveVirtual(kAsideX, kAsideY);
  // The first column's jack of hearts shows its face (its paper or its
  // red), not the cloth nor a back.
  const auto face = [](playrun::Rgb c) { return (c.r > 200 && c.g > 200) || (c.r > 110 && c.g < 60); };
  ASSERT_TRUE(playrun::WaitForPixel(h, move.from.x, move.from.y, face, 120)) << Why(h);
  ASSERT_TRUE(FillDisk(folder_)) << "the disk kept room";

  h.Key("ctrl+n");
  ASSERT_TRUE(WaitForNotices(h, 1)) << "no word of the game not counted; " << Why(h);
  ASSERT_TRUE(playrun::WaitForPixel(h, kPopupX, kPopupY, IsPopupGreen, 30)) << "no message over the table; " << Why(h);
  h.Screenshot(shots_ + "FullDiskNewDealNotSaved.png");
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/Users/Ann.sta"));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/Scores/Klondike.sco"));
  h.Key("Return");
  ASSERT_TRUE(playrun::WaitForPixel(h, kPopupX, kPopupY, [](playrun::Rgb c) { return !IsPopupGreen(c); }, 30))
      << "the message stayed; " << Why(h);
  const std::string text = h.LogText();
  EXPECT_EQ(Count(text, "Write failure notice: "), 2) << text;
  EXPECT_EQ(Count(text, "Write failure notices shown: "), 1);

  // Room made, the new deal is left for the menu and saved.
  std::filesystem::remove(folder_ + "/filler");
  h.Key("Escape");
  ASSERT_TRUE(playrun::WaitForPixel(h, kContinueGameX, kContinueGameY, IsButtonGreen, 120)) << Why(h);
  EXPECT_TRUE(std::filesystem::exists(folder_ + "/SavedGames/Ann_Klondike.c3o"));
  h.ClickVirtual(kExitX, kExitY);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);
}

// Another game picked in the list, then Exit, on a full disk: neither the
// profile (the game picked) nor the settings can be written, and the player
// is told over the menu before the window closes; the program ends once the
// message is answered, and the shutdown does not try them again.
TEST_F(FullDiskRunTest, ExitTellsOfTheFilesItCouldNotWriteBeforeTheWindowCloses) {
  if (!RerunInPrivateMounts(900)) return;
  ASSERT_NO_FATAL_FAILURE(MountSmallDisk());
  ProgramHarness h(home_);
  OldFiles old;
  ASSERT_NO_FATAL_FAILURE(StartToAnnsGamePageOnAFullDisk(h, &old));
  const std::string& settings = old.settings;
  const std::string& profile = old.profile;

  // The next game has no saved game: Continue Game goes out.
  h.ClickVirtual(kNextGameX, kNextGameY);
  h.MoveVirtual(kAsideX, kAsideY);
  ASSERT_TRUE(playrun::WaitForPixel(
      h, kContinueGameX, kContinueGameY, [](playrun::Rgb c) { return !IsButtonGreen(c); }, 60))
      << "the game was not picked; " << Why(h);

  h.ClickVirtual(kExitX, kExitY);
  h.MoveVirtual(kAsideX, kAsideY);
  ASSERT_TRUE(ProgramHarness::WaitUntil(
      [&] { return Count(h.LogText(), "Write failure notices shown: ") >= 1 || !h.IsProgramRunning(); }, 60, 0.1))
      << Why(h);
  ASSERT_TRUE(h.IsProgramRunning()) << "the program ended without a word:\n" << h.LogText();
  ASSERT_TRUE(playrun::WaitForPixel(h, kExitX, kExitY, IsDimmed, 30)) << "no message over the menu; " << Why(h);
  h.Screenshot(shots_ + "FullDiskExitNotSaved.png");
  std::string text = h.LogText();
  for (const char* notice : {"The display and sound settings could not be saved; the disk may be full.",
                             "The profile and options of Ann could not be saved; the disk may be full."}) {
    EXPECT_EQ(Count(text, std::string("Write failure notice: ") + notice), 1) << notice;
  }
  EXPECT_EQ(Count(text, "CLOSING DOWN"), 0) << "the end came before the answer";

  h.Key("Return");
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);
  text = h.LogText();
  EXPECT_EQ(Count(text, "CLOSING DOWN"), 1) << text;
  EXPECT_EQ(Count(text, kProfileFailed), 1) << "the profile was written again at the shutdown";
  EXPECT_EQ(Count(text, "Write failure notices shown: "), 1);
  EXPECT_TRUE(Read(folder_ + "/Resolution.dat") == settings);
  EXPECT_TRUE(Read(folder_ + "/Users/Ann.usr") == profile);
}

}  // namespace
