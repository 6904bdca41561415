// GamePage.cpp - the Game page: rows, ratings, autoplay and deal number
// (see GamePage.h).
#include "Screens/GamePage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "App/User.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/GenLights.h"
#include "Game/GenSave.h"
#include "Game/UserOptions.h"
#include "Screens/Main.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Game";
constexpr int kDealNumberDigits = 10;

#define GAME_ROW(id, kind, look, text, x, y, w, h, sx, sy, align, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, align, token, nullptr}
#define BOX_ROW(id, look, x, y, w, h) GAME_ROW(id, MWIN_BUT_PUSH, look, "", x, y, w, h, 1.0f, 1.2f, 1, nullptr)

const ScreenRow kRows[] = {
    BOX_ROW("Bg", "Back1", 214, 94, 413, 35),
    BOX_ROW("RenderBg", "Black", 214, 134, 413, 229),
    GAME_ROW("DecksText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Decks", 227, 102, 47, 19, 1.0f, 1.2f,
             1, "Game_DecksText"),
    GAME_ROW("DifficultyText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Difficulty", 333, 102, 64, 19,
             1.0f, 1.2f, 1, "Game_DifficultyText"),
    BOX_ROW("DifficultyBack", "Black", 399, 100, 82, 22),
    BOX_ROW("Difficulty", "Stat", 402, 104, 74, 14),
    GAME_ROW("SkillText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Skill", 486, 102, 40, 19, 1.0f, 1.2f,
             1, "Game_SkillText"),
    BOX_ROW("SkillBack", "Black", 529, 100, 81, 22),
    BOX_ROW("Skill", "Stat", 532, 104, 74, 14),
    BOX_ROW("DecksBack", "Black", 275, 100, 42, 22),
    BOX_ROW("Deck1", "Stat", 279, 104, 9, 14),
    BOX_ROW("Deck2", "Stat", 291, 104, 9, 14),
    BOX_ROW("Deck3", "Stat", 303, 104, 9, 14),
    BOX_ROW("BotBg", "Back1", 214, 366, 413, 36),
    GAME_ROW("GameNumText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Game #", 227, 374, 50.34f, 21, 0.8f,
             0.9f, 2, "Game_GameNumText"),
    GAME_ROW("GameNum", MWIN_BUT_PUSH, "Main", "1234567890", 278, 373, 87.61f, 22, 0.7f, 1.0f, 1,
             nullptr),
    GAME_ROW("AutoplayText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Autoplay", 402.11f, 374, 59.89f, 21,
             0.8f, 0.9f, 2, "Game_AutoplayText"),
    GAME_ROW("Autoplay", MWIN_BUT_LIST, "Main", "First Panel Entry 1", 463.56f, 373, 126.36f, 22,
             0.7f, 1.0f, 1, nullptr),
    GAME_ROW("AutoplayInfo", MWIN_BUT_PUSH, "Main", "?", 593, 373, 23, 22, 0.8f, 0.9f, 1, nullptr),
};
#undef BOX_ROW
#undef GAME_ROW

struct Handles {
  MWinButton* bg = nullptr;
  MWinButton* renderBg = nullptr;
  MWinButton* difficulty = nullptr;
  MWinButton* skill = nullptr;
  MWinButton* decks[3] = {};
  MWinButton* gameNum = nullptr;
  MWinButton* autoplay = nullptr;
  MWinButton* autoplayInfo = nullptr;
};
Handles g_h;
float g_barWidth = 74;
bool g_offered[kGameAutoplayModes] = {};
char g_dealText[kDealNumberDigits + 1] = "";
std::uint32_t g_dealEntered = 0;

int CurGame() {
  const int game = GenGetCurGame();
  return game >= 0 && game < kGenNumGames ? game : -1;
}

// The mode (0-3) of the n-th offered level; -1 past them.
int ModeOfEntry(int entry) {
  for (int mode = 0; mode < kGameAutoplayModes; ++mode) {
    if (!g_offered[mode]) continue;
    if (entry-- == 0) return mode;
  }
  return -1;
}

int OfferedCount() {
  int count = 0;
  for (bool offered : g_offered) count += offered ? 1 : 0;
  return count;
}

// The saved game's deal number as text, or empty without a saved game.
void SavedDealText(char* out, int size) {
  out[0] = '\0';
  if (UserIsLoaded() && GenSavedGameExists()) std::snprintf(out, static_cast<std::size_t>(size), "%u", GenGetSavedGameDealNumber());
}

void InfoSecondCB(int) {
  g_MWin.PopupOk(EngLanguagesGetFirstString("Game_AutoplayLevels"),
               EngLanguagesGetFirstString("GameAutoplayMessage3"));
}

void InfoFirstCB(int) {
  g_MWin.PopupOkWithCallback(EngLanguagesGetFirstString("Game_AutoplayLevels"),
                           EngLanguagesGetFirstString("GameAutoplayMessage2"), InfoSecondCB);
}

}  // namespace

// ---- Layout unit ---------------------------------------------------------------------

MWinCollection* GameAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void GameCreateCB() { GameAddCollectionToDesktop(); }

bool GameAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("GameAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void GameClearButtonHandles() { g_h = Handles{}; }

bool GameGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.bg = get("Bg");
  g_h.renderBg = get("RenderBg");
  g_h.difficulty = get("Difficulty");
  g_h.skill = get("Skill");
  g_h.decks[0] = get("Deck1");
  g_h.decks[1] = get("Deck2");
  g_h.decks[2] = get("Deck3");
  g_h.gameNum = get("GameNum");
  g_h.autoplay = get("Autoplay");
  g_h.autoplayInfo = get("AutoplayInfo");
  return get.AllFound();
}

bool GameGetButtonHandles() { return GameGetButtonHandlesNormal(kName, "MainWin"); }

// ---- Control unit --------------------------------------------------------------------

void GameControlStartingCB() {
  const bool embedded = ScreensGetCurrent() == g_ScreenMain;
  if (!(embedded ? GameGetButtonHandlesNormal("Main", "MainWin") : GameGetButtonHandles())) return;
  g_h.autoplay->SetSimpleCallback(GameControlAutoplaySelectCB);
  g_h.autoplayInfo->SetSimpleCallback(GameControlAutoplayInfoCB);
  g_h.gameNum->SetSimpleCallback(GameControlEnterDealNumberCB);
  MWinArea skill;
  g_h.skill->GetArea(&skill, true);
  g_barWidth = skill.w;
  GameControlShowRatings();
  GameControlUpdateSnapshotViewport();
  GenApplyLights();
  GameCameraApplyPreset(kGameCameraMainMenu);
  GameApplyCameraAndRefreshScene();
  GameControlLoadSnapshot();
  GameControlSetupAutoplayEntries();
  GameControlFillAutoplayList();
  char text[kDealNumberDigits + 2];
  SavedDealText(text, sizeof text);
  g_h.gameNum->SetText(text);
  GameControlAskForSnapshot();
}

float GameControlBarWidth(int rating, float barWidth, bool difficulty) {
  const float value = difficulty ? static_cast<float>(101 - rating) : static_cast<float>(rating);
  float width = value * barWidth / 100.0f;
  if (width > barWidth) width = barWidth;
  if (width < 1) width = 1;
  return width;
}

void GameControlShowRatings() {
  const int game = CurGame();
  if (game < 0) return;
  const GameDef& def = GenGameTable[game];
  for (int i = 0; i < 3; ++i) {
    if (!g_h.decks[i]) continue;
    if (i < def.decks) {
      g_h.decks[i]->Show();
    } else {
      g_h.decks[i]->Hide();
    }
  }
  const struct {
    MWinButton* bar;
    int rating;
    bool difficulty;
  } bars[] = {{g_h.difficulty, def.winChance, true}, {g_h.skill, def.skill, false}};
  for (const auto& b : bars) {
    if (!b.bar) continue;
    MWinArea area;
    b.bar->GetArea(&area, true);
    b.bar->SetPos(area.x, area.y, GameControlBarWidth(b.rating, g_barWidth, b.difficulty), area.h);
  }
}

// ---- Autoplay ------------------------------------------------------------------------

void GameControlSetupAutoplayEntries() {
  for (bool& offered : g_offered) offered = false;
  const int game = CurGame();
  if (game < 0) return;
  const GameDef& def = GenGameTable[game];
  if (!def.autoplay) return;
  g_offered[0] = true;
  g_offered[1] = def.autoplayLevel1 != 0;
  g_offered[2] = def.autoplayLevel2 != 0;
  g_offered[3] = def.autoplayLevel3 != 0;
  if (!g_offered[1] && !g_offered[2] && !g_offered[3]) {
    DebugError("GameControlSetupAutoplayEntries", "Autoplay problem");
  }
}

const char* GameControlAutoplayEntryText(int entry) {
  const int mode = ModeOfEntry(entry);
  if (mode < 0) return "Autoplay: ???";
  return EngLanguagesGetString("Game_AutoplayList", mode);
}

void GameControlFillAutoplayList() {
  if (!g_h.autoplay || !g_h.autoplayInfo) return;
  g_h.autoplay->SetSimpleCallback(GameControlAutoplaySelectCB);
  g_h.autoplayInfo->SetSimpleCallback(GameControlAutoplayInfoCB);
  const int count = OfferedCount();
  if (count == 0) {
    g_h.autoplay->Deactivate();
    g_h.autoplay->SetEnabled(false);
    g_h.autoplay->SetText(EngLanguagesGetFirstString("Game_AutoplayNotAvailable"));
    return;
  }
  g_h.autoplay->SetEnabled(true);
  g_h.autoplay->ListSetStringsCallback(count, GameControlAutoplayEntryText);
  const int game = CurGame();
  const int stored = game >= 0 ? g_UserOptions.autoplayMode[game] : 0;
  int entry = 0;
  for (int n = 0; n < count; ++n) {
    if (ModeOfEntry(n) == stored) entry = n;
  }
  g_h.autoplay->ListSetPos(entry, false);
}

void GameControlAutoplaySelectCB() {
  const int game = CurGame();
  if (!g_h.autoplay || game < 0) return;
  const int mode = ModeOfEntry(g_h.autoplay->ListGetPos());
  if (mode >= 0) g_UserOptions.autoplayMode[game] = static_cast<std::uint8_t>(mode);
}

void GameControlAutoplayInfoCB() {
  g_MWin.PopupOkWithCallback(EngLanguagesGetFirstString("Game_AutoplayLevels"),
                           EngLanguagesGetFirstString("GameAutoplayMessage1"), InfoFirstCB);
}

int GameControlNextAutoplayLevel(const bool* offered, int stored) {
  int lowest = -1;
  for (int mode = 0; mode < kGameAutoplayModes; ++mode) {
    if (offered[mode]) {
      lowest = mode;
      break;
    }
  }
  if (lowest < 0) return -1;
  if (stored >= 0 && stored < kGameAutoplayModes) {
    for (int mode = stored + 1; mode < kGameAutoplayModes; ++mode) {
      if (offered[mode]) return mode;
    }
  }
  return lowest;
}

bool GameControlCycleAutoplayLevel(char* text) {
  const int game = CurGame();
  GameControlSetupAutoplayEntries();
  if (OfferedCount() == 0 || game < 0) {
    std::snprintf(text, 128, "%s", EngLanguagesGetFirstString("Game_AutoplayNotAvailable2"));
    return false;
  }
  const int next = GameControlNextAutoplayLevel(g_offered, g_UserOptions.autoplayMode[game]);
  if (next < 0) {
    std::snprintf(text, 128, "Internal error changing autoplay options");
    return false;
  }
  g_UserOptions.autoplayMode[game] = static_cast<std::uint8_t>(next);
  std::snprintf(text, 128, "%s", EngLanguagesGetString("Game_Autoplay2List", next));
  return true;
}

// ---- Deal number -----------------------------------------------------------------------

DealNumberFault GameControlParseDealNumber(const char* text, std::uint32_t* number) {
  if (!text || !text[0]) return DealNumberFault::kEmpty;
  const std::size_t length = std::strlen(text);
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return DealNumberFault::kNotDigits;
  }
  // Digits only: past ten of them (leading zeros aside) the number is too
  // large whatever they are.
  std::size_t first = 0;
  while (first < length && text[first] == '0') ++first;
  if (first == length) return DealNumberFault::kZero;
  if (length - first > static_cast<std::size_t>(kDealNumberDigits)) return DealNumberFault::kTooLarge;
  const unsigned long long value = std::strtoull(text + first, nullptr, 10);
  if (value > 4294967295ULL) return DealNumberFault::kTooLarge;
  if (number) *number = static_cast<std::uint32_t>(value);
  return DealNumberFault::kNone;
}

const char* GameControlDealNumberFaultToken(DealNumberFault fault) {
  switch (fault) {
    case DealNumberFault::kEmpty:
      return "Game_DealNumberEmpty";
    case DealNumberFault::kNotDigits:
      return "Game_DealNumberNotDigits";
    case DealNumberFault::kZero:
      return "Game_DealNumberZero";
    case DealNumberFault::kTooLarge:
      return "Game_DealNumberTooLarge";
    case DealNumberFault::kNone:
      break;
  }
  return nullptr;
}

void GameControlEnterDealNumberCB() {
  SavedDealText(g_dealText, sizeof g_dealText);
  g_MWin.PopupTextEdit("", EngLanguagesGetFirstString("Game_EnterNewDealNumber"), g_dealText,
                     sizeof g_dealText, GameControlDealNumberEnteredCB);
}

void GameControlDealNumberEnteredCB(int result) {
  if (result != 1) return;
  std::uint32_t deal = 0;
  const DealNumberFault fault = GameControlParseDealNumber(g_dealText, &deal);
  if (fault != DealNumberFault::kNone) {
    // The player is told what to type instead.
    g_MWin.PopupOk("", EngLanguagesGetFirstString(GameControlDealNumberFaultToken(fault)));
    return;
  }
  g_dealEntered = deal;
  g_MWin.PopupOkWithCallback("", EngLanguagesGetFirstString("Game_GameNumberNote"),
                           GameControlPlayDealNumberCB);
}

void GameControlPlayDealNumberCB(int) {
  const std::uint32_t deal = g_dealEntered;
  g_dealEntered = 0;
  MainControlPlayDealNumber(deal);
}
