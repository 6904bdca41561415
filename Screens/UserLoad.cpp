// UserLoad.cpp - the load player screen (see UserLoad.h).
#include "Screens/UserLoad.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "App/DamagedFile.h"
#include "App/User.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"
#include "Game/UserRecord.h"
#include "Screens/Country.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/Users.h"

namespace {

constexpr const char* kName = "UserLoad";

const ScreenRow kRows[] = {
    {"Panel", MWIN_BUT_PANEL, "Panel", "", 207, 143, 226, 225, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,
     nullptr, nullptr},
    {"Delete", MWIN_BUT_PUSH, "Main", "Delete Player", 460, 143, 86, 28, {1, 1, 1, 0.7f}, 0.8f,
     0.9f, 1, "UserLoad_Delete", nullptr},
    {"Load", MWIN_BUT_PUSH, "Main", "Load Player", 207, 403, 226, 29, {1, 1, 1, 0.7f}, 1.0f, 1.2f,
     1, "UserLoad_Load", nullptr},
    {"Back", MWIN_BUT_PUSH, "Main", "Back", 565, 425, 65, 35, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,
     "Common_ButtonGoBack", nullptr},
    {"SolTextPic", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 170, 10, 300, 90, {1, 1, 1, 0.7f}, 1.0f,
     1.2f, 1, nullptr, nullptr},
    {"LoadProgress", MWIN_BUT_PUSH, "Back1", "Loading: N%", 168, 403, 305, 29, {1, 1, 1, 0.7f},
     1.0f, 1.2f, 1, nullptr, nullptr},
};

struct Handles {
  MWinButton* panel = nullptr;
  MWinButton* del = nullptr;
  MWinButton* load = nullptr;
  MWinButton* back = nullptr;
  MWinButton* title = nullptr;
  MWinButton* progress = nullptr;
};
Handles g_h;
// The panel's texts: a damaged player's name carries the mark.
char g_entryTexts[kUserListMax][kUserMaxNameLength + 40];

// The selected entry when it is within the list, else -1.
int Selected() {
  if (!g_h.panel) return -1;
  const int entry = g_h.panel->PanelGetPos();
  return entry >= 0 && entry < g_UserList.count ? entry : -1;
}

}  // namespace

MWinCollection* UserLoadAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void UserLoadCreateCB() { UserLoadAddCollectionToDesktop(); }
void UserLoadClearButtonHandles() { g_h = Handles{}; }

bool UserLoadGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.panel = get("Panel");
  g_h.del = get("Delete");
  g_h.load = get("Load");
  g_h.back = get("Back");
  g_h.title = get("SolTextPic");
  g_h.progress = get("LoadProgress");
  return get.AllFound();
}

void UserLoadControlStartingCB() {
  if (!UserLoadGetButtonHandles()) return;
  g_h.panel->SetSimpleCallback(DoNothingCB);
  g_h.del->SetSimpleCallback(UserLoadControlDeleteCB);
  g_h.load->SetSimpleCallback(UserLoadControlLoadCB);
  g_h.back->SetSimpleCallback(UserLoadControlBackCB);
  g_h.back->SetEscapeButtonForParentWindow();
  UserLoadControlScanUsers();
  for (int i = 0; i < g_UserList.count; ++i) {
    std::snprintf(g_entryTexts[i], sizeof g_entryTexts[i], g_UserList.damaged[i] ? "%s %s" : "%s",
                  g_UserList.names[i], EngLanguagesGetFirstString("UserLoad_DamagedMark"));
  }
  g_h.panel->PanelSetStringsCallback(g_UserList.count, 7, UserLoadControlGetEntryText);
  g_h.panel->SetDrawHook(UserLoadControlDrawFlags);
  const bool any = g_UserList.count > 0;
  g_h.panel->SetEnabled(any);
  g_h.del->SetEnabled(any);
  g_h.load->SetEnabled(any);
  UsersControlCreateGraphics();
  UsersControlSetupTitlePicture(g_h.title, false);
  g_h.progress->Hide();
  DamagedFileShowNotices();
}

const char* UserLoadControlGetEntryText(int entry, int) {
  if (entry < 0 || entry >= g_UserList.count) return "";
  return g_entryTexts[entry];
}

void UserLoadControlDrawFlags(MWinButton* panel, MWinArea*, int) {
  if (!panel) return;
  for (int row = 0; row < panel->PanelGetNumVisible(); ++row) {
    const int entry = panel->PanelGetEntryFromVisibleRow(row);
    MWinArea area;
    if (entry < 0 || entry >= g_UserList.count || !panel->PanelGetVisibleRowArea(row, &area)) continue;
    CountryDrawFlagInRow(g_UserList.country[entry], &area);
  }
}

void UserLoadControlDeleteCB() {
  const int entry = Selected();
  if (entry < 0) return;
  // The question names the player it deletes.
  char question[kUserMaxNameLength + 256];
  if (!EngLanguagesGetStringWithParam("UserLoad_Confirm", g_UserList.names[entry], question, sizeof question)) {
    std::snprintf(question, sizeof question, "%s", EngLanguagesGetFirstString("UserLoad_Confirm"));
  }
  if (!g_MWin.PopupYesNo(EngLanguagesGetFirstString("UserLoad_Delete"), question, UserLoadControlDeleteDoneCB)) {
    return;
  }
  // The box stands above the list, title bar and all, so the player still
  // sees the chosen row.
  MWinWindow* box = g_MWin.GetPopupWindow();
  MWinArea list;
  if (!box || !g_h.panel) return;
  g_h.panel->GetArea(&list, false);
  const MWinArea& area = box->GetArea();
  constexpr float kGap = 4;
  box->SetPosXY(area.x, std::max(box->TitleHeight(), list.y - kGap - area.h));
}

void UserLoadControlDeleteDoneCB(int result) {
  const int entry = Selected();
  if (result != 1 || entry < 0) return;
  UserDeleteFiles(g_UserList.names[entry]);
  UserLoadControlStartingCB();
}

void UserLoadControlLoadCB() {
  const int entry = Selected();
  if (entry < 0) return;
  char name[sizeof g_UserList.names[0]];
  std::snprintf(name, sizeof name, "%s", g_UserList.names[entry]);
  if (UserProfileIsDamaged(name)) {
    UsersControlOfferNewProfile(name);
    return;
  }
  if (UserLoad(name, false, nullptr)) {
    UserLoadClearButtonHandles();
  } else {
    g_MWin.PopupOk("Error", "Unable to load user.");
  }
}

void UserLoadControlBackCB() {
  UserLoadClearButtonHandles();
  ScreensGoBack();
}
