// Display.cpp - the Display page and screen (see Display.h).
#include "Screens/Display.h"

#include <iterator>

#include "App/Battery.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Game/GameTime.h"
#include "Game/GenDeal.h"
#include "Game/UserRecord.h"
#include "Screens/MainPages.h"
#include "Screens/Options.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "Display";

constexpr ScreenRow Label(const char* id, const char* text, float x, float y, float w, const char* token) {
  return {id, MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, x, y, w, 18, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 2, token, nullptr};
}
constexpr ScreenRow Control(const char* id, int kind, const char* text, float x, float y, float w, float h = 18) {
  return {id, kind, "Main", text, x, y, w, h, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, nullptr, nullptr};
}
constexpr int kChoice = MWIN_BUT_CHOICE;
constexpr int kBar = MWIN_BUT_HORZSCROLLBAR;

const ScreenRow kRows[] = {
    {"Title", MWIN_BUT_PUSH, "Back1", "DISPLAY OPTIONS", 81, 58, 478, 36, {1, 1, 1, 0.7f}, 1.3f, 1.3f, 1,
     "Display_Title", nullptr},
    {"Bg", MWIN_BUT_PUSH, "Back1", "", 81, 94, 478, 292, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, nullptr, nullptr},
    Label("AlignText", "Card Alignment", 118.25f, 102, 142.75f, "Display_AlignText"),
    Control("Align", kChoice, " ", 264, 102, 235),
    Label("SpacingText", "Card Spacing", 118.25f, 122, 142.75f, "Display_SpacingText"),
    Control("Spacing", kChoice, " ", 264, 122, 235),
    Label("DeckNumText", "Number of Cards in Deck Indicator", 156.35f, 142, 228.74f, "Display_DeckNumText"),
    Control("DeckNum", kChoice, " ", 388.49f, 142, 110.51f),
    Label("HideMenuText", "Hide Menu Button", 157, 171, 152, nullptr),
    Control("HideMenu", kChoice, " ", 312, 171, 167),
    Label("ShowTimeText", "Show Game Time", 157, 190.8f, 152, "Display_ShowTimeText"),
    Control("ShowTime", kChoice, " ", 312, 190.8f, 167),
    Label("TimeFormatText", "Game Time Format", 157, 210.6f, 152, "Display_TimeFormatText"),
    Control("TimeFormat", kChoice, " ", 312, 210.6f, 167),
    Label("ShowScoresText", "Show Game Score", 157, 230.4f, 152, "Display_ShowScoresText"),
    Control("ShowScores", kChoice, " ", 312, 230.4f, 167),
    Label("ShowClockText", "Show Clock", 157, 250.2f, 152, "Display_ShowClockText"),
    Control("ShowClock", kChoice, " ", 312, 250.2f, 167),
    Label("ScoresTimeBlendText", "Transparency", 157, 270, 152, "Display_ScoresTimeBlendText"),
    Control("ScoresTimeBlend", kBar, " ", 312, 270, 167),
    Label("ShowBatteryText", "Show Battery Indicator", 94, 300, 224, "Display_ShowBatteryText"),
    Control("ShowBattery", MWIN_BUT_LIST, "First Panel Entry 1", 319, 300, 214),
    Label("BatteryPosText", "Battery Indicator Position", 94, 320, 224, "Display_BatteryPosText"),
    Control("BatteryPos", kChoice, " ", 319, 320, 214),
    Label("FlashBatteryText", "Flash Indicator When Less Than", 94, 340, 224, "Display_FlashBatteryText"),
    Control("FlashBattery", kBar, " N %", 319, 340, 214),
    Label("BatteryTransText", "Battery Indicator Transparency", 94, 360, 224, "Display_BatteryTransText"),
    Control("BatteryTrans", kBar, " ", 319, 360, 214),
    {"Done", MWIN_BUT_PUSH, "Main", "Done", 264, 386, 112, 30, {1, 1, 1, 0.7f}, 1.0f, 1.2f, 1, "Common_ButtonDone",
     nullptr},
};

struct Handles {
  MWinButton* title = nullptr;
  MWinButton* bg = nullptr;
  MWinButton* align = nullptr;
  MWinButton* spacing = nullptr;
  MWinButton* deckNum = nullptr;
  MWinButton* hideMenu = nullptr;
  MWinButton* hideStatsbar = nullptr;
  MWinButton* showTime = nullptr;
  MWinButton* timeFormat = nullptr;
  MWinButton* showScores = nullptr;
  MWinButton* showClock = nullptr;
  MWinButton* scoresTimeBlend = nullptr;
  MWinButton* showBattery = nullptr;
  MWinButton* batteryPos = nullptr;
  MWinButton* flashBattery = nullptr;
  MWinButton* batteryTrans = nullptr;
  MWinButton* done = nullptr;
};
Handles g_h;

// For the run: the gauge mode when the page first started, and the notice.
struct PageState {
  int rememberedMode = 255;
  bool pollingNoticeShown = false;
};
PageState g_page;

signed char* AsChar(std::uint8_t* byte) { return reinterpret_cast<signed char*>(byte); }

MWinHorzScrollbar* Scrollbar(MWinButton* b) {
  return b && b->GetKind() == MWIN_BUT_HORZSCROLLBAR ? static_cast<MWinHorzScrollbar*>(b) : nullptr;
}

void BindChoice(MWinButton* b, int entries, const char* token, std::uint8_t* byte) {
  if (!b) return;
  b->ChoiceSetStringsLanguageToken(entries, token);
  b->ChoiceRegisterCharVariable(AsChar(byte), false);
}

void BindPercent(MWinButton* b, int minimum, int maximum, std::uint8_t* byte) {
  if (MWinHorzScrollbar* bar = Scrollbar(b)) {
    bar->SetRangeInt(minimum, maximum, 0, 0);
    bar->RegisterCharVariable(AsChar(byte), false);
  }
}

struct GaugePlace {
  bool vertical;
  float x, y, w, h;
};
constexpr GaugePlace kGaugePlaces[4] = {
    {false, 300, 463, 40, 14},  // bottom
    {false, 300, 2, 40, 14},    // top
    {true, 4, 220, 14, 40},     // left
    {true, 622, 220, 14, 40},   // right
};

}  // namespace

MWinCollection* DisplayAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}
void DisplayCreateCB() { DisplayAddCollectionToDesktop(); }

bool DisplayAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows("DisplayAddMainWinWindowButtonsToWindowNormal", window, kRows,
                       static_cast<int>(std::size(kRows)));
}

void DisplayClearButtonHandles() { g_h = Handles{}; }

bool DisplayGetButtonHandlesNormal(const char* collection, const char* window) {
  ScreenLookUp get(collection, window);
  g_h.title = get("Title");
  g_h.bg = get("Bg");
  g_h.align = get("Align");
  g_h.spacing = get("Spacing");
  g_h.deckNum = get("DeckNum");
  g_h.hideMenu = get("HideMenu");
  g_h.hideStatsbar = get.Optional("HideStatsbar");  // no row of the page has it: stays null
  g_h.showTime = get("ShowTime");
  g_h.timeFormat = get("TimeFormat");
  g_h.showScores = get("ShowScores");
  g_h.showClock = get("ShowClock");
  g_h.scoresTimeBlend = get("ScoresTimeBlend");
  g_h.showBattery = get("ShowBattery");
  g_h.batteryPos = get("BatteryPos");
  g_h.flashBattery = get("FlashBattery");
  g_h.batteryTrans = get("BatteryTrans");
  g_h.done = get("Done");
  return get.AllFound();
}

void DisplayControlStartingCB() {
  DisplayClearButtonHandles();
  if (!DisplayGetButtonHandlesNormal(OptionsPageCollection(kName), "MainWin")) return;
  UserRecord& r = g_UserRecord;
  if (g_h.hideMenu) g_h.hideMenu->SetSimpleCallback(DoNothingCB);
  if (g_h.hideStatsbar) g_h.hideStatsbar->SetSimpleCallback(DoNothingCB);
  if (g_h.align) g_h.align->SetSimpleCallback(DisplayControlAlignCB);
  if (g_h.spacing) g_h.spacing->SetSimpleCallback(DisplayControlSpacingCB);
  if (g_h.showTime) g_h.showTime->SetSimpleCallback(DisplayControlShowTimeCB);
  if (g_h.timeFormat) g_h.timeFormat->SetSimpleCallback(DisplayControlTimeFormatCB);
  if (g_h.showScores) g_h.showScores->SetSimpleCallback(DisplayControlUpdateBlend);
  if (g_h.showClock) g_h.showClock->SetSimpleCallback(DisplayControlUpdateBlend);
  BindChoice(g_h.hideMenu, 2, "Common_NoYesList", &r.hideMenuButton);
  if (g_h.showBattery) g_h.showBattery->SetCallback(DisplayControlBatteryCB, 0, 0);
  if (g_h.batteryPos) g_h.batteryPos->SetSimpleCallback(DisplayControlBatteryChangedCB);
  if (g_h.batteryTrans) g_h.batteryTrans->SetSimpleCallback(DisplayControlBatteryChangedCB);
  if (g_h.flashBattery) g_h.flashBattery->SetSimpleCallback(DisplayControlFlashTextCB);
  if (g_h.done) g_h.done->SetSimpleCallback(DisplayControlDoneCB);

  if (g_page.rememberedMode == 255) g_page.rememberedMode = r.batteryMode;

  BindChoice(g_h.align, 4, "Display_CardAlignList", &r.cardAngle);
  BindChoice(g_h.spacing, 4, "Display_CardAlignList", &r.cardSpacing);
  BindChoice(g_h.deckNum, 2, "Common_OffOnList", &r.deckCount);
  BindChoice(g_h.showTime, 2, "Common_OffOnList", &r.showTime);
  BindChoice(g_h.showScores, 2, "Common_OffOnList", &r.showScore);
  BindChoice(g_h.showClock, 2, "Common_OffOnList", &r.showClock);
  BindChoice(g_h.timeFormat, 2, "Display_TimeFormatList", &r.hoursAndMinutesClock);
  if (MWinHorzScrollbar* blend = Scrollbar(g_h.scoresTimeBlend)) {
    blend->SetRange(0.1f, 1.0f, 0, 0);
    blend->RegisterFloatVariable(&r.statusAlpha, 1.0f, false);
  }

  if (g_h.showBattery) {
    g_h.showBattery->ListSetStringsLanguageToken(6, "Display_ShowBatteryList");
    g_h.showBattery->ListRegisterCharVariable(AsChar(&r.batteryMode));
  }
  BindChoice(g_h.batteryPos, 4, "Display_BatteryPosList", &r.batteryPosition);
  BindPercent(g_h.flashBattery, 1, 95, &r.batteryFlash);
  BindPercent(g_h.batteryTrans, 0, 100, &r.batteryAlpha);
  DisplayControlFlashTextCB();

  DisplayControlShowTimeCB();
  OptionsLayOutPage(g_h.bg, g_h.title, g_h.done);
}

void DisplayControlAlignCB() { GenSetRandomCardAngles(); }

void DisplayControlSpacingCB() { GenSetCardSpacingLevel(false); }

void DisplayControlTimeFormatCB() {
  GameTimeResume();
  GameTimeUpdate(true);
  GameTimePause();
}

void DisplayControlUpdateBlend() {
  const UserRecord& r = g_UserRecord;
  if (g_h.scoresTimeBlend) g_h.scoresTimeBlend->SetEnabled(r.showTime || r.showScore || r.showClock);
}

void DisplayControlShowTimeCB() {
  DisplayControlUpdateBlend();
  if (g_h.timeFormat) g_h.timeFormat->SetEnabled(g_UserRecord.showTime != 0);
}

void DisplayControlBatteryCB(MWinCallbackRecord* record, std::uint32_t forced, std::uint32_t) {
  const UserRecord& r = g_UserRecord;
  const GaugePlace& place = kGaugePlaces[r.batteryPosition < 4 ? r.batteryPosition : 0];
  BatterySetPlacement(place.vertical, place.x, place.y, place.w, place.h);
  BatterySetAlpha(static_cast<float>(r.batteryAlpha) / 100.0f);
  const bool asked = (record && record->listEvent != 0) || forced;
  if (!g_page.pollingNoticeShown && asked) {
    if (g_page.rememberedMode == kDisplayBatteryNotPolled && r.batteryMode < kDisplayBatteryNotPolled) {
      g_MWin.PopupOk("", EngLanguagesGetFirstString("Display_BatteryPollingMessage"));
      g_page.pollingNoticeShown = true;
    }
  }
  BatteryResetPollCountdown();
}

void DisplayControlBatteryCB() { DisplayControlBatteryCB(nullptr, 0, 0); }

void DisplayControlBatteryChangedCB() { DisplayControlBatteryCB(nullptr, 0, 0); }

void DisplayControlFlashTextCB() {
  if (g_h.flashBattery) g_h.flashBattery->SetTextFormatted("%d %%", g_UserRecord.batteryFlash);
}

void DisplayControlDoneCB() {
  DisplayClearButtonHandles();
  HelpControlDoneCB();
}

void DisplayResetForTests() {
  g_page = PageState{};
  g_h = Handles{};
}
