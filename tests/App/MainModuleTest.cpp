// Tests of the main module: the preview rectangle, the clock text, the
// status corners' places, the Menu button (fading, the hover that opens
// the in-game menu, the hide option under a screen) and the menu's card
// circle (its four orders of faces, its targets and its cycle of states).
#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "App/Main.h"
#include "Engine/EngRand.h"
#include "Game/CardsSettings.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"
#include "Shell/Shell.h"
#include "tests/App/PlayFixture.h"
#include "tests/Support/ScreensStandIn.h"

namespace {

TEST(MainPreviewTest, TheRectangleFollowsTheWindowSize) {
  struct Case {
    int w, h;
    MainPreviewRect rect;
  } cases[] = {
      {1024, 768, {286, 166, 738, 601}},
      {640, 480, {178, 104, 461, 375}},
      {1280, 720, {357, 156, 922, 563}},
  };
  for (const Case& c : cases) {
    const MainPreviewRect r = MainPreviewRectFor(c.w, c.h);
    EXPECT_EQ(r.left, c.rect.left) << c.w;
    EXPECT_EQ(r.top, c.rect.top) << c.w;
    EXPECT_EQ(r.right, c.rect.right) << c.w;
    EXPECT_EQ(r.bottom, c.rect.bottom) << c.w;
  }
}

TEST(MainClockTest, HoursAboveTwelveLoseTwelve) {
  struct Case {
    int hour, minute;
    const char* text;
  } cases[] = {{13, 5, "1:05"}, {0, 5, "0:05"}, {12, 0, "12:00"}, {23, 59, "11:59"}, {9, 30, "9:30"}};
  for (const Case& c : cases) {
    char text[16];
    MainFormatClock(c.hour, c.minute, text);
    EXPECT_STREQ(text, c.text);
  }
}

TEST(MainStatusTest, TheClockTakesTheCornerTheOthersLeave) {
  struct Case {
    bool time, score;
    float clockX, clockY;
  } cases[] = {
      {true, true, 0, 0},      // both others shown: top left
      {false, true, 0, 460},   // only the time off: bottom left
      {true, false, 580, 460}, // the score off: bottom right
      {false, false, 580, 460},
  };
  for (const Case& c : cases) {
    const MainStatusLayout l = MainStatusLayoutFor(c.time, c.score, true);
    EXPECT_FLOAT_EQ(l.clockX, c.clockX) << c.time << c.score;
    EXPECT_FLOAT_EQ(l.clockY, c.clockY) << c.time << c.score;
    EXPECT_FLOAT_EQ(l.timeX, c.time ? 0 : -1);
    EXPECT_FLOAT_EQ(l.scoreX, c.score ? 580 : -1);
  }
  EXPECT_LT(MainStatusLayoutFor(true, true, false).clockX, 0);
}

class MenuButtonTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    MainMenuButtonResetForTests();
    StandInResetCalls();
    GameSetProgramMode(kGameModePlaying);
  }
  void Tick(double seconds, bool screenOpen = false) {
    Run(seconds, 1.0f / 60.0f, [screenOpen] { MainMenuButtonTick(screenOpen); });
  }
  static bool MenuAskedFor() { return StandInCalled("ScreensStart InGame"); }
};

TEST_F(MenuButtonTest, ItFadesInWithinHalfASecondAndOutWithinAboutThree) {
  MainMenuButtonShow(false);
  MainMenuButtonRelease();  // only the fade, no menu
  Tick(0.25);
  EXPECT_NEAR(MainMenuButtonGetState().alpha, 0.5f, 0.05f);
  Tick(0.26);
  EXPECT_FLOAT_EQ(MainMenuButtonGetState().alpha, 1);
  GameSetProgramMode(kGameModeMainMenu);  // out of play it fades away
  Tick(2.9);
  EXPECT_GT(MainMenuButtonGetState().alpha, 0);
  Tick(0.2);
  EXPECT_FLOAT_EQ(MainMenuButtonGetState().alpha, 0);
  EXPECT_FALSE(MenuAskedFor());
}

TEST_F(MenuButtonTest, RestingHalfASecondOpensTheMenuOnce) {
  MainMenuButtonShow(false);
  Tick(0.45);
  EXPECT_FALSE(MenuAskedFor());
  Tick(0.1);
  EXPECT_TRUE(MenuAskedFor());
  EXPECT_FALSE(MainMenuButtonGetState().hoverOpen);
  StandInResetCalls();
  Tick(1.0);
  EXPECT_FALSE(MenuAskedFor());
}

TEST_F(MenuButtonTest, ThePointerLeavingBeforeHalfASecondOpensNothing) {
  MainMenuButtonShow(false);
  Tick(0.3);
  MainMenuButtonRelease();
  Tick(1.0);
  EXPECT_FALSE(MenuAskedFor());
  EXPECT_TRUE(MainMenuButtonIsOn());
}

TEST_F(MenuButtonTest, AtOnceIsFullyShownAndOpensNothing) {
  MainMenuButtonShow(true);
  const MainMenuButtonState s = MainMenuButtonGetState();
  EXPECT_TRUE(s.shown);
  EXPECT_FALSE(s.hoverOpen);
  EXPECT_FLOAT_EQ(s.alpha, 1);
  Tick(1.0);
  EXPECT_FALSE(MenuAskedFor());
}

TEST_F(MenuButtonTest, UnderAScreenTheHiddenButtonComesBackWithoutOpeningTheMenu) {
  // The pause screen is up (the shell ticks with its screen-open flag) and
  // the player hides the Menu button: the button may come and go, but the
  // in-game menu is never asked for over the screen.
  g_UserRecord.hideMenuButton = 1;
  MainMenuButtonShow(true);
  MainMenuButtonHide();
  EXPECT_FALSE(MainMenuButtonIsOn());
  MainMenuButtonTick(true);
  EXPECT_TRUE(MainMenuButtonIsOn());
  EXPECT_FALSE(MainMenuButtonGetState().hoverOpen);
  Tick(3.0, true);
  EXPECT_FALSE(MenuAskedFor());
  EXPECT_FALSE(LogContains("Mui already on"));
}

TEST_F(MenuButtonTest, TheHideOptionHidesTheButtonASecondAfterTheHover) {
  g_UserRecord.hideMenuButton = 1;
  MainMenuButtonShow(true);
  Tick(0.9);
  EXPECT_TRUE(MainMenuButtonIsOn());
  Tick(0.2);
  EXPECT_FALSE(MainMenuButtonIsOn());
}

class CardCircleTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    MainCardCircleResetForTests();
  }
};

TEST(MainCardCircleFaceTest, EachDirectionLaysOutTheDeckInItsOrder) {
  struct Case {
    int direction, index, suit, rank;
  } cases[] = {
      {0, 0, 1, 1}, {0, 1, 1, 2}, {0, 13, 2, 1}, {0, 51, 0, 13},
      {1, 0, 1, 1}, {1, 1, 2, 1}, {1, 4, 1, 2}, {1, 51, 0, 13},
      {2, 0, 0, 13}, {2, 1, 0, 12}, {2, 13, 3, 13}, {2, 51, 1, 1},
      {3, 0, 0, 13}, {3, 1, 3, 13}, {3, 4, 0, 12}, {3, 51, 1, 1},
  };
  for (const Case& c : cases) {
    int suit = -1, rank = -1;
    MainCardCircleFace(c.direction, c.index, &suit, &rank);
    EXPECT_EQ(suit, c.suit) << c.direction << " " << c.index;
    EXPECT_EQ(rank, c.rank) << c.direction << " " << c.index;
  }
  // Every order shows each card of the deck once.
  for (int d = 0; d < 4; ++d) {
    std::set<std::pair<int, int>> cards;
    for (int i = 0; i < kMainCircleCards; ++i) {
      int suit = -1, rank = -1;
      MainCardCircleFace(d, i, &suit, &rank);
      cards.insert({suit, rank});
    }
    EXPECT_EQ(cards.size(), 52u) << d;
  }
}

TEST_F(CardCircleTest, TheCardsFanOutToTheirPlacesAndTheCircleStartsAfresh) {
  EngRandCrtSeed(7);
  MainStartMenuCardAnim(true);
  MainCardCircleState s = MainGetCardCircleForTests();
  ASSERT_TRUE(s.running);
  EXPECT_EQ(s.state, 0);
  EXPECT_EQ(s.wakeMs, EngProgramGetCurrentMilliseconds() + 800);
  const float pi = 3.14159265f;
  for (int i = 0; i < kMainCircleCards; ++i) {
    EXPECT_FLOAT_EQ(s.angle[i], 0.28f);
    EXPECT_NEAR(s.target[i], 2 * pi * static_cast<float>(i) / 56 + 0.28f, 1e-5f);
  }
  // A running circle is left alone without the restart flag.
  const unsigned wake = s.wakeMs;
  SetTime(now_ + 0.5);
  MainStartMenuCardAnim(false);
  EXPECT_EQ(MainGetCardCircleForTests().wakeMs, wake);

  // Once fanned out, card i stands at its angle on the ellipse.
  bool sawState[13] = {};
  Run(3.0, 1.0f / 60.0f, [&sawState] {
    MainTickMenuCardAnim();
    sawState[MainGetCardCircleForTests().state] = true;
  });
  s = MainGetCardCircleForTests();
  EXPECT_GE(s.state, 2);
  const float r = 3.5f * CardsGetCardWidth();
  const int i = 20;
  EXPECT_NEAR(s.cards[i].pos[0], std::sin(s.target[i]) * r * 1.2f, 1e-3f);
  EXPECT_NEAR(s.cards[i].pos[1], std::cos(s.target[i]) * r, 1e-3f);
  // The whole cycle: waves, gathering, and a new circle.
  bool restarted = false;
  Run(60.0, 1.0f / 30.0f, [&sawState, &restarted] {
    const int before = MainGetCardCircleForTests().state;
    MainTickMenuCardAnim();
    const int after = MainGetCardCircleForTests().state;
    sawState[after] = true;
    if (before == 12 && after == 0) restarted = true;
  });
  for (int state = 0; state <= 12; ++state) EXPECT_TRUE(sawState[state]) << state;
  EXPECT_TRUE(restarted);
}

}  // namespace
