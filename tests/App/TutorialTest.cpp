// Tests of the tutorial of game 80: the box and button geometry (with an
// injected text measure), the offer once per player, the lesson's steps
// with their pointer frames and their boxes beside the piles, Cancel,
// clicks taken while it is on, a new deal in the middle of the lesson and
// the Help page's request.
#include <algorithm>
#include <cstring>
#include <string>

#include "App/Tutorial.h"
#include "Engine/EngDevice.h"
#include "Game/CardsSettings.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Shell/Shell.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/UserOptions.h"
#include "tests/App/PlayFixture.h"

namespace {

constexpr float kTextW = 200, kTextH = 60;

void FixedMeasure(const char*, float, float, float* width, float* height) {
  *width = kTextW;
  *height = kTextH;
}

class TutorialTest : public PlayFixture {
 protected:
  void SetUp() override {
    PlayFixture::SetUp();
    TutorialSetTextMeasure(FixedMeasure);
    TutorialResetForTests();
    GenSetCurGame(kTutorialGame);
    GameSetProgramMode(kGameModePlaying);
    // Game 80's table: eight foundations in a row, the stock at its left,
    // twenty piles in two rows of ten below (the reserves), seen through
    // a new player's camera.
    Gen& g = g_GenLive;
    g.numFoundations = 8;
    for (int i = 0; i < 8; ++i) SetPos(g.foundations[i], -28.0f + 8.0f * static_cast<float>(i), 20);
    g.numReserves = 20;
    for (int i = 0; i < 20; ++i) {
      SetPos(g.reserves[i], -36.0f + 8.0f * static_cast<float>(i % 10), i < 10 ? 5.0f : -8.0f);
    }
    SetPos(g.deck, -38, 20);
    GameCamerasSetDefaults(-1);
    GameCameraApplyPreset(1);
  }
  void TearDown() override {
    TutorialResetForTests();
    TutorialSetTextMeasure(nullptr);
    PlayFixture::TearDown();
  }
  static void SetPos(CardGroup& pile, float x, float y) {
    pile.pos[0] = x;
    pile.pos[1] = y;
  }
  // A left click released at a point of the 640 x 480 space.
  static bool ClickAt(float x, float y) {
    GameHandleMouseMove(static_cast<int>(x * 1024 / 640), static_cast<int>(y * 768 / 480));
    TutorialHandleMouse(0, true);
    return TutorialHandleMouse(0, false);
  }
  static void ClickFirst() {
    const TutorialStateForTests s = TutorialGetStateForTests();
    ClickAt(s.first[0] + s.first[2] / 2, s.first[1] + s.first[3] / 2);
  }
  void Wait(double seconds) { Run(seconds, 1.0f / 60.0f, [] { TutorialTick(); }); }

  // The step's box lies on the screen, its buttons inside it, and it covers
  // no part of the frame around the step's piles as the camera shows them.
  static void ExpectBesideItsPiles(const TutorialStateForTests& s) {
    SCOPED_TRACE("step " + std::to_string(s.stepIndex));
    float left = 640, top = 480, right = 0, bottom = 0;
    for (const float x : {s.pointer[0], s.pointer[2]}) {
      for (const float y : {s.pointer[1], s.pointer[3]}) {
        float px = 0, py = 0;
        ASSERT_TRUE(EngDeviceGetCurrent()->WorldPointToScreen(x, -y, 0, &px, &py));
        left = std::min(left, px * 640 / 1024), right = std::max(right, px * 640 / 1024);
        top = std::min(top, py * 480 / 768), bottom = std::max(bottom, py * 480 / 768);
      }
    }
    const float bx = s.box[0], by = s.box[1], bw = s.box[2], bh = s.box[3];
    EXPECT_TRUE(bx >= 0 && by >= 0 && bx + bw <= 640 && by + bh <= 480) << bx << ", " << by;
    EXPECT_TRUE(bx + bw <= left || bx >= right || by + bh <= top || by >= bottom)
        << "box " << bx << ", " << by << ", " << bw << " x " << bh << " on the piles " << left << ", " << top
        << " to " << right << ", " << bottom;
    EXPECT_TRUE(s.first[0] >= bx && s.first[0] + s.first[2] <= bx + bw && s.first[1] >= by &&
                s.first[1] + s.first[3] <= by + bh);
  }
};

TEST_F(TutorialTest, TheBoxIsTheTextPlusItsMarginsAndTheButtonsSitAtItsFoot) {
  const float w = kTextW + 40, h = kTextH + 80;
  struct Case {
    int position;
    float x;
  } cases[] = {{0, 320 - w / 2}, {1, 80}, {2, 560 - w}};
  for (const Case& c : cases) {
    for (bool two : {false, true}) {
      TutorialShowMessage("Some text", 1, two, c.position);
      const TutorialStateForTests s = TutorialGetStateForTests();
      EXPECT_FLOAT_EQ(s.box[0], c.x);
      EXPECT_FLOAT_EQ(s.box[1], 240 - h / 2);
      EXPECT_FLOAT_EQ(s.box[2], w);
      EXPECT_FLOAT_EQ(s.box[3], h);
      const float centre = c.x + w / 2;
      EXPECT_FLOAT_EQ(s.first[0], two ? centre - 110 : centre - 50);
      EXPECT_FLOAT_EQ(s.first[1], s.box[1] + h - 40);
      EXPECT_FLOAT_EQ(s.first[2], 100);
      EXPECT_FLOAT_EQ(s.first[3], 30);
      EXPECT_EQ(s.secondShown, two);
      if (two) {
        EXPECT_FLOAT_EQ(s.second[0], centre + 10);
      }
    }
  }
  // The text is cut at 127 characters.
  const std::string longText(200, 'x');
  TutorialShowMessage(longText.c_str(), 2, false, 0);
  EXPECT_EQ(std::strlen(TutorialGetStateForTests().text), 127u);
  EXPECT_STREQ(TutorialGetStateForTests().firstCaption, "End");
}

TEST_F(TutorialTest, TheLessonIsOfferedOncePerPlayerAndRunsItsSixSteps) {
  // Another game is never offered the lesson.
  GenSetCurGame(kGameKlondike);
  TutorialOfferFirstGame();
  EXPECT_FALSE(TutorialIsOn());
  GenSetCurGame(kTutorialGame);

  TutorialOfferFirstGame();
  TutorialStateForTests s = TutorialGetStateForTests();
  ASSERT_TRUE(s.on);
  EXPECT_EQ(s.stepState, 1);
  EXPECT_NE(std::string(s.text).find("This is your first game of Twenty."), std::string::npos);
  EXPECT_TRUE(s.firstShown);
  EXPECT_TRUE(s.secondShown);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kTutorialGame], 1u);

  ClickFirst();  // Ok: half a second, then the first step
  EXPECT_EQ(TutorialGetStateForTests().stepState, 2);
  EXPECT_FALSE(TutorialGetStateForTests().boxShown);
  Wait(0.4);
  EXPECT_EQ(TutorialGetStateForTests().stepIndex, -1);
  Wait(0.2);
  s = TutorialGetStateForTests();
  EXPECT_EQ(s.stepState, 3);
  EXPECT_EQ(s.stepIndex, 0);
  EXPECT_STREQ(s.text, "These are the foundation piles.\n\nFill these to complete the game.");
  // The frame takes in every foundation, half a card and a margin wider.
  const float padX = CardsGetCardWidth() / 2 + 1.0f, padY = CardsGetCardHeight() / 2 + 1.5f;
  ASSERT_TRUE(s.pointerShown);
  EXPECT_FLOAT_EQ(s.pointer[0], -28 - padX);
  EXPECT_FLOAT_EQ(s.pointer[2], 28 + padX);
  EXPECT_FLOAT_EQ(s.pointer[1], -(20 + padY));  // y counted downward
  EXPECT_FLOAT_EQ(s.pointer[3], -(20 - padY));

  ExpectBesideItsPiles(s);

  struct Step {
    float left, right;
  } steps[] = {
      {-28 - padX, -4 + padX},   // foundations 0-3
      {4 - padX, 28 + padX},     // foundations 4-7
      {-36 - padX, 36 + padX},   // the twenty piles in the middle
      {-36 - padX, 36 + padX},
      {-38 - padX, -38 + padX},  // the stock
  };
  for (const Step& step : steps) {
    ClickFirst();
    s = TutorialGetStateForTests();
    EXPECT_FLOAT_EQ(s.pointer[0], step.left) << s.stepIndex;
    EXPECT_FLOAT_EQ(s.pointer[2], step.right) << s.stepIndex;
    ExpectBesideItsPiles(s);
  }
  EXPECT_EQ(s.stepIndex, 5);
  ClickFirst();  // the closing box with End
  s = TutorialGetStateForTests();
  EXPECT_FALSE(s.pointerShown);
  EXPECT_STREQ(s.firstCaption, "End");
  EXPECT_FALSE(s.secondShown);
  ClickFirst();
  s = TutorialGetStateForTests();
  EXPECT_FALSE(s.on);
  EXPECT_EQ(s.stepState, 4);

  // Offered once: the count is at least 1 now.
  TutorialOfferFirstGame();
  EXPECT_FALSE(TutorialIsOn());
}

TEST_F(TutorialTest, WhileOnEveryClickIsTakenButOnlyTheButtonsAct) {
  EXPECT_FALSE(TutorialHandleMouse(0, false));  // off: the game's
  TutorialOfferFirstGame();
  EXPECT_TRUE(ClickAt(10, 10));  // on the table: taken, nothing happens
  EXPECT_TRUE(TutorialHandleMouse(1, false));
  EXPECT_EQ(TutorialGetStateForTests().stepState, 1);
  const TutorialStateForTests s = TutorialGetStateForTests();
  // The button's edge counts as inside: Cancel switches the lesson off.
  EXPECT_TRUE(ClickAt(s.second[0], s.second[1]));
  EXPECT_FALSE(TutorialIsOn());
}

TEST_F(TutorialTest, ANewDealInTheLessonStartsItAgainFromTheFirstStep) {
  TutorialOfferFirstGame();
  ClickFirst();
  Wait(0.6);
  ClickFirst();
  ClickFirst();
  ClickFirst();
  EXPECT_EQ(TutorialGetStateForTests().stepIndex, 3);
  TutorialRestart();
  EXPECT_EQ(TutorialGetStateForTests().stepState, 2);
  Wait(0.6);
  EXPECT_EQ(TutorialGetStateForTests().stepIndex, 0);
  EXPECT_EQ(TutorialGetStateForTests().stepState, 3);
}

// Reading the lesson is not playing: the game's time, and with it the
// score's time deduction, waits while the tutorial is shown, and counts
// again once it is closed.
TEST_F(TutorialTest, TheClockAndTheScoreWaitWhileTheLessonIsShown) {
  const auto play = [this](double seconds) { Run(seconds, 1.0f / 60.0f, [] { GameTickNoWindowOpen(); }); };
  GameTimeReset();
  GameResetIdleTimer();
  play(3);
  EXPECT_STREQ(GameTimeGetString(), "0:03");
  TutorialOfferFirstGame();
  ASSERT_TRUE(TutorialIsOn());
  const std::int32_t score = g_UserOptions.runningScore[kTutorialGame];
  play(40);
  EXPECT_STREQ(GameTimeGetString(), "0:03") << "the offer was read for 40 s";
  ClickFirst();  // Ok: the lesson
  play(40);
  ASSERT_EQ(TutorialGetStateForTests().stepState, 3);
  EXPECT_STREQ(GameTimeGetString(), "0:03") << "the first step was read for 40 s";
  EXPECT_EQ(g_UserOptions.elapsedSeconds[kTutorialGame], 3);
  EXPECT_EQ(g_UserOptions.runningScore[kTutorialGame], score);
  TutorialResetForTests();  // the lesson ends
  play(5);
  EXPECT_STREQ(GameTimeGetString(), "0:08");
}

TEST_F(TutorialTest, TheHelpPagesRequestStartsTheLessonAfterTheOffer) {
  g_UserOptions.gamesPlayed[kTutorialGame] = 4;
  TutorialSetRequest(2);
  TutorialOfferFirstGame();  // no offer: the request is pending
  EXPECT_FALSE(TutorialIsOn());
  Wait(0.6);
  const TutorialStateForTests s = TutorialGetStateForTests();
  EXPECT_TRUE(s.on);
  EXPECT_EQ(s.request, 0);
  EXPECT_EQ(s.stepIndex, 0);
  EXPECT_EQ(g_UserOptions.gamesPlayed[kTutorialGame], 4u);
}

}  // namespace
