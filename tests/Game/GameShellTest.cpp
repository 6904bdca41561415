// The game shell without a window: camera presets and keys, the menu corner
// before the cards, the idle pause on the test clock and the input that
// holds it off, Tab's stock click, the loading text, and the scene lights
// by the player's settings.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngLanguages.h"
#include "Engine/EngWindow.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/GameCameras.h"
#include "Shell/Shell.h"
#include "Game/CardsRender.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenLights.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/UserRecord.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

class GameShellTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StandInResetCalls();
    GameShellResetForTests();
    EngWindowSetScreenMode(1, 1280, 960, 32, -1);  // twice the 640 x 480 space
    GameCamerasSetDefaults(-1);
    ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, "T0: Kh 9s*; T1: 8h*"));
    GameSetProgramMode(kGameModePlaying);
    GameResetIdleTimer();
  }
  void TearDown() override {
    std::memset(EngWindowGetKeyStates(), 0, 256);
    GameShellResetForTests();
    GameTest::TearDown();
  }
  void Press(int key, bool ctrl = false) {
    std::uint8_t* keys = EngWindowGetKeyStates();
    keys[0x11] = ctrl ? 2 : 0;
    keys[key] = 2;
    GameInGameKeys();
    keys[key] = 0;
    keys[0x11] = 0;
    GameInGameKeys();  // seen up: the next press counts again
  }
};

TEST_F(GameShellTest, DigitKeysChooseTheCameraPresetOnce) {
  Press('7');
  EXPECT_EQ(g_UserRecord.currentCamera, 7);
  // Held down, a key counts once.
  std::uint8_t* keys = EngWindowGetKeyStates();
  keys[static_cast<unsigned char>('2')] = 2;
  GameInGameKeys();
  g_UserRecord.currentCamera = 9;
  GameInGameKeys();
  EXPECT_EQ(g_UserRecord.currentCamera, 9);
  keys[static_cast<unsigned char>('2')] = 0;
  // Ctrl with a digit is a table board, not a camera.
  Press('3', true);
  EXPECT_EQ(g_UserRecord.currentCamera, 9);
  EXPECT_EQ(g_UserRecord.currentBoard, 3);
  // The factory presets: the celebration's view and the main menu's.
  const CameraPreset* flying = GameCamerasGetDefault(kGameCameraFlyingCards);
  ASSERT_NE(flying, nullptr);
  EXPECT_FLOAT_EQ(flying->fieldOfView, 31.1f);
  EXPECT_FLOAT_EQ(g_UserRecord.cameras[kGameCameraMainMenu].aspect, 1.21f);
  EXPECT_EQ(GameCamerasGetDefault(12), nullptr);
}

TEST_F(GameShellTest, APressInTheMenuCornerOpensTheMenuAndLiftsNothing) {
  // (600, 10) of the 640 x 480 space is pixel (1200, 20) here.
  GameHandleMouseMove(1200, 20);
  GameHandleMouseButton(0, 1);
  EXPECT_EQ(StandInLastScreen(), "InGame");
  EXPECT_EQ(g_GenLive.selection.numCards, 0);
  // Away from the corner a press reaches the cards.
  StandInResetCalls();
  FixtureClick(kWhereTableau, 1, -1);
  EXPECT_EQ(StandInLastScreen(), "");
  EXPECT_EQ(g_GenLive.selection.numCards, 1);
  GenCancelSelection();
}

TEST_F(GameShellTest, AMinuteWithoutInputPausesButNotWhileCardsFly) {
  GameTimeReset();
  GameTimeReleaseHold();
  AdvanceTime(59.9);
  GameTickNoWindowOpen();
  EXPECT_EQ(StandInLastScreen(), "");
  // Cards in flight hold the pause back; the minute then starts again.
  ASSERT_TRUE(AnimSetupMoveNCardsFromTableauToFoundation(1, 1, 0, 0.001f));
  AdvanceTime(0.2);
  GameTickNoWindowOpen();
  EXPECT_EQ(StandInLastScreen(), "");
  AnimStopNow(true);
  AdvanceTime(59);
  GameTickNoWindowOpen();
  EXPECT_EQ(StandInLastScreen(), "");
  AdvanceTime(1.1);
  GameTickNoWindowOpen();
  EXPECT_EQ(StandInLastScreen(), "Pause");
  EXPECT_TRUE(CardsAreAllFacesHidden());  // the clock paused: faces hidden
  GameTimeResume();
}

// Keys, characters, the wheel and a double click are input as much as the
// mouse: each starts the idle minute afresh.
TEST_F(GameShellTest, EveryKindOfInputHoldsTheIdlePauseOff) {
  GameTimeReset();
  GameTimeReleaseHold();
  const struct {
    int kind, value;
    const char* what;
  } events[] = {{5, 'X', "key down"}, {6, 'X', "key up"}, {7, 'x', "character"}, {4, -120, "wheel"},
                {3, 0, "double click"}};
  for (const auto& e : events) {
    SCOPED_TRACE(e.what);
    StandInResetCalls();
    GameResetIdleTimer();
    AdvanceTime(40);
    GameTickNoWindowOpen();
    GameInputEventCB(e.kind, e.value, 0);
    AdvanceTime(40);
    GameTickNoWindowOpen();
    EXPECT_EQ(StandInLastScreen(), "") << "paused 80 s after the start, 40 s after the input";
    AdvanceTime(21);
    GameTickNoWindowOpen();
    EXPECT_EQ(StandInLastScreen(), "Pause");
    GameTimeResume();
  }
}

// Tab is the stock click: the deck's top card turns to the waste, and the
// player's pointer still names the card it was over. While cards are
// carried Tab does nothing.
TEST_F(GameShellTest, TabTurnsTheStockAndKeepsThePointer) {
  FixtureUseRealLayouts();  // the deck and the waste apart
  ASSERT_TRUE(FixtureTable(FixtureKlondikePlaySetup, "D: 5c 6d; T0: Kh 9s*; T1: 8h*"));
  float x = 0, y = 0;
  FixtureCardPlace(kWhereTableau + 1, 0, &x, &y);
  GenSetPointerTablePoint(x, y);
  Press(0x09);
  ASSERT_TRUE(RunAnimations());
  EXPECT_EQ(FixturePile(kWhereDeck), "5c");
  EXPECT_EQ(FixturePile(kWhereWaste), "6d*");
  int code = 0, card = 0;
  ASSERT_TRUE(GenHitTestPiles(&code, &card, false));
  EXPECT_EQ(code, kWhereTableau + 1);

  FixtureClick(kWhereTableau + 1, 0, -1);  // the 8 lifted
  ASSERT_TRUE(GenIsCarrying());
  Press(0x09);
  EXPECT_FALSE(AnimIsAnimating());
  EXPECT_EQ(FixturePile(kWhereDeck), "5c");
  EXPECT_TRUE(GenIsCarrying());
  GenCancelSelection();
}

TEST_F(GameShellTest, TheLoadingTextCountsThePercentFromOne) {
  ASSERT_TRUE(EngLanguagesInit(CARDOLIA_SOURCE_DIR "/Languages", "English"));
  const struct {
    int step;
    const char* text;
  } cases[] = {{0, "Loading Ann: 1%"}, {1, "Loading Ann: 1%"}, {3, "Loading Ann: 4%"}, {75, "Loading Ann: 100%"}};
  for (const auto& c : cases) {
    char text[128];
    GameFormatLoadingProgress(c.step, "Ann", text, sizeof(text));
    EXPECT_STREQ(text, c.text);
  }
  EngLanguagesRelease();
  char text[128];
  GameFormatLoadingProgress(3, "Ann", text, sizeof(text));
  EXPECT_STREQ(text, "Loading...");
}

TEST_F(GameShellTest, TheLightsFollowThePlayersSettings) {
  LightSettings settings;
  GenSetLightSettings(&settings);
  const struct {
    int system, position;
    float height, x, y, z;
  } cases[] = {{1, 0, 15, 0, 25, 15}, {1, 5, 30, -20, -20, 30}, {1, 42, 10, 0, 0, 10}, {0, 1, 15, 50, 50, 100}};
  for (const auto& c : cases) {
    settings.lightSystem = static_cast<std::uint8_t>(c.system);
    settings.positionSet = static_cast<std::uint8_t>(c.position);
    settings.height = c.height;
    GenApplyLights();
    const GenAppliedLights& applied = GenGetAppliedLightsForTests();
    EXPECT_EQ(applied.system, c.system);
    EXPECT_FLOAT_EQ(applied.vector[0], c.x);
    EXPECT_FLOAT_EQ(applied.vector[1], c.y);
    EXPECT_FLOAT_EQ(applied.vector[2], c.z);
  }
  // More fans than tableaus: the directional light comes from another side.
  g_GenLive.numFans = g_GenLive.numTableaus + 1;
  GenApplyLights();
  EXPECT_FLOAT_EQ(GenGetAppliedLightsForTests().vector[1], -100);
  GenSetLightSettings(nullptr);
}

}  // namespace
