// Stats.cpp - the Statistics page (see Stats.h).
#include "Screens/Stats.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "App/Stats.h"
#include "Engine/Debug.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMath.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWinGraph.h"
#include "Game/GameTime.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"

namespace {

constexpr const char* kName = "Stats";
constexpr int kShortHistoryDays = 30;   // up to this many days: one mark a day
constexpr int kMaxBuckets = 30;
constexpr unsigned kEmptyTimeScale = 3600;  // one hour when no time is above 0
constexpr float kWonColour[3] = {0.249f, 0.578f, 0.074f};
constexpr float kLostColour[3] = {0.620f, 0.178f, 0.074f};
constexpr float kRestColour[3] = {0.455f, 0.357f, 0.255f};
constexpr float kNoDataColour[3] = {0.167f, 0.111f, 0.049f};

#define STATS_ROW(id, kind, look, text, x, y, w, h, small, token)                                  \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, (small) ? 0.8f : 1.0f, (small) ? 0.9f : 1.2f, 1, \
   token, nullptr}

// The rows before the graph, the graph, and the rows after it (creation order).
const ScreenRow kRowsBeforeGraph[] = {
    STATS_ROW("WonLostText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Games Won / Lost", 266, 97, 303, 23, false, "Stats_WonLostText"),
    STATS_ROW("PieBg", MWIN_BUT_PUSH, "Black", "", 266, 120, 303, 86, false, nullptr),
    STATS_ROW("WonLostPie", MWIN_BUT_PICTURE, "MWIN_TEXBUT_NONE", "", 286, 134, 61, 58, false, nullptr),
    STATS_ROW("WonCol", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 373, 137, 21, 12, false, nullptr),
    STATS_ROW("LostCol", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "", 373, 154, 21, 12, false, nullptr),
    STATS_ROW("WonText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Won:", 397, 137, 47, 12, false, "Stats_WonText"),
    STATS_ROW("WonNum", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "22", 441, 137, 47, 12, false, nullptr),
    STATS_ROW("WonPerc", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "(67%)", 496, 137, 55, 12, false, nullptr),
    STATS_ROW("LostText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Lost:", 397, 155, 47, 12, false, "Stats_LostText"),
    STATS_ROW("LostNum", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "11", 441, 155, 47, 12, false, nullptr),
    STATS_ROW("LostPerc", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "(33%)", 496, 155, 55, 12, false, nullptr),
    STATS_ROW("WinLostDiv", MWIN_BUT_PUSH, "Black", "", 374, 172, 117, 5, false, nullptr),
    STATS_ROW("TotalText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Total:", 397, 179, 47, 12, false, "Stats_TotalText"),
    STATS_ROW("TotalNum", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "33", 441, 179, 47, 12, false, nullptr),
    STATS_ROW("PieSet", MWIN_BUT_CHOICE, "Main", "", 266, 206, 303, 21, true, nullptr),
    STATS_ROW("WonLostHistoryText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Percentage Won History", 266, 235, 303, 23, false,
              "Stats_WonLostHistoryText"),
    STATS_ROW("GraphBg", MWIN_BUT_PUSH, "Black", "", 266, 258, 303, 103, false, nullptr),
};
const ScreenRow kGraphRow =
    STATS_ROW("Graph", MWIN_BUT_GRAPH, "MWIN_TEXBUT_NONE", "", 327, 269, 205, 63, true, nullptr);
const ScreenRow kRowsAfterGraph[] = {
    STATS_ROW("GraphSet", MWIN_BUT_CHOICE, "Main", "", 266, 361, 303, 21, true, nullptr),
    STATS_ROW("Reset", MWIN_BUT_PUSH, "Main", "Reset", 583, 386, 48, 19, false, "Stats_Reset"),
    STATS_ROW("PieNoDataText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "NOT ENOUGH DATA", 354.78f, 152.8f, 126, 21, false,
              "Stats_PieNoDataText"),
    STATS_ROW("GraphNoDataText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "NOT ENOUGH DATA", 354.73f, 298.46f, 126, 21, false,
              "Stats_GraphNoDataText"),
    STATS_ROW("GraphPercs", MWIN_BUT_PUSH, "Main", "% Won", 570, 261, 57, 19, false, "Stats_GraphPercs"),
    STATS_ROW("GraphTimes", MWIN_BUT_PUSH, "Main", "Times", 570, 280, 57, 19, false, "Stats_GraphTimes"),
};
#undef STATS_ROW

struct Handles {
  MWinButton* wonLostPie = nullptr;
  MWinButton* wonCol = nullptr;
  MWinButton* lostCol = nullptr;
  MWinButton* wonText = nullptr;
  MWinButton* wonNum = nullptr;
  MWinButton* wonPerc = nullptr;
  MWinButton* lostText = nullptr;
  MWinButton* lostNum = nullptr;
  MWinButton* lostPerc = nullptr;
  MWinButton* winLostDiv = nullptr;
  MWinButton* totalText = nullptr;
  MWinButton* totalNum = nullptr;
  MWinButton* pieSet = nullptr;
  MWinButton* historyText = nullptr;
  MWinGraph* graph = nullptr;
  MWinButton* graphSet = nullptr;
  MWinButton* reset = nullptr;
  MWinButton* pieNoData = nullptr;
  MWinButton* graphNoData = nullptr;
  MWinButton* graphPercs = nullptr;
  MWinButton* graphTimes = nullptr;
  MWinButton* titleText = nullptr;  // only in layouts with a title
};
Handles g_h;
int g_history = 0;  // L: the days before today of the table

std::uint8_t& PiePeriod() { return g_UserRecord.statsOptions[0]; }
std::uint8_t& GraphPeriod() { return g_UserRecord.statsOptions[1]; }
std::uint8_t& GraphKind() { return g_UserRecord.statsOptions[2]; }

const char* MonthShort(int month) {
  return EngLanguagesGetString("Stats_MonthsShortList", month >= 1 && month <= 12 ? month : 0);
}

// The value of a day for the graph kind; has gets whether the day had
// games (a day without any carries the value before it).
double DayValue(int kind, int day, bool* has) {
  int count = 0;
  if (kind == 1) {
    const unsigned average = StatsControlGetDayAverageTime(day, &count);
    *has = count > 0;
    return average;
  }
  const float percent = StatsControlGetDayPercentWon(day, &count);
  *has = count > 0;
  return percent;
}

// The carried value's start: the oldest day's value. A first day without
// games cannot be (the table starts on the day of the first record), so it
// is reported and drawn as 0.
double OldestDayValue(int kind) {
  bool has = false;
  const double value = DayValue(kind, g_history, &has);
  if (!has) DebugError("StatsControlUpdateGraph", "File Error");
  return has ? value : 0.0;
}

void SetVerticalLabel(int kind, double maximum, char* label, std::size_t size) {
  if (kind == 1) {
    std::snprintf(label, size, "%s", GameTimeFormat(static_cast<int>(maximum)));
  } else {
    std::snprintf(label, size, "%d%%", EngMathRound(static_cast<float>(maximum)));
  }
}

// One mark per day: day n down to today.
void DrawShortHistory(int kind, int n, char* label, std::size_t size) {
  double maximum = kind == 1 ? 0.0 : 100.0;
  for (int day = n; day >= 0; --day) {
    bool has = false;
    maximum = std::max(maximum, DayValue(kind, day, &has));
  }
  if (maximum <= 0) maximum = kind == 1 ? kEmptyTimeScale : 100.0;
  g_h.graph->SetMarks(0, n, n + 1, 0, maximum, 2);
  double carried = OldestDayValue(kind);
  for (int i = 0; i <= n; ++i) {
    bool has = false;
    const double value = DayValue(kind, n - i, &has);
    if (has) carried = value;
    if (carried < 0) carried = 0;
    g_h.graph->SetMarkValue(i, carried);
  }
  SetVerticalLabel(kind, maximum, label, size);
}

// Groups of about n / 30 days, oldest first, at most 30 of them.
void DrawLongHistory(int kind, int n, char* label, std::size_t size) {
  const float step = static_cast<float>(n) / static_cast<float>(kMaxBuckets);
  double buckets[kMaxBuckets] = {};
  int stored = 0;
  double carried = OldestDayValue(kind);
  double maximum = kind == 1 ? 0.0 : 100.0;
  float t = 0.0f;
  int previousEnd = -1;
  do {
    t += step;
    const int first = previousEnd + 1;
    const int last = std::min(EngMathRound(t), n);
    if (first <= n) {
      double sum = 0;
      unsigned timeSum = 0;
      int counted = 0;
      for (int k = first; k <= last; ++k) {
        bool has = false;
        const double value = DayValue(kind, n - k, &has);
        if (!has) continue;
        ++counted;
        sum += value;
        timeSum += static_cast<unsigned>(value);
      }
      if (stored < kMaxBuckets) {
        if (counted > 0) {
          carried = kind == 1 ? static_cast<double>(timeSum / static_cast<unsigned>(counted))
                              : static_cast<double>(static_cast<float>(sum) / static_cast<float>(counted));
        }
        if (carried < 0) carried = 0;
        buckets[stored++] = carried;
        maximum = std::max(maximum, carried);
      }
    }
    previousEnd = last;
  } while (t <= static_cast<float>(n));
  if (maximum <= 0) maximum = kind == 1 ? kEmptyTimeScale : 100.0;
  const int marks = std::max(stored, 2);
  g_h.graph->SetMarks(0, marks - 1, marks, 0, maximum, 2);
  for (int i = 0; i < stored; ++i) g_h.graph->SetMarkValue(i, buckets[i]);
  SetVerticalLabel(kind, maximum, label, size);
}

}  // namespace

bool StatsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  const char* where = "StatsAddMainWinWindowButtonsToWindowNormal";
  if (!window) {
    DebugError(where, "No window");
    return false;
  }
  bool ok = ScreenAddRows(where, window, kRowsBeforeGraph, static_cast<int>(std::size(kRowsBeforeGraph)));
  const ScreenRow& r = kGraphRow;
  if (MWinGraph* graph = window->AddGraph(r.id, r.texBut, r.x, r.y, r.w, r.h)) {
    graph->SetFont("Main");
    graph->SetTextColour(r.colour[0], r.colour[1], r.colour[2], r.colour[3]);
    graph->SetTextScale(r.scaleX, r.scaleY);
    graph->SetTextAlign(r.align);
  } else {
    DebugError(where, "Could not add button(s) to window");
    ok = false;
  }
  return ScreenAddRows(where, window, kRowsAfterGraph, static_cast<int>(std::size(kRowsAfterGraph))) && ok;
}

void StatsClearButtonHandles() { g_h = Handles{}; }

bool StatsGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  Handles h;
  h.wonLostPie = get("WonLostPie");
  h.wonCol = get("WonCol");
  h.lostCol = get("LostCol");
  h.wonText = get("WonText");
  h.wonNum = get("WonNum");
  h.wonPerc = get("WonPerc");
  h.lostText = get("LostText");
  h.lostNum = get("LostNum");
  h.lostPerc = get("LostPerc");
  h.winLostDiv = get("WinLostDiv");
  h.totalText = get("TotalText");
  h.totalNum = get("TotalNum");
  h.pieSet = get("PieSet");
  h.historyText = get("WonLostHistoryText");
  MWinButton* graph = get("Graph");
  h.graph = graph && graph->GetKind() == MWIN_BUT_GRAPH ? static_cast<MWinGraph*>(graph) : nullptr;
  h.graphSet = get("GraphSet");
  h.reset = get("Reset");
  h.pieNoData = get("PieNoDataText");
  h.graphNoData = get("GraphNoDataText");
  h.graphPercs = get("GraphPercs");
  h.graphTimes = get("GraphTimes");
  g_h = h;
  return get.AllFound() && h.graph;
}

void StatsControlStartingCB() {
  const bool hosted = ScreensGetCurrent() == g_ScreenMain;
  const char* collection = hosted ? "Main" : kName;
  if (!StatsGetButtonHandlesNormal(collection, "MainWin")) return;
  g_h.pieSet->SetSimpleCallback(StatsControlUpdatePie);
  g_h.graphSet->SetSimpleCallback(StatsControlUpdateGraph);
  g_h.reset->SetSimpleCallback(StatsControlResetCB);
  g_h.graphPercs->SetSimpleCallback(StatsControlGraphPercsCB);
  g_h.graphTimes->SetSimpleCallback(StatsControlGraphTimesCB);
  // Only a screen of its own has a title; the main menu's page has none.
  if (MWinButton* title = ScreenLookUp(collection).Optional("TitleText")) title->Hide();
  g_history = StatsGetPrevDaysStatsForCurGame();
  g_h.pieSet->ChoiceSetStringsLanguageToken(5, "Stats_Times1List");
  g_h.pieSet->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&PiePeriod()), false);
  StatsControlUpdatePie();
  g_h.graphSet->ChoiceSetStringsLanguageToken(4, "Stats_Times2List");
  g_h.graphSet->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&GraphPeriod()), false);
  g_h.graph->SetStyle(1, 1, 1, 0, 6, 2, 2, 10, 0);
  if (GraphKind() == 0) {
    StatsControlGraphPercsCB();
  } else {
    StatsControlGraphTimesCB();
  }
}

void StatsControlUpdatePie() {
  if (!g_h.wonLostPie) return;
  for (MWinButton* b : {g_h.wonLostPie, g_h.wonCol, g_h.lostCol, g_h.wonText, g_h.wonNum, g_h.wonPerc, g_h.lostText,
                        g_h.lostNum, g_h.lostPerc, g_h.winLostDiv, g_h.totalText, g_h.totalNum}) {
    b->Show();
  }
  g_h.pieNoData->Hide();
  int days = 365;
  switch (PiePeriod()) {
    case 0: days = -1; break;
    case 1: days = 0; break;
    case 2: days = 7; break;
    case 3: days = 30; break;
    default: break;
  }
  std::uint32_t played = 0, won = 0;
  StatsGetTotalsForPrevDays(GenGetCurGame(), days, &played, &won);
  StatsControlShowWonLost(g_h.wonLostPie, g_h.wonNum, g_h.wonPerc, g_h.lostNum, g_h.lostPerc, g_h.totalNum,
                          static_cast<int>(played), static_cast<int>(won));
}

void StatsControlShowWonLost(MWinButton* pie, MWinButton* wonNum, MWinButton* wonPerc, MWinButton* lostNum,
                             MWinButton* lostPerc, MWinButton* totalNum, int played, int won) {
  if (!pie || !wonNum || !wonPerc || !lostNum || !lostPerc || !totalNum) return;
  pie->PictureResetPie();
  if (played > 0) {
    pie->PictureSetPieValues(static_cast<float>(won), static_cast<float>(played));
    pie->PictureSetPieColours(kWonColour[0], kWonColour[1], kWonColour[2], kLostColour[0], kLostColour[1],
                              kLostColour[2], kRestColour[0], kRestColour[1], kRestColour[2]);
  } else {
    pie->PictureSetPieValues(0.5f, 1.0f);
    pie->PictureSetPieColours(kNoDataColour[0], kNoDataColour[1], kNoDataColour[2], kNoDataColour[0],
                              kNoDataColour[1], kNoDataColour[2], kRestColour[0], kRestColour[1], kRestColour[2]);
  }
  // The keys beside the numbers wear the sectors' colours: a light look
  // tinted (a dark one would stay dark whatever its tint).
  for (MWinButton* key : {g_h.wonCol, g_h.lostCol}) {
    if (!key) continue;
    const float* colour = played > 0 ? (key == g_h.wonCol ? kWonColour : kLostColour) : kNoDataColour;
    key->SetTexBut("Stat");
    key->SetTint(true, colour[0], colour[1], colour[2], 1.0f);
  }
  wonNum->SetTextFormatted("%d", won);
  lostNum->SetTextFormatted("%d", played - won);
  totalNum->SetTextFormatted("%d", played);
  if (played > 0) {
    const float total = static_cast<float>(played);
    wonPerc->SetTextFormatted("(%d%%)", EngMathRound(static_cast<float>(won) * 100.0f / total));
    lostPerc->SetTextFormatted("(%d%%)", EngMathRound(static_cast<float>(played - won) * 100.0f / total));
  } else {
    wonPerc->SetText("");
    lostPerc->SetText("");
  }
}

void StatsControlUpdateGraph() {
  if (!g_h.graph) return;
  EngMiscDate today{};
  EngMiscGetLocalDate(&today);
  char withYear[64], withoutYear[64];
  std::snprintf(withYear, sizeof withYear, "%d %s %04d", today.day, MonthShort(today.month), today.year);
  std::snprintf(withoutYear, sizeof withoutYear, "%d %s", today.day, MonthShort(today.month));
  if (g_history < 1) {
    StatsControlShowGraphNoData();
    g_h.graphSet->SetEnabled(false);
    return;
  }
  g_h.graph->Show();
  g_h.graphNoData->Hide();
  int n = 0;
  switch (GraphPeriod()) {
    case 0: n = g_history; break;
    case 1: n = 7; break;
    case 2: n = 30; break;
    case 3: n = 365; break;
    default: return;
  }
  if (n > g_history) {
    StatsControlShowGraphNoData();
    return;
  }
  const int kind = GraphKind() == 1 ? 1 : 0;
  char label[64];
  if (n <= kShortHistoryDays) {
    DrawShortHistory(kind, n, label, sizeof label);
  } else {
    DrawLongHistory(kind, n, label, sizeof label);
  }
  EngMiscDate left = today;
  for (int i = 0; i < n; ++i) EngMiscGetPreviousDay(&left);
  char leftLabel[64];
  const bool sameYear = left.year == today.year;
  if (sameYear) {
    std::snprintf(leftLabel, sizeof leftLabel, "%d %s", left.day, MonthShort(left.month));
  } else {
    std::snprintf(leftLabel, sizeof leftLabel, "%d %s %04d", left.day, MonthShort(left.month), left.year);
  }
  g_h.graph->SetTexts(label, kind == 1 ? "0:00" : "0%", leftLabel, sameYear ? withoutYear : withYear);
}

void StatsControlShowGraphNoData() {
  if (!g_h.graph) return;
  g_h.graph->SetTexts(nullptr, nullptr, nullptr, nullptr);
  g_h.graph->SetMarks(0, 1, 2, 0, 1, 2);
  g_h.graph->SetMarkValue(0, 0.0);
  g_h.graph->SetMarkValue(1, 0.0);
  g_h.graph->Hide();
  g_h.graphNoData->Show();
}

void StatsControlGraphPercsCB() {
  GraphKind() = 0;
  if (g_h.historyText) g_h.historyText->SetTextLanguageToken("Stats_PercGamesWonHistory");
  StatsControlUpdateGraph();
}

void StatsControlGraphTimesCB() {
  GraphKind() = 1;
  if (g_h.historyText) g_h.historyText->SetTextLanguageToken("Stats_GamesWonTimesHistory");
  StatsControlUpdateGraph();
}

float StatsControlGetDayPercentWon(int day, int* played) {
  std::uint32_t dayPlayed = 0, dayWon = 0;
  StatsGetDayStats(GenGetCurGame(), day, &dayPlayed, &dayWon, nullptr);
  if (played) *played = static_cast<int>(dayPlayed);
  return dayPlayed > 0 ? static_cast<float>(dayWon) * 100.0f / static_cast<float>(dayPlayed) : 0.0f;
}

unsigned StatsControlGetDayAverageTime(int day, int* played) {
  std::uint32_t dayPlayed = 0, seconds = 0;
  StatsGetDayStats(GenGetCurGame(), day, &dayPlayed, nullptr, &seconds);
  if (played) *played = static_cast<int>(dayPlayed);
  return dayPlayed > 0 ? seconds / dayPlayed : 0;
}

void StatsControlResetCB() {
  g_MWin.PopupSetSizes(-1, -1, 90, -1);
  g_MWin.PopupSetButtonTexts(EngLanguagesGetFirstString("Stats_ThisGame"), nullptr,
                           EngLanguagesGetFirstString("Stats_AllGames"));
  g_MWin.PopupYesNoCancel(EngLanguagesGetFirstString("Stats_ResetStatistics"),
                        EngLanguagesGetFirstString("Stats_ResetStatisticsQuestion"), StatsControlResetResultCB);
  g_MWin.PopupSetSizes(-1, -1, -2, -1);
}

void StatsControlResetResultCB(int result) {
  if (result == 1) {
    StatsResetThisGame();
    StatsControlStartingCB();
  } else if (result == 2) {
    g_MWin.PopupOkCancel(EngLanguagesGetFirstString("Stats_ResetAllStatistics"),
                       EngLanguagesGetFirstString("Stats_ResetAllStatisticsQuestion"), StatsControlResetAllResultCB);
  }
}

void StatsControlResetAllResultCB(int result) {
  if (result != 1) return;
  StatsDeleteFile();
  StatsControlStartingCB();
}

int StatsControlGetHistoryLength() { return g_history; }
