// Scores.cpp - the Scores page (see Scores.h).
#include "Screens/Scores.h"

#include <cinttypes>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "App/Internet.h"
#include "App/Resolution.h"
#include "App/Score.h"
#include "App/ScoreSystem.h"
#include "App/Various.h"
#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngWindow.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Screens/Country.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/Users.h"

namespace {

constexpr const char* kName = "Scores";
constexpr int kRows = kScoreMaxEntries;
constexpr float kFirstRowY = 117.0f;
constexpr float kRowStep = 12.0f;
constexpr const char* kViewOnlinePage = "cgi-bin/cardolia/scores/ShowHighScores.cgi?game=%s";

constexpr float kText[4] = {1.0f, 1.0f, 1.0f, 0.7f};
constexpr float kTitle[4] = {0.5f, 0.6f, 0.6f, 0.8f};
constexpr int kLeft = 0, kCentre = 1, kRight = 2;

ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w,
              float h, int align, const char* token, bool large = false, const float* colour = kText) {
  return ScreenRow{id, kind, look, text, x, y, w, h, {colour[0], colour[1], colour[2], colour[3]},
                   large ? 1.0f : 0.8f, large ? 1.2f : 0.9f, align, token, nullptr};
}

// The page's rows in creation order; the 20-row columns are made once.
const std::vector<ScreenRow>& PageRows() {
  static std::deque<std::string> ids;  // the generated IDs outlive the rows
  static std::deque<std::string> texts;
  static std::vector<ScreenRow> rows;
  if (!rows.empty()) return rows;
  const char* none = "MWIN_TEXBUT_NONE";
  rows.push_back(Row("GameText", MWIN_BUT_PUSH, "Back1", "Scores", 238, 33, 303, 19, kCentre, "Scores_GameText", true));
  rows.push_back(Row("Bg", MWIN_BUT_PUSH, "Back1", "", 240, 90, 356, 276, kCentre, nullptr, true));
  rows.push_back(Row("Set", MWIN_BUT_CHOICE, "Main", "", 271, 409, 298, 21, kCentre, nullptr));
  rows.push_back(Row("Bar1", MWIN_BUT_PUSH, "Black", "", 244, 95, 349, 18, kCentre, nullptr, true));
  rows.push_back(Row("PosTitle", MWIN_BUT_PUSH, none, "Pos", 242, 97, 32, 11, kCentre, "Scores_PosTitle", false, kTitle));
  rows.push_back(Row("DateTitle", MWIN_BUT_PUSH, none, "Date", 276, 97, 66.79f, 11, kCentre, "Scores_DateTitle", false, kTitle));
  rows.push_back(Row("NameTitle", MWIN_BUT_PUSH, none, "Name", 347, 97, 93, 11, kLeft, "Scores_NameTitle", false, kTitle));
  rows.push_back(Row("TimeTitle", MWIN_BUT_PUSH, none, "Time", 479, 97, 54, 11, kCentre, "Scores_TimeTitle", false, kTitle));
  rows.push_back(Row("ScoreTitle", MWIN_BUT_PUSH, none, "Score", 537, 97, 51, 11, kRight, "Scores_ScoreTitle", false, kTitle));
  struct Column {
    const char* id;
    const char* text;
    float x, w;
    int align;
  };
  const Column columns[] = {{"Pos", nullptr, 250, 22, kCentre},        {"Date", "12/04/2005", 276, 66.79f, kCentre},
                            {"Name", "Name Unset", 347, 93, kLeft},    {"Time", "4:44:44", 479, 54, kCentre},
                            {"Score", "1234", 537, 51, kRight}};
  for (const Column& c : columns) {
    for (int n = 1; n <= kRows; ++n) {
      ids.push_back(c.id + std::to_string(n));
      texts.push_back(c.text ? c.text : std::to_string(n) + ".");
      rows.push_back(Row(ids.back().c_str(), MWIN_BUT_PUSH, none, texts.back().c_str(), c.x,
                         kFirstRowY + kRowStep * static_cast<float>(n - 1), c.w, 11, c.align, nullptr));
    }
  }
  rows.push_back(Row("AddOnline", MWIN_BUT_PUSH, "Main", "Add Your Score Online", 242, 367, 166, 19, kCentre, "Scores_AddOnline"));
  rows.push_back(Row("ViewOnline", MWIN_BUT_PUSH, "Main", "View Online High Scores", 424, 367, 171, 19, kCentre, "Scores_ViewOnline"));
  rows.push_back(Row("Weights", MWIN_BUT_PUSH, "Main", "GameNameHere Scoring System", 303, 387, 230, 19, kCentre, nullptr));
  rows.push_back(Row("Reset", MWIN_BUT_PUSH, "Main", "Reset", 597, 92, 35, 19, kCentre, "Scores_Reset"));
  rows.push_back(Row("CountryTitle", MWIN_BUT_PUSH, none, "Country", 430.71f, 97, 49.43f, 11, kCentre, nullptr, false, kTitle));
  for (int n = 1; n <= kRows; ++n) {
    ids.push_back("Country" + std::to_string(n));
    rows.push_back(Row(ids.back().c_str(), MWIN_BUT_PUSH, none, "Flag", 442.71f,
                       kFirstRowY + kRowStep * static_cast<float>(n - 1), 27.43f, 11, kCentre, nullptr));
  }
  rows.push_back(Row("InternetWait", MWIN_BUT_PUSH, "Back2", "Connecting to the Internet ...", 287, 207, 262, 42,
                     kCentre, "Scores_InternetWait", true));
  return rows;
}

struct Handles {
  MWinButton* gameText = nullptr;
  MWinButton* set = nullptr;
  MWinButton* pos[kRows] = {};
  MWinButton* date[kRows] = {};
  MWinButton* name[kRows] = {};
  MWinButton* country[kRows] = {};  // optional column
  MWinButton* time[kRows] = {};
  MWinButton* score[kRows] = {};
  MWinButton* addOnline = nullptr;
  MWinButton* viewOnline = nullptr;
  MWinButton* weights = nullptr;
  MWinButton* reset = nullptr;
  MWinButton* internetWait = nullptr;
};
Handles g_h;
float g_pulsePhase = 0.0f;  // the newest row's pulse, kept across showings

char g_weightsText[80] = {};

// The row's text colour: gold and cyan rows alternate and darken downwards;
// dealt-by-number rows are grey; the newest row pulses.
void ColourRow(int r) {
  const float k = static_cast<float>(22 - r);
  float brightness = k / 22.0f * 0.8f + 0.2f;
  float red = 1.0f, green = 0.812f, blue = 0.361f;
  if (r % 2 == 1) {
    red = 0.357f;
    green = 0.992f;
    blue = 1.0f;
  }
  if (r < ScoreGetEntryCount() && ScoreGetEntry(r).dealtByNumber) red = green = blue = 0.4f;
  if (r == ScoreGetLastAddedIndex()) {
    brightness = 0.5f + 0.5f * EngMiscPulse(&g_pulsePhase, EngProgramGetFrameTime() * 1.5f);
    EngFramesRequestDraw();
  }
  for (MWinButton* b : {g_h.pos[r], g_h.date[r], g_h.name[r], g_h.country[r], g_h.time[r], g_h.score[r]}) {
    if (b) b->SetTextColour(red * brightness, green * brightness, blue * brightness, 1.0f);
  }
}

void FillRow(int i, const ScoreEntry& e) {
  const int month = e.month >= 1 && e.month <= 12 ? e.month : 0;
  g_h.date[i]->SetTextFormatted("%d %s %04d", e.day, EngLanguagesGetString("Stats_MonthsShortList", month),
                                e.year);
  g_h.name[i]->SetText(e.name);
  if (MWinButton* flag = g_h.country[i]) {
    flag->SetText("");
    const int pos = CountryGetPosFromName(e.country);
    float rect[4];
    EngTexture* sheet = UsersControlGetFlagSheet();
    if (pos >= 0 && sheet && CountryGetFlagTextureRect(pos, rect)) {
      flag->SetCustomTexBut(-1, sheet, 0, rect[0], rect[1], rect[2], rect[3], 1.0f, 1.0f, 1.0f, 1.0f);
    } else {
      flag->SetTexButNone();
    }
  }
  g_h.time[i]->SetText(GameTimeFormat(static_cast<int>(e.playTime)));
  g_h.score[i]->SetTextFormatted("%" PRIu32, e.score);
}

}  // namespace

bool ScoresAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  const std::vector<ScreenRow>& rows = PageRows();
  return ScreenAddRows("ScoresAddMainWinWindowButtonsToWindowNormal", window, rows.data(),
                       static_cast<int>(rows.size()));
}

void ScoresClearButtonHandles() { g_h = Handles{}; }

bool ScoresGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  Handles h;
  h.gameText = get("GameText");
  h.set = get("Set");
  for (int r = 0; r < kRows; ++r) {
    const std::string n = std::to_string(r + 1);
    h.pos[r] = get(("Pos" + n).c_str());
    h.date[r] = get(("Date" + n).c_str());
    h.name[r] = get(("Name" + n).c_str());
    h.time[r] = get(("Time" + n).c_str());
    h.score[r] = get(("Score" + n).c_str());
    h.country[r] = get.Optional(("Country" + n).c_str());  // a layout without flags has none
  }
  h.addOnline = get("AddOnline");
  h.viewOnline = get("ViewOnline");
  h.weights = get("Weights");
  h.reset = get("Reset");
  h.internetWait = get("InternetWait");
  g_h = h;
  return get.AllFound();
}

void ScoresControlStartingCB() {
  const bool hosted = ScreensGetCurrent() == g_ScreenMain;
  if (!ScoresGetButtonHandlesNormal(hosted ? "Main" : kName, "MainWin")) return;
  g_h.set->SetSimpleCallback(DoNothingCB);
  g_h.reset->SetSimpleCallback(ScoresControlResetCB);
  g_h.addOnline->SetSimpleCallback(ScoresControlAddOnlineCB);
  g_h.viewOnline->SetSimpleCallback(ScoresControlViewOnlineCB);
  g_h.weights->SetSimpleCallback(ScoresControlWeightsCB);
  ScoreReadCurrentGameScores();
  g_h.gameText->Hide();
  const char* gameName = EngLanguagesGetString("Game_GameList", GenGetCurGame());
  if (!EngLanguagesGetStringWithParam("Scores_GameScoringSystem", gameName, g_weightsText, sizeof g_weightsText)) {
    std::snprintf(g_weightsText, sizeof g_weightsText, "%s", gameName);
  }
  g_h.weights->SetText(g_weightsText);
  static const char* const kSetEntries[] = {"1", "2"};
  g_h.set->ChoiceSetStrings(2, kSetEntries);
  g_h.set->Hide();
  g_h.internetWait->Hide();
  ScoresControlUpdateRows(-1);
}

void ScoresControlUpdateRows(int row) {
  if (!g_h.pos[0]) return;
  for (int r = 0; r < kRows; ++r) {
    if (row >= 0 && r != row) continue;
    if (row < 0) {
      for (MWinButton* b : {g_h.date[r], g_h.name[r], g_h.country[r], g_h.time[r], g_h.score[r]}) {
        if (b) b->SetText("");
      }
    }
    ColourRow(r);
  }
  if (row >= 0) return;
  for (int i = 0; i < ScoreGetEntryCount(); ++i) FillRow(i, ScoreGetEntry(i));
  // Sending needs a row of this player, found the way the sending finds it
  // (by name and country: player ids are drawn at random and may repeat).
  ScoreEntry best;
  g_h.addOnline->SetEnabled(ScoreGetUsersBestScore(&best));
}

void ScoresControlTickLatestRow() {
  const int latest = ScoreGetLastAddedIndex();
  if (latest >= 0 && latest < kRows) ScoresControlUpdateRows(latest);
}

void ScoresControlWeightsCB() {
  if (!g_h.weights || !g_h.weights->HasText()) return;
  g_MWin.PopupOk(g_h.weights->GetTextP(), ScoreGetSystemDescription());
}

void ScoresControlResetCB() {
  g_MWin.PopupSetSizes(-1, -1, 90, -1);
  g_MWin.PopupSetButtonTexts(EngLanguagesGetFirstString("Stats_ThisGame"), nullptr,
                           EngLanguagesGetFirstString("Stats_AllGames"));
  g_MWin.PopupYesNoCancel(EngLanguagesGetFirstString("Scores_ResetScores"),
                        EngLanguagesGetFirstString("Scores_ResetScoresQuestion"), ScoresControlResetResultCB);
  g_MWin.PopupSetSizes(-1, -1, -2, -1);
}

void ScoresControlResetResultCB(int result) {
  if (result == 1) {
    ScoreDeleteUserScoresForCurGame();
    ScoresControlStartingCB();
  } else if (result == 2) {
    g_MWin.PopupOkCancel(EngLanguagesGetFirstString("Scores_ResetAllScores"),
                       EngLanguagesGetFirstString("Scores_ResetAllScoresQuestion"), ScoresControlResetAllResultCB);
  }
}

void ScoresControlResetAllResultCB(int result) {
  if (result != 1) return;
  ScoreDeleteUserScoresForAllGames();
  ScoresControlStartingCB();
}

void ScoresControlAddOnlineCB() {
  if (EngWindowGetScreenMode().windowed || ScoresControlCheckInternetAccess()) InternetAddUsersBestScoreOnline();
}

void ScoresControlViewOnlineCB() {
  char page[256];
  std::snprintf(page, sizeof page, kViewOnlinePage, GenGetGameFilename(-1));
  VariousGoOnlineToSitePage(nullptr, page, true, false, true, false);
}

bool ScoresControlCheckInternetAccess() {
  if (g_ResolutionSettings.httpTest == 1) return true;
  g_ResolutionSettings.httpTest = 255;
  g_ResolutionSettings.showDialog = 1;
  g_MWin.PopupOk(EngLanguagesGetFirstString("Scores_InternetAccess"),
               EngLanguagesGetFirstString("Scores_InternetAccessMessage"));
  return false;
}

void ScoresControlShowInternetWait(const char* text) {
  MWinButton* wait = g_h.internetWait;
  if (!wait) return;
  wait->SetText(text ? text : "");
  wait->Show();
  wait->Deactivate();
}

void ScoresControlHideInternetWait() {
  if (g_h.internetWait) g_h.internetWait->Hide();
}
