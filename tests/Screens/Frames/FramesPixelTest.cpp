// The frames on demand on a real window (Mesa under Xvfb) with the real
// screens, the game shell and the application shell, passes run as the
// program's loop runs them on the test's clock: a frame drawn over an area
// only is, pixel for pixel, the frame a whole drawing of the same moment
// gives (the main menu's card circle and splash panel, the player
// selection's splash, cards carried over a table), a still table draws
// nothing but its clock corner once a second, and a deal run in one slow
// frame is drawn by itself. Work left for the next pass with no frame asked
// for is done without input. Skipped without a display.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/Main.h"
#include "App/Splash.h"
#include "App/WriteFailure.h"
#include "Engine/EngFrames.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/GameTime.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "Screens/GamePage.h"
#include "Screens/Main.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Shell/Shell.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"

// The harness resets the application shell's stand-in imports; here the
// real screens answer them, so there is nothing to reset.
void AppImportsResetForTests() {}

namespace {

constexpr int kWidth = 640, kHeight = 480;

// What the passes drew.
struct Tally {
  int passes = 0, whole = 0, areas = 0;
  long areaPixels = 0;
};

class FramesPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!GameHarness::HaveDisplay()) GTEST_SKIP() << "no X display";
    MWinInstallScreenHooks();
  }
  // The splash panel lives for the run, as the program's one panel does.
  void TearDown() override {
    SplashStop();
    TempDirTest::TearDown();
  }

  // Runs the loop's passes over seconds of the clock. After each pass that
  // drew an area, the back buffer must hold the frame a whole drawing gives
  // (drawn then, so that the next area builds on it as it would on its
  // own); at most a few pixels may differ where nothing was asked for.
  static void ExpectAreasDrawTheWholeFrame(GameHarness& h, double seconds, double step, Tally* tally,
                                           const char* what) {
    // Kept from pass to pass: two whole windows are read for every area.
    std::vector<std::uint32_t> part, whole;
    for (double t = 0; t < seconds; t += step) {
      bool drew = false;
      EngFramesArea area;
      if (!h.LoopPass(step, &drew, &area)) continue;
      ++tally->passes;
      if (!drew) continue;
      if (area.IsEmpty()) {
        ++tally->whole;
        continue;
      }
      ++tally->areas;
      tally->areaPixels += static_cast<long>(area.right - area.left) * (area.bottom - area.top);
      h.BackBuffer(&part);
      h.WholeFrame();
      h.BackBuffer(&whole);
      ASSERT_EQ(part.size(), whole.size());
      // The read-back pixels are opaque: alike as a block, they are alike in
      // colour (the usual case, checked at once).
      if (part == whole) continue;
      int differing = 0, firstX = -1, firstY = -1;
      for (std::size_t i = 0; i < part.size(); ++i) {
        if ((part[i] & 0xFFFFFF) == (whole[i] & 0xFFFFFF)) continue;
        if (differing++ == 0) {
          firstX = static_cast<int>(i % kWidth);
          firstY = static_cast<int>(i / kWidth);
        }
      }
      if (differing != 0) {
        HarnessWritePng(HarnessScreenshotFolder() + "/FramesArea.png", kWidth, kHeight, part);
        HarnessWritePng(HarnessScreenshotFolder() + "/FramesWhole.png", kWidth, kHeight, whole);
      }
      ASSERT_EQ(differing, 0) << what << " at " << t << " s: the area " << area.left << "," << area.top << " - "
                              << area.right << "," << area.bottom << " left " << differing
                              << " pixels unlike the whole frame, the first at " << firstX << "," << firstY;
    }
  }
};

// The circle fans out and turns its faces over behind the menu while the
// splash panel's sparkles turn in their square: frames of those areas
// only, at the rates asked for.
TEST_F(FramesPixelTest, TheMainMenuDrawsItsMovingAreasAsTheWholeFrame) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  ASSERT_EQ(GameGetProgramMode(), kGameModeMainMenu);
  h.WholeFrame();
  // The Game page makes its picture once it has stood a moment, its
  // message drawn whole; then only the moving areas are drawn.
  Tally making;
  ExpectAreasDrawTheWholeFrame(h, kGameSnapshotRestMs / 1000.0 + 0.5, 1.0 / 60.0, &making, "main menu");
  Tally tally;
  ExpectAreasDrawTheWholeFrame(h, 14, 1.0 / 60.0, &tally, "main menu");
  EXPECT_GT(tally.areas, 14 * 15);
  EXPECT_LT(tally.whole, 4);
  // Nothing near the whole screen: the circle's moving cards and the
  // splash's square.
  EXPECT_LT(tally.areaPixels / tally.areas, kWidth * kHeight * 3 / 4);
}

// Back at the player selection, only the splash's sparkles move.
TEST_F(FramesPixelTest, ThePlayerSelectionDrawsItsSparklesAsTheWholeFrame) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  MainControlPlayerChangeCB();
  ASSERT_EQ(EngScreenGetCurrent(), g_ScreenUsers);
  h.WholeFrame();
  Tally tally;
  // The panel fades in as a whole, then shows its sparkles.
  ExpectAreasDrawTheWholeFrame(h, 8, 1.0 / 60.0, &tally, "player selection");
  ASSERT_GT(tally.areas, 4 * 10) << tally.passes << " passes, " << tally.whole << " whole frames";
  EXPECT_LT(tally.areaPixels / tally.areas, kWidth * kHeight / 2);
}

// A card carried across the table draws the area it leaves and the one it
// reaches; a still table draws only its clock corner, once a second.
TEST_F(FramesPixelTest, ACarriedCardDrawsItsWayAndAStillTableOnlyItsClock) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  // Out of the menu as its New Game goes (the Menu button fades in at once).
  ScreensStopCurrent(1);
  MainMenuButtonShow(true);
  ASSERT_TRUE(h.Deal(kGameKlondike, 1));
  Tally settling;
  ExpectAreasDrawTheWholeFrame(h, 1, 1.0 / 60.0, &settling, "dealt table");
  Tally still;
  ExpectAreasDrawTheWholeFrame(h, 5, 1.0 / 60.0, &still, "still table");
  EXPECT_EQ(still.whole, 0);
  EXPECT_LE(still.areas, 5 * 3);
  EXPECT_LT(still.passes, 5 * 3);

  const CardGroup& column = g_GenLive.tableaus[0];
  const Card& top = column.cards[column.numCards - 1];
  int x = 0, y = 0;
  ASSERT_TRUE(h.Project(column.pos[0] + top.pos[0], column.pos[1] + top.pos[1], column.pos[2] + top.pos[2], &x, &y));
  h.MouseMove(x, y);
  h.LoopPass();
  h.MouseButton(0, true);
  h.LoopPass();
  ASSERT_EQ(g_GenLive.selection.numCards, 1);
  Tally carried;
  for (int step = 1; step <= 20; ++step) {
    h.MouseMove(x + step * 8, y + step * 10);
    ExpectAreasDrawTheWholeFrame(h, 3.0 / 60.0, 1.0 / 60.0, &carried, "carried card");
  }
  // The cards catch up with the pointer, then stand.
  ExpectAreasDrawTheWholeFrame(h, 1.0, 1.0 / 60.0, &carried, "carried card at rest");
  EXPECT_GT(carried.areas, 20);
  EXPECT_LT(carried.areaPixels / carried.areas, kWidth * kHeight / 3);
  h.MouseButton(0, false);
}

// On a machine busy with far more than its cores a pass can take seconds:
// the first tick after the deal's start delay then flies the whole deal,
// no frame having been asked for before it. Once the machine is quiet and
// nothing more is asked, the window shows the dealt table, not the undealt
// one until the next input.
TEST_F(FramesPixelTest, ADealFlownInOneSlowFrameIsDrawnWithoutInput) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  g_UserRecord.cardAnimationOn = 1;
  g_UserRecord.menuGame = kGameKlondike;
  h.WholeFrame();
  // Deal 1 leaves autoplay nothing to do: no flight after it asks for a
  // frame in its stead.
  MainControlPlayDealNumber(1);
  for (int pass = 0; pass < 8; ++pass) h.LoopPass(2.0);
  ASSERT_FALSE(AnimIsAnimating());
  ASSERT_EQ(g_GenLive.tableaus[6].numCards, 7);
  for (int pass = 0; pass < 60; ++pass) h.LoopPass();
  const std::vector<std::uint32_t> shown = h.BackBuffer();
  h.WholeFrame();
  const std::vector<std::uint32_t> whole = h.BackBuffer();
  ASSERT_EQ(shown.size(), whole.size());
  int differing = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) differing += (shown[i] & 0xFFFFFF) != (whole[i] & 0xFFFFFF) ? 1 : 0;
  if (differing != 0) {
    HarnessWritePng(HarnessScreenshotFolder() + "/SlowDealShown.png", kWidth, kHeight, shown);
    HarnessWritePng(HarnessScreenshotFolder() + "/SlowDealWhole.png", kWidth, kHeight, whole);
  }
  EXPECT_EQ(differing, 0) << "pixels of the window unlike the dealt table (SlowDealShown.png, SlowDealWhole.png)";
}

// Work a pass leaves for the next one without asking for a frame: the
// toolkit's press queued for its next tick, a notice of a file not written,
// cards set to fly in play. On a screen at rest, with nothing more asked
// and no input, the loop does it (and then rests again where the screen it
// leads to is still).
struct LeftWork {
  const char* what;
  bool inPlay;
  void (*leave)();
  bool (*done)();
  bool restsAfter;
};
void PrintTo(const LeftWork& work, std::ostream* out) { *out << work.what; }

const LeftWork kLeftWork[] = {
    {"the Options screen's Back queued for the toolkit's tick", false,
     [] {
       MWinButton* back = ScreenLookUp("Options").Optional("Back");
       ASSERT_NE(back, nullptr);
       back->GetParent()->SendButtonCallCallbackMessage(back);
     },
     [] { return EngScreenGetCurrent() == g_ScreenMain; }, false},
    {"a file not written, told over the Options screen", false,
     [] { WriteFailureNotify(WriteFailureKind::kSettings, nullptr); },
     [] { return g_MWin.IsOn() && g_MWin.IsPopupOpen() && WriteFailureGetPendingCount() == 0; }, true},
    {"a deal set to fly after its start delay", true,
     [] {
       GenNewGameWithNumber(2, true);
       AnimSetStartDelay();
     },
     [] { return !AnimHasWorkForTick() && g_GenLive.tableaus[6].numCards == 7; }, true},
};

class LeftWorkPixelTest : public FramesPixelTest, public ::testing::WithParamInterface<LeftWork> {};

TEST_P(LeftWorkPixelTest, IsDoneWithoutInput) {
  const LeftWork& work = GetParam();
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  g_UserRecord.cardAnimationOn = 1;
  if (work.inPlay) {
    ScreensStopCurrent(1);
    ASSERT_TRUE(h.Deal(kGameKlondike, 1));
    // The table's clock wakes the loop each second: it stops, as it does
    // behind the tutorial.
    GameTimeWait(true);
  } else {
    MainControlOptionsCB();
    ASSERT_EQ(EngScreenGetCurrent(), g_ScreenOptions);
  }
  constexpr int kMostPasses = 600;
  int passes = 0;
  while (passes < kMostPasses && h.LoopPass()) ++passes;
  ASSERT_LT(passes, kMostPasses) << "the screen never came to rest";
  work.leave();
  if (HasFatalFailure()) return;
  for (passes = 0; passes < kMostPasses && h.LoopPass() && !work.done(); ++passes) {
  }
  EXPECT_TRUE(work.done()) << "left standing after " << passes << " passes";
  if (!work.restsAfter) return;
  for (passes = 0; passes < kMostPasses && h.LoopPass(); ++passes) {
  }
  EXPECT_LT(passes, kMostPasses) << "the loop never came to rest again";
}

INSTANTIATE_TEST_SUITE_P(Kinds, LeftWorkPixelTest, ::testing::ValuesIn(kLeftWork));

}  // namespace
