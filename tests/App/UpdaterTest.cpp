// Tests of the update check and download: the weekly limit, the request,
// the reply and link rules, the check against a loopback server, and
// downloads from a loopback https server onto a private desktop, answered
// through the plain window's headless fake (Download, Close, Cancel).
#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Updater.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Platform/Dialogs.h"
#include "Platform/PlainWindow.h"
#include "Platform/Time.h"
#include "Platform/WinInet.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/HttpsFileServer.h"
#include "tests/Support/TestSupport.h"

namespace {

namespace fs = std::filesystem;

std::string Reply(const std::string& text, bool tooLong = false) {
  std::vector<char> buffer(kUpdaterReplySize + 1, '\0');
  text.copy(buffer.data(), std::min(text.size(), static_cast<std::size_t>(kUpdaterReplySize)));
  char link[kUpdaterLinkSize];
  bool longLink = false;
  if (!UpdaterParseReply(buffer.data(), link, &longLink)) return "<error>";
  EXPECT_EQ(longLink, tooLong) << text;
  return std::string(buffer.data()) + "|" + link;
}

TEST(UpdaterRulesTest, TheReplyShowsItsMessageAndNamesItsLink) {
  const std::string tail256 = "#DL:<https://a/" + std::string(240, 'x') + ">";  // 256 characters from "#DL:<"
  ASSERT_EQ(tail256.size(), 256u);
  struct Case {
    std::string reply;
    std::string expected;  // message "|" link, or "<error>"
    bool tooLong;
  } cases[] = {
      {"Your version is out of date. #DL:<https://h.example/files/Setup.exe>",
       "Your version is out of date. |https://h.example/files/Setup.exe", false},
      {"No new version exists.", "No new version exists.|", false},
      {"", "<error>", false},
      {" X 12 unknown program", "<error>", false},
      {" Y fine", " Y fine|", false},
      {"out of date. #DL:<https://h/a.exe> trailing", "out of date. |https://h/a.exe", false},
      {"out of date. #DL:<https://h/no-end", "out of date. |https://h/no-end", false},
      {"short #DL:<a.ex>", "short |", false},  // a tail of 10 characters names nothing
      {"short #DL:<ab.ex>", "short |ab.ex", false},
      {"long " + tail256, "long |", true},
      {"long " + tail256.substr(0, 255), "long |" + tail256.substr(5, 250), false},
  };
  for (const Case& c : cases) EXPECT_EQ(Reply(c.reply, c.tooLong), c.expected) << c.reply.substr(0, 60);
}

TEST(UpdaterRulesTest, OnlyAnHttpsLinkWithAPlainFileNameIsDownloaded) {
  const std::string name64(64, 'n');
  struct Case {
    std::string link;
    std::string name;  // "" refused
  } cases[] = {
      {"https://h.example/files/Setup.exe", "Setup.exe"},
      {"HTTPS://h.example/Setup-4.90_x86+64.tar.gz", "Setup-4.90_x86+64.tar.gz"},
      {"https://h.example/get/Setup.exe?session=1/2#top", "Setup.exe"},
      {"https://h.example/" + name64, name64},
      {"https://h.example/" + name64 + "x", ""},
      {"http://h.example/Setup.exe", ""},
      {"file:///etc/passwd", ""},
      {"ftp://h.example/Setup.exe", ""},
      {"../x", ""},
      {"https://h.example/dir/../..", ""},
      {"https://h.example/.profile", ""},
      {"https://h.example/", ""},
      {"https://h.example", ""},
      {"https:///Setup.exe", ""},
      {"https://h.example/My%20Setup.exe", ""},
      {"https://h.example/a\\b.exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string name = "unchanged";
    EXPECT_EQ(UpdaterLinkFileName(c.link.c_str(), &name), !c.name.empty()) << c.link;
    EXPECT_EQ(name, c.name) << c.link;
  }
  EXPECT_EQ(UpdaterDesktopName("Setup.exe", 0), "Setup.exe");
  EXPECT_EQ(UpdaterDesktopName("Setup.exe", 1), "Latest_Setup.exe");
  EXPECT_EQ(UpdaterDesktopName("Setup.exe", 2), "Latest_2_Setup.exe");
  EXPECT_EQ(UpdaterDesktopName("Setup.exe", 99), "Latest_99_Setup.exe");
}

// ---- With a server and the plain window ----------------------------------------------

class UpdaterTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
    setenv("HOME", dir_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir_ + "/config").c_str(), 1);
    setenv("CARDOLIA_SITE_URL", server_.Url("/").c_str(), 1);
    PrefFolderSetup("Free Cardolia 3D", false, nullptr);
    PlainWindowUseBackEnd(kPlainWindowFake);
    PlainWindowFakeClearAnswers();
    UpdaterSetResultPauseForTests(0.0);
    PlatformDialogsSetListener(
        [](const char* text, const char* caption, UINT, void* context) {
          static_cast<UpdaterTest*>(context)->boxes_.push_back(std::string(caption) + ": " + text);
        },
        this);
    desktop_ = dir_ + "/Desktop";
  }
  void TearDown() override {
    if (SWinGet().IsCreated()) SWinGet().DestroyMainWindow();
    PlatformDialogsSetListener(nullptr, nullptr);
    PlatformInternetSetCaFileForTests(nullptr);
    PlainWindowFakeClearAnswers();
    PlainWindowUseBackEnd(kPlainWindowAuto);
    unsetenv("CARDOLIA_SITE_URL");
    TempDirTest::TearDown();
  }
  // The update service's answer to the check.
  void Answer(HttpTestReply reply) { server_.SetReply(kUpdaterScriptPath, std::move(reply)); }
  int Checks() const { return server_.RequestCount(kUpdaterScriptPath); }
  std::string PartFile() const { return dir_ + "/data/Quarnix/Free Cardolia 3D/Download.part"; }
  std::vector<std::string> DesktopFiles() const {
    std::vector<std::string> names;
    if (fs::exists(desktop_)) {
      for (const auto& entry : fs::directory_iterator(desktop_)) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  HttpTestServer server_;
  std::vector<std::string> boxes_;
  std::string desktop_;
};

TEST_F(UpdaterTest, TheWeeklyCheckRunsOnTheSeventhDayAndForADateAfterToday) {
  Answer(HttpTestReply::Text("No new version exists at this time."));
  EngDate today{};
  EngMiscGetLocalDate(&today);
  const auto daysBefore = [&](int days) {
    EngDate date = today;
    for (int i = 0; i < days; ++i) EngMiscGetPreviousDay(&date);
    return date;
  };
  EngDate nextYear = today;  // a clock set back, or a damaged file
  ++nextYear.year;
  struct Case {
    const char* what;
    EngDate stored;
    bool checks;
  } cases[] = {
      {"never checked", EngDate{}, true},  {"today", today, false},        {"six days ago", daysBefore(6), false},
      {"seven days ago", daysBefore(7), true}, {"a year ago", daysBefore(365), true},
      {"after today", nextYear, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EngDate stored = c.stored;
    const int before = Checks();
    EXPECT_FALSE(UpdaterWeeklyCheck(&stored, 4.82f, "Free"));
    EXPECT_EQ(Checks() - before, c.checks ? 1 : 0);
    if (c.checks) {
      EXPECT_FALSE(EngMiscIsDateAfter(stored, today) || EngMiscIsDateAfter(today, stored)) << "today stored";
    }
  }
}

TEST_F(UpdaterTest, TheRequestNamesTheProgramAndTheVersionWithThreeDecimals) {
  ASSERT_TRUE(UpdaterBuildRequest(4.82f, "Free"));
  EXPECT_EQ(std::string(UpdaterGetRequest()),
            server_.Url("") + "/cgi-bin/common/updater/CheckVersionV2.cgi?platform=PC&program=Cardolia&program_type=Free"
                              "&version=4.820");
  const std::string tooLong(1600, 'x');
  EXPECT_FALSE(UpdaterBuildRequest(4.82f, tooLong.c_str()));
}

TEST_F(UpdaterTest, EachFailedOrEmptyAnswerEndsTheCheckWithItsLine) {
  struct Case {
    const char* what;
    HttpTestReply reply;
    const char* error;
  } cases[] = {
      {"up to date", HttpTestReply::Text("Your version is current."), ""},
      {"service error", HttpTestReply::Text(" X unknown program"), "Error returned from the URL"},
      {"empty", HttpTestReply::Text(""), "Error returned from the URL"},
      {"not found", HttpTestReply::Text("gone", 404), "Could not read result from the URL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Answer(c.reply);
    EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
    if (*c.error) {
      EXPECT_STREQ(UpdaterGetLastError(), c.error);
    }
    EXPECT_FALSE(SWinGet().IsCreated());
  }
  EXPECT_TRUE(boxes_.empty());
  // A closed port: nothing waits.
  setenv("CARDOLIA_SITE_URL", "http://127.0.0.1:9", 1);
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
}

TEST_F(UpdaterTest, AStalledServerEndsTheCheckWithinItsTimeOut) {
  HttpTestReply stall;
  stall.stallBeforeHeaders = true;
  Answer(stall);
  const double start = PlatformTimeNow();
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_LT(PlatformTimeNow() - start, 8.0);
  EXPECT_STREQ(UpdaterGetLastError(), "Could not read result from the URL");
}

TEST_F(UpdaterTest, CloseOrNobodyLeavesTheOfferAndNoLinkOutlivesItsReply) {
  Answer(HttpTestReply::Text("Version 5 is out. Yours is out of date.\r\n#DL:<https://127.0.0.1:1/Setup.exe>"));
  PlainWindowFakeQueueAnswer("Close");
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_STREQ(UpdaterGetReply(), "Version 5 is out. Yours is out of date.\r\n");
  EXPECT_STREQ(UpdaterGetLink(), "https://127.0.0.1:1/Setup.exe");
  EXPECT_EQ(PlainWindowFakeQueuedAnswers(), 0);
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));  // nobody answers: Escape after a second

  // The next reply names no link: Download finds nothing to fetch.
  Answer(HttpTestReply::Text("Yours is out of date."));
  PlainWindowFakeQueueAnswer("Download");
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_STREQ(UpdaterGetLink(), "");
  EXPECT_EQ(boxes_, std::vector<std::string>{": Internal Error 3."});
  EXPECT_TRUE(LogContains("Invalid link name"));
}

// ---- Downloads over https ------------------------------------------------------------------

class UpdaterDownloadTest : public UpdaterTest {
 protected:
  void SetUp() override {
    UpdaterTest::SetUp();
    files_ = dir_ + "/served";
    fs::create_directories(files_);
    https_ = std::make_unique<HttpsFileServer>(files_);
    ASSERT_TRUE(https_->Running()) << "python3 https server did not start";
    PlatformInternetSetCaFileForTests(https_->CaFile().c_str());
  }
  void TearDown() override {
    https_.reset();
    UpdaterTest::TearDown();
  }
  void Serve(const std::string& name, const std::string& bytes) { WriteFile(files_ + "/" + name, bytes); }
  // The check offers the link; the fake presses Download.
  bool CheckAndDownload(const std::string& link) {
    Answer(HttpTestReply::Text("A new version is here: yours is out of date.\n#DL:<" + link + ">"));
    PlainWindowFakeQueueAnswer("Download");
    return UpdaterCheckForUpdates(4.82f, "Free");
  }

  std::string files_;
  std::unique_ptr<HttpsFileServer> https_;
};

TEST_F(UpdaterDownloadTest, DownloadsLandOnTheDesktopWithoutReplacingAnything) {
  Serve("Setup.exe", "new version one");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(ReadFile(desktop_ + "/Setup.exe"), "new version one");
  EXPECT_EQ(boxes_.back(), "Download Complete: " + std::string(UpdaterGetMessageText()));
  EXPECT_NE(std::string(UpdaterGetMessageText()).find("The file \"Setup.exe\" has been placed on your Desktop."),
            std::string::npos);

  Serve("Setup.exe", "new version two");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  Serve("Setup.exe", "new version three");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(DesktopFiles(), (std::vector<std::string>{"Latest_2_Setup.exe", "Latest_Setup.exe", "Setup.exe"}));
  EXPECT_EQ(ReadFile(desktop_ + "/Setup.exe"), "new version one");
  EXPECT_EQ(ReadFile(desktop_ + "/Latest_Setup.exe"), "new version two");
  EXPECT_EQ(ReadFile(desktop_ + "/Latest_2_Setup.exe"), "new version three");
  EXPECT_NE(std::string(UpdaterGetMessageText()).find("\"Latest_2_Setup.exe\""), std::string::npos);
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, AFullDesktopKeepsEveryFileAndTheDownloadFails) {
  fs::create_directories(desktop_);
  for (int n = 0; n < kUpdaterDesktopNames; ++n) WriteFile(desktop_ + "/" + UpdaterDesktopName("Setup.exe", n), "old");
  Serve("Setup.exe", "new");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(boxes_.back(), ": The download was not completed.");
  EXPECT_TRUE(LogContains("There was a problem moving the file to the desktop"));
  for (int n = 0; n < kUpdaterDesktopNames; ++n) EXPECT_EQ(ReadFile(desktop_ + "/" + UpdaterDesktopName("Setup.exe", n)), "old");
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, AnErrorPageIsNotSavedAsTheFile) {
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Missing.exe")));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("Problem (from: 8  error: 404)"));
  EXPECT_TRUE(DesktopFiles().empty());
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, LinksOtherThanHttpsAreRefusedBeforeAnythingIsFetched) {
  Serve("Setup.exe", "x");
  const std::string http = "http://127.0.0.1:" + std::to_string(https_->Port()) + "/Setup.exe";
  for (const std::string& link : {http, std::string("file://") + files_ + "/Setup.exe", std::string("../x")}) {
    SCOPED_TRACE(link);
    boxes_.clear();
    EXPECT_FALSE(CheckAndDownload(link));
    EXPECT_EQ(boxes_, std::vector<std::string>{": Internal Error 3."});
  }
  EXPECT_TRUE(DesktopFiles().empty());
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, ACertificateNotTrustedFailsTheDownload) {
  PlatformInternetSetCaFileForTests(nullptr);  // the system's authorities do not know it
  Serve("Setup.exe", "x");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("Problem (from: 8  error: 60)"));  // CURLE_PEER_FAILED_VERIFICATION
  EXPECT_TRUE(DesktopFiles().empty());
}

TEST_F(UpdaterDownloadTest, CancelLeavesNoPartFileAndOnlyTheNotCompletedBox) {
  Serve("Setup.exe", std::string(4 << 20, 'c'));
  Answer(HttpTestReply::Text("Yours is out of date.\n#DL:<" + https_->Url("/Setup.exe") + ">"));
  PlainWindowFakeQueueAnswer("Download");
  PlainWindowFakeQueueAnswer("Cancel");
  ASSERT_TRUE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("CANCEL"));
  EXPECT_FALSE(LogContains("Problem (from"));
  EXPECT_FALSE(fs::exists(PartFile()));
  EXPECT_TRUE(DesktopFiles().empty());
}

}  // namespace
