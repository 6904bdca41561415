// GameState.cpp - the program state the shell shares with the layers below
// (see GameState.h).
#include "Game/GameState.h"

#include <cstdint>

#include "Engine/EngFont.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/UserRecord.h"

namespace {

constexpr int kKeyEscape = 0x1B;
constexpr float kMenuHotX = 555, kMenuHotY = 21;

struct GameState {
  int mode = kGameModeBeforeDevice;
  unsigned idleSince = 0;          // engine milliseconds of the last input
  float pointerVX = 0, pointerVY = 0;
};

GameState g_state;

}  // namespace

int GameGetProgramMode() { return g_state.mode; }
void GameSetProgramMode(int mode) { g_state.mode = mode; }

EngFont* GameGetFont() {
  static EngFont font;
  return &font;
}

void GameResetIdleTimer() { g_state.idleSince = EngProgramGetCurrentMilliseconds(); }
void GameSetIdleSince(unsigned ms) { g_state.idleSince = ms; }
unsigned GameGetIdleSince() { return g_state.idleSince; }

void GameSetPointerVirtual(float x, float y) {
  g_state.pointerVX = x;
  g_state.pointerVY = y;
}

void GameGetPointerVirtual(float* x, float* y) {
  if (x) *x = g_state.pointerVX;
  if (y) *y = g_state.pointerVY;
}

bool GameMenuCornerHolds(float x, float y) { return x > kMenuHotX && y < kMenuHotY; }

void GameClearEscapeKey() {
  if (std::uint8_t* keys = EngWindowGetKeyStates()) keys[kKeyEscape] = 0;
}

void GameSetCardSoundCB() {
  CardsSetCardSoundCB(g_UserRecord.playMovesSound ? AnimCardSoundCB : nullptr);
}

void GameStateResetForTests() { g_state = GameState(); }
