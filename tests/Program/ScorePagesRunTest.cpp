// Program tests of the main menu's Scores and Statistics pages: a player
// with a score table and a month of statistics continues into the menu of
// the running program; the table shows its rows with flags, the scoring
// popup and the send button reach a loopback high-score service, the
// Statistics page draws its pie and graph, and "View Online High Scores"
// asks first in full screen, then ends the program and hands the address on.
// Screenshots go to <build>/screenshots.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "App/Resolution.h"
#include "App/Score.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngMisc.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

using playrun::EncryptedBlock;
using playrun::WriteCreatingFolders;

int Red(long c) { return static_cast<int>((c >> 16) & 0xFF); }
int Green(long c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(long c) { return static_cast<int>(c & 0xFF); }

// The error lines of the log from the pages, their units and the toolkit
// (the start-up's own update check may log its failure to reach the
// loopback site).
std::string PageErrors(const std::string& errorLines) {
  std::string errors;
  std::istringstream lines(errorLines);
  for (std::string line; std::getline(lines, line);) {
    for (const char* unit : {"( Score", "( Stats", "( Internet", "( Various", "( MWin", "( Platform"}) {
      if (line.find(unit) != std::string::npos) errors += line + "\n";
    }
  }
  return errors;
}

// The page choice above the menu's pages and the Scores page's buttons, in
// the virtual 640 x 480 screen.
constexpr float kStatsChoiceX = 472.5f, kScoresChoiceX = 577.5f, kChoiceY = 68.75f;
constexpr float kAddOnlineX = 325, kViewOnlineX = 509.5f, kOnlineY = 376.5f;
constexpr float kWeightsX = 418, kWeightsY = 396.5f;
constexpr float kFirstRowY = 117 + 5.5f, kRowStep = 12;
constexpr float kOkX = 277, kCancelX = 362.5f, kPopupButtonY = 253.75f;
constexpr float kTimesX = 598, kTimesY = 289.5f, kWeekX = 379.5f, kPeriodY = 371.25f;
constexpr float kFlagX = 442.71f + 13.7f;

bool IsButtonGreen(int r, int g, int b) { return g > r + 25 && g > b + 15; }

// The menu's title (top left) is bright gold with nothing over the menu and
// dimmed under a popup.
bool MenuIsFree(ProgramHarness& h) {
  return h.WaitForPixel(25, 22.5f, [](int r, int g, int b) { return r > 200 && g > 170 && b < 150; }, 60);
}
// A popup over the menu, with a green button at the point.
bool PopupIsOpen(ProgramHarness& h, float buttonX, float buttonY) {
  return h.WaitForPixel(25, 22.5f, [](int r, int g, int b) { return r > 90 && r < 170 && g > 70 && b < 90; }, 60) &&
         h.WaitForPixel(buttonX, buttonY, IsButtonGreen, 60);
}

class ScorePagesRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
    EngEncryptionInit("Mplx4QoragZn_265");
  }


  // Ann of Germany, on the Scores page of Klondike; settings that ask for
  // no dialog and record a passed Internet test (full screen may go online).
  void WritePlayer(const std::string& folder) {
    UserRecord ann;
    std::strcpy(ann.name, "Ann");
    std::strcpy(ann.country, "Germany");
    ann.playerId = 4242;
    ann.menuGame = kGameKlondike;
    ann.mainPage = 3;
    std::uint8_t user[kUserRecordFileSize];
    UserRecordToBytes(ann, user);
    std::filesystem::create_directories(folder + "/Users");
    ASSERT_TRUE(EngEncryptionEncryptAndWriteToFile((folder + "/Users/Ann.usr").c_str(), user, sizeof user));

    ResolutionSetDefaults();
    g_ResolutionSettings.showDialog = 0;
    g_ResolutionSettings.fullWidth = 1024;
    g_ResolutionSettings.fullHeight = 768;
    g_ResolutionSettings.httpTest = 1;
    std::uint8_t settings[kResolutionFileSize];
    ResolutionToBytes(g_ResolutionSettings, settings);
    WriteCreatingFolders(folder + "/Resolution.dat", std::string(reinterpret_cast<char*>(settings), sizeof settings));
  }

  // Klondike's table: five players of three countries, Ann's best third.
  static void WriteScores(const std::string& folder) {
    std::uint8_t header[kScoreHeaderSize] = {};
    GenPutF32(header, 0, kScoreFileVersion);
    std::snprintf(reinterpret_cast<char*>(header + 4), 64, "%s", GenGetGameFilename(kGameKlondike));
    std::string file = EncryptedBlock(header, sizeof header);
    const struct {
      std::uint32_t score, seconds;
      const char *name, *country;
    } rows[] = {{4210, 301, "Ben", "France"},   {3900, 280, "Cleo", "Italy"},  {3650, 333, "Ann", "Germany"},
                {2100, 512, "Dan", "France"},   {1500, 700, "Ann", "Germany"}};
    for (const auto& r : rows) {
      ScoreEntry e;
      e.score = r.score;
      e.playTime = r.seconds;
      e.year = 2026;
      e.month = 11;
      e.day = 20;
      std::snprintf(e.name, sizeof e.name, "%s", r.name);
      std::snprintf(e.country, sizeof e.country, "%s", r.country);
      std::uint8_t bytes[kScoreEntrySize];
      ScoreEntryToBytes(e, bytes);
      file += EncryptedBlock(bytes, sizeof bytes);
    }
    WriteCreatingFolders(folder + "/Scores/" + GenGetGameFilename(kGameKlondike) + ".sco", file);
  }

  // A month of Klondike: two games a day, the first of each day won, every
  // third day's second game too; one game of another variant.
  static void WriteStatistics(const std::string& folder) {
    std::uint8_t header[kStatsHeaderSize] = {};
    GenPutF32(header, 0, kStatsFileVersion);
    std::string file = EncryptedBlock(header, sizeof header);
    for (int i = 0; i < 30; ++i) {
      EngMiscDate day;
      EngMiscGetLocalDate(&day);
      for (int k = i; k < 30; ++k) EngMiscGetPreviousDay(&day);
      for (int game = 0; game < 2; ++game) {
        StatsRecord r;
        r.year = day.year;
        r.month = day.month;
        r.day = day.day;
        r.won = game == 0 || i % 3 == 0 ? 1 : 0;
        r.playSeconds = 120 + 10 * static_cast<std::uint32_t>(i);
        std::snprintf(r.tag, sizeof r.tag, "_%s_", GenGetGameFilename(i == 10 && game == 1 ? kGameKlondike2 : kGameKlondike));
        std::uint8_t bytes[kStatsRecordSize];
        StatsRecordToBytes(r, bytes);
        file += EncryptedBlock(bytes, sizeof bytes);
      }
    }
    WriteCreatingFolders(folder + "/Users/Ann.sta", file);
  }

  // A screenshot for a person to look at; the test asserts on the pixels.
  void Shot(ProgramHarness& h, const char* name) { h.Screenshot(shots_ + name); }
  std::string shots_;
};

TEST_F(ScorePagesRunTest, TheMenuPagesShowTheTableThePieAndTheGraphAndGoOnline) {
  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  WritePlayer(h.UserFolder());
  WriteScores(h.UserFolder());
  WriteStatistics(h.UserFolder());
  HttpTestServer server;
  server.SetReply("/cgi-bin/cardolia/scores/AddHighScore.cgi", HttpTestReply::Text("xA 3650 0"));
  h.SetProgramEnv("CARDOLIA_SITE_URL", server.Url(""));

  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ASSERT_TRUE(h.WaitForPixel(210, 400, IsButtonGreen, 20)) << "Continue Player";
  h.ClickVirtual(320, 400);  // Continue Player: Ann
  ASSERT_TRUE(h.WaitUntilDrawn(630, 100, 180));
  ASSERT_TRUE(MenuIsFree(h)) << "the main menu";

  // The table: five rows; Ann's of Germany with its flag, rows below the
  // fifth empty.
  const float annRow = kFirstRowY + 2 * kRowStep;
  EXPECT_TRUE(h.WaitForPixel(kFlagX, annRow, [](int r, int g, int b) { return r > 150 && g < 70 && b < 70; }, 20))
      << "the red band of Ann's flag";
  Shot(h, "ScoresPage.png");
  EXPECT_LT(Red(h.PixelVirtual(kFlagX, annRow - 3)), 70);                 // black band
  EXPECT_GT(Red(h.PixelVirtual(kFlagX, annRow)), 150);                    // red band
  EXPECT_GT(Green(h.PixelVirtual(kFlagX, annRow + 3)), 150);              // gold band
  const long france = h.PixelVirtual(kFlagX - 7, kFirstRowY);             // blue of the first row's flag
  EXPECT_GT(Blue(france), Red(france) + 40);

  // The scoring popup and back.
  h.ClickVirtual(kWeightsX, kWeightsY);
  ASSERT_TRUE(PopupIsOpen(h, 293.75f, 325)) << "the scoring popup";
  Shot(h, "ScoresWeights.png");
  h.Key("Return");
  ASSERT_TRUE(MenuIsFree(h)) << "the scoring popup closed";

  // Ann's best row goes to the service; its answer is shown and kept.
  h.ClickVirtual(kAddOnlineX, kOnlineY);
  EXPECT_TRUE(h.WaitUntil([&] { return server.RequestCount("/cgi-bin/cardolia/scores/AddHighScore.cgi") == 1; }, 30))
      << "the submission reaching the service";
  ASSERT_TRUE(PopupIsOpen(h, 293.75f, 260.62f)) << "the service's answer";
  Shot(h, "ScoresAddedOnline.png");
  EXPECT_EQ(server.RequestCount("/cgi-bin/cardolia/scores/AddHighScore.cgi"), 1);
  h.Key("Return");
  ASSERT_TRUE(MenuIsFree(h)) << "the answer closed";

  // The Statistics page: the pie's two colours and the graph.
  h.ClickVirtual(kStatsChoiceX, kChoiceY);
  EXPECT_TRUE(h.WaitForPixel(325, 150, [](int r, int g, int) { return g > r + 60; }, 20)) << "the pie's won sector";
  Shot(h, "StatisticsPage.png");
  const long wonSector = h.PixelVirtual(325, 150), lostSector = h.PixelVirtual(303, 177);
  EXPECT_GT(Green(wonSector), Red(wonSector) + 60);
  EXPECT_GT(Red(lostSector), Green(lostSector) + 60);
  const long wonKey = h.PixelVirtual(383, 143), lostKey = h.PixelVirtual(383, 161);
  EXPECT_GT(Green(wonKey), Red(wonKey) + 40);
  EXPECT_GT(Red(lostKey), Green(lostKey) + 40);
  // Every day has games: the graph is drawn from 0 % up past a half, with
  // the days' shares below the top.
  EXPECT_GT(Green(h.PixelVirtual(430, 325)), 200);
  EXPECT_GT(Green(h.PixelVirtual(430, 305)), 200);
  EXPECT_LT(Green(h.PixelVirtual(437.5f, 278.12f)), 60);

  // The last week's times: the week chosen, and the times of the games won
  // (two minutes and more, growing by the day) reach near the top.
  h.ClickVirtual(kTimesX, kTimesY);
  h.ClickVirtual(kWeekX, kPeriodY);
  EXPECT_TRUE(h.WaitForPixel(kWeekX, kPeriodY, [](int r, int g, int b) { return r > g + 15 && g > b + 15; }, 20))
      << "the week chosen";
  EXPECT_TRUE(h.WaitForPixel(437.5f, 278.12f, [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; }, 20))
      << "the times' graph near its top";
  Shot(h, "StatisticsTimesWeek.png");
  EXPECT_GT(Green(h.PixelVirtual(430, 325)), 200);

  // Back on the Scores page, "View Online High Scores" asks first in full
  // screen: Cancel keeps the game, OK ends it and opens the page.
  h.ClickVirtual(kScoresChoiceX, kChoiceY);
  ASSERT_TRUE(h.WaitForPixel(kFlagX, annRow, [](int r, int g, int b) { return r > 150 && g < 70 && b < 70; }, 20))
      << "the Scores page again";
  h.ClickVirtual(kViewOnlineX, kOnlineY);
  ASSERT_TRUE(PopupIsOpen(h, 262.5f, 253.12f)) << "the question before going online";
  Shot(h, "ScoresViewOnline.png");
  h.ClickVirtual(kCancelX, kPopupButtonY);
  ASSERT_TRUE(MenuIsFree(h)) << "the question closed by Cancel";
  EXPECT_TRUE(h.IsProgramRunning());
  EXPECT_EQ(h.LogText().find("ShowHighScores.cgi"), std::string::npos);
  h.ClickVirtual(kViewOnlineX, kOnlineY);
  ASSERT_TRUE(PopupIsOpen(h, 262.5f, 253.12f)) << "the question again";
  h.ClickVirtual(kOkX, kPopupButtonY);
  EXPECT_EQ(h.WaitForExit(60), 0);
  EXPECT_NE(h.LogText().find("ShowHighScores.cgi?game=Klondike"), std::string::npos) << h.LogText();
  EXPECT_EQ(PageErrors(h.LogErrorLines()), "");
}

}  // namespace
