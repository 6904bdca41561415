// A quick click whose press and release reach the window system together
// (within one frame, at 60 or at 10 frames a second) through the window's
// pump on a real window (Mesa under Xvfb) with the real screens: the
// program gets the press and then the release, each once, and the click
// does what one click does: one card from the stock, one toolkit button
// pressed. Skipped without a display.
#include <vector>

#include <gtest/gtest.h>

#include "App/Splash.h"
#include "Engine/EngScreen.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/AnimSetup.h"
#include "Game/GameImports.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Screens/Screens.h"
#include "Shell/Shell.h"
#include "tests/Support/GameHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr int kButtonEvent = 2;

class ClickPixelTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    if (!GameHarness::HaveDisplay()) GTEST_SKIP() << "no X display";
    MWinInstallScreenHooks();
  }
  void TearDown() override {
    SplashStop();
    TempDirTest::TearDown();
  }

  // Passes of the loop at the frame time until the click is taken and the
  // cards have landed: two seconds of the clock after the last card flew.
  static void RunPasses(GameHarness& h, double frame) {
    double still = 0;
    for (int i = 0; i < static_cast<int>(60 / frame) && still < 2.0; ++i) {
      h.LoopPass(frame);
      still = AnimIsAnimating() ? 0 : still + frame;
    }
  }

  // The mouse-button events the program got: button, pressed.
  static std::vector<std::pair<int, int>> Buttons(const GameHarness& h) {
    std::vector<std::pair<int, int>> buttons;
    for (const GameHarness::InputEvent& e : h.InputEvents()) {
      if (e.kind == kButtonEvent) buttons.emplace_back(e.value1, e.value2);
    }
    return buttons;
  }
};

const std::vector<std::pair<int, int>> kOneClick = {{0, 1}, {0, 0}};

// A stock click of each kind takes one turn's cards from the deck: one in
// Las Vegas and Golf, three in Klondike, a row of ten in Spider.
TEST_F(ClickPixelTest, AQuickClickOnTheStockTakesOneTurn) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  ScreensStopCurrent(1);
  const struct {
    int game, turn;
  } games[] = {{kGameLasVegas, 1}, {kGameGolf, 1}, {kGameKlondike, 3}, {kGameSpider, 10}};
  for (const auto& g : games) {
    ASSERT_TRUE(h.Deal(g.game, 1));
    const CardGroup& deck = g_GenLive.deck;
    const Card& top = deck.cards[deck.numCards - 1];
    int x = 0, y = 0;
    ASSERT_TRUE(h.Project(deck.pos[0] + top.pos[0], deck.pos[1] + top.pos[1], deck.pos[2] + top.pos[2], &x, &y));
    for (double frame : {1.0 / 60.0, 1.0 / 10.0}) {
      SCOPED_TRACE(testing::Message() << "game " << g.game << ", " << 1 / frame << " frames a second");
      const int inDeck = deck.numCards;
      h.ClearInputEvents();
      h.PushWindowEvents({{-1, false, x, y}, {0, true, x, y}, {0, false, x, y}});
      RunPasses(h, frame);
      EXPECT_EQ(Buttons(h), kOneClick);
      EXPECT_EQ(deck.numCards, inDeck - g.turn);
    }
    // A longer click does the same.
    const int inDeck = deck.numCards;
    h.ClearInputEvents();
    h.PushWindowEvents({{0, true, x, y}});
    RunPasses(h, 1.0 / 60.0);
    h.PushWindowEvents({{0, false, x, y}});
    RunPasses(h, 1.0 / 60.0);
    EXPECT_EQ(Buttons(h), kOneClick);
    EXPECT_EQ(deck.numCards, inDeck - g.turn);
  }
}

// About in the main menu, and OK on the About screen, each pressed by a
// quick click.
TEST_F(ClickPixelTest, AQuickClickPressesAToolkitButtonOnce) {
  GameHarness h(dir_ + "/run");
  ASSERT_TRUE(h.Start(kWidth, kHeight));
  ASSERT_EQ(EngScreenGetCurrent(), g_ScreenMain);
  for (double frame : {1.0 / 60.0, 1.0 / 10.0}) {
    SCOPED_TRACE(testing::Message() << 1 / frame << " frames a second");
    h.ClearInputEvents();
    h.PushWindowEvents({{-1, false, 567, 458}, {0, true, 567, 458}, {0, false, 567, 458}});
    RunPasses(h, frame);
    EXPECT_EQ(Buttons(h), kOneClick);
    EXPECT_EQ(EngScreenGetCurrent(), g_ScreenAbout);
    h.ClearInputEvents();
    h.PushWindowEvents({{-1, false, 320, 399}, {0, true, 320, 399}, {0, false, 320, 399}});
    RunPasses(h, frame);
    EXPECT_EQ(Buttons(h), kOneClick);
    EXPECT_EQ(EngScreenGetCurrent(), g_ScreenMain);
  }
}

}  // namespace
