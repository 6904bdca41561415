// Tests of the main menu's Scores and Statistics pages on the toolkit and
// the recording device: the table's rows, flags and colours, the newest row
// pulsing, the send button's state, the scoring popup, both resets and the
// browser opener; the pie's numbers and the history graph over its periods.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "App/Score.h"
#include "App/ScoreSystem.h"
#include "App/Stats.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/MWin/MWinGraph.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenBytes.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "Platform/Shell.h"
#include "App/Various.h"
#include "Screens/Main.h"
#include "Screens/Scores.h"
#include "Screens/Stats.h"
#include "tests/Screens/ScreensFixture.h"

namespace {

constexpr EngMiscDate kToday = {2024, 3, 1};

struct Opened {
  std::vector<std::string> addresses;
};

class ScorePagesTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    setenv("CARDOLIA_HEADLESS", "1", 1);  // the opener never starts a browser here
    EngMiscSetLocalDateForTests(&kToday);
    EngProgramSetFrameTimeForTests(1.0f / 60.0f);
    PlatformShellSetListener(
        [](const char*, const char* file, const char*, void* context) {
          static_cast<Opened*>(context)->addresses.push_back(file);
        },
        &opened_);
    StartScreens();
    g_UserRecord = UserRecord{};
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "Ann");
    std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "England");
    g_UserRecord.playerId = 17;
    UserSetLoadedForTests(true);
    GenSetCurGame(kGameKlondike);
    GenReset();
    ScreensGoto(g_ScreenMain);
  }
  void TearDown() override {
    PlatformShellSetListener(nullptr, nullptr);
    EngMiscSetLocalDateForTests(nullptr);
    StatsFreeDayStats();
    UserSetLoadedForTests(false);
    ScreensTest::TearDown();
  }
  void ShowPage(int page) {
    g_UserRecord.mainPage = static_cast<std::uint8_t>(page);
    MainControlShowPage();
  }
  // A finished game of the current game by a player.
  static void Finish(const char* name, const char* country, std::int32_t score, std::int32_t seconds,
                     bool byNumber = false) {
    std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", name);
    std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "%s", country);
    g_UserOptions.runningScore[GenGetCurGame()] = score;
    g_UserOptions.elapsedSeconds[GenGetCurGame()] = seconds;
    g_GenLive.dealtByNumber = byNumber ? 1 : 0;
    ScoreAddGameScore();
  }
  static MWinButton* B(const std::string& id) { return ScreenLookUp("Main")(id.c_str()); }
  static std::string Text(const std::string& id) {
    MWinButton* b = B(id);
    return b && b->GetTextP() ? b->GetTextP() : "";
  }
  static void PopupAnswer(int result) {
    ASSERT_TRUE(g_MWin.IsPopupOpen());
    MWin::PopupAnswer(result);
  }
  std::string StatsPath() const { return std::string(dir_) + "/Quarnix/Free Cardolia 3D/Users/Ann.sta"; }
  // A statistics file of Klondike games: (days before today, won, seconds).
  void WriteHistory(const std::vector<std::tuple<int, bool, std::uint32_t>>& games) {
    auto block = [](const std::uint8_t* plain, std::size_t size) {
      unsigned char* b = EngEncryptionEncrypt(plain, size);
      std::string bytes(reinterpret_cast<char*>(b), size + 16);
      std::free(b);
      return bytes;
    };
    std::uint8_t header[kStatsHeaderSize] = {};
    GenPutF32(header, 0, kStatsFileVersion);
    std::string file = block(header, sizeof header);
    for (const auto& [daysAgo, won, seconds] : games) {
      StatsRecord r;
      EngMiscDate d = kToday;
      for (int i = 0; i < daysAgo; ++i) EngMiscGetPreviousDay(&d);
      r.year = d.year;
      r.month = d.month;
      r.day = d.day;
      r.won = won ? 1 : 0;
      r.playSeconds = seconds;
      std::snprintf(r.tag, sizeof r.tag, "_Klondike_");
      std::uint8_t plain[kStatsRecordSize];
      StatsRecordToBytes(r, plain);
      file += block(plain, sizeof plain);
    }
    std::filesystem::create_directories(std::filesystem::path(StatsPath()).parent_path());
    WriteFile(StatsPath(), file);
  }
  MWinGraph* Graph() { return static_cast<MWinGraph*>(B("Graph")); }
  std::vector<double> MarkValues() {
    std::vector<double> values;
    for (int i = 0; i < Graph()->GetHorzMarks(); ++i) values.push_back(Graph()->GetMarkValue(i));
    return values;
  }

  Opened opened_;
};

TEST_F(ScorePagesTest, TheTableShowsItsRowsWithFlagsAndColours) {
  Finish("Zed", "Atlantis", 1000, 30);
  Finish("Bob", "Wales", 3000, 61, true);
  Finish("Ann", "England", 5000, 3725);
  ShowPage(3);
  EXPECT_FALSE(B("GameText")->IsVisible());
  EXPECT_FALSE(B("Set")->IsVisible());
  EXPECT_FALSE(B("InternetWait")->IsVisible());
  EXPECT_EQ(Text("Weights"), "Klondike Scoring System");
  const std::vector<std::vector<std::string>> rows = {{"1.", "1 Mar 2024", "Ann", "1:02:05", "5000"},
                                                      {"2.", "1 Mar 2024", "Bob", "1:01", "3000"},
                                                      {"3.", "1 Mar 2024", "Zed", "0:30", "1000"},
                                                      {"4.", "", "", "", ""}};
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const std::string n = std::to_string(r + 1);
    EXPECT_EQ((std::vector<std::string>{Text("Pos" + n), Text("Date" + n), Text("Name" + n), Text("Time" + n),
                                        Text("Score" + n)}),
              rows[r]);
  }
  EXPECT_TRUE(B("Country1")->HasCustomTexBut());   // England's flag
  EXPECT_TRUE(B("Country2")->HasCustomTexBut());   // Wales'
  EXPECT_FALSE(B("Country3")->HasCustomTexBut());  // no such country
  EXPECT_EQ(Text("Pos20"), "20.");

  // Gold and cyan rows darken downwards; a dealt-by-number row is grey.
  ScoreResetLastAdded();
  ScoresControlUpdateRows(-1);
  const float* first = B("Name1")->GetTextColour();
  EXPECT_FLOAT_EQ(first[0], 1.0f);
  EXPECT_FLOAT_EQ(first[1], 0.812f);
  EXPECT_FLOAT_EQ(first[2], 0.361f);
  const float* grey = B("Score2")->GetTextColour();
  const float b2 = 21.0f / 22.0f * 0.8f + 0.2f;
  EXPECT_FLOAT_EQ(grey[0], 0.4f * b2);
  EXPECT_FLOAT_EQ(grey[2], 0.4f * b2);
  const float* fourth = B("Pos4")->GetTextColour();
  const float b4 = 19.0f / 22.0f * 0.8f + 0.2f;
  EXPECT_FLOAT_EQ(fourth[0], 0.357f * b4);
  EXPECT_FLOAT_EQ(fourth[2], 1.0f * b4);
  EXPECT_NEAR(B("Pos20")->GetTextColour()[2], 0.309f * 1.0f, 0.001f);
}

TEST_F(ScorePagesTest, TheNewestRowPulsesAndOnlyIt) {
  Finish("Bob", "Wales", 3000, 61);
  Finish("Ann", "England", 2000, 30);
  ShowPage(3);
  ASSERT_EQ(ScoreGetLastAddedIndex(), 1);
  std::vector<float> seen;
  for (int frame = 0; frame < 140; ++frame) {  // a whole pulse and more
    MainControlTickCB();
    seen.push_back(B("Name2")->GetTextColour()[2]);
  }
  const auto [low, high] = std::minmax_element(seen.begin(), seen.end());
  EXPECT_LT(*low, 0.6f);    // cyan's blue 1.0 between half and full brightness
  EXPECT_GT(*high, 0.9f);
  EXPECT_GE(*low, 0.5f - 1e-4f);
  EXPECT_FLOAT_EQ(B("Name1")->GetTextColour()[0], 1.0f);  // the other rows stay
  // No newest row: the tick changes nothing.
  ScoreResetLastAdded();
  const float before = B("Name2")->GetTextColour()[2];
  MainControlTickCB();
  EXPECT_FLOAT_EQ(B("Name2")->GetTextColour()[2], before);
}

TEST_F(ScorePagesTest, SendingNeedsARowOfThisPlayerByNameAndCountry) {
  ShowPage(3);
  EXPECT_FALSE(B("AddOnline")->IsEnabled());  // empty table
  EXPECT_TRUE(B("ViewOnline")->IsEnabled());
  // Another player drew the same id; this player has no row.
  g_UserRecord.playerId = 17;
  Finish("Bob", "Wales", 3000, 61);
  std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "Ann");
  std::snprintf(g_UserRecord.country, sizeof g_UserRecord.country, "England");
  ShowPage(3);
  EXPECT_FALSE(B("AddOnline")->IsEnabled());
  // The player's row last of a full table still counts.
  for (int i = 0; i < 19; ++i) Finish(("P" + std::to_string(i)).c_str(), "Wales", 5000 + i, 10);
  Finish("Ann", "England", 3000, 99);
  ShowPage(3);
  EXPECT_EQ(Text("Name20"), "Ann");
  EXPECT_TRUE(B("AddOnline")->IsEnabled());
}

TEST_F(ScorePagesTest, TheScoringLineExplainsTheSystem) {
  ShowPage(3);
  ScoresControlWeightsCB();
  ASSERT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_NE(std::string(ScoreGetSystemDescription()).find("Every card on a foundation:  +50"), std::string::npos);
  g_MWin.PopupCloseIfOpen();
}

TEST_F(ScorePagesTest, ResetRemovesThePlayersRowsOfThisGameOrOfAll) {
  Finish("Bob", "Wales", 3000, 61);
  Finish("Ann", "England", 2000, 30);
  GenSetCurGame(kGameYukon);
  Finish("Ann", "England", 100, 30);
  GenSetCurGame(kGameKlondike);
  ShowPage(3);
  ScoresControlResetCB();
  PopupAnswer(0);  // Cancel
  EXPECT_EQ(Text("Name2"), "Ann");
  ScoresControlResetCB();
  PopupAnswer(1);  // this game
  EXPECT_EQ(Text("Name2"), "");
  EXPECT_EQ(Text("Name1"), "Bob");
  ScoresControlResetCB();
  PopupAnswer(2);  // all games: asked again
  PopupAnswer(1);
  GenSetCurGame(kGameYukon);
  ScoreReadCurrentGameScores();
  EXPECT_EQ(ScoreGetEntryCount(), 0);
}

TEST_F(ScorePagesTest, TheOnlineTableOpensAtOnceInAWindowAndAfterAskingInFullScreen) {
  ShowPage(3);
  const std::string page = std::string(kVariousDefaultSite) + "/cgi-bin/cardolia/scores/ShowHighScores.cgi?game=Klondike";
  ScoresControlViewOnlineCB();
  EXPECT_FALSE(g_MWin.IsPopupOpen());
  ASSERT_EQ(opened_.addresses, std::vector<std::string>{page});
  EXPECT_FALSE(program_->GetQuitFlag());

  EngWindowSetScreenMode(0, -1, -1, -1, -1);
  ScoresControlViewOnlineCB();
  PopupAnswer(0);
  EXPECT_EQ(opened_.addresses.size(), 1u);
  EXPECT_FALSE(program_->GetQuitFlag());
  ScoresControlViewOnlineCB();
  PopupAnswer(1);  // the game ends, then the page opens
  EXPECT_TRUE(program_->GetQuitFlag());
  EXPECT_EQ(opened_.addresses.size(), 2u);
  EngWindowSetScreenMode(1, -1, -1, -1, -1);

  // An address of 507 characters is refused; 506 are taken.
  VariousGoOnline(nullptr, std::string(507, 'a').c_str(), false, false, false, false);
  EXPECT_EQ(opened_.addresses.size(), 2u);
  EXPECT_TRUE(LogContains("( VariousGoOnline )    Path too long"));
  VariousGoOnline(nullptr, std::string(506, 'a').c_str(), false, false, false, false);
  EXPECT_EQ(opened_.addresses.back(), std::string(506, 'a'));
}

TEST_F(ScorePagesTest, SendingFromFullScreenNeedsAPassedInternetTest) {
  Finish("Ann", "England", 2000, 30);
  ShowPage(3);
  ResolutionWriteFile();
  const std::string settings = std::string(dir_) + "/Quarnix/Free Cardolia 3D/Resolution.dat";
  const std::string before = ReadFile(settings);
  g_ResolutionSettings.httpTest = 0;
  g_ResolutionSettings.showDialog = 0;
  EngWindowSetScreenMode(0, -1, -1, -1, -1);
  ScoresControlAddOnlineCB();
  EngWindowSetScreenMode(1, -1, -1, -1, -1);
  EXPECT_TRUE(g_MWin.IsPopupOpen());
  EXPECT_EQ(g_ResolutionSettings.httpTest, 255);
  EXPECT_EQ(g_ResolutionSettings.showDialog, 1);
  EXPECT_TRUE(ReadFile(settings) == before);
  g_MWin.PopupCloseIfOpen();
}

// ---- Statistics page ------------------------------------------------------------

TEST_F(ScorePagesTest, ThePieShowsWonLostAndRoundedPercentages) {
  std::vector<std::tuple<int, bool, std::uint32_t>> games = {{0, true, 60}};
  for (int i = 0; i < 7; ++i) games.emplace_back(0, false, 30);
  WriteHistory(games);
  ShowPage(2);
  EXPECT_EQ(StatsControlGetHistoryLength(), 0);
  EXPECT_EQ((std::vector<std::string>{Text("WonNum"), Text("WonPerc"), Text("LostNum"), Text("LostPerc"),
                                      Text("TotalNum")}),
            (std::vector<std::string>{"1", "(12%)", "7", "(87%)", "8"}));
  const MWinPictureData& pie = B("WonLostPie")->PictureData();
  EXPECT_FLOAT_EQ(pie.a, 1.0f);
  EXPECT_FLOAT_EQ(pie.b, 8.0f);
  EXPECT_FLOAT_EQ(pie.colours[0][1], 0.578f);
  EXPECT_FALSE(B("PieNoDataText")->IsVisible());
  // Games only today: no graph, and no period to choose.
  EXPECT_FALSE(B("Graph")->IsVisible());
  EXPECT_TRUE(B("GraphNoDataText")->IsVisible());
  EXPECT_FALSE(B("GraphSet")->IsEnabled());
}

TEST_F(ScorePagesTest, WithoutHistoryThePieIsDark) {
  ShowPage(2);
  EXPECT_EQ((std::vector<std::string>{Text("WonNum"), Text("WonPerc"), Text("LostPerc"), Text("TotalNum")}),
            (std::vector<std::string>{"0", "", "", "0"}));
  EXPECT_FLOAT_EQ(B("WonLostPie")->PictureData().colours[0][0], 0.167f);
  EXPECT_FALSE(B("GraphSet")->IsEnabled());
}

TEST_F(ScorePagesTest, AShortGraphHasAMarkADayAndCarriesDaysWithoutGames) {
  // Days 7 (the first), 5 and 0 have games; a week of history.
  WriteHistory({{7, true, 100}, {7, false, 10}, {5, false, 10}, {0, true, 40}});
  g_UserRecord.statsOptions[1] = 1;  // last 7 days
  g_UserRecord.statsOptions[2] = 0;  // percentage won
  ShowPage(2);
  EXPECT_EQ(StatsControlGetHistoryLength(), 7);
  ASSERT_TRUE(B("Graph")->IsVisible());
  EXPECT_EQ(MarkValues(), (std::vector<double>{50, 50, 0, 0, 0, 0, 0, 100}));
  EXPECT_STREQ(Graph()->GetGraphText(0), "100%");
  EXPECT_STREQ(Graph()->GetGraphText(1), "0%");
  EXPECT_STREQ(Graph()->GetGraphText(2), "23 Feb");
  EXPECT_STREQ(Graph()->GetGraphText(3), "1 Mar");
  EXPECT_STREQ(B("WonLostHistoryText")->GetLanguageToken(), "Stats_PercGamesWonHistory");

  // Times: a day's summed time over its games played, won and lost (day 7:
  // 110 s in two games); a day of lost games only has its own (day 5), a
  // day without games carries the day before.
  StatsControlGraphTimesCB();
  EXPECT_EQ(g_UserRecord.statsOptions[2], 1);
  EXPECT_STREQ(B("WonLostHistoryText")->GetLanguageToken(), "Stats_GamesWonTimesHistory");
  EXPECT_EQ(MarkValues(), (std::vector<double>{55, 55, 10, 10, 10, 10, 10, 40}));
  EXPECT_STREQ(Graph()->GetGraphText(0), "0:55");
  EXPECT_STREQ(Graph()->GetGraphText(1), "0:00");

  // A month asks for more history than there is.
  g_UserRecord.statsOptions[1] = 2;
  StatsControlUpdateGraph();
  EXPECT_FALSE(B("Graph")->IsVisible());
  EXPECT_TRUE(B("GraphNoDataText")->IsVisible());
  EXPECT_TRUE(B("GraphSet")->IsEnabled());
}

TEST_F(ScorePagesTest, AWeekNeedsSevenDaysBeforeToday) {
  WriteHistory({{6, true, 100}, {0, true, 40}});
  g_UserRecord.statsOptions[1] = 1;
  ShowPage(2);
  EXPECT_EQ(StatsControlGetHistoryLength(), 6);
  EXPECT_FALSE(B("Graph")->IsVisible());
  EXPECT_TRUE(B("GraphSet")->IsEnabled());
  g_UserRecord.statsOptions[1] = 0;  // all days: one mark a day
  StatsControlUpdateGraph();
  EXPECT_EQ(Graph()->GetHorzMarks(), 7);
}

TEST_F(ScorePagesTest, AYearOfALongerHistoryIsThirtyGroupsOfDays) {
  // Every day of 400 has one won game whose time is its place in the year
  // shown (0 for the year's first day, 365 for today), so each group's
  // average tells which days it holds.
  std::vector<std::tuple<int, bool, std::uint32_t>> games;
  for (int daysAgo = 400; daysAgo >= 0; --daysAgo) {
    games.emplace_back(daysAgo, true, daysAgo <= 365 ? 365 - daysAgo : 0);
  }
  WriteHistory(games);
  g_UserRecord.statsOptions[1] = 3;
  g_UserRecord.statsOptions[2] = 1;
  ShowPage(2);
  const std::vector<double> values = MarkValues();
  ASSERT_EQ(values.size(), 30u);
  // Groups end at days 12, 24, 36, 49, ..., 353, 365 of the year.
  EXPECT_EQ(values[0], 6);    // 0-12
  EXPECT_EQ(values[1], 18);   // 13-24
  EXPECT_EQ(values[2], 30);   // 25-36
  EXPECT_EQ(values[3], 43);   // 37-49
  EXPECT_EQ(values[29], 359);  // 354-365
  EXPECT_STREQ(Graph()->GetGraphText(2), "2 Mar 2023");
  EXPECT_STREQ(Graph()->GetGraphText(3), "1 Mar 2024");
}

TEST_F(ScorePagesTest, TheStatisticsResetRemovesThisGameOrEverything) {
  WriteHistory({{3, true, 100}, {0, true, 40}});
  ShowPage(2);
  EXPECT_EQ(Text("TotalNum"), "2");
  StatsControlResetCB();
  PopupAnswer(1);
  EXPECT_EQ(Text("TotalNum"), "0");
  EXPECT_TRUE(std::filesystem::exists(StatsPath()));
  StatsControlResetCB();
  PopupAnswer(2);
  PopupAnswer(0);  // not confirmed
  EXPECT_TRUE(std::filesystem::exists(StatsPath()));
  StatsControlResetCB();
  PopupAnswer(2);
  PopupAnswer(1);
  EXPECT_FALSE(std::filesystem::exists(StatsPath()));
}

}  // namespace
