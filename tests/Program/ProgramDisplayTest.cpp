// Program tests: Cardolia_DX9 started as a player starts it, each run on a
// private X server with its own home folder; screenshots go to
// <build>/screenshots.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

// Error lines of the log apart from those of pictures that later work draws
// (the score background 0135).
std::string ErrorsOf(const std::string& log) {
  std::string errors;
  std::size_t start = 0;
  while (start < log.size()) {
    const std::size_t end = log.find('\n', start);
    const std::string line = log.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const bool error = line.find(" <ERROR> ") != std::string::npos;
    const bool laterData = line.find("0135.dat") != std::string::npos ||
                           line.find("Could not load score bg texture") != std::string::npos;
    if (error && !laterData) errors += line + "\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return errors;
}

class ProgramDisplayTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
  }
  std::string shots_;
};

TEST_F(ProgramDisplayTest, FirstStartShowsThePlayerSelection) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(h.StartDisplay());
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 20));
  ProgramHarness::Settle(1.0);
  EXPECT_TRUE(h.Screenshot(shots_ + "Users.png"));
  EXPECT_TRUE(h.IsProgramRunning());
  h.ClickVirtual(516, 448);  // Exit Game
  EXPECT_EQ(h.WaitForExit(20), 0);
  EXPECT_EQ(ErrorsOf(h.LogText()), "");
}

}  // namespace
