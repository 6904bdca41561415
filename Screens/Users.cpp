// Users.cpp - the Users screen: rows, handles and control (see Users.h).
#include "Screens/Users.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "App/DamagedFile.h"
#include "App/DirList.h"
#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/Splash.h"
#include "App/User.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngTexture.h"
#include "Game/UserRecord.h"
#include "Screens/Country.h"
#include "Screens/Modules.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"
#include "Screens/UserLoad.h"
#include "Screens/UserNew.h"

UserList g_UserList = {};

namespace {

constexpr const char* kName = "Users";

const ScreenRow kRows[] = {
    {"Continue", MWIN_BUT_PUSH, "Main", "Continue Player: HHHHHHHHHHHHHHHH", 198, 381, 245, 39,
     {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, nullptr, nullptr},
    {"New", MWIN_BUT_PUSH, "Main", "Create New Player", 31, 429, 187, 39, {1, 1, 1, 0.7f}, 1.0f,
     1.2f, 1, "Users_New", nullptr},
    {"Load", MWIN_BUT_PUSH, "Main", "Load / Delete Players", 227, 429, 187, 39, {1, 1, 1, 0.7f},
     1.0f, 1.2f, 1, "Users_Load", nullptr},
    {"Exit", MWIN_BUT_PUSH, "Main", "Exit Game", 423, 429, 187, 39, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1,
     "Users_Exit", nullptr},
    {"SolTextPic", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 170, 10, 300, 90, {0, 0, 0, 0.7f}, 0.7f,
     1.0f, 1, nullptr, nullptr},
    {"LoadProgress", MWIN_BUT_PUSH, "Back1", "Loading: N%", 198, 381, 245, 39, {1, 1, 1, 0.7f},
     1.0f, 1.2f, 1, nullptr, nullptr},
};

struct Handles {
  MWinButton* cont = nullptr;
  MWinButton* newPlayer = nullptr;
  MWinButton* load = nullptr;
  MWinButton* exit = nullptr;
  MWinButton* title = nullptr;
  MWinButton* progress = nullptr;
};
Handles g_h;

EngTexture g_titlePicture;
EngTexture g_flagSheet;
int g_continueCountry = -1;
// The player the new-profile popup asks about.
char g_damagedPlayer[kUserMaxNameLength + 1] = {};

}  // namespace

MWinCollection* UsersAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void UsersCreateCB() { UsersAddCollectionToDesktop(); }
void UsersClearButtonHandles() { g_h = Handles{}; }

bool UsersGetButtonHandles() {
  ScreenLookUp get(kName);
  g_h.cont = get("Continue");
  g_h.newPlayer = get("New");
  g_h.load = get("Load");
  g_h.exit = get("Exit");
  g_h.title = get("SolTextPic");
  g_h.progress = get("LoadProgress");
  return get.AllFound();
}

void UsersControlStartingCB() {
  if (!ModulesGetItemFilenameCB()) {
    DebugError("UsersControlStartingCB", "Users module is not setup");
    return;
  }
  if (!UsersGetButtonHandles()) return;
  g_h.newPlayer->SetSimpleCallback(UsersControlNewCB);
  g_h.cont->SetSimpleCallback(UsersControlContinueCB);
  g_h.load->SetSimpleCallback(UsersControlLoadCB);
  if (g_h.exit) g_h.exit->SetSimpleCallback(UsersControlExitCB);
  g_h.cont->SetDrawHook(UsersControlDrawContinueFlag);

  UserLoadControlScanUsers();
  if (g_UserList.count > 0) {
    g_h.load->Show();
  } else {
    g_h.load->Hide();
  }
  std::uint8_t alwaysStart = 0;
  const bool current = UserLoadControlGetCurrentUser(&alwaysStart);
  // A current player whose profile is damaged is still offered: Continue
  // says what is wrong and offers a new profile.
  const bool damaged = !current && g_ResolutionSettings.lastPlayer[0] &&
                       UserProfileIsDamaged(g_ResolutionSettings.lastPlayer);
  const char* label = EngLanguagesGetFirstString("Users_ContinuePlayer");
  if (damaged) {
    g_h.cont->SetTextFormatted("%s: %s %s", label, g_ResolutionSettings.lastPlayer,
                               EngLanguagesGetFirstString("UserLoad_DamagedMark"));
    g_h.cont->Show();
    g_continueCountry = -1;
  } else if (current) {
    g_h.cont->SetTextFormatted("%s: %s", label, g_ResolutionSettings.lastPlayer);
    g_h.cont->Show();
    UserRecord profile;
    g_continueCountry = UserReadProfile(g_ResolutionSettings.lastPlayer, &profile)
                           ? CountryGetPosFromName(profile.country)
                           : -1;
  } else {
    g_h.cont->SetText(label);
    g_h.cont->Hide();
    g_continueCountry = -1;
  }

  if (!SplashIsOn()) {
    SplashSetup("Data\\Main\\0130.dat", "Data\\Main\\0131.dat", "Data\\Main\\0132.dat",
                "Data\\Main\\0133.dat", "Data\\Main\\0134.dat", nullptr, nullptr, nullptr, 0, 0,
                nullptr, [](unsigned) { return false; }, nullptr);
    SplashStart();
  }
  SplashSetRect(210, 115, 220, 240);

  UsersControlCreateGraphics();
  UsersControlSetupTitlePicture(g_h.title, false);
  g_h.progress->Hide();

  if (current && alwaysStart) {
    SplashSkipFadeIn();
    g_h.load->Hide();
    if (g_h.exit) g_h.exit->Hide();
    g_h.newPlayer->Hide();
    EngMiscRenderFrameNow(true, true);
    EngMiscRenderFrameNow(true, true);
    UsersControlContinueCB();
    return;
  }
  DamagedFileShowNotices();
}

void UsersControlNewCB() {
  UsersClearButtonHandles();
  // Each new player starts from an empty form, as the first one did.
  UserNewStartAfresh();
  ScreensGoto(g_ScreenUserNew);
}

void UsersControlContinueCB() {
  char name[sizeof g_ResolutionSettings.lastPlayer];
  std::memcpy(name, g_ResolutionSettings.lastPlayer, sizeof name);
  if (UserProfileIsDamaged(name)) {
    UsersControlOfferNewProfile(name);
    return;
  }
  UserLoad(name, false, nullptr);
  UsersClearButtonHandles();
}

bool UsersControlOfferNewProfile(const char* name) {
  if (!name || !*name) return false;
  std::snprintf(g_damagedPlayer, sizeof g_damagedPlayer, "%s", name);
  char question[512];
  if (!EngLanguagesGetStringWithParam("Users_DamagedPlayerQuestion", g_damagedPlayer, question, sizeof question)) {
    std::snprintf(question, sizeof question, "%s", g_damagedPlayer);
  }
  DebugPlain("Damaged profile <%s>: a new profile offered", g_damagedPlayer);
  return g_MWin.PopupYesNo(EngLanguagesGetFirstString("Users_DamagedPlayerTitle"), question,
                         UsersControlNewProfileCB);
}

void UsersControlNewProfileCB(int result) {
  if (result != 1 || !g_damagedPlayer[0]) return;
  char name[sizeof g_damagedPlayer];
  std::memcpy(name, g_damagedPlayer, sizeof name);
  g_damagedPlayer[0] = '\0';
  if (!UserRemakeProfile(name, CountryGetLocalCountryName()) || !UserLoad(name, false, nullptr)) {
    g_MWin.PopupOk("Error", "Unable to load user.");
    return;
  }
  UsersClearButtonHandles();
  UserLoadClearButtonHandles();
}

void UsersControlLoadCB() {
  UsersClearButtonHandles();
  ScreensGoto(g_ScreenUserLoad);
}

void UsersControlExitCB() {
  UsersClearButtonHandles();
  SplashStop();
  g_ScreensImports.GameLeaveProgram();
}

void UsersControlDrawContinueFlag(MWinButton*, MWinArea* area, int) {
  CountryDrawFlagRightOf(g_continueCountry, area);
}

void UsersControlCreateGraphics() {
  const ModulesConfig& config = ModulesGetConfig();
  ModulesItemFilenameCB item = ModulesGetItemFilenameCB();
  if (config.loadPictures && item) {
    const char* title = item(0);
    if (title && *title) {
      if (!g_titlePicture.IsLoaded()) {
        const bool alpha = config.textureSwitch1 && config.textureSwitch2;
        g_titlePicture.LoadFromFile(title, alpha ? 1 : 0, alpha ? 2 : 0);
      }
      if (!g_flagSheet.IsLoaded()) {
        const char* flags = item(1);
        if (flags && *flags) g_flagSheet.LoadFromFile(flags, 1, 2);
      }
    }
  }
  if (config.splash) SplashCreateGraphics();
}

void UsersControlReleaseGraphics() {
  g_titlePicture.Release();
  g_flagSheet.Release();
  SplashFreeGraphics();
}

void UsersControlSetupTitlePicture(MWinButton* button, bool keepPlace) {
  if (!button) return;
  if (g_titlePicture.IsLoaded()) button->SetCustomTexBut(0, &g_titlePicture);
  if (!keepPlace) button->SetPos(110, 0, 420, 80);
}

void UsersControlTickSplash() {
  const int current = ScreensGetCurrent();
  if (current == g_ScreenUsers || current == g_ScreenMain) SplashTick();
}

void UsersControlRenderSplash(int pass) {
  if (pass != 0) {
    if (EngDevice* device = EngDeviceGetCurrent()) device->ClearScreen();
    return;
  }
  if (ScreensGetCurrent() == g_ScreenUsers) SplashRender(0);
}

EngTexture* UsersControlGetFlagSheet() { return &g_flagSheet; }

// ---- The player list ------------------------------------------------------------------

bool UserLoadControlIsUserFile(int, const char* name, const char*) {
  const std::size_t length = name ? std::strlen(name) : 0;
  return length >= 5 && std::strcmp(name + length - 4, ".usr") == 0;
}

void UserLoadControlScanUsers() {
  g_UserList.count = 0;
  if (!DirListOpenDir(PrefFolderGetSubFolder("Users"), UserLoadControlIsUserFile)) return;
  DirListPrepareToGetFilenamesInDir();
  for (const char* file = DirListGetNextFilenameInDir(); *file; file = DirListGetNextFilenameInDir()) {
    const std::size_t length = std::strlen(file);
    if (length <= 4 || g_UserList.count >= kUserListMax) continue;
    char name[260];
    std::snprintf(name, sizeof name, "%.*s", static_cast<int>(length - 4), file);
    // A name that could not name the player's files (or would be cut and
    // open another player's) is not a player.
    if (!UserIsValidFileName(name)) continue;
    const int n = g_UserList.count++;
    std::memcpy(g_UserList.names[n], name, std::strlen(name) + 1);  // at most 32 characters
    UserRecord profile;
    const bool readable = UserReadProfile(name, &profile);
    g_UserList.country[n] = readable ? CountryGetPosFromName(profile.country) : -1;
    g_UserList.damaged[n] = !readable;
  }
  DirListCleanupAfterGettingFilenamesInDir();
  DirListCloseDir();
}

namespace {

// The player of the list whose profile was written last; -1 for an empty
// list.
int NewestListedPlayer() {
  int newest = -1;
  long long newestTime = 0;
  for (int i = 0; i < g_UserList.count; ++i) {
    EngFileStamp stamp;
    const char* path = UserGetFileName(g_UserList.names[i], false);
    const long long time = path && EngFileGetStamp(path, &stamp) ? stamp.modified : 0;
    if (newest < 0 || time > newestTime) {
      newest = i;
      newestTime = time;
    }
  }
  return newest;
}

}  // namespace

bool UserLoadControlGetCurrentUser(std::uint8_t* alwaysStart) {
  UserLoadControlScanUsers();
  char* last = g_ResolutionSettings.lastPlayer;
  if (g_UserList.count == 1) {
    std::snprintf(last, sizeof g_ResolutionSettings.lastPlayer, "%s", g_UserList.names[0]);
  } else if (last[0] && !UserProfileExists(last) && g_UserList.count > 1) {
    // The settings name a player who has no profile (a run ended before
    // the profile was written, or the file was taken away): the player
    // whose profile was written last is offered instead.
    const int newest = NewestListedPlayer();
    DebugError("UserLoadControlGetCurrentUser", "Last player <%s> has no profile: <%s> offered", last,
               g_UserList.names[newest]);
    std::snprintf(last, sizeof g_ResolutionSettings.lastPlayer, "%s", g_UserList.names[newest]);
  }
  if (!g_ResolutionSettings.lastPlayer[0]) return false;
  return UserLoad(g_ResolutionSettings.lastPlayer, true, alwaysStart);
}
