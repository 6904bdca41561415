// The drawn table on a real window (Mesa under Xvfb) through the test
// harness: a dealt game shows its cards, markers and the deck's count.
// Screenshots go to <build>/screenshots. Skipped without a display.
#include <string>

#include <gtest/gtest.h>

#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

class TablePixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!GameHarness::HaveDisplay()) GTEST_SKIP() << "no X display";
  }
};

TEST_F(TablePixelTest, AKlondikeDealShowsItsCards) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(1024, 768));
  ASSERT_TRUE(h.Deal(kGameKlondike, 1, FixtureKlondikePlaySetup));
  EXPECT_TRUE(h.Screenshot(HarnessScreenshotFolder() + "/Klondike.png"));
}

}  // namespace
