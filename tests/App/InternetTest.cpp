// Tests of the online high-score submission: the fixed-width record, its
// coding (deciphered back with libtomcrypt's Blowfish), every reply letter
// with its numbers read within their ranges, and whole submissions against
// a loopback server that records what it was asked and answers as scripted,
// also one that misbehaves while frames go on.
#include <tomcrypt.h>

#include <random>
#include <string>

#include "App/Internet.h"
#include "App/Various.h"
#include "Engine/EngJob.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/App/PlayerFixture.h"
#include "tests/Support/HttpTestServer.h"

namespace {

class InternetTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    UseTokenNameLanguage({"Common_ErrorCaps", "Game_Congratulations", "Score_InternetSorry",
                          "Score_InternetScoreTooLowMinIs", "Score_InternetScoreAddedAtPos",
                          "Score_InternetEntryUpdated", "Publish_OldVersion", "Publish_OldVersionMessage",
                          "Score_InternetInternalError", "Score_InternetCheckingOnline",
                          "Score_InternetGameNumberMessage"});
  }
  void TearDown() override {
    EXPECT_TRUE(EngJobWaitAll(30)) << "a submission outlived its test";
    unsetenv("CARDOLIA_SITE_URL");
    g_MWin.PopupCloseIfOpen();  // a question left open would hold up the next suite's popups
    PlayerTest::TearDown();
  }
  // Sends the best score and runs frames until its reply has been read.
  static FrameRun Submit() {
    InternetDoAddHighScore();
    return RunFramesWhile([] { return InternetIsSubmitting(); }, 30.0);
  }
  // The current player's finished game with this score.
  void Finish(std::int32_t score) {
    g_UserOptions.runningScore[GenGetCurGame()] = score;
    ScoreAddGameScore();
  }
  struct Outcome {
    std::string title, text;
    std::uint32_t online;
  };
  static Outcome Interpret(const std::string& reply, std::uint32_t online = 77) {
    char title[kInternetTextSize] = "unset", text[kInternetTextSize] = "unset";
    InternetInterpretReply(reply.data(), static_cast<int>(reply.size()), &online, title, text);
    return {title, text, online};
  }
  static constexpr const char* kAddPath = "/cgi-bin/cardolia/scores/AddHighScore.cgi";
};

TEST_F(InternetTest, TheRecordHasFixedWidths) {
  ScoreEntry e = Entry(4321, 3725, std::string(32, 'N').c_str(), std::string(64, 'C').c_str());
  e.playerId = 789;
  e.day = 9;
  e.month = 11;
  e.year = 2024;
  char record[kInternetTextSize];
  ASSERT_EQ(InternetBuildRecord(e, "Klondike", record), 213);
  const std::string r = record;
  const std::pair<int, std::string> fields[] = {
      {5, "00460"}, {10, "       789"}, {32, std::string(32, 'N')}, {64, std::string(64, 'C')},
      {64, "Klondike" + std::string(56, ' ')}, {10, "0000004321"}, {10, "0000003725"}, {1, "0"},
      {5, "00009"}, {5, "00011"}, {7, "0002024"}};
  std::size_t at = 0;
  for (const auto& [width, text] : fields) {
    EXPECT_EQ(r.substr(at, width), text) << "at " << at;
    at += width;
  }
  EXPECT_EQ(at, r.size());
  // Short texts are padded with blanks to the same length.
  EXPECT_EQ(InternetBuildRecord(Entry(1, 1, "Al", "Peru"), "Gaps", record), 213);
}

TEST_F(InternetTest, TheCodedRecordDeciphersBackAndEndsWithTheYearInClear) {
  Finish(5000);
  ScoreEntry best;
  ASSERT_TRUE(ScoreGetUsersBestScore(&best));
  char record[kInternetTextSize];
  ASSERT_EQ(InternetBuildRecord(best, "Klondike", record), 213);

  HttpTestServer server;
  server.SetReply(kAddPath, HttpTestReply::Text("xA 5000 0"));
  setenv("CARDOLIA_SITE_URL", server.Url("").c_str(), 1);
  Submit();
  const std::string coded = InternetGetCodedString();
  ASSERT_EQ(coded.size(), 639u);
  EXPECT_EQ(coded.substr(624), "048050048050052");  // "02024"

  unsigned char bytes[213];
  for (int i = 0; i < 213; ++i) bytes[i] = static_cast<unsigned char>(std::stoi(coded.substr(3 * i, 3)));
  symmetric_key key;
  ASSERT_EQ(blowfish_setup(reinterpret_cast<const unsigned char*>(kInternetCipherKey), 18, 0, &key), CRYPT_OK);
  for (int block = 0; block < 26; ++block) {
    ASSERT_EQ(blowfish_ecb_decrypt(bytes + 8 * block, bytes + 8 * block, &key), CRYPT_OK);
  }
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 213), std::string(record));

  // The request carried the letter W and the digits.
  EXPECT_EQ(server.RequestCount(kAddPath), 1);
  EXPECT_NE(server.LastRequestHeaders().find(std::string(kAddPath) + "?hs=W" + coded + " "), std::string::npos);
  EXPECT_EQ(AppImportsGetCallsForTests().internetWaitShown, 1);
  EXPECT_EQ(AppImportsGetCallsForTests().internetWaitHidden, 1);
}

TEST_F(InternetTest, EachReplyLetterGivesItsText) {
  const struct {
    std::string reply, title, text;
    std::uint32_t online;
  } cases[] = {
      {"xA 5000 0", "Game_Congratulations", "Score_InternetScoreAddedAtPos 1\n", 5000},
      {"xA 5000 0\r\n", "Game_Congratulations", "Score_InternetScoreAddedAtPos 1\n", 5000},
      {"xB 1200", "Score_InternetSorry", "Score_InternetScoreTooLowMinIs 1200", 1200},
      {"xC 3000 4", "Game_Congratulations", "Score_InternetEntryUpdated 5", 3000},
      {"xD 7 2", " ", "Score_InternetAlreadyHaveBetter(3)", 7},
      {"xV 459 460", "Common_ErrorCaps", "Problem reading high scores list  [GV460 > CGV459]", 77},
      {"xV 460 460", "Common_ErrorCaps", "Problem reading high scores list  [V SAME 460]", 77},
      {"xV 460 400", "Common_ErrorCaps", "Problem reading high scores list  [V460 > V400]", 77},
      {"xV 460 470", "Publish_OldVersion", "Publish_OldVersionMessage", 77},
      {"xX 7", "Common_ErrorCaps", "Problem reading high scores list  [10007]", 77},
      {"xX -5", "Common_ErrorCaps", "Problem reading high scores list  [9995]", 77},
      {"xX -2147483648", "Common_ErrorCaps", "Problem reading high scores list  [-2147473648]", 77},
      // Missing, malformed or out-of-range numbers change nothing.
      {"xA    ", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xA 5000", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xA 5000 -1", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xA 1 2147483647", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xB 4294967296", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xB 12a", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xX 99999999999", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xZ 1 2", "Common_ErrorCaps", "Problem reading high scores list  [04]", 77},
      {"xA ", "Common_ErrorCaps", "Problem reading high scores list  [03]", 77},
      {"xA 5000 0           ", "Common_ErrorCaps", "Problem reading high scores list  [03]", 77},
  };
  for (const auto& c : cases) {
    const Outcome o = Interpret(c.reply);
    EXPECT_EQ(o.title, c.title) << c.reply;
    EXPECT_EQ(o.text, c.text) << c.reply;
    EXPECT_EQ(o.online, c.online) << c.reply;
  }
  EXPECT_TRUE(LogContains("Cgi Result error: 07"));
  EXPECT_TRUE(LogContains("Cgi unknown error"));
  EXPECT_TRUE(LogContains("Downloaded 20"));
}

TEST_F(InternetTest, ASubmissionSavesTheOnlineValueOrShowsTheFailure) {
  Finish(5000);
  HttpTestServer server;
  setenv("CARDOLIA_SITE_URL", server.Url("").c_str(), 1);
  server.SetReply(kAddPath, HttpTestReply::Text("xA 5000 0"));
  Submit();
  EXPECT_STREQ(InternetGetPopupTitle(), "Game_Congratulations");
  EXPECT_EQ(g_UserOptions.onlineValue[kGameKlondike], 5000u);

  const struct {
    HttpTestReply reply;
    std::string text;
  } failures[] = {
      {HttpTestReply::Text("gone", 404), "Problem connecting to internet site"},
      {HttpTestReply::Raw("HTTP/1.1 200 OK\r\n"), ""},  // closes before the reply
      {HttpTestReply::Text("xA 5000 0 and far too long"), "Problem reading high scores list  [03]"},
  };
  for (const auto& f : failures) {
    server.SetReply(kAddPath, f.reply);
    Submit();
    EXPECT_STREQ(InternetGetPopupTitle(), "Common_ErrorCaps");
    if (!f.text.empty()) {
      EXPECT_EQ(std::string(InternetGetPopupText()), f.text);
    }
    EXPECT_NE(std::string(InternetGetPopupText()), "");
    EXPECT_EQ(g_UserOptions.onlineValue[kGameKlondike], 5000u);
  }
}

TEST_F(InternetTest, NothingIsSentWithoutAnEntryOrForADealtByNumberGame) {
  HttpTestServer server;
  setenv("CARDOLIA_SITE_URL", server.Url("").c_str(), 1);
  server.SetReply(kAddPath, HttpTestReply::Text("xA 5000 0"));
  InternetDoAddHighScore();  // nothing to send: told at once
  EXPECT_FALSE(InternetIsSubmitting());
  EXPECT_STREQ(InternetGetPopupText(), "Score_InternetInternalError");
  g_GenLive.dealtByNumber = 1;
  Finish(900);
  InternetAddUsersBestScoreOnline();  // asks whether to remove those entries
  EXPECT_EQ(server.RequestCount(kAddPath), 0);
}

TEST_F(InternetTest, ASubmissionToABadServiceEndsInTimeWhileFramesGoOn) {
  Finish(5000);
  HttpTestServer server;
  setenv("CARDOLIA_SITE_URL", server.Url("").c_str(), 1);
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  HttpTestReply drip = HttpTestReply::Text("xA 5000 0");
  drip.chunkBytes = 1;
  drip.chunkSeconds = 1.5;
  HttpTestReply cut = HttpTestReply::Text("xA 5000 0");
  cut.closeAfterBytes = 3;
  HttpTestReply flood;
  flood.generatedBodySize = 10 << 20;
  // Headers and all a byte each half second: every byte comes well within
  // any quiet time, the whole would take 30 s.
  HttpTestReply trickle =
      HttpTestReply::Raw("HTTP/1.1 200 OK\r\nContent-Length: 9\r\nConnection: close\r\n\r\nxA 5000 0");
  trickle.chunkBytes = 1;
  trickle.chunkSeconds = 0.5;
  std::mt19937 random(11);
  std::string garbage(200, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  const struct {
    const char* what;
    HttpTestReply reply;
  } cases[] = {
      {"never answers", silent},
      {"a byte every 1.5 s", drip},
      {"closes mid-body", cut},
      {"sends too much", flood},
      {"sends garbage", HttpTestReply::Raw(garbage)},
      {"sends the whole reply a byte each half second", trickle},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    server.SetReply(kAddPath, c.reply);
    const int waitsShown = AppImportsGetCallsForTests().internetWaitShown;
    InternetDoAddHighScore();
    ASSERT_TRUE(InternetIsSubmitting());
    EXPECT_EQ(AppImportsGetCallsForTests().internetWaitShown, waitsShown + 1);
    InternetDoAddHighScore();  // a second press while one is out sends nothing
    const FrameRun frames = RunFramesWhile([] { return InternetIsSubmitting(); }, 30.0);
    EXPECT_FALSE(InternetIsSubmitting());
    EXPECT_LT(frames.seconds, 10.0 + 1.5) << "the submission's bound is 10 s";
    EXPECT_LT(frames.longest, kLongestFrameSeconds);
    EXPECT_GE(frames.count, static_cast<int>(frames.seconds * 20)) << "frames went on while it waited";
    EXPECT_EQ(AppImportsGetCallsForTests().internetWaitHidden, AppImportsGetCallsForTests().internetWaitShown);
    EXPECT_STREQ(InternetGetPopupTitle(), "Common_ErrorCaps");
    EXPECT_EQ(g_UserOptions.onlineValue[kGameKlondike], 0u);
  }
  EXPECT_EQ(server.RequestCount(kAddPath), 6);
}

TEST_F(InternetTest, AReplyForAPlayerWhoLeftChangesNothingOfTheNextOne) {
  Finish(5000);
  HttpTestServer server;
  setenv("CARDOLIA_SITE_URL", server.Url("").c_str(), 1);
  HttpTestReply late = HttpTestReply::Text("xA 5000 0");
  late.delayBeforeHeaders = 0.5;
  server.SetReply(kAddPath, late);
  InternetDoAddHighScore();
  ASSERT_TRUE(InternetIsSubmitting());
  g_UserRecord.playerId += 1;  // another player was loaded meanwhile
  RunFramesWhile([] { return InternetIsSubmitting(); }, 30.0);
  EXPECT_STREQ(InternetGetPopupTitle(), "Game_Congratulations");
  EXPECT_EQ(g_UserOptions.onlineValue[kGameKlondike], 0u);
}

TEST_F(InternetTest, TheSiteIsOneSetting) {
  EXPECT_STREQ(VariousGetSiteAddress(), kVariousDefaultSite);
  setenv("CARDOLIA_SITE_URL", "http://scores.example.invalid/base/", 1);
  EXPECT_STREQ(VariousGetSiteAddress(), "http://scores.example.invalid/base");
}

}  // namespace
