// UserNew.cpp - the new player screen (see UserNew.h).
#include "Screens/UserNew.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <strings.h>

#include "App/Splash.h"
#include "App/User.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
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
Handles gH;

char gTypedName[kUserMaxNameLength + 1] = {};
char gChosenCountry[kUserMaxCountryLength + 1] = {};
int gChosenCountryIndex = -1;
int gCheckDelay = 0;
bool gAskedOnce = false;

void ShowName() {
  if (gH.name) gH.name->SetText(gTypedName);
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

const char* UserNewGetTypedName() { return gTypedName; }
const char* UserNewGetChosenCountry() { return gChosenCountry; }
void UserNewSetChosenCountry(const char* country) {
  std::snprintf(gChosenCountry, sizeof gChosenCountry, "%s", country ? country : "");
}
void UserNewResetForTests() {
  gTypedName[0] = gChosenCountry[0] = '\0';
  gChosenCountryIndex = -1;
  gCheckDelay = 0;
  gAskedOnce = false;
}

MWinCollection* UserNewAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void UserNewCreateCB() { UserNewAddCollectionToDesktop(); }
void UserNewClearButtonHandles() { gH = Handles{}; }

bool UserNewGetButtonHandles() {
  gH.name = ScreenButton(kName, "Name");
  gH.back = ScreenButton(kName, "Back");
  gH.nameText = ScreenButton(kName, "NameText");
  gH.country = ScreenButton(kName, "Country");
  gH.countryText = ScreenButton(kName, "CountryText");
  gH.cont = ScreenButton(kName, "Continue");
  gH.title = ScreenButton(kName, "SolTextPic");
  return gH.name && gH.back && gH.nameText && gH.country && gH.countryText && gH.cont && gH.title;
}

void UserNewControlStartingCB() {
  if (!UserNewGetButtonHandles()) return;
  gH.name->SetSimpleCallback(UserNewControlNameCB);
  gH.country->SetSimpleCallback(UserNewControlCountryCB);
  gH.cont->SetSimpleCallback(UserNewControlContinueCB);
  gH.back->SetSimpleCallback(GoBack);
  gH.back->SetEscapeButtonForParentWindow();
  ShowName();
  if (!gChosenCountry[0]) UserNewSetChosenCountry(CountryGetLocalCountryName());
  gH.country->SetText(gChosenCountry);
  gChosenCountryIndex = CountryGetPosFromName(gChosenCountry);
  gH.country->SetDrawHook(UserNewControlDrawCountryFlag);
  UsersControlCreateGraphics();
  UsersControlSetupTitlePicture(gH.title, false);
  if (!gAskedOnce) {
    UserNewControlNameCB();
    gAskedOnce = true;
  }
}

void UserNewControlTickCB() {
  if (gCheckDelay == 0) return;
  if (gCheckDelay > 1) {
    --gCheckDelay;
    return;
  }
  gCheckDelay = 0;
  if (!UserNewIsValidName(gTypedName, true)) {
    mwin.PopupMessageForTime(nullptr, EngLanguagesGetFirstString("UserNew_InvalidPlayerName"), 2.0f);
    gTypedName[0] = '\0';
  } else if (UserProfileExists(gTypedName)) {
    mwin.PopupMessageForTime(nullptr, EngLanguagesGetFirstString("UserNew_ThatPlayerAlreadyExists"),
                             2.0f);
    std::snprintf(gTypedName, sizeof gTypedName, "\n \n");
  }
  ShowName();
}

void UserNewControlNameCB() {
  gTypedName[0] = '\0';
  ShowName();
  mwin.PopupTextEdit(nullptr, EngLanguagesGetFirstString("UserNew_EnterAPlayerName"), gTypedName,
                     sizeof gTypedName, UserNewControlNameDoneCB);
}

void UserNewControlNameDoneCB(int result) {
  if (result == 1) gCheckDelay = 5;
}

void UserNewControlCountryCB() { ScreensGoto(g_ScreenCountry); }

void UserNewControlContinueCB() {
  if (!UserNewIsValidName(gTypedName, true)) {
    mwin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_PleaseEnterAPlayerName"));
    return;
  }
  if (!UserNewIsValidName(gChosenCountry, false)) {
    mwin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_PleaseSelectACountryMessage"));
    return;
  }
  // Never over an existing player, whether or not the delayed check ran.
  if (UserProfileExists(gTypedName)) {
    mwin.PopupOk(nullptr, EngLanguagesGetFirstString("UserNew_ThatPlayerAlreadyExists"));
    return;
  }
  if (!UserNew(gTypedName, gChosenCountry)) return;
  if (SplashIsOn()) SplashStop();
  if (ScreensGetCurrent() != g_ScreenMain) ScreensGoto(g_ScreenMain);
}

void UserNewControlDrawCountryFlag(MWinButton*, MWinArea* area, int) {
  CountryDrawFlagInRow(gChosenCountryIndex, area);
}
