// Pause.cpp - the Pause screen (see Pause.h).
#include "Screens/Pause.h"

#include <iterator>

#include "Engine/EngWindow.h"
#include "Game/GameTime.h"
#include "Screens/Help.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Pause";
constexpr int kKeyP = 0x50;

#define PAUSE_ROW(id, look, text, x, y, w, h, token) \
  {id, MWIN_BUT_PUSH, look, text, x, y, w, h, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, token, nullptr}

const ScreenRow kRows[] = {
    PAUSE_ROW("Done", "Main", "Resume", 264, 302, 112, 30, "Pause_Done"),
    PAUSE_ROW("Box", "Back1", "GAME PAUSED", 167, 178, 306, 124, "Pause_Box"),
};
#undef PAUSE_ROW

struct Handles {
  MWinButton* done = nullptr;
  MWinButton* box = nullptr;
};
Handles g_h;

}  // namespace

MWinCollection* PauseAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void PauseCreateCB() { PauseAddCollectionToDesktop(); }
void PauseClearButtonHandles() { g_h = Handles{}; }

bool PauseGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.done = get("Done");
  g_h.box = get("Box");
  return get.AllFound();
}

void PauseControlStartingCB() {
  GameTimePause();
  if (!PauseGetButtonHandles()) return;
  MWinButton* resume = g_h.done ? g_h.done : g_h.box;
  if (!resume) return;
  resume->SetSimpleCallback(PauseControlResumeCB);
  if (g_h.done) g_h.done->SetEscapeButtonForParentWindow();
}

void PauseControlResumeCB() {
  PauseClearButtonHandles();
  HelpControlDoneCB();
}

void PauseControlTickCB() {
  std::uint8_t* keys = EngWindowGetKeyStates();
  if (!keys || keys[kKeyP] < 2) return;
  keys[kKeyP] = 0;
  PauseControlResumeCB();
}
