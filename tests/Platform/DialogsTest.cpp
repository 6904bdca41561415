// Tests of the message box's headless answers and the headless switch.
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "Platform/Dialogs.h"

namespace {

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_.c_str(), old_->c_str(), 1);
    } else {
      unsetenv(name_.c_str());
    }
  }

 private:
  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace

TEST(PlatformDialogs, HeadlessSwitch) {
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", "1");
    EXPECT_TRUE(PlatformIsHeadless());
  }
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", "0");
    ScopedEnv display("DISPLAY", ":99");
    EXPECT_FALSE(PlatformIsHeadless());
  }
  {
    ScopedEnv headless("CARDOLIA_HEADLESS", nullptr);
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    EXPECT_TRUE(PlatformIsHeadless());  // no display to show a box on
  }
}

TEST(PlatformDialogs, HeadlessBoxesTakeTheAnswerThatDoesNothing) {
  ScopedEnv headless("CARDOLIA_HEADLESS", "1");
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Title", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Text", "Title", MB_OK | MB_ICONERROR), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "Try again?", "Title", MB_YESNO | MB_ICONWARNING), IDNO);
  EXPECT_FALSE(PlatformOpenWithShell("ErrorLog.txt"));  // never runs anything headless
}
