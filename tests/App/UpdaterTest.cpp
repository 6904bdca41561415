// Tests of the update check and download: the weekly limit, the request,
// the reply, its marks and the link rules, the kinds of file, the check
// against a loopback server (also one that misbehaves, driven frame by
// frame as the game's loop drives it), and downloads from a loopback https
// server onto a private desktop, answered through the plain window's
// headless fake (Download, Close, Cancel), with what arrived checked.
#include <tomcrypt.h>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/PrefFolder.h"
#include "App/Updater.h"
#include "Engine/DX9/SWin.h"
#include "Engine/EngJob.h"
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

std::string Reply(const std::string& text, bool tooLong = false, UpdaterFileFacts* facts = nullptr) {
  std::vector<char> buffer(kUpdaterReplySize + 1, '\0');
  text.copy(buffer.data(), std::min(text.size(), static_cast<std::size_t>(kUpdaterReplySize)));
  char link[kUpdaterLinkSize];
  bool longLink = false;
  if (!UpdaterParseReply(buffer.data(), link, &longLink, facts)) return "<error>";
  EXPECT_EQ(longLink, tooLong) << text;
  return std::string(buffer.data()) + "|" + link;
}

std::string Sha256(const std::string& bytes) {
  hash_state state;
  sha256_init(&state);
  sha256_process(&state, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  unsigned char digest[32];
  sha256_done(&state, digest);
  static const char* kHex = "0123456789abcdef";
  std::string hex;
  for (const unsigned char b : digest) hex += std::string{kHex[b >> 4], kHex[b & 15]};
  return hex;
}

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// The updater run frame by frame as the game's loop runs it.
FrameRun DriveUpdater(double limitSeconds, const std::function<void()>& eachFrame = nullptr) {
  return RunFramesWhile([] { return UpdaterIsBusy(); }, limitSeconds, [&] {
    UpdaterTick();
    if (eachFrame) eachFrame();
  });
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
      // The message ends at its first mark, wherever the link is.
      {"out of date.\n#SIZE:<12>#SHA256:<ab>#DL:<https://h/a.exe>", "out of date.\n|https://h/a.exe", false},
      {"out of date.\n#DL:<https://h/a.exe>#SIZE:<12>", "out of date.\n|https://h/a.exe", false},
      {"out of date. #SHA256:<x> later", "out of date. |", false},
  };
  for (const Case& c : cases) EXPECT_EQ(Reply(c.reply, c.tooLong), c.expected) << c.reply.substr(0, 60);
}

TEST(UpdaterRulesTest, TheReplyMayStateTheFilesSizeAndSha256) {
  const std::string digest = Sha256("x");
  std::string upper = digest;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  struct Case {
    std::string marks;
    std::uint64_t size;
    std::string sha256;
    bool unreadable;
  } cases[] = {
      {"", 0, "", false},
      {"#SIZE:<2000>", 2000, "", false},
      {"#SIZE:<1073741824>#SHA256:<" + digest + ">", 1073741824, digest, false},
      {"#SHA256:<" + upper + ">", 0, digest, false},  // either case, kept in lower case
      {"#SIZE:<1073741825>", 0, "", true},             // above 1 GiB
      {"#SIZE:<0>", 0, "", true},
      {"#SIZE:<-5>", 0, "", true},
      {"#SIZE:<12kB>", 0, "", true},
      {"#SIZE:<99999999999999999999>", 0, "", true},
      {"#SHA256:<" + digest.substr(1) + ">", 0, "", true},
      {"#SHA256:<" + digest.substr(1) + "g>", 0, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marks);
    UpdaterFileFacts facts;
    EXPECT_EQ(Reply("Yours is out of date." + c.marks + "#DL:<https://h/Setup.exe>", false, &facts),
              "Yours is out of date.|https://h/Setup.exe");
    EXPECT_EQ(facts.size, c.size);
    EXPECT_EQ(facts.sha256, c.sha256);
    EXPECT_EQ(facts.unreadable, c.unreadable);
  }
}

TEST(UpdaterRulesTest, AFileWithoutSha256IsTakenOnlyWhenItBeginsAsItsKindDoes) {
  const std::string gzip("\x1f\x8b\x08\x00", 4);
  struct Case {
    const char* name;
    std::string head;
    bool taken;
  } cases[] = {
      {"Cardolia_4.90.tar.gz", gzip, true},
      {"Cardolia_4.90.TGZ", gzip, true},
      {"Cardolia_4.90.tar.gz", RandomBytes(2000, 1), false},
      {"Cardolia_4.90.tar.gz", "<html>Not here</html>", false},
      {"Cardolia_4.90.tar.gz", "", false},
      {"Setup.exe", "MZ\x90", true},
      {"Setup.exe", "ZM", false},
      {"Setup.msi", std::string("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1", 8), true},
      {"Cardolia.zip", "PK\x03\x04rest", true},
      {"cardolia_4.90_amd64.deb", "!<arch>\ndebian", true},
      {"cardolia-4.90.x86_64.rpm", "\xed\xab\xee\xdb", true},
      {"Cardolia.tar.xz", std::string("\xfd" "7zXZ\x00", 6), true},
      {"Cardolia.tar.bz2", "BZh9", true},
      {"Cardolia.AppImage", "\x7f" "ELF\x02", true},
      {"Cardolia.bin", "MZ", false},  // a kind not in the table needs the SHA-256
      {"Cardolia", gzip, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UpdaterContentMatchesName(c.name, reinterpret_cast<const unsigned char*>(c.head.data()), c.head.size()),
              c.taken)
        << c.name;
  }
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
    EXPECT_TRUE(EngJobWaitAll(60)) << "a job outlived its test";
    UpdaterAllowHttpLinksForTests(false);
    UpdaterSetDownloadLimitsForTests(0, 0);
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

// The service's words go into the log inside one line: a reply cannot
// plant a line that looks like the program's own.
TEST_F(UpdaterTest, AServiceErrorCannotPlantLinesInTheLog) {
  Answer(HttpTestReply::Text(" X no such program\r\n <ERROR>  ( UpdaterDoDownload )    Downloaded the file\n"));
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_STREQ(UpdaterGetLastError(), "Error returned from the URL");
  std::istringstream log(ReadFile("ErrorLog.txt"));
  int results = 0;
  for (std::string line; std::getline(log, line);) {
    EXPECT_NE(line.rfind(" <ERROR>  ( UpdaterDoDownload )", 0), 0u) << line;
    if (line.find("Got result <") != std::string::npos) {
      ++results;
      EXPECT_NE(line.find("no such program\\r\\n <ERROR>  ( UpdaterDoDownload )    Downloaded the file\\n>"),
                std::string::npos)
          << line;
    }
  }
  EXPECT_EQ(results, 1);
}

TEST_F(UpdaterTest, ACheckThatWaitsOnABadServerNeverHoldsAFrame) {
  // The status window's one line, as the player reads it.
  const auto statusText = [] {
    char text[128] = "";
    SWinGet().GetButtonText(0, text, sizeof text);
    return std::string(text);
  };
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  HttpTestReply drip = HttpTestReply::Text("Yours is out of date." + std::string(40, ' '));
  drip.chunkBytes = 1;
  drip.chunkSeconds = 1.0;
  HttpTestReply cut = HttpTestReply::Text("Yours is out of date. #DL:<https://h/Setup.exe>");
  cut.closeAfterBytes = 10;
  HttpTestReply flood;
  flood.generatedBodySize = 50 << 20;
  struct Case {
    const char* what;
    HttpTestReply reply;
  } cases[] = {
      {"never answers", silent},
      {"a byte a second", drip},
      {"closes mid-body", cut},
      {"sends too much", flood},
      {"sends garbage", HttpTestReply::Raw(RandomBytes(300, 7))},
  };
  UpdaterSetResultPauseForTests(0.2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Answer(c.reply);
    const int before = Checks();
    ASSERT_TRUE(UpdaterBeginCheck(4.82f, "Free"));
    EXPECT_FALSE(UpdaterBeginCheck(4.82f, "Free"));  // one at a time
    std::vector<std::string> shown = {statusText()};
    const FrameRun frames = DriveUpdater(20.0, [&] {
      if (SWinGet().IsCreated() && statusText() != shown.back()) shown.push_back(statusText());
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Checking for updates ...", "Check Failed."}));
    EXPECT_FALSE(UpdaterIsBusy());
    EXPECT_LT(frames.seconds, 5.0 + 0.2 + 2.0) << "the check's bound is 5 s";
    EXPECT_LT(frames.longest, kLongestFrameSeconds);
    EXPECT_GE(frames.count, static_cast<int>(frames.seconds * 20)) << "frames went on while the check waited";
    EXPECT_EQ(Checks() - before, 1);
    EXPECT_STREQ(UpdaterGetLastError(), "Could not read result from the URL");
    EXPECT_FALSE(SWinGet().IsCreated());
    EXPECT_FALSE(UpdaterDownloadPlaced());
  }
  EXPECT_TRUE(boxes_.empty());
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
  // The check offers the link, with marks before it; the fake presses
  // Download. True when the file was placed.
  bool CheckAndDownload(const std::string& link, const std::string& marks = "") {
    Answer(HttpTestReply::Text("A new version is here: yours is out of date.\n" + marks + "#DL:<" + link + ">"));
    PlainWindowFakeQueueAnswer("Download");
    return UpdaterCheckForUpdates(4.82f, "Free");
  }
  static std::string SizeMark(std::size_t size) { return "#SIZE:<" + std::to_string(size) + ">"; }
  static std::string DigestMark(const std::string& bytes) { return "#SHA256:<" + Sha256(bytes) + ">"; }

  std::string files_;
  std::unique_ptr<HttpsFileServer> https_;
};

TEST_F(UpdaterDownloadTest, DownloadsLandOnTheDesktopWithoutReplacingAnything) {
  Serve("Setup.exe", "MZ new version one");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(ReadFile(desktop_ + "/Setup.exe"), "MZ new version one");
  EXPECT_EQ(boxes_.back(), "Download Complete: " + std::string(UpdaterGetMessageText()));
  EXPECT_NE(std::string(UpdaterGetMessageText()).find("The file \"Setup.exe\" has been placed on your Desktop."),
            std::string::npos);

  Serve("Setup.exe", "MZ new version two");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  Serve("Setup.exe", "MZ new version three");
  ASSERT_TRUE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(DesktopFiles(), (std::vector<std::string>{"Latest_2_Setup.exe", "Latest_Setup.exe", "Setup.exe"}));
  EXPECT_EQ(ReadFile(desktop_ + "/Setup.exe"), "MZ new version one");
  EXPECT_EQ(ReadFile(desktop_ + "/Latest_Setup.exe"), "MZ new version two");
  EXPECT_EQ(ReadFile(desktop_ + "/Latest_2_Setup.exe"), "MZ new version three");
  EXPECT_NE(std::string(UpdaterGetMessageText()).find("\"Latest_2_Setup.exe\""), std::string::npos);
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, OnlyTheFileTheReplyNamesIsCalledComplete) {
  const std::string gzip = std::string("\x1f\x8b\x08\x00", 4) + RandomBytes(1996, 3);
  const std::string random = RandomBytes(2000, 4);
  struct Case {
    const char* what;
    const char* name;
    std::string bytes;
    std::string marks;
    bool placed;
    const char* logged;  // why not
  } cases[] = {
      {"random bytes named a tarball", "Cardolia_4.90.tar.gz", random, "", false, "is not of the kind its name says"},
      {"a tarball", "Cardolia_4.90.tar.gz", gzip, "", true, nullptr},
      {"the stated size and SHA-256", "Cardolia_4.90.tar.gz", gzip, SizeMark(2000) + DigestMark(gzip), true, nullptr},
      {"any kind with its SHA-256", "Cardolia_4.90.bin", random, DigestMark(random), true, nullptr},
      {"another file's SHA-256", "Cardolia_4.90.tar.gz", gzip, DigestMark(random), false,
       "The file's SHA-256 is not the one stated"},
      {"an unknown kind without SHA-256", "Cardolia_4.90.bin", random, "", false, "is not of the kind"},
      {"longer than stated", "Cardolia_4.90.tar.gz", gzip, SizeMark(1999), false, "the 1999 bytes expected"},
      {"shorter than stated", "Cardolia_4.90.tar.gz", gzip, SizeMark(2001), false,
       "The reply is 2000 bytes long where 2001 were stated"},
      {"an empty file", "Cardolia_4.90.tar.gz", "", "", false, "The file is empty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(desktop_);
    boxes_.clear();
    ClearLog();
    Serve(c.name, c.bytes);
    EXPECT_EQ(CheckAndDownload(https_->Url(std::string("/") + c.name), c.marks), c.placed);
    if (c.placed) {
      EXPECT_EQ(ReadFile(desktop_ + "/" + c.name), c.bytes);
      EXPECT_EQ(boxes_.back().rfind("Download Complete: ", 0), 0u);
    } else {
      EXPECT_TRUE(DesktopFiles().empty());
      EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
      EXPECT_TRUE(LogContains(c.logged)) << c.logged;
    }
    EXPECT_FALSE(fs::exists(PartFile()));
  }
  // Marks that do not read: nothing is fetched.
  boxes_.clear();
  Serve("Setup.exe", "MZ");
  EXPECT_FALSE(CheckAndDownload(https_->Url("/Setup.exe"), "#SIZE:<two>"));
  EXPECT_EQ(boxes_, std::vector<std::string>{": Internal Error 3."});
  EXPECT_TRUE(LogContains("Invalid file size or SHA-256"));
}

TEST_F(UpdaterDownloadTest, ALargeDownloadLogsAFewLinesAndShowsItsPercentage) {
  const std::string big = std::string("\x1f\x8b", 2) + std::string((8 << 20) - 2, 'z');
  Serve("Cardolia_4.90.tar.gz", big);
  Answer(HttpTestReply::Text("Yours is out of date.\n" + SizeMark(big.size()) + "#DL:<" +
                             https_->Url("/Cardolia_4.90.tar.gz") + ">"));
  PlainWindowFakeQueueAnswer("Download");
  ASSERT_TRUE(UpdaterBeginCheck(4.82f, "Free"));
  std::vector<std::string> shown;
  DriveUpdater(60.0, [&] {
    char text[160] = "";
    if (SWinGet().IsCreated() && SWinGet().GetButtonText(0, text, sizeof text) &&
        std::string(text).rfind("Downloading Cardolia", 0) == 0 && (shown.empty() || shown.back() != text)) {
      shown.push_back(text);
    }
  });
  ASSERT_TRUE(UpdaterDownloadPlaced());
  EXPECT_EQ(fs::file_size(desktop_ + "/Cardolia_4.90.tar.gz"), big.size());
  int downloadLines = 0;
  for (const std::string& line : LogLines()) {
    if (line.find("ownload") != std::string::npos) ++downloadLines;
  }
  EXPECT_LE(downloadLines, 5) << "a line at the start, each quarter and the end";
  EXPECT_LE(LogLines().size(), 20u);
  // The window followed the transfer: rising percentages.
  ASSERT_FALSE(shown.empty());
  int last = -1;
  for (const std::string& text : shown) {
    int percent = -1;
    ASSERT_EQ(std::sscanf(text.c_str(), "Downloading Cardolia_4.90.tar.gz (%d%%) ...", &percent), 1) << text;
    EXPECT_GT(percent, last);
    last = percent;
  }
}

TEST_F(UpdaterDownloadTest, AFullDesktopKeepsEveryFileAndTheDownloadFails) {
  fs::create_directories(desktop_);
  for (int n = 0; n < kUpdaterDesktopNames; ++n) WriteFile(desktop_ + "/" + UpdaterDesktopName("Setup.exe", n), "old");
  Serve("Setup.exe", "MZ new");
  EXPECT_FALSE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(boxes_.back(), ": The download was not completed.");
  EXPECT_TRUE(LogContains("There was a problem moving the file to the desktop"));
  for (int n = 0; n < kUpdaterDesktopNames; ++n) EXPECT_EQ(ReadFile(desktop_ + "/" + UpdaterDesktopName("Setup.exe", n)), "old");
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, AnErrorPageIsNotSavedAsTheFile) {
  EXPECT_FALSE(CheckAndDownload(https_->Url("/Missing.exe")));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("Problem (from: 8  error: 404)"));
  EXPECT_TRUE(DesktopFiles().empty());
  EXPECT_FALSE(fs::exists(PartFile()));
}

TEST_F(UpdaterDownloadTest, LinksOtherThanHttpsAreRefusedBeforeAnythingIsFetched) {
  Serve("Setup.exe", "MZ");
  const std::string http = "http://127.0.0.1:" + std::to_string(https_->Port()) + "/Setup.exe";
  const std::string refused = ": The update service gave a download link that was refused (only a secure https link "
                              "to a plain file name is taken), so nothing was downloaded.";
  for (const std::string& link : {http, std::string("file://") + files_ + "/Setup.exe", https_->Url("/.."),
                                  https_->Url("/a\x01" "b.exe")}) {
    SCOPED_TRACE(link);
    boxes_.clear();
    ClearLog();
    EXPECT_FALSE(CheckAndDownload(link));
    EXPECT_EQ(boxes_, std::vector<std::string>{refused}) << "the service's link is refused, not an internal error";
    EXPECT_TRUE(LogContains("Invalid link name <"));
  }
  EXPECT_TRUE(LogContains("Invalid link name <https://127.0.0.1:" + std::to_string(https_->Port()) + "/a\\x01b.exe>"));
  EXPECT_TRUE(DesktopFiles().empty());
  EXPECT_FALSE(fs::exists(PartFile()));
}

// A disk that fills up while the file is written, or on the desktop it is
// moved to: the file is not called complete, nothing of it stays, and the
// player is told it could not be saved. (The last bytes of a file wait in
// its buffer and meet the full disk only as the file is closed.)
TEST_F(UpdaterDownloadTest, AFileThatDoesNotFitTheDiskIsNeverCalledComplete) {
  if (!RerunInPrivateMounts()) return;
  const std::string bytes = RandomBytes(2001000, 21);
  Serve("Cardolia_4.90.bin", bytes);
  const std::string marks = SizeMark(bytes.size()) + DigestMark(bytes);
  const std::string mainFolder = fs::path(PartFile()).parent_path().string();
  constexpr std::size_t kPage = 4096;
  const std::size_t pages = (bytes.size() + kPage - 1) / kPage;
  const std::string notSaved =
      ": The download was not completed.\n\nThe file could not be saved on this computer: No space left on device.";
  struct Case {
    const char* what;
    std::string folder;  // where the small disk is
    std::size_t pages;
    bool placed;
    const char* logged;
  } cases[] = {
      {"one page too few where it is written", mainFolder, pages - 1, false, "Could not write the file <"},
      {"half the room where it is written", mainFolder, pages / 2, false, "Could not write the file <"},
      {"room where it is written", mainFolder, pages + 1, true, nullptr},
      {"one page too few on the desktop", desktop_, pages - 1, false,
       "There was a problem moving the file to the desktop"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(desktop_);
    boxes_.clear();
    ClearLog();
    SmallDisk disk(c.folder, c.pages * kPage);
    ASSERT_TRUE(disk.Mounted());
    EXPECT_EQ(CheckAndDownload(https_->Url("/Cardolia_4.90.bin"), marks), c.placed);
    if (c.placed) {
      EXPECT_EQ(ReadFile(desktop_ + "/Cardolia_4.90.bin"), bytes);
      ASSERT_FALSE(boxes_.empty());
      EXPECT_EQ(boxes_.back().rfind("Download Complete: ", 0), 0u);
    } else {
      EXPECT_TRUE(DesktopFiles().empty());
      EXPECT_EQ(boxes_, std::vector<std::string>{notSaved});
      EXPECT_TRUE(LogContains(c.logged)) << c.logged;
    }
    EXPECT_FALSE(fs::exists(PartFile()));
  }
}

TEST_F(UpdaterDownloadTest, ACertificateNotTrustedFailsTheDownload) {
  PlatformInternetSetCaFileForTests(nullptr);  // the system's authorities do not know it
  Serve("Setup.exe", "MZ");
  EXPECT_FALSE(CheckAndDownload(https_->Url("/Setup.exe")));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("Problem (from: 8  error: 60)"));  // CURLE_PEER_FAILED_VERIFICATION
  EXPECT_TRUE(DesktopFiles().empty());
}

TEST_F(UpdaterDownloadTest, CancelLeavesNoPartFileAndOnlyTheNotCompletedBox) {
  Serve("Setup.exe", "MZ" + std::string(4 << 20, 'c'));
  Answer(HttpTestReply::Text("Yours is out of date.\n#DL:<" + https_->Url("/Setup.exe") + ">"));
  PlainWindowFakeQueueAnswer("Download");
  PlainWindowFakeQueueAnswer("Cancel");
  EXPECT_FALSE(UpdaterCheckForUpdates(4.82f, "Free"));
  EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
  EXPECT_TRUE(LogContains("CANCEL"));
  EXPECT_FALSE(LogContains("Problem (from"));
  EXPECT_FALSE(fs::exists(PartFile()));
  EXPECT_TRUE(DesktopFiles().empty());
}

// ---- Downloads from a server that misbehaves (plain http, allowed for tests) ------------------

TEST_F(UpdaterTest, ADownloadFromABadServerEndsInTimeWhileFramesGoOn) {
  UpdaterAllowHttpLinksForTests(true);
  UpdaterSetDownloadLimitsForTests(2, 2);
  const std::string gzip = std::string("\x1f\x8b", 2) + std::string(3000, 'g');
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  HttpTestReply drip = HttpTestReply::Text(gzip);
  drip.chunkBytes = 1;
  drip.chunkSeconds = 1.0;
  HttpTestReply cut = HttpTestReply::Text(gzip);
  cut.closeAfterBytes = 1000;
  HttpTestReply announcedHuge;  // 200 MB announced: refused before its body
  announcedHuge.generatedBodySize = 200 << 20;
  HttpTestReply endless;  // no length, more than may ever come
  endless.generatedBodySize = kUpdaterDefaultMaxBytes + (1 << 20);
  endless.withoutLength = true;
  HttpTestReply moreThanStated = HttpTestReply::Text(gzip + gzip);
  moreThanStated.withoutLength = true;
  struct Case {
    const char* what;
    HttpTestReply reply;
    std::string marks;
    double bound;  // seconds
    const char* logged;
  } cases[] = {
      {"never answers", silent, "", 2 + 2, "Problem (from: 8  error: 28)"},
      {"a byte a second", drip, "", 2 + 2, "Problem (from: 8  error: 28)"},
      {"closes mid-body", cut, "", 2, "Problem (from: 8  error: 18)"},
      {"sends garbage", HttpTestReply::Raw(RandomBytes(300, 9)), "", 2, "Problem (from: 8"},
      {"announces 200 MB", announcedHuge, "", 2, "The reply announces more than the 67108864 bytes expected"},
      {"sends more than 64 MiB", endless, "", 30, "More than the 67108864 bytes expected came"},
      {"sends more than stated", moreThanStated, "#SIZE:<3002>", 2, "More than the 3002 bytes expected came"},
  };
  const std::string link = server_.Url("/Cardolia_4.90.tar.gz");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxes_.clear();
    ClearLog();
    server_.SetReply("/Cardolia_4.90.tar.gz", c.reply);
    Answer(HttpTestReply::Text("Yours is out of date.\n" + c.marks + "#DL:<" + link + ">"));
    PlainWindowFakeQueueAnswer("Download");
    ASSERT_TRUE(UpdaterBeginCheck(4.82f, "Free"));
    const FrameRun frames = DriveUpdater(60.0);
    EXPECT_FALSE(UpdaterIsBusy());
    EXPECT_FALSE(UpdaterDownloadPlaced());
    EXPECT_LT(frames.seconds, c.bound + 2.0);
    EXPECT_LT(frames.longest, kLongestFrameSeconds);
    EXPECT_GE(frames.count, static_cast<int>(frames.seconds * 20)) << "frames went on while the download waited";
    EXPECT_EQ(boxes_, std::vector<std::string>{": The download was not completed."});
    EXPECT_TRUE(LogContains(c.logged)) << c.logged;
    EXPECT_FALSE(fs::exists(PartFile()));
    EXPECT_TRUE(DesktopFiles().empty());
  }
}

}  // namespace
