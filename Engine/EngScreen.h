// EngScreen.h - the screen table: the program's full-screen screens as
// numbered entries of callbacks, the transitions between them, and the
// current screen's tick together with the toolkit's tick.
//
// A change from screen A to screen B runs, in this order:
//   A.Cleanup, pre-change hook, B.Init, B.Create, B.Starting, B.Update,
//   the toolkit's screen-started hook (its pointer refresh), post-change hook.
// The toolkit sits above the engine: it installs its hooks here
// (EngScreenSetToolkit) rather than the table calling it.
// Each screen remembers the screen it was entered from, so going back works
// through any number of steps. Callbacks may re-enter the table (a Tick
// callback calling EngScreenGoto is the normal way to change screens).
//
// State: the table (reset by EngScreenRemoveAll / EngScreenExit), the
// current number, the started flag, the two change hooks and the toolkit's
// hooks; main thread only.
#pragma once

using EngScreenCallback = void (*)();

constexpr int kEngMaxScreens = 100;

// What the screens need of the toolkit they run on. Any entry may be null.
struct EngScreenToolkit {
  bool (*startup)();          // starts the toolkit; false when it cannot be
  void (*shutdown)();         // shuts it down
  void (*tick)();             // its per-tick step, after the screen's tick
  void (*screenStarted)();    // a screen has just been started
};
// Installs the toolkit's hooks (kept, not copied; null for none). Without
// them, starting the screens with the toolkit fails like a toolkit that
// cannot start.
void EngScreenSetToolkit(const EngScreenToolkit* toolkit);

struct EngScreenEntry {
  EngScreenCallback Init;
  EngScreenCallback Create;
  EngScreenCallback Cleanup;
  EngScreenCallback Starting;
  EngScreenCallback Update;
  EngScreenCallback Tick;
  EngScreenCallback Finished;  // stored; nothing here calls it
  int spare[4];
  int previous;  // -1 when none
  int extra[2];
};

// Clears the next entry and returns its number (in order of adding). With
// 100 screens present it logs "Too many screens (%d created)" and returns -1
// (no entry is touched).
int EngScreenAdd();
// Sets the callback named kind ("Init", "Create", "Cleanup", "Starting",
// "Update", "Tick", "Finished"); any other name changes nothing.
void EngScreenAddCallback(int screen, const char* kind, EngScreenCallback function);
void EngScreenSetCreateCallback(int screen, EngScreenCallback function);
void EngScreenSetStartingCallback(int screen, EngScreenCallback function);
void EngScreenSetUpdateCallback(int screen, EngScreenCallback function);
void EngScreenSetTickCallback(int screen, EngScreenCallback function);
void EngScreenSetPreChangeCallback(EngScreenCallback function);
void EngScreenSetPostChangeCallback(EngScreenCallback function);

// Runs the screen's Cleanup and clears the entry.
void EngScreenRemove(int screen);
// Removes every screen; the count becomes 0.
void EngScreenRemoveAll();
void EngScreenExit();

int EngScreenGetCurrent();
void EngScreenClearCurrent();
bool EngScreenIsStarted();
int EngScreenGetNumScreens();
const EngScreenEntry* EngScreenGetEntry(int screen);
// True when screens exist and the number is in range; otherwise reports
// "Invalid screen num: %d (num screens = %d)" under reporter.
bool EngScreenIsValidNum(const char* reporter, int screen);

// Makes a screen current without running anything; false (reported) for an
// invalid number.
bool EngScreenSetCurrent(int screen);
// Stores screen as the current screen's previous one.
void EngScreenSetPrevious(int screen);

// Init, Create (a screen without one is cleaned up again and not started),
// Starting, Update, then the toolkit's pointer refresh.
void EngScreenStartCurrent();
// The current screen's Cleanup.
void EngScreenStopCurrent();
void EngScreenGoto(int screen);
void EngScreenGoBack();
// Once per program tick: false when not started; else the current screen's
// Tick and then, while still started, the toolkit's tick.
bool EngScreenTick();
// Starts the current screen between the two hooks; with startGui the
// toolkit is started first (an exit message, and nothing started, when it
// cannot be). Nothing when already started.
void EngScreenStart(bool startGui);
// Stops the current screen; mode 1 and 2 also shut the toolkit down; mode 2
// also clears the current screen. Nothing when not started.
void EngScreenStop(int mode);
