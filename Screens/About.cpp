// About.cpp - the About screen (see About.h).
#include "Screens/About.h"

#include <iterator>

#include "Game/GameState.h"
#include "Engine/EngLanguages.h"
#include "Screens/MainPages.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "About";
constexpr float kVersion = 4.82f;

#define ABOUT_ROW(id, look, text, x, y, w, h, sx, sy, token) \
  {id, MWIN_BUT_PUSH, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, 1, token, nullptr}

const ScreenRow kRows[] = {
    ABOUT_ROW("Frame1", "Back1", "", 194, 58, 253, 365, 1.0f, 1.2f, nullptr),
    ABOUT_ROW("Title", "MWIN_TEXBUT_NONE", "CARDOLAI 3D", 194, 60, 253, 32, 1.0f, 1.2f, nullptr),
    ABOUT_ROW("Version", "MWIN_TEXBUT_NONE", "Version", 248, 93, 145, 11, 0.8f, 0.9f, nullptr),
    ABOUT_ROW("BoxCreated", "Back2", "", 209, 111, 223, 59, 1.0f, 1.2f, nullptr),
    ABOUT_ROW("Created1", "MWIN_TEXBUT_NONE", "created by", 212, 122, 218, 12, 0.8f, 0.9f,
              "About_Created"),
    ABOUT_ROW("Created2", "MWIN_TEXBUT_NONE", "the Free Cardolia 3D team", 212, 144, 218, 10, 1.3f,
              1.3f, nullptr),
    ABOUT_ROW("BoxRest", "Back2", "", 209, 178, 223, 97, 1.0f, 1.2f, nullptr),
    ABOUT_ROW("Art1", "MWIN_TEXBUT_NONE", "board paintings", 212, 190, 218, 12, 0.8f, 0.9f,
              "About_Artwork"),
    ABOUT_ROW("Art2", "MWIN_TEXBUT_NONE", "drawn by the game's own tools", 212, 206, 218, 10, 1.0f,
              1.2f, nullptr),
    ABOUT_ROW("Copyright", "MWIN_TEXBUT_NONE", "Fonts: DejaVu Sans. Flags: public domain.", 234,
              358, 172, 18, 0.8f, 0.9f, nullptr),
    ABOUT_ROW("Done", "Main", "OK", 276, 387, 88, 25, 1.0f, 1.2f, "Popup_OK"),
    ABOUT_ROW("Card1", "MWIN_TEXBUT_NONE", "cartoon art", 212, 228, 218, 12, 0.8f, 0.9f,
              "About_Cartooons"),
    ABOUT_ROW("Card2", "MWIN_TEXBUT_NONE", "card faces drawn at build time", 212, 244, 218, 10,
              1.0f, 1.2f, nullptr),
};
#undef ABOUT_ROW

struct Handles {
  MWinButton* frame = nullptr;
  MWinButton* title = nullptr;
  MWinButton* version = nullptr;
  MWinButton* created = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;
bool g_reentering = false;

}  // namespace

MWinCollection* AboutAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void AboutCreateCB() { AboutAddCollectionToDesktop(); }
void AboutClearButtonHandles() { g_h = Handles{}; }

bool AboutGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.frame = get("Frame1");
  g_h.title = get("Title");
  g_h.version = get("Version");
  g_h.created = get("Created1");
  g_h.done = get("Done");
  return get.AllFound();
}

void AboutControlStartingCB() {
  if (!AboutGetButtonHandles()) return;
  g_h.done->SetSimpleCallback(AboutControlDoneCB);
  g_h.done->SetEscapeButtonForParentWindow();
  if (!g_reentering) {
    g_reentering = true;
    if (GameGetProgramMode() != 3) {
      // Enter again from the main menu, so that it is this screen's
      // previous screen whatever led here.
      ScreensGoto(g_ScreenMain);
      ScreensGoto(g_ScreenAbout);
      return;
    }
    if (MWinWindow* window = ScreenWindow(kName)) window->CentreButtons(true, true);
  }
  g_h.version->SetTextFormatted("%s %6.2f", EngLanguagesGetFirstString("Startup_Version"),
                               static_cast<double>(kVersion));
  g_h.title->SetText("Free Cardolia 3D");
  g_reentering = false;
}

void AboutControlDoneCB() {
  if (GameGetProgramMode() == 3) {
    HelpControlDoneCB();
  } else {
    ScreensGoto(g_ScreenMain);
  }
}
