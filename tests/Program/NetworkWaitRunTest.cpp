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

  // While the check waits the player selection is there and drawn.
  EXPECT_TRUE(h.WaitUntilDrawn(kExitX, kExitY, 10)) << "the player selection was not drawn while the check waited";
  h.Screenshot(shots + "network-wait-first-start.png");

  // The check gives up after its 5 s; then the Internet test asks and waits
  // in turn, its own 5 s.
  ASSERT_TRUE(ProgramHarness::WaitUntil([&] { return requests() >= 2; }, 60)) << h.LogText();
  EXPECT_TRUE(h.IsWindowMapped());
  EXPECT_GT(h.PixelVirtual(kExitX, kExitY), 0) << "the player selection is not drawn while the test waits";

  // A click is taken while the test still waits, and the game ends: the
  // wait is given up, not sat out. The shutdown finds the test's request
  // still open, and the game asks the site nothing more (a wait sat out
  // would have told its failure and asked again). How soon it ends is the
  // shutdown's own time, which a busy machine stretches.
  ASSERT_TRUE(h.ClickVirtual(kExitX, kExitY));
  EXPECT_EQ(h.WaitForExit(10), 0) << h.LogText();
  EXPECT_NE(h.LogText().find("Job <HTTP test> ended at shutdown"), std::string::npos) << h.LogText();
  EXPECT_EQ(requests(), 2);
}

}  // namespace
