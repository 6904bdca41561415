// EngScreen.cpp - the screen table.
#include "Engine/EngScreen.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Engine/EngFrames.h"

namespace {

// The table; reset by EngScreenRemoveAll.
struct ScreenState {
  EngScreenEntry entries[kEngMaxScreens];
  int count = 0;
  int current = -1;
  bool started = false;
  EngScreenCallback preChange = nullptr;
  EngScreenCallback postChange = nullptr;
  const EngScreenToolkit* toolkit = nullptr;  // installed by the toolkit; kept by RemoveAll
};

ScreenState g_screens;

void ClearEntry(EngScreenEntry* e) {
  std::memset(e, 0, sizeof(*e));
  e->previous = -1;
  e->extra[0] = e->extra[1] = -1;
}

void Call(EngScreenCallback f) {
  if (f) f();
}

}  // namespace

int EngScreenAdd() {
  if (g_screens.count >= kEngMaxScreens) {
    DebugExitNMMessage("EngScreenAdd", "Too many screens (%d created)", g_screens.count);
    return -1;
  }
  ClearEntry(&g_screens.entries[g_screens.count]);
  return g_screens.count++;
}

bool EngScreenIsValidNum(const char* reporter, int screen) {
  if (g_screens.count > 0 && screen >= 0 && screen < g_screens.count) return true;
  DebugError(reporter, "Invalid screen num: %d (num screens = %d)", screen, g_screens.count);
  return false;
}

void EngScreenAddCallback(int screen, const char* kind, EngScreenCallback function) {
  if (!EngScreenIsValidNum("EngScreenAddCallback", screen) || !kind) return;
  EngScreenEntry& e = g_screens.entries[screen];
  if (std::strcmp(kind, "Init") == 0) e.Init = function;
  else if (std::strcmp(kind, "Create") == 0) e.Create = function;
  else if (std::strcmp(kind, "Cleanup") == 0) e.Cleanup = function;
  else if (std::strcmp(kind, "Starting") == 0) e.Starting = function;
  else if (std::strcmp(kind, "Update") == 0) e.Update = function;
  else if (std::strcmp(kind, "Tick") == 0) e.Tick = function;
  else if (std::strcmp(kind, "Finished") == 0) e.Finished = function;
}

void EngScreenSetCreateCallback(int screen, EngScreenCallback f) {
  if (EngScreenIsValidNum("EngScreenSetCreateCallback", screen)) g_screens.entries[screen].Create = f;
}
void EngScreenSetStartingCallback(int screen, EngScreenCallback f) {
  if (EngScreenIsValidNum("EngScreenSetStartingCallback", screen))
    g_screens.entries[screen].Starting = f;
}
void EngScreenSetUpdateCallback(int screen, EngScreenCallback f) {
  if (EngScreenIsValidNum("EngScreenSetUpdateCallback", screen)) g_screens.entries[screen].Update = f;
}
void EngScreenSetTickCallback(int screen, EngScreenCallback f) {
  if (EngScreenIsValidNum("EngScreenSetTickCallback", screen)) g_screens.entries[screen].Tick = f;
}
void EngScreenSetToolkit(const EngScreenToolkit* toolkit) { g_screens.toolkit = toolkit; }
void EngScreenSetPreChangeCallback(EngScreenCallback f) { g_screens.preChange = f; }
void EngScreenSetPostChangeCallback(EngScreenCallback f) { g_screens.postChange = f; }

void EngScreenRemove(int screen) {
  if (!EngScreenIsValidNum("EngScreenRemove", screen)) return;
  Call(g_screens.entries[screen].Cleanup);
  ClearEntry(&g_screens.entries[screen]);
}

void EngScreenRemoveAll() {
  for (int i = 0; i < g_screens.count; ++i) EngScreenRemove(i);
  g_screens.count = 0;
}

void EngScreenExit() { EngScreenRemoveAll(); }

int EngScreenGetCurrent() { return g_screens.current; }
void EngScreenClearCurrent() { g_screens.current = -1; }
bool EngScreenIsStarted() { return g_screens.started; }
int EngScreenGetNumScreens() { return g_screens.count; }

const EngScreenEntry* EngScreenGetEntry(int screen) {
  if (screen < 0 || screen >= g_screens.count) return nullptr;
  return &g_screens.entries[screen];
}

bool EngScreenSetCurrent(int screen) {
  if (!EngScreenIsValidNum("EngScreenSetCurrent", screen)) return false;
  g_screens.current = screen;
  return true;
}

void EngScreenSetPrevious(int screen) {
  if (!EngScreenIsValidNum("EngScreenSetPrevious", screen)) return;
  if (!EngScreenIsValidNum("EngScreenSetPrevious(2)", g_screens.current)) return;
  g_screens.entries[g_screens.current].previous = screen;
}

void EngScreenStartCurrent() {
  const int current = g_screens.current;
  if (!EngScreenIsValidNum("EngScreenStartCurrent", current)) return;
  // Copies: a callback may change the table.
  Call(g_screens.entries[current].Init);
  const EngScreenCallback create = g_screens.entries[current].Create;
  if (!create) {
    DebugError("EngScreenStartCurrent", "Current Screen (%d) has no creation callback", current);
    Call(g_screens.entries[current].Cleanup);
    return;
  }
  create();
  g_screens.started = true;
  Call(g_screens.entries[current].Starting);
  Call(g_screens.entries[current].Update);
  // The new screen's buttons show the right highlight at once.
  if (g_screens.toolkit) Call(g_screens.toolkit->screenStarted);
  EngFramesRequestDraw();
}

void EngScreenStopCurrent() {
  if (g_screens.current >= 0 && g_screens.current < g_screens.count)
    Call(g_screens.entries[g_screens.current].Cleanup);
}

void EngScreenGoto(int screen) {
  if (!EngScreenIsValidNum("EngScreenGoto", screen)) return;
  const int old = g_screens.current;
  EngScreenStopCurrent();
  g_screens.current = screen;
  g_screens.entries[screen].previous = old;
  Call(g_screens.preChange);
  EngScreenStartCurrent();
  Call(g_screens.postChange);
}

void EngScreenGoBack() {
  const int current = g_screens.current;
  if (!EngScreenIsValidNum("EngScreenGoBack", current)) return;
  const int previous = g_screens.entries[current].previous;
  if (!EngScreenIsValidNum("EngScreenGoBack2", previous)) return;
  EngScreenStopCurrent();
  g_screens.current = previous;
  Call(g_screens.preChange);
  EngScreenStartCurrent();
  Call(g_screens.postChange);
}

bool EngScreenTick() {
  if (!g_screens.started) return false;
  if (EngScreenIsValidNum("EngScreenTick", g_screens.current))
    Call(g_screens.entries[g_screens.current].Tick);
  if (g_screens.started && g_screens.toolkit) Call(g_screens.toolkit->tick);
  return true;
}

void EngScreenStart(bool startGui) {
  if (g_screens.started) return;
  if (startGui &&
      !(g_screens.toolkit && g_screens.toolkit->startup && g_screens.toolkit->startup())) {
    DebugExitMessage("", "Could not start the user interface");
    return;
  }
  Call(g_screens.preChange);
  EngScreenStartCurrent();
  Call(g_screens.postChange);
}

void EngScreenStop(int mode) {
  if (!g_screens.started) return;
  EngFramesRequestDraw();
  EngScreenStopCurrent();
  if (mode != 0 && g_screens.toolkit) Call(g_screens.toolkit->shutdown);
  if (mode == 2) g_screens.current = -1;
  g_screens.started = false;
}
