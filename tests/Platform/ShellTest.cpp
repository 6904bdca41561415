// Tests of the shell opener: what reaches xdg-open (the address exactly as
// given, no command shell), a program started with its argument in its
// folder, refused verbs and empty names, and headless runs that start
// nothing. A fake xdg-open first on PATH writes its argument to a file.
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
  }
  void TearDown() override {
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
  // The file's text once it exists (the child runs on its own), or "".
  std::string WaitForFile(const std::string& name) {
    for (int i = 0; i < 200; ++i) {
      std::ifstream in(dir_ + "/" + name);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!text.empty() && text.back() == '\n') return text;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
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
  EXPECT_EQ(WaitForFile("opened.txt"), address + "\n");
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
  EXPECT_EQ(WaitForFile("edited.txt"), dir_ + "/work|My Deck/Carr\xC3\xA9 1.png\n");
}

TEST_F(ShellTest, RefusedRequestsAndHeadlessRunsStartNothing) {
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "print", "http://a.invalid/", "", "", SW_SHOWNORMAL)),
            SE_ERR_NOASSOC);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, "open", "", "", "", SW_SHOWNORMAL)), SE_ERR_FNF);
  EXPECT_EQ(Code(ShellExecuteA(nullptr, nullptr, nullptr, nullptr, nullptr, SW_SHOWNORMAL)), SE_ERR_FNF);
  setenv("CARDOLIA_HEADLESS", "1", 1);
  EXPECT_GT(Code(ShellExecuteA(nullptr, "OPEN", "http://a.invalid/page", "", "", SW_SHOWNORMAL)), 32);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/opened.txt"));
  // The listener saw all four requests, headless or not.
  EXPECT_EQ(seen_.files.size(), 4u);
  EXPECT_EQ(seen_.files.back(), "http://a.invalid/page");
}

}  // namespace
