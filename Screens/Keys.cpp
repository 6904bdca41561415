// Keys.cpp - the Keys screen and Options page 7 (see Keys.h).
#include "Screens/Keys.h"

#include <cstdint>
#include <cstring>
#include <iterator>

#include "Engine/EngLanguages.h"
#include "Engine/EngWindow.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Screens/Cameras.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Keys";

// Frame rows, the action names (right-aligned) and the key names
// (left-aligned, dimmer); the key texts are the same in every language.
constexpr ScreenRow Frame(const char* id, const char* look, const char* text, float x, float y, float w,
                          float h, const char* token) {
  return {id, MWIN_BUT_PUSH, look, text, x, y, w, h, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, token, nullptr};
}
constexpr ScreenRow Action(const char* id, const char* text, float y, const char* token) {
  return {id, MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, 98, y, 254.87f, 17, {1, 1, 1, 0.7f}, 0.8f, 0.9f, 2,
          token, nullptr};
}
constexpr ScreenRow Key(const char* id, const char* text, float x, float y, float w) {
  return {id, MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, x, y, w, 17, {0.5f, 0.6f, 0.6f, 0.8f}, 0.8f, 0.9f, 0,
          nullptr, nullptr};
}

const ScreenRow kRows[] = {
    Frame("Bg", "Back1", "", 91, 87, 459, 300, nullptr),
    Frame("Note", "MWIN_TEXBUT_NONE", "The following keys can be used while playing a game:", 96, 94, 449, 18,
          "Keys_Note"),
    Frame("TextBg", "Black", "", 99, 118, 444, 263, nullptr),
    Action("NewGame", "Start New Game", 122, "Keys_NewGame"),
    Action("Undo", "Undo Last Move", 139, "Keys_Undo"),
    Action("Redo", "Redo Last Move", 156, "Keys_Redo"),
    Action("DeckCardKeyText", "Turn Over Next Deck Card(s)", 173, "Keys_DeckCardKeyText"),
    Action("FoundationKeyText", "Move Card Under Cursor To Foundation", 190, "Keys_FoundationKeyText"),
    Action("Auotplay", "Change Autoplay Setting", 207, "Keys_Auotplay"),
    Action("Rules", "Show Game Rules", 224, "Keys_Rules"),
    Action("MainOptions", "Show Options", 241, "Keys_MainOptions"),
    Action("Cameras2", "Select Camera", 258, "Keys_Cameras"),
    Action("Boards2", "Select Board", 275, "Keys_Boards"),
    Action("EditBoard", "Edit Created Board", 292, "Keys_EditBoard"),
    Action("EditDeck", "Edit Created Card Deck", 309, "Keys_EditDeck"),
    Action("SwapButtons", "Swap Mouse Buttons", 326, "Keys_SwapButtons"),
    Action("Pause", "Pause Game", 343, "Keys_Pause"),
    Action("MainMenu", "Main Menu", 360, "Keys_MainMenu"),
    Frame("Title", "Back1", "KEYS & MOUSE CONTROLS", 91, 51, 459, 36, "Keys_Title"),
    Key("NewGameKey", "Control + N", 355, 122, 185),
    Key("UndoKey", "Control + Z", 355, 139, 185),
    Key("RedoKey", "Control + Y", 355, 156, 185),
    Key("DeckCardKey", "Tab", 355, 173, 185),
    Key("FoundationKey", "F", 355, 190, 185),
    Key("AutoplayKey", "A", 355, 207, 185),
    Key("RulesKey", "F1", 355, 224, 185),
    Key("MainOptionsKey", "O", 355, 241, 185),
    Key("Cameras2Key", "Number Keys", 355, 258, 185),
    Key("Boards2Key", "Control + Number Keys", 355, 275, 185),
    Key("EditBoardKey", "Shift + B", 355, 292, 185),
    Key("EditDeckKey", "Shift + D", 355, 309, 185),
    Key("SwapButtonsKey", "S", 355, 326, 185),
    Key("PauseKey", "P", 358, 343, 95),
    Key("MainMenuKey", "Escape", 358, 360, 94),
    {"Mouse", MWIN_BUT_PUSH, "Main", "Mouse", 473.66f, 335.45f, 67.34f, 41.38f, {1, 1, 1, 0.7f}, 0.8f, 0.9f, 1,
     "Keys_MouseControls", "Controls"},
    Frame("Done", "Main", "Done", 264, 387, 112, 28, "Common_ButtonDone"),
};
constexpr int kNumRows = static_cast<int>(std::size(kRows));

// One handle per row, in row order.
MWinButton* g_handles[kNumRows] = {};

MWinButton* Handle(const char* id) {
  for (int i = 0; i < kNumRows; ++i) {
    if (std::strcmp(kRows[i].id, id) == 0) return g_handles[i];
  }
  return nullptr;
}

}  // namespace

MWinCollection* KeysAddCollectionToDesktop() { return ScreenAddCollection(kName, kRows, kNumRows); }
void KeysCreateCB() { KeysAddCollectionToDesktop(); }

bool KeysAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("KeysAddMainWinWindowButtonsToWindowNormal", window, kRows, kNumRows);
}

void KeysClearButtonHandles() {
  for (MWinButton*& h : g_handles) h = nullptr;
}

bool KeysGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  for (int i = 0; i < kNumRows; ++i) g_handles[i] = get(kRows[i].id);
  return get.AllFound();
}

bool KeysGetButtonHandles() { return KeysGetButtonHandlesNormal(kName, "MainWin"); }

void KeysControlStartingCB() {
  const bool found = OptionsIsCurrent() ? KeysGetButtonHandlesNormal("Options", "MainWin") : KeysGetButtonHandles();
  if (!found) return;
  Handle("Mouse")->SetSimpleCallback(KeysControlMouseCB);
  Handle("Done")->SetSimpleCallback(CamerasControlDoneCB);
  OptionsLayOutPage(Handle("Bg"), Handle("Title"), Handle("Done"));
}

void KeysControlMouseCB() {
  const char* text = EngLanguagesGetFirstString(g_UserRecord.swapMouseButtons ? "Keys_MouseControlsMessage1"
                                                                              : "Keys_MouseControlsMessage2");
  g_MWin.PopupOk(EngLanguagesGetFirstString("Keys_MouseControlsMessageTitle"), text);
}

void KeysControlTickCB() {
  std::uint8_t* keys = EngWindowGetKeyStates();
  if (!keys || keys[kKeysVirtualKeyK] < 2) return;
  keys[kKeysVirtualKeyK] = 0;
  HelpControlDoneCB();
}
