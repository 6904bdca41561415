// EngFrames.h - the frames the main loop owes the screen.
//
// The program's main loop (EngProgram, with frames on demand) draws a frame
// only when something asked for one, and otherwise sleeps until input, a
// window event or the earliest time something said it would change. What
// moves asks, from anywhere on the main thread and at any time of a pass
// (its tick, the input it handles, its drawing); an ask is for the next pass:
//
//   EngFramesRequestDraw()          it moves: the next pass ticks and draws a
//                                   whole frame, at the loop's frame rate
//   EngFramesRequestLastDraw()      it came to rest in this tick (on a slow
//                                   frame it may have started in it too):
//                                   this pass draws a whole frame and no
//                                   later pass is asked for (made between
//                                   passes: the next pass draws it)
//   EngFramesRequestDrawArea(a, r)  it moves inside area a only (back-buffer
//                                   pixels), and r frames a second show it as
//                                   well as more would: the next pass may
//                                   draw only there, no sooner than 1 / r
//                                   after this one (input comes sooner)
//   EngFramesRequestTick(r)         it waits for something (a transfer, a
//                                   count of passes, a plain window): the
//                                   next pass ticks, r times a second (the
//                                   frame rate when r is 0), and draws only
//                                   when asked
//   EngFramesRequestTickFromWorker()  from any thread (a job's worker whose
//                                   work ended): the next pass ticks at once,
//                                   and a loop waiting for a message wakes
//   EngFramesWakeAt(s) / AtMs(ms)   it changes at that engine time: the loop
//                                   ticks then at the latest; a wake nothing
//                                   draws for draws a whole frame
//
// A pass that was asked for draws what the asks of the pass before and its
// own tick add up to: a whole frame when any ask, any input (a mouse move
// only while mouse moves draw) or window event wants one, else the smallest
// rectangle holding every area asked for. Areas need a device that keeps
// its frame between presents (EngDevice::KeepsFrames); without one they are
// drawn as whole frames.
//
// State: the asks of the pass being run and those for the next one, and
// the mouse-moves-draw switch; reset by EngFramesResetForTests. Main thread
// only, but for EngFramesRequestTickFromWorker (an atomic flag, taken by the
// next pass).
//
// These asks are the one way to say "draw" or "tick then": under the
// event-driven loop type a tick asked for also keeps that loop awake
// (EngProgram). Work left for the next tick needs no ask: before the loop
// waits it asks the program whether any is pending
// (EngProgram::IsWorkPending).
#pragma once

// A rectangle of the back buffer in pixels, y from the top; right and bottom
// lie outside it.
struct EngFramesArea {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool IsEmpty() const { return right <= left || bottom <= top; }
};

// The smallest rectangle holding both (an empty one adds nothing).
EngFramesArea EngFramesUnion(const EngFramesArea& a, const EngFramesArea& b);
// The back-buffer pixels of a rectangle of the virtual 640 x 480 space at
// the current screen mode, grown by margin pixels on every side (drawing
// spills a pixel or so beyond a quad's edges).
EngFramesArea EngFramesAreaOfVirtual(float x, float y, float width, float height, int margin = 2);

// ---- Asking -------------------------------------------------------------------------
void EngFramesRequestDraw();
void EngFramesRequestLastDraw();
// An empty area asks for nothing; a rate of 0 or less means the frame rate.
void EngFramesRequestDrawArea(const EngFramesArea& area, int rate);
// rate: the ticks a second the wait needs; 0 or less means the frame rate.
void EngFramesRequestTick(int rate = 0);
// Thread-safe; wakes the loop from its wait for a message.
void EngFramesRequestTickFromWorker();
// Engine clock seconds (EngProgramGetCurrentSeconds); 0 or less asks nothing.
void EngFramesWakeAt(double seconds);
// The engine's millisecond clock (EngProgramGetCurrentMilliseconds), which
// wraps: the time is taken as the nearest one to now.
void EngFramesWakeAtMs(unsigned milliseconds);

// ---- What the window procedure tells -------------------------------------------------
// An input event reached the program: a whole frame, except for a mouse
// move while mouse moves do not draw.
void EngFramesNoteInput(bool mouseMove);
// On by default. Off where a moving pointer changes nothing by itself on
// the screen (what it does change asks for its own frames).
void EngFramesSetMouseMovesDraw(bool on);
bool EngFramesMouseMovesDraw();
// The window was exposed, resized, activated or deactivated, or its mode
// changed: a whole frame.
void EngFramesNoteWindowEvent();

// ---- The loop's side ----------------------------------------------------------------------
// True when the next pass is wanted: something asked since the last pass
// that ticked, input or a window event came, or the wake time is reached.
bool EngFramesIsPassDue(double now);
// The asks so far become this pass's; asks from now on are for the next.
void EngFramesStartPass(double now);
// What this pass draws: false for nothing; true with an empty area for a
// whole frame, or the area to draw. keepsFrames false turns areas into
// whole frames. A last draw asked during the pass is taken by it.
bool EngFramesPassDraws(bool keepsFrames, EngFramesArea* area);
// The frames a second the next pass is wanted at (the fastest ask made so
// far for it, areas and slower ticks at their own rates); frameRate when a
// whole frame or a tick at the frame rate was asked for, or nothing was.
int EngFramesNextRate(int frameRate);
// The earliest wake time asked for the next pass; 0 when none.
double EngFramesWakeTime();

void EngFramesResetForTests();
