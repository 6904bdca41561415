// GameTime.cpp - the game clock (see GameTime.h). State: one clock record,
// reset only by GameTimeResetForTests; times in engine milliseconds.
#include "Game/GameTime.h"

#include <cstdio>

#include "Engine/Debug.h"
#include "Engine/EngProgram.h"
#include "Game/AnimSetup.h"
#include "Game/CardsRender.h"
#include "Game/GameImports.h"
#include "Game/GenGameTable.h"

namespace {

struct ClockState {
  bool running = false;
  bool paused = false;
  bool held = false;       // waiting for the deal animation
  bool stopped = false;    // game over
  long long startMs = 0;
  long long pauseMs = 0;
  long long gameOverMs = 0;
  int lastShown = -1;      // seconds last formatted; -1 = format at the next update
  long long nextUpdateMs = 0;
  char text[32] = "0:00";
};

ClockState g_clock;
char g_formatBuffer[32];

long long NowMs() { return static_cast<long long>(EngProgramGetCurrentMilliseconds()); }

int32_t* StoredSeconds() {
  int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return nullptr;
  return &g_UserOptions.elapsedSeconds[game];
}

void EmptyText() {
  g_clock.text[0] = 0;
  g_clock.lastShown = -1;
}

}  // namespace

const char* GameTimeFormat(int seconds) {
  if (seconds < 0) seconds = 0;
  int h = seconds / 3600;
  int m = seconds % 3600 / 60;
  int s = seconds % 60;
  if (g_UserRecord.hoursAndMinutesClock) {
    std::snprintf(g_formatBuffer, sizeof g_formatBuffer, "%d:%02d", h, m);
  } else if (h > 0) {
    std::snprintf(g_formatBuffer, sizeof g_formatBuffer, "%d:%02d:%02d", h, m, s);
  } else {
    std::snprintf(g_formatBuffer, sizeof g_formatBuffer, "%d:%02d", m, s);
  }
  return g_formatBuffer;
}

void GameTimeUpdate(bool force) {
  if (!g_clock.running) return;
  long long now = NowMs();
  if (g_clock.held) g_clock.startMs = now;
  long long end = g_clock.stopped ? g_clock.gameOverMs : g_clock.paused ? g_clock.pauseMs : now;
  long long elapsedMs = end - g_clock.startMs;
  if (elapsedMs < 0) elapsedMs = 0;
  int elapsed = static_cast<int>(elapsedMs / 1000);
  if (!force && elapsed == g_clock.lastShown) return;
  if (int32_t* stored = StoredSeconds()) *stored = elapsed;
  std::snprintf(g_clock.text, sizeof g_clock.text, "%s", GameTimeFormat(elapsed));
  g_clock.lastShown = elapsed;
  ScoreUpdateCurrentScore();
}

const char* GameTimeGetString() {
  if (g_clock.running && !g_clock.paused) GameTimeUpdate(false);
  return g_clock.text;
}

void GameTimeTick() {
  long long now = NowMs();
  if (now < g_clock.nextUpdateMs) return;
  GameTimeUpdate(false);
  g_clock.nextUpdateMs = now + 1000;
}

void GameTimeReleaseHold() {
  // The count starts now, not at the last update made while held.
  if (g_clock.held) g_clock.startMs = NowMs();
  g_clock.held = false;
  GameTimeUpdate(false);
}

void GameTimeContinue() {
  int32_t* stored = StoredSeconds();
  g_clock.startMs = NowMs() - (stored ? static_cast<long long>(*stored) * 1000 : 0);
  EmptyText();
  g_clock.running = true;
  g_clock.paused = g_clock.held = g_clock.stopped = false;
  GameTimeUpdate(false);
  CardsShowFacesNormally();
}

void GameTimePause() {
  GameTimeUpdate(true);
  if (g_clock.running && !g_clock.stopped && !g_clock.paused) {
    g_clock.pauseMs = NowMs();
    g_clock.paused = true;
    GameTimeUpdate(false);
    CardsHideAllFaces();
  }
}

void GameTimeResume() {
  if (g_clock.running && !g_clock.stopped && g_clock.paused) {
    g_clock.startMs += NowMs() - g_clock.pauseMs;
    g_clock.paused = false;
    GameTimeUpdate(false);
    CardsShowFacesNormally();
  }
}

void GameTimeGameOver() {
  if (g_clock.stopped) {
    DebugError("GameTimeGameOver", "Already called");
    return;
  }
  // A game that ends while paused ends at the pause time.
  g_clock.gameOverMs = g_clock.paused ? g_clock.pauseMs : NowMs();
  g_clock.stopped = true;
  GameTimeUpdate(true);
}

void GameTimeReset() {
  if (int32_t* stored = StoredSeconds()) *stored = 0;
  g_clock.startMs = NowMs();
  g_clock.paused = false;
  EmptyText();
  g_clock.running = true;
  g_clock.held = true;
  g_clock.stopped = false;
  GameTimeUpdate(false);
  CardsShowFacesNormally();
  if (!AnimIsAnimating()) GameTimeReleaseHold();
}

void GameTimeResetForTests() { g_clock = ClockState(); }
