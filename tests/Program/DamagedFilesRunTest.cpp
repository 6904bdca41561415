// Program tests of a player's damaged files, run as a player meets them:
// the last player's profile cut short is still offered on the player
// selection and made anew with the defaults on Yes, with the statistics,
// score rows and per-game options kept; a statistics file whose header was
// damaged is mended and the player told once, on the main menu; a second
// player's emptied profile is marked on the Load Player screen and made anew
// from there; a score table with a damaged row that cannot be kept aside
// shows its good rows on the Scores page, is told once and stays as it is.
// Screenshots go to <build>/screenshots.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "App/Score.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMisc.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::EncryptedBlock;
using playrun::WriteCreatingFolders;

// Places in the virtual 640 x 480 screen: the player selection's Continue
// and Load buttons, the Load Player screen's second list row and its Load
// button, the Yes of the new-profile popup and the OK of the statistics
// file's notice (as their texts lay them out), and a point of the main
// menu.
constexpr float kContinueX = 320, kContinueY = 400;
constexpr float kLoadPlayersX = 320, kLoadPlayersY = 448;
constexpr float kSecondRowX = 300, kFirstRowY = 143 + 12, kSecondRowY = kFirstRowY + 32;
constexpr float kLoadX = 320, kLoadY = 417, kDeleteX = 503, kDeleteY = 157;
constexpr float kYesX = 277, kYesY = 282;
constexpr float kNoticeOkX = 320, kNoticeOkY = 275;
constexpr float kMenuX = 630, kMenuY = 100;

// Waits until the point of the virtual screen shows a button's green (a
// popup's button drawn over the dark page); false after the time.
bool WaitForButtonGreen(ProgramHarness& h, float x, float y, double seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  do {
    const long colour = h.PixelVirtual(x, y);
    const long red = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF;
    if (colour >= 0 && green >= 24 && green > red + 12) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } while (std::chrono::steady_clock::now() < end);
  return false;
}

// A list row that is chosen: a lighter green than the others.
bool IsChosenRowColour(long colour) {
  const long r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  return colour >= 0 && g > 65 && g > r + 20 && b > 50;
}

// Settings that ask for no start-up dialog nor update check and name Ann
// the last player, full screen at 1024 x 768.
void WriteAnnsSettings(const std::string& folder) {
  playrun::WriteSettings(folder, [](ResolutionSettings& s) {
    EngMiscGetLocalDate(&s.lastUpdateCheck);
    std::snprintf(s.lastPlayer, sizeof s.lastPlayer, "Ann");
  });
}

class DamagedFilesRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
    EngEncryptionInit("Mplx4QoragZn_265");
  }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static std::string Profile(const char* name, const char* country) {
    UserRecord record;
    std::snprintf(record.name, sizeof record.name, "%s", name);
    std::snprintf(record.country, sizeof record.country, "%s", country);
    record.menuGame = kGameKlondike;
    record.mainPage = 2;  // the Statistics page
    std::uint8_t bytes[kUserRecordFileSize];
    UserRecordToBytes(record, bytes);
    return EncryptedBlock(bytes, sizeof bytes);
  }

  // Ann (the last player) with her profile cut short and a statistics file
  // whose header lost a byte; Bob with an emptied profile; both with score
  // rows; settings that ask for nothing at start.
  void WritePlayers(const std::string& folder) {
    const std::string users = folder + "/Users/";
    WriteCreatingFolders(users + "Ann.usr", Profile("Ann", "Germany").substr(0, 5000));
    WriteCreatingFolders(users + "Bob.usr", "");
    UserOptions options;
    options.gamesPlayed[kGameKlondike] = 12;
    std::uint8_t optionBytes[kUserOptionsFileSize];
    UserOptionsToBytes(options, optionBytes);
    WriteCreatingFolders(users + "Ann.opt", EncryptedBlock(optionBytes, sizeof optionBytes));

    std::uint8_t header[kStatsHeaderSize] = {};
    GenPutF32(header, 0, kStatsFileVersion);
    std::string stats = EncryptedBlock(header, sizeof header);
    stats[17] = static_cast<char>(stats[17] ^ 0x10);  // a byte of the version
    for (int i = 0; i < 3; ++i) {
      EngMiscDate day;
      EngMiscGetLocalDate(&day);
      for (int k = i; k < 3; ++k) EngMiscGetPreviousDay(&day);
      StatsRecord r;
      r.year = day.year;
      r.month = day.month;
      r.day = day.day;
      r.won = 1;
      r.playSeconds = 100;
      std::snprintf(r.tag, sizeof r.tag, "_%s_", GenGetGameFilename(kGameKlondike));
      std::uint8_t bytes[kStatsRecordSize];
      StatsRecordToBytes(r, bytes);
      stats += EncryptedBlock(bytes, sizeof bytes);
    }
    WriteCreatingFolders(users + "Ann.sta", stats);

    std::uint8_t scoreHeader[kScoreHeaderSize] = {};
    GenPutF32(scoreHeader, 0, kScoreFileVersion);
    std::snprintf(reinterpret_cast<char*>(scoreHeader + 4), 64, "%s", GenGetGameFilename(kGameKlondike));
    std::string scores = EncryptedBlock(scoreHeader, sizeof scoreHeader);
    for (const auto& [name, country, id] : {std::tuple{"Ann", "Germany", 4242u}, std::tuple{"Bob", "Wales", 77u}}) {
      ScoreEntry e;
      e.score = 1000;
      e.playTime = 300;
      e.year = 2026;
      e.playerId = id;
      std::snprintf(e.name, sizeof e.name, "%s", name);
      std::snprintf(e.country, sizeof e.country, "%s", country);
      std::uint8_t bytes[kScoreEntrySize];
      ScoreEntryToBytes(e, bytes);
      scores += EncryptedBlock(bytes, sizeof bytes);
    }
    WriteCreatingFolders(folder + "/Scores/" + GenGetGameFilename(kGameKlondike) + ".sco", scores);

    WriteAnnsSettings(folder);
  }

  // The profile of a player as the program left it.
  static bool ReadProfile(const std::string& path, UserRecord* record) {
    const std::string file = Read(path);
    if (file.size() != kUserRecordFileSize + 16) return false;
    std::string block = file;
    block.push_back('\0');
    if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(block.data()), kUserRecordFileSize)) return false;
    UserRecordFromBytes(reinterpret_cast<const std::uint8_t*>(block.data()), record);
    return record->version == kUserFileVersion;
  }

  // Presses the main menu's Exit (again while a popup that was being
  // closed still took the click) and gives the exit code.
  static int ExitFromMenu(ProgramHarness& h) {
    for (int attempt = 0; attempt < 4; ++attempt) {
      h.ClickVirtual(612, 458);
      const int code = h.WaitForExit(15);
      if (code != -1000) return code;
    }
    return -1000;
  }

  std::string shots_;
};

// The Scores page's flag column and its rows, in the virtual screen; the
// menu's title (top left), bright gold with nothing over the menu and
// dimmed under a popup.
constexpr float kFlagX = 442.71f + 13.7f, kScoreRowY = 117 + 5.5f, kScoreRowStep = 12;
bool IsFlagRed(int r, int g, int b) { return r > 150 && g < 70 && b < 70; }
bool IsTitleFree(int r, int g, int b) { return r > 200 && g > 170 && b < 150; }
bool IsTitleDimmed(int r, int g, int b) { return r > 90 && r < 170 && g > 70 && b < 90; }

TEST_F(DamagedFilesRunTest, DamagedProfilesAreOfferedAndMadeAnewKeepingThePlayersFiles) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  const std::string folder = h.UserFolder();
  WritePlayers(folder);
  const std::string users = folder + "/Users/";
  const std::string annProfile = Read(users + "Ann.usr"), annStats = Read(users + "Ann.sta");
  const std::string annOptions = Read(users + "Ann.opt");
  const std::string scores = Read(folder + "/Scores/Klondike.sco");

  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  // Continue offers Ann although her profile cannot be read.
  ASSERT_TRUE(h.WaitUntilDrawn(kContinueX, kContinueY, 20)) << "Continue was not shown for the damaged player";
  h.Screenshot(shots_ + "UsersDamagedPlayer.png");
  h.ClickVirtual(kContinueX, kContinueY);
  ASSERT_TRUE(h.WaitForLog("Damaged profile <Ann>: a new profile offered", 20));
  ASSERT_TRUE(WaitForButtonGreen(h, kYesX, kYesY, 10)) << "the popup's Yes was not drawn";
  h.Screenshot(shots_ + "UsersDamagedPlayerPopup.png");
  h.ClickVirtual(kYesX, kYesY);
  ASSERT_TRUE(h.WaitForLog("Profile of <Ann> made anew", 20));
  // The main menu, and on it the statistics file's notice, once.
  ASSERT_TRUE(h.WaitForLog("Damaged file notices shown: 1", 60));
  ASSERT_TRUE(h.WaitUntilDrawn(kMenuX, kMenuY, 30));
  ASSERT_TRUE(WaitForButtonGreen(h, kNoticeOkX, kNoticeOkY, 30)) << "the notice's OK was not drawn";
  h.Screenshot(shots_ + "MainDamagedStatistics.png");

  EXPECT_TRUE(Read(users + "Ann.usr.damaged") == annProfile);
  UserRecord ann;
  ASSERT_TRUE(ReadProfile(users + "Ann.usr", &ann));
  EXPECT_STREQ(ann.country, "Germany");  // from her score row
  EXPECT_EQ(ann.playerId, 4242u);
  EXPECT_TRUE(Read(users + "Ann.opt") == annOptions);
  EXPECT_TRUE(Read(users + "Ann.sta.damaged") == annStats);
  EXPECT_EQ(Read(users + "Ann.sta").size(), annStats.size());  // every record kept
  EXPECT_TRUE(Read(folder + "/Scores/Klondike.sco") == scores);
  const std::string log = h.LogText();
  EXPECT_NE(log.find("Damaged file notice: The statistics file of Ann was damaged."), std::string::npos);
  h.Key("Return");  // the notice's OK
  ASSERT_EQ(ExitFromMenu(h), 0);

  // The next start: Ann as she is now, no notice again; Bob's emptied
  // profile marked on the Load Player screen and made anew from there.
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(kLoadPlayersX, kLoadPlayersY, 20));
  h.ClickVirtual(kLoadPlayersX, kLoadPlayersY);
  ASSERT_TRUE(h.WaitUntilDrawn(kDeleteX, kDeleteY, 20));
  h.ClickVirtual(kSecondRowX, kSecondRowY);
  ASSERT_TRUE(ProgramHarness::WaitUntil(
      [&] {
        return IsChosenRowColour(h.PixelVirtual(kSecondRowX, kSecondRowY)) &&
               !IsChosenRowColour(h.PixelVirtual(kSecondRowX, kFirstRowY));
      },
      20))
      << "Bob's row, not Ann's, chosen";
  h.Screenshot(shots_ + "UserLoadDamagedPlayer.png");
  h.ClickVirtual(kLoadX, kLoadY);
  ASSERT_TRUE(h.WaitForLog("Damaged profile <Bob>: a new profile offered", 20));
  ASSERT_TRUE(WaitForButtonGreen(h, kYesX, kYesY, 10)) << "the popup's Yes was not drawn";
  h.ClickVirtual(kYesX, kYesY);
  ASSERT_TRUE(h.WaitForLog("Profile of <Bob> made anew", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(kMenuX, kMenuY, 60));
  UserRecord bob;
  ASSERT_TRUE(ReadProfile(users + "Bob.usr", &bob));
  EXPECT_STREQ(bob.country, "Wales");
  EXPECT_EQ(h.LogText().find("Damaged file notice"), std::string::npos);
  EXPECT_EQ(ExitFromMenu(h), 0);
}

// Ann's Klondike table holds two good rows and one that does not hold,
// and every name it could be kept aside under is taken: the Scores page
// shows the two rows, the notice says that they are shown and that no score
// is entered, the keeping is tried once however often the page reads the
// table, and the file stays as it was.
TEST_F(DamagedFilesRunTest, ADamagedScoreTableThatCannotBeKeptAsideShowsItsGoodRows) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  const std::string folder = h.UserFolder();
  UserRecord ann;
  std::snprintf(ann.name, sizeof ann.name, "Ann");
  std::snprintf(ann.country, sizeof ann.country, "Germany");
  ann.menuGame = kGameKlondike;
  ann.mainPage = 3;  // the Scores page
  std::uint8_t user[kUserRecordFileSize];
  UserRecordToBytes(ann, user);
  WriteCreatingFolders(folder + "/Users/Ann.usr", EncryptedBlock(user, sizeof user));

  std::uint8_t header[kScoreHeaderSize] = {};
  GenPutF32(header, 0, kScoreFileVersion);
  std::snprintf(reinterpret_cast<char*>(header + 4), 64, "%s", GenGetGameFilename(kGameKlondike));
  std::string table = EncryptedBlock(header, sizeof header);
  for (const auto& [name, score] : {std::pair{"Ann", 1000u}, std::pair{"Cid", 950u}, std::pair{"Bob", 900u}}) {
    ScoreEntry e;
    e.score = score;
    e.playTime = 300;
    e.year = 2026;
    std::snprintf(e.name, sizeof e.name, "%s", name);
    std::snprintf(e.country, sizeof e.country, "Germany");
    std::uint8_t bytes[kScoreEntrySize];
    ScoreEntryToBytes(e, bytes);
    std::string row = EncryptedBlock(bytes, sizeof bytes);
    if (std::strcmp(name, "Cid") == 0) row[16 + 12] = static_cast<char>(row[16 + 12] ^ 0x80);  // its month
    table += row;
  }
  const std::string path = folder + "/Scores/" + GenGetGameFilename(kGameKlondike) + ".sco";
  WriteCreatingFolders(path, table);
  WriteCreatingFolders(path + ".damaged", "taken");
  for (int n = 2; n <= 99; ++n) WriteCreatingFolders(path + ".damaged-" + std::to_string(n), "taken");

  WriteAnnsSettings(folder);

  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitUntilDrawn(kContinueX, kContinueY, 20));
  h.ClickVirtual(kContinueX, kContinueY);
  ASSERT_TRUE(h.WaitForLog("Damaged file notices shown: 1", 180));
  ASSERT_TRUE(h.WaitForPixel(25, 22.5f, IsTitleDimmed, 30)) << "the notice over the menu";
  h.Screenshot(shots_ + "ScoresDamagedNotKeptNotice.png");
  const std::string told = h.LogText();
  EXPECT_NE(told.find("Damaged file notice: The score table of Klondike (\"Klondike.sco\") was damaged, and no copy"),
            std::string::npos);
  EXPECT_NE(told.find("Every score in it that could still be read is shown"), std::string::npos);
  h.Key("Return");  // the notice's OK
  ASSERT_TRUE(h.WaitForPixel(25, 22.5f, IsTitleFree, 30)) << "the notice closed";

  // Ann's and Bob's rows with their flags; no third row.
  EXPECT_TRUE(h.WaitForPixel(kFlagX, kScoreRowY, IsFlagRed, 20)) << "the first row's flag";
  EXPECT_TRUE(h.WaitForPixel(kFlagX, kScoreRowY + kScoreRowStep, IsFlagRed, 20)) << "the second row's flag";
  h.Screenshot(shots_ + "ScoresDamagedNotKept.png");
  const long third = h.PixelVirtual(kFlagX, kScoreRowY + 2 * kScoreRowStep);
  EXPECT_FALSE(IsFlagRed((third >> 16) & 0xFF, (third >> 8) & 0xFF, third & 0xFF)) << "a third row";

  // The Statistics page and back: the table is read again (each read logs
  // its row that does not hold), not kept aside again.
  const auto count = [&](const char* text) {
    const std::string log = h.LogText();
    int found = 0;
    for (std::size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++found;
    return found;
  };
  const int reads = count("Invalid score entry");
  h.ClickVirtual(472.5f, 68.75f);
  ASSERT_TRUE(h.WaitForPixel(kFlagX, kScoreRowY, [](int r, int g, int b) { return !IsFlagRed(r, g, b); }, 20))
      << "the Statistics page";
  h.ClickVirtual(577.5f, 68.75f);
  EXPECT_TRUE(ProgramHarness::WaitUntil([&] { return count("Invalid score entry") > reads; }, 20))
      << "the table read again";
  EXPECT_TRUE(h.WaitForPixel(kFlagX, kScoreRowY + kScoreRowStep, IsFlagRed, 20)) << "the Scores page again";
  ASSERT_EQ(ExitFromMenu(h), 0);

  EXPECT_TRUE(Read(path) == table);
  EXPECT_EQ(count("Could not keep damaged file"), 1) << h.LogErrorLines();
  const std::string log = h.LogText();
  EXPECT_EQ(log.find("Damaged file notice: The score table of Klondike (\"Klondike.sco\") cannot be read"),
            std::string::npos);
}

}  // namespace
