// StartupDialog.cpp - the start-up settings dialog: its control table, the
// fill, the store, the procedure and the run (see StartupDialog.h). The
// Internet tests are StartupInternetTests.cpp.
#include "App/StartupDialog.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "App/Program.h"
#include "App/Resolution.h"
#include "App/Updater.h"
#include "App/UpdaterLocal.h"
#include "App/Various.h"
#include "Engine/Debug.h"
#include "Engine/DX9/EngResModesDX9.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Platform/Dialogs.h"

namespace {

// Dialog 110: 254 x 273 dialog units.
constexpr DialogItemTemplate kItems[] = {
    {kStartupBanner, kDialogPicture, 7, 7, 239, 57, nullptr},
    {kStartupVersion, kDialogSunkenText, 7, 67, 54, 16, "Version"},
    {kStartupCheckNewVersion, kDialogPushButton, 85, 67, 80, 16, "Check New Version"},
    {kStartupHomePage, kDialogPushButton, 186, 67, 60, 16, "Home Page"},
    {1010, kDialogGroupBox, 7, 88, 238, 64, "Video Settings"},
    {1011, kDialogText, 40, 99, 86, 8, "Display Mode"},
    {kStartupFullscreen, kDialogAutoRadioButton, 39, 108, 86, 14, "Fullscreen"},
    {kStartupWindowed, kDialogAutoRadioButton, 127, 108, 86, 14, "Windowed"},
    {1012, kDialogText, 41, 125, 74, 8, "Resolution"},
    {kStartupResolution, kDialogDropDownList, 40, 134, 78, 143, nullptr},
    {1016, kDialogText, 133, 125, 74, 8, "Anti-Aliasing"},
    {kStartupAntialiasing, kDialogDropDownList, 132, 134, 62, 143, nullptr},
    {kStartupAntialiasingHelp, kDialogPushButton, 198, 135, 14, 13, "?"},
    {kStartupHidden, kDialogDropDownList, 197, 90, 49, 143, nullptr},
    {1014, kDialogGroupBox, 7, 158, 238, 64, "Other Settings"},
    {1044, kDialogText, 31, 168, 22, 8, "Sound"},
    {kStartupSound, kDialogDropDownList, 31, 178, 41, 59, nullptr},
    {1051, kDialogText, 88, 168, 59, 8, "Card Textures"},
    {kStartupCardTextures, kDialogDropDownList, 88, 178, 58, 59, nullptr},
    {1045, kDialogText, 165, 168, 57, 8, "Board Textures"},
    {kStartupTableTextures, kDialogDropDownList, 165, 178, 51, 59, nullptr},
    {1048, kDialogText, 35, 195, 72, 8, "Cursor Type"},
    {kStartupCursorType, kDialogDropDownList, 35, 204, 57, 59, nullptr},
    {kStartupCursorTypeHelp, kDialogPushButton, 95, 204, 14, 13, "?"},
    {1046, kDialogText, 132, 195, 106, 8, "Mouse Syncronisation"},
    {kStartupMouseSync, kDialogDropDownList, 133, 204, 62, 58, nullptr},
    {kStartupMouseSyncHelp, kDialogPushButton, 199, 204, 14, 13, "?"},
    {1054, kDialogCentredText, 4, 228, 244, 8,
     "Note: This window can be turned off in the options menu within the game."},
    {kStartupPlay, kDialogDefaultPushButton, 7, 243, 238, 24, "&PLAY"},
};
constexpr DialogTemplate kDialog = {110, "Free Cardolia 3D", 254, 273, kItems,
                                    static_cast<int>(sizeof kItems / sizeof kItems[0])};

// The texts replaced from the language (control, key).
struct TextKey {
  int id;
  const char* key;
};
constexpr TextKey kTexts[] = {
    {kStartupCheckNewVersion, "Startup_CheckNewVersion"}, {kStartupHomePage, "Startup_HomePage"},
    {1010, "Startup_VideoSettings"},                      {1011, "Startup_DisplayMode"},
    {kStartupFullscreen, "Startup_Fullscreen"},           {kStartupWindowed, "Startup_Windowed"},
    {1012, "Startup_Resolution"},                         {1016, "Startup_Antialiasing"},
    {1014, "Startup_OtherSettings"},                      {1044, "Startup_Sound"},
    {1051, "Startup_CardTextures"},                       {1045, "Startup_TableTextures"},
    {1048, "Startup_CursorType"},                         {1046, "Startup_MouseSync"},
    {1054, "Startup_NoteThisWindowCanBeTurnedOff"},       {kStartupPlay, "Startup_Play"},
};

// The lists filled from a language token: their entry counts.
struct ListKey {
  int id;
  const char* key;
  int count;
};
constexpr ListKey kSoundList = {kStartupSound, "Common_OffOnList", 2};
constexpr ListKey kCardTextureList = {kStartupCardTextures, "Startup_CardTextureList", 4};
constexpr ListKey kTableTextureList = {kStartupTableTextures, "Startup_TableTextureList", 3};
constexpr ListKey kCursorTypeList = {kStartupCursorType, "Startup_CursorTypeList", 2};
constexpr ListKey kMouseSyncList = {kStartupMouseSync, "Startup_MouseSyncList", 3};

// The help buttons: their message and title keys.
struct HelpKey {
  int id;
  const char* message;
  const char* title;
};
constexpr HelpKey kHelp[] = {
    {kStartupAntialiasingHelp, "Startup_AntialiasingMessage", "Startup_Antialiasing"},
    {kStartupMouseSyncHelp, "Startup_MouseSyncMessage", "Startup_MouseSync"},
    {kStartupCursorTypeHelp, "Startup_CursorTypeMessage", "Startup_CursorType"},
};

// The anti-aliasing list in use while the dialog is open: the window's or
// the chosen full-screen mode's.
const EngResModesMode* g_aaList = nullptr;
HBITMAP g_banner = nullptr;

LRESULT Send(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

int Selection(HWND dialog, int id) { return static_cast<int>(Send(dialog, id, CB_GETCURSEL)); }

void Select(HWND dialog, int id, int index) { Send(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index)); }

void FillList(HWND dialog, const ListKey& list, int selected) {
  Send(dialog, list.id, CB_RESETCONTENT);
  for (int i = 0; i < list.count; ++i) {
    Send(dialog, list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EngLanguagesGetString(list.key, i)));
  }
  Select(dialog, list.id, selected);
}

// Step 5: the anti-aliasing entries of the list in use, the stored pair of
// the current mode chosen (least |d type| + |d quality|, first of equals).
void FillAntialiasing(HWND dialog) {
  Send(dialog, kStartupAntialiasing, CB_RESETCONTENT);
  if (!g_aaList || g_aaList->numAAEntries <= 0) {
    EnableDlgItem(dialog, kStartupAntialiasing, FALSE);
    return;
  }
  EnableDlgItem(dialog, kStartupAntialiasing, TRUE);
  const ResolutionSettings& settings = g_ResolutionSettings;
  const int type = settings.windowed ? settings.windowMsType : settings.fullMsType;
  const int quality = settings.windowed ? settings.windowMsQuality : settings.fullMsQuality;
  const int count = std::min(g_aaList->numAAEntries, kEngResModesMaxAAEntries);
  for (int i = 0; i < count; ++i) {
    Send(dialog, kStartupAntialiasing, CB_ADDSTRING, 0,
         reinterpret_cast<LPARAM>(EngResModesGetAAEntryAsString_DX9(&g_aaList->aaEntries[i])));
  }
  Select(dialog, kStartupAntialiasing, std::max(0, ResolutionNearestAAEntry(*g_aaList, type, quality)));
}

void SetTexts(HWND dialog) {
  SetDialogCaptionA(dialog, kProgramTitle);
  for (const TextKey& text : kTexts) {
    if (EngLanguagesDoesTokenExist(text.key)) SetDlgItemTextA(dialog, text.id, EngLanguagesGetString(text.key, 0));
  }
  const char* version = EngLanguagesDoesTokenExist("Startup_Version") ? EngLanguagesGetString("Startup_Version", 0)
                                                                       : "Version";
  char line[96];
  std::snprintf(line, sizeof line, "%s %.2f", version, static_cast<double>(kProgramGameVersion));
  SetDlgItemTextA(dialog, kStartupVersion, line);
  ShowDlgItem(dialog, kStartupHidden, FALSE);
}

void ShowHelp(HWND dialog, const HelpKey& help) {
  MessageBoxA(dialog, EngLanguagesGetString(help.message, 0), EngLanguagesGetString(help.title, 0), MB_OK);
}

// A list's choice into a byte setting; no choice (-1) keeps the setting.
void StoreByte(HWND dialog, int id, std::uint8_t* setting) {
  const int selection = Selection(dialog, id);
  if (selection >= 0) *setting = static_cast<std::uint8_t>(selection);
}

}  // namespace

const DialogTemplate* StartupDialogTemplate() { return &kDialog; }

int StartupDialogNearestMode(int width, int height, int bitDepth) {
  return ResolutionNearestFullScreenMode(width, height, bitDepth);
}

void StartupDialogFill(HWND dialog) {
  ResolutionSettings& settings = g_ResolutionSettings;
  if (!g_banner) g_banner = LoadBitmapA(nullptr, kStartupBannerFile);
  if (g_banner) Send(dialog, kStartupBanner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(g_banner));
  CheckRadioButton(dialog, kStartupFullscreen, kStartupWindowed,
                   settings.windowed ? kStartupWindowed : kStartupFullscreen);

  FillList(dialog, kTableTextureList, settings.tableQuality);
  FillList(dialog, kCardTextureList, settings.cardQuality);
  FillList(dialog, kSoundList, settings.soundOn);
  FillList(dialog, kCursorTypeList, settings.cursorType);
  FillList(dialog, kMouseSyncList, settings.mouseSync);

  const EngResModesData& modes = EngResModesGetData();
  Send(dialog, kStartupResolution, CB_RESETCONTENT);
  if (settings.windowed) {
    EnableDlgItem(dialog, kStartupResolution, FALSE);
    EnableDlgItem(dialog, kStartupPlay, TRUE);
    g_aaList = &modes.windowed;
  } else {
    const int nearest = StartupDialogNearestMode(settings.fullWidth, settings.fullHeight, settings.fullBitDepth);
    if (nearest < 0) {
      // Nothing to play full screen in: the player can switch to a window.
      EnableDlgItem(dialog, kStartupResolution, FALSE);
      EnableDlgItem(dialog, kStartupPlay, FALSE);
      g_aaList = nullptr;
    } else {
      for (int i = 0; i < modes.count; ++i) {
        char text[48];
        std::snprintf(text, sizeof text, "%d x %d x %d", modes.modes[i].width, modes.modes[i].height,
                      modes.modes[i].bitDepth);
        Send(dialog, kStartupResolution, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      }
      Select(dialog, kStartupResolution, nearest);
      EnableDlgItem(dialog, kStartupResolution, TRUE);
      EnableDlgItem(dialog, kStartupPlay, TRUE);
      g_aaList = &modes.modes[nearest];
    }
  }
  FillAntialiasing(dialog);
  SetTexts(dialog);
}

void StartupDialogStore(HWND dialog) {
  ResolutionSettings& settings = g_ResolutionSettings;
  settings.windowed = IsDlgButtonChecked(dialog, kStartupFullscreen) == BST_CHECKED ? 0 : 1;
  StoreByte(dialog, kStartupTableTextures, &settings.tableQuality);
  StoreByte(dialog, kStartupCardTextures, &settings.cardQuality);
  StoreByte(dialog, kStartupSound, &settings.soundOn);

  const EngResModesData& modes = EngResModesGetData();
  if (settings.windowed) {
    g_aaList = &modes.windowed;
  } else {
    const int mode = Selection(dialog, kStartupResolution);
    if (mode >= 0 && mode < modes.count) {
      settings.fullWidth = modes.modes[mode].width;
      settings.fullHeight = modes.modes[mode].height;
      settings.fullBitDepth = modes.modes[mode].bitDepth;
      g_aaList = &modes.modes[mode];
      if (modes.modes[mode].numAAEntries <= 0) {
        ResolutionSetSettings();
        ResolutionWriteFile();
        return;
      }
    }
  }
  std::int32_t* type = settings.windowed ? &settings.windowMsType : &settings.fullMsType;
  std::int32_t* quality = settings.windowed ? &settings.windowMsQuality : &settings.fullMsQuality;
  const int entry = Selection(dialog, kStartupAntialiasing);
  if (g_aaList && entry >= 0 && entry < g_aaList->numAAEntries && entry < kEngResModesMaxAAEntries) {
    *type = g_aaList->aaEntries[entry].type;
    *quality = g_aaList->aaEntries[entry].quality;
  } else {
    *type = 0;
    *quality = 0;
  }
  ResolutionSetSettings();
  ResolutionWriteFile();
}

INT_PTR StartupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    StartupDialogFill(dialog);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  ResolutionSettings& settings = g_ResolutionSettings;
  const int id = LOWORD(wParam);
  switch (id) {
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, -1);
      return TRUE;
    case kStartupPlay:
      StartupDialogStore(dialog);
      EndDialog(dialog, 1);
      return TRUE;
    case kStartupFullscreen:
    case kStartupWindowed:
      settings.windowed = id == kStartupWindowed ? 1 : 0;
      StartupDialogFill(dialog);
      return TRUE;
    case kStartupResolution:
    case kStartupAntialiasing:
      StartupDialogStore(dialog);
      StartupDialogFill(dialog);
      return TRUE;
    case kStartupSound:
      StoreByte(dialog, id, &settings.soundOn);
      StartupDialogFill(dialog);
      return TRUE;
    case kStartupTableTextures:
      StoreByte(dialog, id, &settings.tableQuality);
      StartupDialogFill(dialog);
      return TRUE;
    case kStartupCardTextures:
      StoreByte(dialog, id, &settings.cardQuality);
      StartupDialogFill(dialog);
      return TRUE;
    case kStartupMouseSync: {
      const int selection = Selection(dialog, id);
      if (selection >= 0) settings.mouseSync = selection;
      return TRUE;
    }
    case kStartupCursorType:
      StoreByte(dialog, id, &settings.cursorType);
      return TRUE;
    case kStartupCheckNewVersion:
      UpdaterCheckForUpdates(kProgramGameVersion, kProgramType);
      return TRUE;
    case kStartupHomePage: {
      const std::string page = std::string(VariousGetSiteAddress()) + kStartupHomePagePath;
      PlatformOpenWithShell(page.c_str());
      return TRUE;
    }
    default:
      for (const HelpKey& help : kHelp) {
        if (help.id == id) {
          ShowHelp(dialog, help);
          return TRUE;
        }
      }
      return FALSE;
  }
}

int StartupDialogRun() {
  if (!EngProgramGetCurrent()) return 0;
  const INT_PTR result = DialogBoxParamA(nullptr, &kDialog, nullptr, StartupDialogProc, 0);
  g_aaList = nullptr;
  if (g_banner) {
    DeleteObject(g_banner);
    g_banner = nullptr;
  }
  DebugNote("Start-up dialog ended with %d", static_cast<int>(result));
  if (result < 1) return result < 0 ? -1 : static_cast<int>(result);
  StartupDialogPrepareInternetTests(ProgramGetPreviousGameVersion());
  return 1;
}
