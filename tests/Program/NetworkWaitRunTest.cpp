// The real program on a site that never answers: the first start opens the
// window before anything is asked of the site, the weekly check and the
// Internet test wait while the player selection is drawn, and the game takes
// a click meanwhile and ends without waiting for the site. Screenshot:
// <build>/screenshots/network-wait-first-start.png.
#include <chrono>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "tests/Support/HttpTestServer.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr const char* kCheckPath = "/cgi-bin/common/updater/CheckVersionV2.cgi";
// The player selection's "Exit Game".
constexpr float kExitX = 516, kExitY = 448;

class NetworkWaitRunTest : public TempDirTest {};

TEST_F(NetworkWaitRunTest, ASiteThatNeverAnswersHoldsNeitherTheWindowNorTheGame) {
  const std::string shots = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(shots);
  ProgramHarness h(dir_ + "/home");
  HttpTestReply silent;
  silent.stallBeforeHeaders = true;
  h.UpdateService().SetReply(kCheckPath, silent);
  ASSERT_TRUE(h.StartDisplay());
  const auto started = std::chrono::steady_clock::now();
  // A first start: the dialog (headless it plays), the weekly check and the
  // HTTP test are due.
  ASSERT_TRUE(h.StartProgram());

  // The check's request goes out once the window is up, not before.
  const auto requests = [&] { return h.UpdateService().RequestCount(kCheckPath); };
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return requests() >= 1; }, 60)) << h.LogText();
  EXPECT_TRUE(h.IsWindowMapped()) << "the check was asked before the window";
  const double toRequest = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  RecordProperty("SecondsToTheCheck", std::to_string(toRequest));

  // The check gives up after its 5 s; then the Internet test asks and waits
  // in turn. Meanwhile the player selection is there and drawn.
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return requests() >= 2; }, 60)) << h.LogText();
  EXPECT_TRUE(h.IsWindowMapped());
  EXPECT_TRUE(h.WaitUntilDrawn(kExitX, kExitY, 10)) << "the player selection was not drawn while the test waited";
  h.Screenshot(shots + "network-wait-first-start.png");

  // A click is taken while the test still waits, and the game ends at once:
  // the wait is given up, not sat out.
  ASSERT_TRUE(h.ClickVirtual(kExitX, kExitY));
  EXPECT_EQ(h.WaitForExit(4.0), 0) << h.LogText();
  EXPECT_EQ(requests(), 2);
}

}  // namespace
