// Options.cpp - the Options screen and its page switcher (see Options.h).
#include "Screens/Options.h"

#include <algorithm>
#include <iterator>

#include "App/Resolution.h"
#include "App/Sound.h"
#include "App/User.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/UserRecord.h"
#include "Screens/Cameras.h"
#include "Screens/Decks/DecksScreen.h"
#include "Screens/Display.h"
#include "Screens/General.h"
#include "Screens/Keys.h"
#include "Screens/Lights.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"
#include "Screens/Startup.h"
#include "Screens/System.h"

namespace {

constexpr const char* kName = "Options";

// One button set serves all four layouts; the small layouts carry no
// language tokens and smaller texts.
#define OPTIONS_ROWS(titleColour, titleScaleX, titleScaleY, typeColour, typeScaleX, typeScaleY, tokens, \
                     title, typeBg, type, back)                                                         \
  {"OptionsTitle", MWIN_BUT_PUSH, "Back2", "OPTIONS", title, {1, 1, 1, titleColour}, titleScaleX,        \
   titleScaleY, 1, tokens ? "Options_OptionsTitle" : nullptr, nullptr},                                  \
      {"TypeBg", MWIN_BUT_PUSH, "Back2", "", typeBg, {0, 0, 0, 0.7f}, 0.9f, 1.8f, 1, nullptr, nullptr},  \
      {"Type", MWIN_BUT_CHOICE, "Main", "", type, {1, 1, 1, typeColour}, typeScaleX, typeScaleY, 1,      \
       nullptr, nullptr},                                                                                \
      {"Back", MWIN_BUT_PUSH, "Main", "Back", back, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,                      \
       tokens ? "Common_ButtonGoBack" : nullptr, nullptr}
#define AREA(x, y, w, h) x, y, w, h

const ScreenRow kNormal[] = {OPTIONS_ROWS(0.8f, 1.7f, 2.2f, 0.8f, 1.3f, 1.3f, true, AREA(9, 4, 627, 52),
                                          AREA(9, 56, 627, 368), AREA(19, 66, 609, 33),
                                          AREA(264, 424, 112, 42))};
const ScreenRow kIPhone[] = {OPTIONS_ROWS(0.7f, 1.3f, 1.3f, 0.7f, 1.0f, 1.2f, false, AREA(9, 4, 627, 52),
                                          AREA(9, 56, 627, 368), AREA(19, 66, 609, 39),
                                          AREA(264, 424, 112, 42))};
const ScreenRow kIPadPortrait[] = {OPTIONS_ROWS(0.7f, 1.3f, 1.3f, 0.7f, 1.0f, 1.2f, false,
                                                AREA(5, 5, 630, 30), AREA(5, 35, 630, 375),
                                                AREA(10, 40, 620, 30), AREA(260, 415, 120, 29.73f))};
#undef OPTIONS_ROWS
#undef AREA

const ScreenLayoutRows kLayouts[4] = {
    {kNormal, static_cast<int>(std::size(kNormal))},
    {kIPhone, static_cast<int>(std::size(kIPhone))},
    {kIPhone, static_cast<int>(std::size(kIPhone))},
    {kIPadPortrait, static_cast<int>(std::size(kIPadPortrait))},
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* typeBg = nullptr;
  MWinButton* type = nullptr;
  MWinButton* back = nullptr;
};
Handles g_h;

// The bottom buttons OptionsControlMoveButtons was last given. They belong
// to the page's rows and are forgotten with them.
struct Bottom {
  MWinButton* frame = nullptr;
  MWinButton* title = nullptr;
  MWinButton* done = nullptr;
};
Bottom g_bottom;

void ClearPageHandles() {
  GeneralClearButtonHandles();
  DisplayClearButtonHandles();
  DecksClearButtonHandles();
  SetsClearButtonHandles();
  CamerasClearButtonHandles();
  LightsClearButtonHandles();
  StartupClearButtonHandles();
  KeysClearButtonHandles();
  SystemClearButtonHandles();
}

void AddPage(int page, MWinWindow* window) {
  switch (page) {
    case kOptionsGeneral:
      GeneralAddMainWinWindowButtonsToWindowNormal(window);
      GeneralControlStartingCB();
      break;
    case kOptionsDisplay:
      DisplayAddMainWinWindowButtonsToWindowNormal(window);
      DisplayControlStartingCB();
      break;
    case kOptionsDecks:
      DecksAddMainWinWindowButtonsToWindowNormal(window);
      DecksControlStartingCB();
      break;
    case kOptionsSets:
      SetsAddMainWinWindowButtonsToWindowNormal(window);
      SetsControlStartingCB();
      break;
    case kOptionsCameras:
      CamerasAddMainWinWindowButtonsToWindowNormal(window);
      CamerasControlStartingCB();
      break;
    case kOptionsLights:
      LightsAddMainWinWindowButtonsToWindowNormal(window);
      LightsControlStartingCB();
      break;
    case kOptionsStartup:
      StartupAddMainWinWindowButtonsToWindowNormal(window);
      StartupControlStartingCB();
      break;
    case kOptionsKeys:
      KeysAddMainWinWindowButtonsToWindowNormal(window);
      KeysControlStartingCB();
      break;
    case kOptionsSystem:
      SystemAddMainWinWindowButtonsToWindowNormal(window);
      SystemControlStartingCB();
      break;
    default:
      break;
  }
}

// Moves the buttons from first through last, in list order, down by dy.
void MoveDown(MWinButton* first, MWinButton* last, float dy) {
  for (MWinButton* b = first; b; b = b->next_) {
    const MWinArea a = b->GetAreaRelative();
    b->SetPosXY(a.x, a.y + dy);
    if (b == last) break;
  }
}

// The frame's top comes gap units below the bottom of "Type".
float ShiftBelowType(float gap) {
  const MWinArea type = g_h.type->GetAreaRelative();
  const MWinArea frame = g_bottom.frame->GetAreaRelative();
  return type.y + type.h - frame.y + gap;
}

}  // namespace

// ---- Layout unit ---------------------------------------------------------------------------------

MWinCollection* OptionsAddCollectionToDesktop() { return ScreenAddCollectionLayouts(kName, kLayouts); }
void OptionsCreateCB() { OptionsAddCollectionToDesktop(); }

void OptionsClearButtonHandles() {
  g_h = Handles{};
  g_bottom = Bottom{};
}

bool OptionsGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.title = get("OptionsTitle");
  g_h.typeBg = get("TypeBg");
  g_h.type = get("Type");
  g_h.back = get("Back");
  return get.AllFound();
}

bool OptionsGetButtonHandles() { return OptionsGetButtonHandlesNormal(kName, "MainWin"); }

// ---- Helpers for the pages -------------------------------------------------------------------------

int OptionsGetPage() { return std::min<int>(g_UserRecord.optionsPage, kOptionsNumPages - 1); }

bool OptionsIsCurrent() { return g_ScreenOptions >= 0 && ScreensGetCurrent() == g_ScreenOptions; }

const char* OptionsPageCollection(const char* own) { return OptionsIsCurrent() ? kName : own; }

bool OptionsInMainMenu() { return GameGetProgramMode() == kGameModeMainMenu; }

// ---- Control unit ----------------------------------------------------------------------------------

void OptionsControlStartingCB() {
  GameTimePause();
  if (!OptionsGetButtonHandles()) return;
  g_h.type->SetCallback(OptionsTypeCB, 0, 0);
  g_h.back->SetCallback(OptionsControlBackCB, 0, 0);
  g_h.back->SetEscapeButtonForParentWindow();
  g_UserRecord.optionsPage = static_cast<std::uint8_t>(OptionsGetPage());
  g_h.type->ChoiceSetStringsLanguageToken(kOptionsNumPages, "Options_SelectList");
  g_h.type->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&g_UserRecord.optionsPage), false);
  OptionsTypeCB(nullptr, 0, 0);
  if (!OptionsInMainMenu()) {
    g_h.back->Hide();
    g_h.title->Hide();
    const MWinArea type = g_h.type->GetAreaRelative();
    g_h.type->SetPos(60, type.y, 520, type.h);
  }
  OptionsControlMoveButtons(nullptr, nullptr, nullptr);
}

void OptionsControlUpdateCB() {
  if (OptionsGetPage() == kOptionsLights) LightsControlUpdateCB();
}

void OptionsTypeCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (record) OptionsControlBackCB(nullptr, 0, 0);
  ClearPageHandles();
  if (!g_h.type) {
    DebugError("OptionsTypeCB", "No type button");
    return;
  }
  const int chosen = std::clamp(g_h.type->ChoiceGetSel(), 0, kOptionsNumPages - 1);
  g_UserRecord.optionsPage = static_cast<std::uint8_t>(chosen);
  MWinWindow* window = g_h.back ? g_h.back->GetParent() : nullptr;
  if (!window) return;
  // Every button after "Back" is a row of the page shown so far; its bottom
  // buttons go with it.
  while (g_h.back->next_) window->RemoveButton(g_h.back->next_);
  g_bottom = Bottom{};
  AddPage(chosen, window);
  if (OptionsInMainMenu() && g_h.title) {
    g_h.title->SetText(EngLanguagesGetString("Options_TitleList", chosen));
  }
}

void OptionsControlBackCB(MWinCallbackRecord* record, std::uint32_t, std::uint32_t) {
  if (SetsEditControlIsOpen()) {
    SetsEditControlDoneCB(nullptr, 0, 0);
    OptionsTypeCB(nullptr, 0, 0);
    return;
  }
  switch (OptionsGetPage()) {
    case kOptionsGeneral: GeneralControlDoneCB(nullptr, 0, 0); break;
    case kOptionsDecks: DecksControlClose(nullptr, 0, 0); break;
    case kOptionsSets: SetsControlResetPictureRect(); break;
    default: break;
  }
  GameSetCardSoundCB();
  SoundSetVolume();
  ResolutionUpdateSettingsFromCurrent();
  ResolutionWriteFile();
  if (!record) return;
  // The options are the player's: saved as they are left, where a failed
  // write can still be told, not only at the program's end.
  if (UserIsLoaded()) UserSave();
  ScreensGoBack();
}

void OptionsControlMoveButtons(MWinButton* frame, MWinButton* title, MWinButton* done) {
  if (frame) g_bottom.frame = frame;
  if (title) g_bottom.title = title;
  if (done) g_bottom.done = done;
  if (!g_bottom.frame || !g_bottom.title || !g_bottom.done || !g_h.type) {
    DebugError("OptionsControlMoveButtons", "Internal Error");
    return;
  }
  if (OptionsInMainMenu()) {
    // "OptionsTitle" and "Back" stand for the page's own title and Done.
    g_bottom.title->Hide();
    g_bottom.done->Hide();
    MoveDown(g_bottom.frame, g_bottom.done, ShiftBelowType(10));
    return;
  }
  g_bottom.title->Hide();
  g_h.type->Hide();
  if (g_h.typeBg) g_h.typeBg->Hide();
  if (MWinWindow* window = g_bottom.frame->GetParent()) window->CentreButtons(true, false);
  g_h.type->Show();
  MoveDown(g_bottom.frame, g_bottom.done, ShiftBelowType(5));
  g_bottom.done->SetEscapeButtonForParentWindow();
}

void OptionsLayOutPage(MWinButton* frame, MWinButton* title, MWinButton* done) {
  if (OptionsIsCurrent()) OptionsControlMoveButtons(frame, title, done);
}

void OptionsControlAfterModeChange() {
  if (OptionsIsCurrent() && OptionsGetPage() == kOptionsSystem) OptionsTypeCB(nullptr, 0, 0);
}

void OptionsControlRender() {
  const int page = OptionsGetPage();
  if (page == kOptionsDecks) {
    DecksControlRenderPreview();
  } else if (OptionsInMainMenu()) {
    if (page == kOptionsSets) SetsControlRenderPreview();
    if (page == kOptionsCameras || page == kOptionsLights) CamerasControlRenderPreview();
  }
}
