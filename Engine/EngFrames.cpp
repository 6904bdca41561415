// EngFrames.cpp - the frames the main loop owes the screen (see EngFrames.h).
//
// Two sets of asks: those of the pass being run (made before it started)
// and those for the next pass (made since). A pass draws what both add up
// to, because the tick that follows an ask is the one that moves what asked
// (its last step included); the next set alone decides whether another pass
// is wanted and how soon.
#include "Engine/EngFrames.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Platform/Window.h"

namespace {

struct Asks {
  bool whole = false;    // a whole frame (also input and window events)
  bool last = false;     // a whole frame of the asking pass only
  bool tick = false;     // a pass that need not draw
  EngFramesArea area;    // every area asked for, as one rectangle
  int rate = 0;          // the fastest rate an area or a slow tick was asked at
  double wake = 0;       // the earliest wake time; 0 none
};

struct FramesState {
  Asks pass;
  Asks next;
  bool wakeReached = false;  // the pass being run was woken by its time
  bool mouseMovesDraw = true;
};

FramesState g_frames;
// Set by a worker, taken by the next pass; outside g_frames, which only the
// main thread touches.
std::atomic<bool> g_workerAsked{false};

constexpr int kFrameRateAsk = 1000;  // above any frame rate: the frame rate

}  // namespace

EngFramesArea EngFramesUnion(const EngFramesArea& a, const EngFramesArea& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return EngFramesArea{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                       std::max(a.bottom, b.bottom)};
}

EngFramesArea EngFramesAreaOfVirtual(float x, float y, float width, float height, int margin) {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  return EngFramesArea{static_cast<int>(std::floor(x * mode.xScale)) - margin,
                       static_cast<int>(std::floor(y * mode.yScale)) - margin,
                       static_cast<int>(std::ceil((x + width) * mode.xScale)) + margin,
                       static_cast<int>(std::ceil((y + height) * mode.yScale)) + margin};
}

// ---- Asking ---------------------------------------------------------------------------

void EngFramesRequestDraw() { g_frames.next.whole = true; }

void EngFramesRequestLastDraw() { g_frames.next.last = true; }

void EngFramesRequestDrawArea(const EngFramesArea& area, int rate) {
  if (area.IsEmpty()) return;
  Asks& next = g_frames.next;
  next.area = EngFramesUnion(next.area, area);
  next.rate = std::max(next.rate, rate > 0 ? rate : kFrameRateAsk);
}

void EngFramesRequestTick(int rate) {
  Asks& next = g_frames.next;
  next.tick = true;
  next.rate = std::max(next.rate, rate > 0 ? rate : kFrameRateAsk);
  // The event-driven loop knows no asks: a wait keeps it awake instead.
  if (EngProgram* program = EngProgramGetCurrent()) program->EventDrivenLoopKeepAwake();
}

void EngFramesRequestTickFromWorker() {
  g_workerAsked = true;
  PlatformWakeMessageWait();
}

void EngFramesWakeAt(double seconds) {
  if (!(seconds > 0)) return;
  double& wake = g_frames.next.wake;
  if (wake == 0 || seconds < wake) wake = seconds;
}

void EngFramesWakeAtMs(unsigned milliseconds) {
  const int ahead = static_cast<int>(milliseconds - EngProgramGetCurrentMilliseconds());
  const double now = EngProgramGetCurrentSeconds();
  EngFramesWakeAt(ahead > 0 ? now + ahead / 1000.0 : (now > 0 ? now : 1e-9));
}

// ---- The window procedure's notes -----------------------------------------------------------

void EngFramesNoteInput(bool mouseMove) {
  if (mouseMove && !g_frames.mouseMovesDraw) {
    g_frames.next.tick = true;
    g_frames.next.rate = kFrameRateAsk;
  } else {
    g_frames.next.whole = true;
  }
}

void EngFramesSetMouseMovesDraw(bool on) { g_frames.mouseMovesDraw = on; }
bool EngFramesMouseMovesDraw() { return g_frames.mouseMovesDraw; }

void EngFramesNoteWindowEvent() { g_frames.next.whole = true; }

// ---- The loop's side ----------------------------------------------------------------------------

bool EngFramesIsPassDue(double now) {
  const Asks& next = g_frames.next;
  return next.whole || next.last || next.tick || !next.area.IsEmpty() || (next.wake > 0 && now >= next.wake) ||
         g_workerAsked.load();
}

void EngFramesStartPass(double now) {
  g_frames.pass = g_frames.next;
  g_frames.next = Asks();
  if (g_workerAsked.exchange(false)) g_frames.pass.tick = true;
  const double wake = g_frames.pass.wake;
  g_frames.wakeReached = wake > 0 && now >= wake;
  // A wake not reached yet stands for the next passes until it is.
  if (wake > 0 && !g_frames.wakeReached) g_frames.next.wake = wake;
}

bool EngFramesPassDraws(bool keepsFrames, EngFramesArea* area) {
  const Asks& pass = g_frames.pass;
  Asks& next = g_frames.next;
  *area = EngFramesArea();
  // What came to rest in this tick is drawn now and wants no pass after.
  const bool last = pass.last || next.last;
  next.last = false;
  if (pass.whole || next.whole || last) return true;
  const EngFramesArea asked = EngFramesUnion(pass.area, next.area);
  if (!asked.IsEmpty()) {
    if (keepsFrames) *area = asked;
    return true;
  }
  // Woken by its time, and nothing said what changed: all of it may have.
  return g_frames.wakeReached;
}

int EngFramesNextRate(int frameRate) {
  const Asks& next = g_frames.next;
  if (next.whole || next.rate <= 0) return frameRate;
  return std::min(frameRate, next.rate);
}

double EngFramesWakeTime() { return g_frames.next.wake; }

void EngFramesResetForTests() {
  g_frames = FramesState();
  g_workerAsked = false;
}
