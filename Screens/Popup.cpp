// Popup.cpp - the Popup screen (see Popup.h).
#include "Screens/Popup.h"

#include <iterator>

#include "App/Main.h"
#include "Engine/EngLanguages.h"
#include "Game/UserRecord.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Popup";

#define POPUP_ROW(id, kind, look, text, x, y, w, h, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, token, nullptr}

const ScreenRow kRows[] = {
    POPUP_ROW("Frame1", MWIN_BUT_PUSH, "Back1", "", 149, 125, 343, 231, nullptr),
    POPUP_ROW("Title", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Unset", 186, 133, 268, 15, nullptr),
    {"Text", MWIN_BUT_PUSH, "Back2", "", 155, 161, 333, 90, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, nullptr,
     "Unset"},
    POPUP_ROW("Ok", MWIN_BUT_PUSH, "Main", "OK", 270, 319, 101, 23, "Common_ButtonOk"),
    POPUP_ROW("ShowAgain", MWIN_BUT_CHECKBOX, "Main", "Show this message again", 213.57f, 273,
              212.85f, 20, "Popup_ShowAgain"),
};
#undef POPUP_ROW

struct Handles {
  MWinButton* frame = nullptr;
  MWinButton* title = nullptr;
  MWinButton* text = nullptr;
  MWinButton* ok = nullptr;
  MWinButton* showAgain = nullptr;
};
Handles g_h;
bool g_undoMessage = false;

// Back to play with the Menu button at full alpha.
void Close() {
  ScreensStopCurrent(1);
  MainMenuButtonShow(true);
}

}  // namespace

MWinCollection* PopupAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void PopupCreateCB() { PopupAddCollectionToDesktop(); }
void PopupClearButtonHandles() { g_h = Handles{}; }

bool PopupGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.frame = get("Frame1");
  g_h.title = get("Title");
  g_h.text = get("Text");
  g_h.ok = get("Ok");
  g_h.showAgain = get("ShowAgain");
  return get.AllFound();
}

void PopupControlSetUndoMessage() { g_undoMessage = true; }

void PopupControlStartingCB() {
  if (!PopupGetButtonHandles()) return;
  g_h.ok->SetSimpleCallback(PopupControlOkCB);
  if (!g_undoMessage) {
    Close();
    return;
  }
  g_h.title->SetTextLanguageToken("Popup_UndoCheatLevel");
  g_h.text->SetText(EngLanguagesGetFirstString("Popup_UndoCheatLevelMessage"));
  g_h.text->SetMultilineText(true);
  g_h.showAgain->CheckboxRegisterVariable(reinterpret_cast<signed char*>(&g_UserRecord.undoQuestion),
                                          false);
  g_undoMessage = false;
}

void PopupControlOkCB() { Close(); }
