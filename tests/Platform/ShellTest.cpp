// Tests of the shell opener: what reaches xdg-open (the address exactly as
// given, no command shell), a program started with its argument in its
// folder, refused verbs and empty names, and headless runs that start
// nothing. A fake xdg-open first on PATH writes its argument to a file.
// The test process adopts the opener's detached processes (a child
// subreaper), so it knows when they have ended, and that none was started.
#include <sys/prctl.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/Shell.h"
#include "tests/Support/TestSupport.h"

namespace {

std::intptr_t Code(HINSTANCE result) { return reinterpret_cast<std::intptr_t>(result); }

struct Seen {
  std::vector<std::string> files;
};

void Listen(const char*, const char* file, const char*, void* context) {
  static_cast<Seen*>(context)->files.push_back(file);
}

class ShellTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    for (const char* name : {"PATH", "CARDOLIA_HEADLESS", "DISPLAY"}) {
      const char* value = std::getenv(name);
      saved_.push_back({name, value ? value : "", value != nullptr});
    }
    // The fake opener writes its one argument, then a line end.
    std::filesystem::create_directories(dir_ + "/bin");
    std::filesystem::create_directories(dir_ + "/work");
    WriteFile("bin/xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"" + dir_ + "/opened.txt\"\n");
    std::filesystem::permissions(dir_ + "/bin/xdg-open", std::filesystem::perms::owner_all);
    setenv("PATH", (dir_ + "/bin:" + saved_[0].value).c_str(), 1);
    setenv("CARDOLIA_HEADLESS", "0", 1);
    setenv("DISPLAY", ":99", 1);
    PlatformShellSetListener(Listen, &seen_);
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  }
  void TearDown() override {
    EndedStarts(10);
    prctl(PR_SET_CHILD_SUBREAPER, 0);
    PlatformShellSetListener(nullptr, nullptr);
    for (const Saved& s : saved_) {
      if (s.set) {
        setenv(s.name.c_str(), s.value.c_str(), 1);
      } else {
        unsetenv(s.name.c_str());
      }
    }
    TempDirTest::TearDown();
  }
  // Waits until every process the opener started has ended and gives their
  // number; -1 when some still run after the time. A start detaches its
  // process before it returns, so the process is this one's by then.
  static int EndedStarts(double seconds) {
    int ended = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
      const pid_t pid = waitpid(-1, nullptr, WNOHANG);
      if (pid > 0) {
        ++ended;
      } else if (pid < 0 && errno == ECHILD) {
        return ended;
      } else if (std::chrono::steady_clock::now() >= until) {
        return -1;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }
  // The file's text once the process that writes it has ended.
  std::string FileAfterTheStart(const std::string& name) {
    EXPECT_EQ(EndedStarts(10), 1) << "one process started and ended";
    std::ifstream in(dir_ + "/" + name);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  struct Saved {
    std::string name, value;
    bool set;
  };
  std::vector<Saved> saved_;
  Seen seen_;
};

TEST_F(ShellTest, AnAddressReachesTheOpenerUnchanged) {
  // Blanks, quotes and shell characters stay one argument: no shell parses it.
  const std::string address = "http://scores.invalid/cgi-bin/x.cgi?game=Yukon&a=$(id);b='c' d";
  EXPECT_GT(Code(ShellExecuteA(nullptr, "open", address.c_str(), "", "C:\\", SW_SHOWNORMAL)), 32);
  EXPECT_EQ(FileAfterTheStart("opened.txt"), address + "\n");
  ASSERT_EQ(seen_.files.size(), 1u);
  EXPECT_EQ(seen_.files[0], address);
}

TEST_F(ShellTest, AProgramStartsInItsFolderWithItsArgument) {
  WriteFile("editor", "#!/bin/sh\nprintf '%s|%s\\n' \"$(pwd)\" \"$1\" > \"" + dir_ + "/edited.txt\"\n");
  std::filesystem::permissions(dir_ + "/editor", std::filesystem::perms::owner_all);
  // The game's text is CP1252 ("\xE9" an e acute); the program gets UTF-8.
  EXPECT_GT(Code(ShellExecuteA(nullptr, "open", (dir_ + "/editor").c_str(), "\"My Deck/Carr\xE9 1.png\"",
                               (dir_ + "/work").c_str(), SW_SHOWNORMAL)),
            32);
  EXPECT_EQ(FileAfterTheStart("edited.txt"), dir_ + "/work|My Deck/Carr\xC3\xA9 1.png\n");
}

TEST_F(ShellTest, RefusedRequestsAndHeadlessRunsStartNothing) {
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "http://a.invalid/", "", "", SW_SHOWNORMAL)),
            SE_ERR_NOASSOC);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "", "", "", SW_SHOWNORMAL)), SE_ERR_FNF);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, nullptr, nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_FNF);
  setenv("CARDOLIA_HEADLESS", "1", 1);
  EXPECT_GT(Code(ShellExecuteA(nullptr, "OPEN", "http://a.invalid/page", "", "", SW_SHOWNORMAL)), 32);
  // Not one process was started (none runs or has ended), so none can
  // still write the file.
  EXPECT_EQ(EndedStarts(0), 0);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/opened.txt"));
  // The listener saw all four requests, headless or not.
  EXPECT_EQ(seen_.files.size(), 4u);
  EXPECT_EQ(seen_.files.back(), "http://a.invalid/page");
}

}  // namespace
