// Startup.cpp - the Startup page and screen (see Startup.h).
#include "Screens/Startup.h"

#include <iterator>

#include "App/Resolution.h"
#include "Engine/EngLanguages.h"
#include "Game/UserRecord.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Startup";

constexpr ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
                        float h, int align, const char* token, float scaleX = 1.0f, float scaleY = 1.2f,
                        float alpha = 0.7f) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, alpha}, scaleX, scaleY, align, token, nullptr};
}
constexpr const char* kNone = "MWIN_TEXBUT_NONE";
constexpr int kPush = MWIN_BUT_PUSH;
constexpr int kCentre = 1, kRight = 2;

const ScreenRow kNormal[] = {
    Row("Title", kPush, "Back1", "STARTUP OPTIONS", 101, 137, 438, 36, kCentre, "Startup_Title"),
    Row("TypeBg", kPush, "Back1", "", 101, 173, 438, 102, kCentre, nullptr),
    Row("ShowResWinText", kPush, kNone, "Startup Window", 103, 185, 245, 22, kRight, "Startup_ShowResWinText"),
    Row("ShowResWin", MWIN_BUT_CHOICE, "Main", " ", 352, 185, 178, 22, kCentre, nullptr),
    Row("AlwaysStartText", kPush, kNone, "Always Start With Current Player", 103, 212, 245, 22, kRight,
        "Startup_AlwaysStartText"),
    Row("AlwaysStart", MWIN_BUT_CHOICE, "Main", " ", 352, 212, 154, 22, kCentre, nullptr),
    Row("AlwaysStartInfo", kPush, "Main", "?", 510, 212, 19, 22, kCentre, nullptr),
    Row("AfterPlayerLoadText", kPush, kNone, "After Player Load", 103, 238, 245, 22, kRight,
        "Startup_AfterPlayerLoadText"),
    Row("AfterPlayerLoad", MWIN_BUT_LIST, "Main", "First Panel Entry 1", 352, 238, 178, 22, kCentre, nullptr),
    Row("Done", kPush, "Main", "Done", 264, 275, 112, 30, kCentre, "Common_ButtonDone"),
};

// The small layouts: the always-start choice alone.
#define SMALL_ROWS(title, typeBg, text, textAlign, choice, info, done)                                         \
  Row("Title", kPush, "Back1", "STARTUP OPTIONS", title, kCentre, nullptr, 1.3f, 1.3f),                          \
      Row("TypeBg", kPush, "Back1", "", typeBg, kCentre, nullptr, 1.8f, 2.3f, 1.0f),                             \
      Row("AlwaysStartText", kPush, kNone, "Always Start With Current Player", text, textAlign, nullptr),         \
      Row("AlwaysStart", MWIN_BUT_CHOICE, "Main", " ", choice, kCentre, nullptr),                                \
      Row("AlwaysStartInfo", kPush, "Main", "?", info, kCentre, nullptr),                                        \
      Row("Done", kPush, "Main", "Done", done, kCentre, nullptr)
#define AREA(x, y, w, h) x, y, w, h

const ScreenRow kIPhonePortrait[] = {SMALL_ROWS(
    AREA(20.48f, 0, 599.03f, 50), AREA(20.48f, 49.55f, 599.03f, 95.36f), AREA(36.15f, 59.19f, 567.69f, 26.13f),
    kCentre, AREA(179.61f, 88.32f, 280.78f, 40), AREA(519.13f, 88.32f, 61.7f, 40), AREA(270, 146.12f, 100, 50))};
const ScreenRow kIPhoneLandscape[] = {SMALL_ROWS(
    AREA(20.48f, 0, 599.03f, 50), AREA(20.48f, 49.55f, 599.03f, 86.83f), AREA(29.61f, 70.19f, 357.6f, 40), kRight,
    AREA(394.25f, 70.19f, 161.47f, 40), AREA(563.14f, 70.19f, 40.95f, 40), AREA(270, 136.39f, 100, 50))};
const ScreenRow kIPadPortrait[] = {SMALL_ROWS(AREA(5, 0, 630, 30), AREA(5, 35, 630, 45), AREA(15, 45, 415, 25),
                                              kRight, AREA(435, 45, 145.16f, 25), AREA(585, 45, 39.56f, 25),
                                              AREA(260, 85, 120, 30))};
#undef SMALL_ROWS
#undef AREA

const ScreenLayoutRows kLayouts[4] = {
    {kNormal, static_cast<int>(std::size(kNormal))},
    {kIPhonePortrait, static_cast<int>(std::size(kIPhonePortrait))},
    {kIPhoneLandscape, static_cast<int>(std::size(kIPhoneLandscape))},
    {kIPadPortrait, static_cast<int>(std::size(kIPadPortrait))},
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* typeBg = nullptr;
  MWinButton* showResWin = nullptr;
  MWinButton* alwaysStart = nullptr;
  MWinButton* alwaysStartInfo = nullptr;
  MWinButton* afterPlayerLoad = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;

signed char* AsChar(std::uint8_t* byte) { return reinterpret_cast<signed char*>(byte); }

}  // namespace

MWinCollection* StartupAddCollectionToDesktop() { return ScreenAddCollectionLayouts(kName, kLayouts); }
void StartupCreateCB() { StartupAddCollectionToDesktop(); }

bool StartupAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("StartupAddMainWinWindowButtonsToWindowNormal", window, kNormal,
                       static_cast<int>(std::size(kNormal)));
}

void StartupClearButtonHandles() { g_h = Handles{}; }

bool StartupGetButtonHandlesForLayout(const char* collection, const char* window, int layout) {
  ScreenLookUp get(collection, window);
  // The small layouts lack these rows and leave their handles null.
  const bool normal = layout < 1 || layout > 3;
  auto normalOnly = [&](const char* id) { return normal ? get(id) : nullptr; };
  g_h.title = get("Title");
  g_h.typeBg = get("TypeBg");
  g_h.showResWin = normalOnly("ShowResWin");
  g_h.alwaysStart = get("AlwaysStart");
  g_h.alwaysStartInfo = get("AlwaysStartInfo");
  g_h.afterPlayerLoad = normalOnly("AfterPlayerLoad");
  g_h.done = get("Done");
  return get.AllFound();
}

bool StartupGetButtonHandles() {
  return StartupGetButtonHandlesForLayout(kName, "MainWin", ScreenLayoutFor(kLayouts));
}

void StartupControlStartingCB() {
  const bool found = OptionsIsCurrent() ? StartupGetButtonHandlesForLayout("Options", "MainWin", 0)
                                        : StartupGetButtonHandles();
  if (!found) return;
  if (g_h.alwaysStartInfo) g_h.alwaysStartInfo->SetSimpleCallback(StartupControlAlwaysStartInfoCB);
  if (g_h.showResWin) g_h.showResWin->SetSimpleCallback(StartupControlShowResWinCB);
  if (g_h.done) g_h.done->SetSimpleCallback(StartupControlDoneCB);
  if (g_h.alwaysStart) {
    g_h.alwaysStart->ChoiceSetStringsLanguageToken(2, "Common_NoYesList");
    g_h.alwaysStart->ChoiceRegisterCharVariable(AsChar(&g_UserRecord.alwaysStartWithPlayer), false);
  }
  if (g_h.afterPlayerLoad) {
    g_h.afterPlayerLoad->ListSetStringsLanguageToken(3, "Startup_AfterLoadList");
    g_h.afterPlayerLoad->ListRegisterCharVariable(AsChar(&g_UserRecord.afterLoadAction));
  }
  if (g_h.showResWin) {
    g_h.showResWin->ChoiceSetStringsLanguageToken(2, "Common_OffOnList");
    g_h.showResWin->ChoiceRegisterCharVariable(AsChar(&g_ResolutionSettings.showDialog), false);
  }
  OptionsLayOutPage(g_h.typeBg, g_h.title, g_h.done);
}

void StartupControlAlwaysStartInfoCB() {
  g_MWin.PopupOk(EngLanguagesGetFirstString("Startup_AlwaysStartWithCurrentPlayer"),
               EngLanguagesGetFirstString("Startup_AlwaysStartWithCurrentPlayerMessage"));
}

void StartupControlShowResWinCB() {
  if (!g_ResolutionSettings.showDialog) g_MWin.PopupOk("", EngLanguagesGetFirstString("Startup_StartupWindowPC"));
  ResolutionWriteFile();
}

void StartupControlDoneCB() {
  StartupClearButtonHandles();
  HelpControlDoneCB();
}
