// System.cpp - the System page (see System.h).
#include "Screens/System.h"

#include <algorithm>
#include <iterator>

#include "App/Resolution.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "System";
constexpr int kFullScreen = 0, kWindowed = 1;
constexpr int kDirect3DDevice = 1;

constexpr ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
                        float h, int align, const char* token, float scaleX = 1.0f, float scaleY = 1.2f) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, scaleX, scaleY, align, token, nullptr};
}
constexpr const char* kNone = "MWIN_TEXBUT_NONE";
constexpr int kPush = MWIN_BUT_PUSH;
constexpr int kList = MWIN_BUT_LIST;

// The label and the list of the resolution share the ID "Res": look-ups
// search from the last added button back and find the list.
const ScreenRow kRows[] = {
    Row("Title", kPush, "Back1", "SYSTEM SETTINGS", 147.09f, 93.8f, 344.89f, 36, 1, "System_Title"),
    Row("Bg", kPush, "Back1", "", 147.55f, 130, 344.89f, 220, 1, nullptr),
    Row("ModeText", kPush, kNone, "Card Alignment", 157.82f, 148, 106.78f, 24, 2, "Startup_DisplayMode"),
    Row("Mode", MWIN_BUT_CHOICE, "Main", " ", 267.6f, 148, 198.57f, 24, 1, nullptr),
    Row("Res", kPush, kNone, "Card Spacing", 157.82f, 184.33f, 106.78f, 24, 2, "Startup_Resolution"),
    Row("Res", kList, "Main", "First Panel Entry 1", 267.6f, 184.33f, 198.57f, 24, 1, nullptr),
    Row("FreqText", kPush, kNone, "Frequency", 157.82f, 220.67f, 106.78f, 24, 2, nullptr),
    Row("Freq", kList, "Main", "First Panel Entry 1", 267.6f, 220.67f, 85.07f, 24, 1, nullptr),
    Row("AaText", kPush, kNone, "Card Spacing", 157.82f, 257, 106.78f, 24, 2, "Startup_Antialiasing"),
    Row("Aa", kList, "Main", "First Panel Entry 1", 267.6f, 257, 166.41f, 24, 1, nullptr),
    Row("AaInfo", kPush, "Main", "?", 438.72f, 257, 27.46f, 24, 1, nullptr),
    Row("Change", kPush, "Main", "Change", 268.9f, 310.27f, 102.19f, 23.6f, 1, "System_Change"),
    Row("Done", kPush, "Main", "Done", 257.93f, 349.86f, 112, 30, 1, "Common_ButtonDone"),
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* bg = nullptr;
  MWinButton* mode = nullptr;
  MWinButton* res = nullptr;
  MWinButton* freqText = nullptr;
  MWinButton* freq = nullptr;
  MWinButton* aa = nullptr;
  MWinButton* aaInfo = nullptr;
  MWinButton* change = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;
SystemPageState g_state;
// The mode whose anti-aliasing entries "Aa" holds.
const EngResModesMode* g_filledAaMode = nullptr;

const EngResModesData& Modes() { return EngResModesGetData(); }

int FullScreenModeCount() {
  const EngResModesData& d = Modes();
  return d.setUp ? std::clamp(d.count, 0, kEngResModesMaxModes) : 0;
}

// The full-screen mode at a list position; null outside the list.
const EngResModesMode* FullScreenMode(int position) {
  return position >= 0 && position < FullScreenModeCount() ? &Modes().modes[position] : nullptr;
}

int ResPosition() { return g_h.res ? g_h.res->ListGetPos() : 0; }

bool WindowedChosen() { return !g_h.mode || g_h.mode->ChoiceGetSel() == kWindowed; }

int AaCount(const EngResModesMode* mode) {
  if (!mode) return 0;
  return std::clamp(mode->numAAEntries, 0, kEngResModesMaxAAEntries);
}

const char* ResText(int entry) { return EngResModesGetFullScreenResModeEntryAsString(entry); }

// The running multisample pair's entry in a mode's list (the last match), 0
// when none matches.
int RunningAaEntry(const EngResModesMode* mode) {
  const EngWindow* window = EngWindowGetCurrent();
  if (!window) return 0;
  const EngWindowSettings& s = window->GetSettings();
  int found = 0;
  for (int i = 0; i < AaCount(mode); ++i) {
    if (mode->aaEntries[i].type == s.multisampleType && mode->aaEntries[i].quality == s.multisampleQuality) found = i;
  }
  return found;
}

}  // namespace

bool SystemAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("SystemAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void SystemClearButtonHandles() { g_h = Handles{}; }

bool SystemGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.title = get("Title");
  g_h.bg = get("Bg");
  g_h.mode = get("Mode");
  g_h.res = get("Res");
  g_h.freqText = get("FreqText");
  g_h.freq = get("Freq");
  g_h.aa = get("Aa");
  g_h.aaInfo = get("AaInfo");
  g_h.change = get("Change");
  g_h.done = get("Done");
  return get.AllFound();
}

const SystemPageState& SystemGetPageState() { return g_state; }

void SystemControlStartingCB() {
  if (!SystemGetButtonHandlesNormal(OptionsPageCollection(kName), "MainWin")) return;
  const EngScreenMode& screen = EngWindowGetScreenMode();
  const int count = FullScreenModeCount();
  g_h.mode->ChoiceSetStringsCallback(2, SystemControlGetModeText);
  g_h.mode->SetSimpleCallback(SystemControlRefresh);
  g_h.mode->ChoiceSetSelNoCallback(screen.windowed ? kWindowed : kFullScreen);
  g_state = SystemPageState{};
  g_filledAaMode = nullptr;
  g_state.startingWindowed = screen.windowed != 0;
  // Without full-screen modes only the window can be had.
  if (count == 0) g_h.mode->SetEnabled(false);

  if (count > 0) {
    g_state.startingMode =
        std::clamp(screen.windowed ? EngResModesGetClosestFullScreenModeNumberToCurrentWindowedMode()
                                   : EngResModesGetFullScreenModeNumberForCurrentFullscreenMode(),
                   0, count - 1);
    g_h.res->ListSetStringsCallback(count, ResText);
    g_h.res->ListSetPosNoCallback(g_state.startingMode);
  } else {
    g_h.res->SetText("");
  }
  g_h.res->SetSimpleCallback(SystemControlRefresh);
  // The display's refresh rate is not the player's to choose here: the
  // frequency row stays out of sight.
  g_h.freqText->Hide();
  g_h.freq->Hide();
  g_h.aa->SetCallback(SystemControlAaCB, 0, 0);
  g_h.aaInfo->SetSimpleCallback(SystemControlAaInfoCB);
  g_h.change->SetSimpleCallback(SystemControlChangeCB);
  g_h.done->SetSimpleCallback(SystemControlDoneCB);

  g_state.chosenMode = screen.windowed ? &Modes().windowed : FullScreenMode(g_state.startingMode);
  g_state.chosenFrequency = 0;
  g_state.startingAa = EngProgramGetMainDeviceType() == kDirect3DDevice ? RunningAaEntry(g_state.chosenMode)
                                                                        : screen.aaEntry;
  g_state.chosenAa = g_state.startingAa;
  SystemControlRefresh();
  OptionsLayOutPage(g_h.bg, g_h.title, g_h.done);
}

void SystemControlRefresh() {
  if (!g_h.mode || !g_h.res || !g_h.freq || !g_h.aa || !g_h.change) return;
  const int count = FullScreenModeCount();
  if (count == 0 && !WindowedChosen()) g_h.mode->ChoiceSetSelNoCallback(kWindowed);
  const bool windowed = WindowedChosen();
  g_state.changed = windowed != g_state.startingWindowed;
  g_h.res->SetEnabled(!windowed && count > 0);
  if (ResPosition() != g_state.startingMode && !EngWindowGetScreenMode().windowed) g_state.changed = true;
  g_state.chosenMode = windowed ? &Modes().windowed : FullScreenMode(ResPosition());
  g_h.freq->SetText("");
  g_h.freq->SetEnabled(false);
  g_state.chosenFrequency = 0;

  const int aaCount = AaCount(g_state.chosenMode);
  if (aaCount == 0) {
    g_h.aa->SetText("");
    g_h.aa->SetEnabled(false);
    g_state.chosenAa = 0;
    g_filledAaMode = nullptr;
  } else {
    g_state.chosenAa = std::clamp(g_state.chosenAa, 0, aaCount - 1);
    // Filled again only for another mode: the list's own events (a hover
    // in the open list) run this too, and filling closes the list.
    if (g_filledAaMode != g_state.chosenMode || g_h.aa->ListData().count != aaCount) {
      g_h.aa->ListSetStringsCallback(aaCount, SystemControlGetAaText);
      g_filledAaMode = g_state.chosenMode;
    }
    if (!g_h.aa->ListIsOpen()) g_h.aa->ListSetPosNoCallback(g_state.chosenAa);
    g_h.aa->SetEnabled(true);
  }
  if (g_state.chosenAa != g_state.startingAa) g_state.changed = true;
  g_h.change->SetEnabled(g_state.changed);
}

void SystemControlAaCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (record && record->listEvent != 0 && g_h.aa) g_state.chosenAa = g_h.aa->ListGetPos();
  SystemControlRefresh();
}

void SystemControlAaInfoCB() {
  g_MWin.PopupOk(EngLanguagesGetFirstString("Startup_Antialiasing"),
               EngLanguagesGetFirstString("Startup_AntialiasingMessage"));
}

bool SystemControlBuildRequest(EngResolutionRequest* request) {
  if (!request || !g_state.changed) return false;
  *request = EngResolutionRequest{};
  request->valid = 1;
  const bool windowed = WindowedChosen();
  request->windowed = windowed ? 1 : 0;
  const EngResModesMode* full = FullScreenMode(ResPosition());
  const EngResModesMode* sized = full && !windowed ? full : &Modes().windowed;
  request->width = sized->width;
  request->height = sized->height;
  request->bitDepth = sized->bitDepth;
  const EngScreenMode& screen = EngWindowGetScreenMode();
  if (windowed) {
    // The window the player has, or, from full screen, the one the
    // settings hold (the last window), never the full-screen size.
    const ResolutionSettings& settings = g_ResolutionSettings;
    request->width = screen.windowed ? screen.width : settings.windowWidth;
    request->height = screen.windowed ? screen.height : settings.windowHeight;
  }
  if (request->width <= 0 || request->height <= 0) {
    request->width = screen.width;
    request->height = screen.height;
  }
  if (request->bitDepth <= 0) request->bitDepth = screen.bitDepth;
  if (EngProgramGetMainDeviceType() == kDirect3DDevice) {
    const EngResModesMode* source = windowed ? &Modes().windowed : full;
    if (g_state.chosenAa >= 0 && g_state.chosenAa < AaCount(source)) {
      request->multisampleType = source->aaEntries[g_state.chosenAa].type;
      request->multisampleQuality = source->aaEntries[g_state.chosenAa].quality;
    }
  }
  return true;
}

void SystemControlChangeCB() {
  EngWindow* window = EngWindowGetCurrent();
  EngResolutionRequest request;
  if (!window || !SystemControlBuildRequest(&request)) return;
  // Leaving a window: the settings keep it for the way back.
  if (EngWindowGetScreenMode().windowed) ResolutionUpdateSettingsFromCurrent();
  window->ChangeDeviceResolutionOnNextTick(&request);
  SystemControlDoneCB();
}

void SystemControlDoneCB() {
  g_state.changed = false;
  g_state.chosenMode = nullptr;
  // In the main menu the page stays: nothing is left to change.
  if (g_h.change) g_h.change->SetEnabled(false);
  HelpControlDoneCB();
}

const char* SystemControlGetModeText(int entry) {
  return EngLanguagesGetFirstString(entry == kWindowed ? "Startup_Windowed" : "Startup_Fullscreen");
}

const char* SystemControlGetAaText(int entry) {
  if (!g_state.chosenMode) return "";
  return EngResModesGetAAEntryForModeAsString(g_state.chosenMode, entry);
}
