// UserNew.cpp - the new player screen (see UserNew.h).
#include "Screens/UserNew.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <strings.h>

#include "App/Splash.h"
#include "App/User.h"
#include "Engine/EngFile.h"
#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Game/UserRecord.h"
#include "Screens/Country.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/Users.h"

namespace {

constexpr const char* kName = "UserNew";

const ScreenRow kRows[] = {
    {"Name", MWIN_BUT_PUSH, "Main", "", 209, 199, 223, 38, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, nullptr,
     nullptr},
    {"Back", MWIN_BUT_PUSH, "Main", "Back", 565, 425, 65, 35, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,
     "Common_ButtonGoBack", nullptr},
    {"NameText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Player Name", 89, 209, 113, 17,
     {1, 1, 1, 0.7f}, 1.0f, 1.2f, 2, "UserNew_NameText", nullptr},
    {"Country", MWIN_BUT_PUSH, "Main", "", 209, 274, 223, 38, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,
     nullptr, nullptr},
    {"CountryText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Country", 89, 284, 113, 17,
     {1, 1, 1, 0.7f}, 1.0f, 1.2f, 2, "UserNew_CountryText", nullptr},
    {"Continue", MWIN_BUT_PUSH, "Main", "Continue", 240, 425, 161, 35, {1, 1, 1, 0.7f}, 1.0f, 1.2f,
     1, "UserNew_Continue", nullptr},
    {"SolTextPic", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 170, 10, 300, 90, {0, 0, 0, 0.7f}, 0.7f,
     1.0f, 1, nullptr, nullptr},
};

struct Handles {
  MWinButton* name = nullptr;
  MWinButton* back = nullptr;
  MWinButton* nameText = nullptr;
  MWinButton* country = nullptr;
  MWinButton* countryText = nullptr;
  MWinButton* cont = nullptr;
  MWinButton* title = nullptr;
};
Handles g_h;

char g_typedName[kUserMaxNameLength + 1] = {};
// What the name popup types into; OK makes it the typed name.
char g_nameInPopup[kUserMaxNameLength + 1] = {};
char g_chosenCountry[kUserMaxCountryLength + 1] = {};
int g_chosenCountryIndex = -1;
int g_checkDelay = 0;
bool g_askedOnce = false;

void ShowName() {
  if (g_h.name) g_h.name->SetText(g_typedName);
}

void GoBack() {
  UserNewClearButtonHandles();
  ScreensGoBack();
}

}  // namespace

bool UserNewIsValidName(const char* text, bool isPlayerName) {
  if (!text || !*text) return false;
  const std::size_t length = std::strlen(text);
  if (text[0] == ' ' || text[0] == '\t') return false;
  if (length > static_cast<std::size_t>(isPlayerName ? kUserMaxNameLength : kUserMaxCountryLength)) {
    return false;
  }
  if (text[length - 1] == ' ' || text[length - 1] == '\t') return false;
  for (const char* reserved : {"unset", "unselected", "not selected"}) {
    if (strcasecmp(text, reserved) == 0) return false;
  }
  return !isPlayerName || EngFileIsSafeName(text);
}

const char* UserNewPlayerNameRefusal(const char* name) {
  if (UserNewIsValidName(name, true)) return nullptr;
  const std::size_t length = name ? std::strlen(name) : 0;
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  if (length > 0 && (blank(name[0]) || blank(name[length - 1]))) return "UserNew_InvalidPlayerNameBlank";
  return "UserNew_InvalidPlayerName";
}

const char* UserNewGetTypedName() { return g_typedName; }
void UserNewSetChosenCountry(const char* country) {
  std::snprintf(g_chosenCountry, sizeof g_chosenCountry, "%s", country ? country : "");
}
void UserNewStartAfresh() {
  g_typedName[0] = g_chosenCountry[0] = '\0';
  g_chosenCountryIndex = -1;
  g_checkDelay = 0;
  g_askedOnce = false;
}

MWinCollection* UserNewAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void UserNewCreateCB() { UserNewAddCollectionToDesktop(); }
void UserNewClearButtonHandles() { g_h = Handles{}; }

bool UserNewGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.name = get("Name");
  g_h.back = get("Back");
  g_h.nameText = get("NameText");
  g_h.country = get("Country");
  g_h.countryText = get("CountryText");
  g_h.cont = get("Continue");
  g_h.title = get("SolTextPic");
  return get.AllFound();
}

void UserNewControlStartingCB() {
  if (!UserNewGetButtonHandles()) return;
  g_h.name->SetSimpleCallback(UserNewControlNameCB);
  g_h.country->SetSimpleCallback(UserNewControlCountryCB);
  g_h.cont->SetSimpleCallback(UserNewControlContinueCB);
  g_h.back->SetSimpleCallback(GoBack);
  g_h.back->SetEscapeButtonForParentWindow();
  ShowName();
  if (!g_chosenCountry[0]) UserNewSetChosenCountry(CountryGetLocalCountryName());
  g_h.country->SetText(g_chosenCountry);
  g_chosenCountryIndex = CountryGetPosFromName(g_chosenCountry);
  g_h.country->SetDrawHook(UserNewControlDrawCountryFlag);
  UsersControlCreateGraphics();
  UsersControlSetupTitlePicture(g_h.title, false);
  if (!g_askedOnce) {
    UserNewControlNameCB();
    g_askedOnce = true;
  }
}

void UserNewControlTickCB() {
  if (g_checkDelay == 0) return;
  if (g_checkDelay > 1) {
    // The delay is counted in passes: they must come.
    --g_checkDelay;
    EngFramesRequestTick();
    return;
  }
  g_checkDelay = 0;
  if (const char* refusal = UserNewPlayerNameRefusal(g_typedName)) {
    // The player reads why before typing another name.
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString(refusal));
    g_typedName[0] = '\0';
  } else if (UserProfileExists(g_typedName)) {
    g_MWin.PopupMessageForTime(nullptr, EngLanguagesGetFirstString("UserNew_ThatPlayerAlreadyExists"),
                             2.0f);
    std::snprintf(g_typedName, sizeof g_typedName, "\n \n");
  }
  ShowName();
}

void UserNewControlNameCB() {
  // The popup starts empty; Cancel keeps the name there was.
  g_nameInPopup[0] = '\0';
  g_MWin.PopupTextEdit(nullptr, EngLanguagesGetFirstString("UserNew_EnterAPlayerName"), g_nameInPopup,
                     sizeof g_nameInPopup, UserNewControlNameDoneCB);
}

void UserNewControlNameDoneCB(int result) {
  if (result != 1) return;
  std::memcpy(g_typedName, g_nameInPopup, sizeof g_typedName);
  ShowName();
  g_checkDelay = 5;
}

void UserNewControlCountryCB() { ScreensGoto(g_ScreenCountry); }

void UserNewControlContinueCB() {
  if (!UserNewIsValidName(g_typedName, true)) {
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_PleaseEnterAPlayerName"));
    return;
  }
  if (!UserNewIsValidName(g_chosenCountry, false)) {
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_PleaseSelectACountryMessage"));
    return;
  }
  // Never over an existing player, whether or not the delayed check ran.
  if (UserProfileExists(g_typedName)) {
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_ThatPlayerAlreadyExists"));
    return;
  }
  if (!UserNew(g_typedName, g_chosenCountry)) return;
  // Play has started in the main menu, which runs its own splash panel.
  if (ScreensGetCurrent() != g_ScreenMain) {
    if (SplashIsOn()) SplashStop();
    ScreensGoto(g_ScreenMain);
  }
}

void UserNewControlDrawCountryFlag(MWinButton*, MWinArea* area, int) {
  CountryDrawFlagInRow(g_chosenCountryIndex, area);
}
