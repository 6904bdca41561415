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
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

// Times are readings of the engine's 32-bit millisecond clock, which wraps
// after about 49.7 days: they are only ever compared by their unsigned
// difference (GameTimeMsSince).
struct ClockState {
  bool running = false;
  bool paused = false;     // the player's pause: the faces are hidden
  bool waiting = false;    // the tutorial is shown: the faces stay
  bool held = false;       // waiting for the deal animation
  bool stopped = false;    // game over
  unsigned startMs = 0;
  unsigned pauseMs = 0;    // when the clock began to stand (paused or waiting)
  unsigned gameOverMs = 0;
  int lastShown = -1;      // seconds last formatted; -1 = format at the next update
  bool ticked = false;     // a once-a-second update has run
  unsigned lastTickMs = 0;
  char text[32] = "0:00";
};

ClockState g_clock;
char g_formatBuffer[32];

unsigned NowMs() { return EngProgramGetCurrentMilliseconds(); }

int32_t* StoredSeconds() {
  int game = GenGetCurGame();
  if (game < 0 || game >= kGenNumGames) return nullptr;
  return &g_UserOptions.elapsedSeconds[game];
}

void EmptyText() {
  g_clock.text[0] = 0;
  g_clock.lastShown = -1;
}

// The clock stands while paused or waiting; it stands from the first of
// them to the last, and that whole span never counts.
bool Standing() { return g_clock.paused || g_clock.waiting; }

void BeginStanding(bool& reason) {
  if (!Standing()) g_clock.pauseMs = NowMs();
  reason = true;
}

void EndStanding(bool& reason) {
  reason = false;
  if (!Standing()) g_clock.startMs += GameTimeMsSince(NowMs(), g_clock.pauseMs);
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
  const unsigned now = NowMs();
  // Held, the count has not begun: it begins where the clock stands.
  if (g_clock.held) g_clock.startMs = Standing() ? g_clock.pauseMs : now;
  const unsigned end = g_clock.stopped ? g_clock.gameOverMs : Standing() ? g_clock.pauseMs : now;
  unsigned elapsedMs = GameTimeMsSince(end, g_clock.startMs);
  if (elapsedMs > 0x7FFFFFFFu) elapsedMs = 0;  // the clock was set back
  const int elapsed = static_cast<int>(elapsedMs / 1000);
  if (!force && elapsed == g_clock.lastShown) return;
  if (int32_t* stored = StoredSeconds()) *stored = elapsed;
  std::snprintf(g_clock.text, sizeof g_clock.text, "%s", GameTimeFormat(elapsed));
  g_clock.lastShown = elapsed;
  g_GameImports.ScoreUpdateCurrentScore();
}

const char* GameTimeGetString() {
  if (g_clock.running && !Standing()) GameTimeUpdate(false);
  return g_clock.text;
}

void GameTimeTick() {
  const unsigned now = NowMs();
  if (g_clock.ticked && GameTimeMsSince(now, g_clock.lastTickMs) < 1000) return;
  GameTimeUpdate(false);
  g_clock.ticked = true;
  g_clock.lastTickMs = now;
}

bool GameTimeNextChangeMs(unsigned* at) {
  if (!g_clock.running || g_clock.paused || g_clock.held || g_clock.stopped) return false;
  const unsigned elapsed = GameTimeMsSince(NowMs(), g_clock.startMs);
  *at = g_clock.startMs + (elapsed / 1000 + 1) * 1000;
  return true;
}

void GameTimeReleaseHold() {
  // The count starts now (or where the clock stands), not at the last
  // update made while held.
  if (g_clock.held) g_clock.startMs = Standing() ? g_clock.pauseMs : NowMs();
  g_clock.held = false;
  GameTimeUpdate(false);
}

void GameTimeContinue() {
  int32_t* stored = StoredSeconds();
  g_clock.startMs = NowMs() - (stored ? static_cast<unsigned>(*stored) * 1000u : 0u);
  EmptyText();
  g_clock.running = true;
  g_clock.paused = g_clock.waiting = g_clock.held = g_clock.stopped = false;
  GameTimeUpdate(false);
  CardsShowFacesNormally();
}

void GameTimePause() {
  GameTimeUpdate(true);
  if (g_clock.running && !g_clock.stopped && !g_clock.paused) {
    BeginStanding(g_clock.paused);
    GameTimeUpdate(false);
    CardsHideAllFaces();
  }
}

void GameTimeResume() {
  if (g_clock.running && !g_clock.stopped && g_clock.paused) {
    EndStanding(g_clock.paused);
    GameTimeUpdate(false);
    CardsShowFacesNormally();
  }
}

void GameTimeWait(bool wait) {
  if (!g_clock.running || g_clock.stopped || g_clock.waiting == wait) return;
  GameTimeUpdate(false);
  if (wait) {
    BeginStanding(g_clock.waiting);
  } else {
    EndStanding(g_clock.waiting);
  }
  GameTimeUpdate(false);
}

void GameTimeGameOver() {
  if (g_clock.stopped) {
    DebugError("GameTimeGameOver", "Already called");
    return;
  }
  // A game that ends while the clock stands ends when it began to stand.
  g_clock.gameOverMs = Standing() ? g_clock.pauseMs : NowMs();
  g_clock.stopped = true;
  GameTimeUpdate(true);
}

void GameTimeReset() {
  if (int32_t* stored = StoredSeconds()) *stored = 0;
  g_clock.startMs = NowMs();
  g_clock.paused = g_clock.waiting = false;
  EmptyText();
  g_clock.running = true;
  g_clock.held = true;
  g_clock.stopped = false;
  GameTimeUpdate(false);
  CardsShowFacesNormally();
  if (!AnimIsAnimating()) GameTimeReleaseHold();
}

void GameTimeResetForTests() { g_clock = ClockState(); }
