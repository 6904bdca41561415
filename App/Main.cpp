// Main.cpp - the main module: the start of a game, the preview rectangle,
// the Menu button, the clock and the status corners (see Main.h).
#include "App/Main.h"

#include <cstdio>
#include <cstring>

#include "App/AppImports.h"
#include "App/Battery.h"
#include "App/FoundationEffects.h"
#include "App/ScoreSystem.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngFrames.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Game/GameCameras.h"
#include "Game/GameState.h"
#include "Game/GameTime.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/UserRecord.h"

namespace {

constexpr char kMenuButtonTexture[] = "Data\\Main\\0136.dat";
constexpr char kStatusPanelTexture[] = "Data\\Main\\0137.dat";
constexpr float kPanelW = 60, kPanelH = 20;
constexpr unsigned kHoverOpenMs = 500;
constexpr unsigned kHideAfterMs = 1000;
constexpr unsigned kBatteryPollMs = 15000;
constexpr unsigned kClockRefreshMs = 60000;
constexpr float kFadeInRate = 2.0f;     // alpha a second: in within half a second
constexpr float kFadeOutRate = 0.333f;  // out within about three seconds
constexpr float kTextColour[3] = {0.7f, 0.6f, 0.4f};
constexpr int kBatteryNotPolled = 5;

struct MenuButton {
  bool shown = false;
  bool hoverOpen = false;
  float alpha = 0;
  unsigned hoverStart = 0;
  unsigned nextBatteryPoll = 0;
  int textToken = -1;
};

// The status corners as last drawn: a text that differs now asks for its
// corner to be drawn again.
struct DrawnStatus {
  char time[32] = "";
  char score[32] = "";
  char clock[16] = "";
  MainStatusLayout layout = {-1, -1, -1, -1, -1, -1};
};

struct MainState {
  MainPreviewRect preview = {0, 0, 0, 0};
  MenuButton button;
  char clock[16] = "";
  bool clockMade = false;
  unsigned clockMadeAt = 0;
  DrawnStatus drawn;
  float batteryPhase = 0;
  bool batteryFlashing = false;
  EngTexture buttonTexture;
  EngTexture panelTexture;
};

MainState& State() {
  static MainState state;
  return state;
}

unsigned NowMs() { return EngProgramGetCurrentMilliseconds(); }

void ClearHover(MenuButton& b) {
  b.hoverOpen = false;
  b.hoverStart = 0;
}

void HideButton(MenuButton& b) {
  b.shown = false;
  ClearHover(b);
}

// The battery gauge, polled while play runs unless its mode is "off"; in
// play, where the gauge is drawn, the next poll wakes the loop and a new
// reading is drawn.
void PollBattery() {
  MenuButton& b = State().button;
  if (g_UserRecord.batteryMode == kBatteryNotPolled) return;
  const unsigned now = NowMs();
  const bool inPlay = GameGetProgramMode() == kGameModePlaying;
  if (b.nextBatteryPoll != 0 && static_cast<int>(now - b.nextBatteryPoll) < 0) {
    if (inPlay) EngFramesWakeAtMs(b.nextBatteryPoll);
    return;
  }
  const BatteryInfo before = BatteryGetCurrentInfo();
  BatteryUpdate(false);
  b.nextBatteryPoll = now + kBatteryPollMs;
  if (inPlay) {
    EngFramesWakeAtMs(b.nextBatteryPoll);
    if (std::memcmp(&before, &BatteryGetCurrentInfo(), sizeof before) != 0) EngFramesRequestDraw();
  }
}

// The Menu button's panel, where it fades.
EngFramesArea MenuButtonArea() { return EngFramesAreaOfVirtual(580, 0, kPanelW, kPanelH); }

EngFramesArea PanelArea(float x, float y) { return EngFramesAreaOfVirtual(x, y, kPanelW, kPanelH); }

// Text in the game font at the status scale and colour, centred on (x, y).
void DrawCentred(EngFont* font, float x, float y, const char* text, float alpha) {
  if (!font || !font->IsValid() || !text) return;
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  font->SetRatio(0.9f, 1.0f);
  font->SetColour(kTextColour[0], kTextColour[1], kTextColour[2], alpha);
  font->DrawStringAligned(x, y, 1, 1, text, true);
  font->SetRatio(ratioX, ratioY);
}

void DrawPanel(EngTexture& texture, float x, float y, float alpha) {
  if (!texture.IsLoaded()) return;
  texture.SetColour(1, 1, 1, alpha);
  texture.DrawPositionRatioed(x, y, kPanelW, kPanelH);
}

// The gauge is shown by its mode: 3 always; else on battery power only, at
// any charge (0), at 50 % or less (1), at 25 % or less (2). It blinks at or
// below the flash level.
void DrawBattery() {
  const int mode = g_UserRecord.batteryMode;
  const BatteryInfo& info = BatteryGetCurrentInfo();
  if (mode == kBatteryNotPolled || !info.present) return;
  const int charge = info.chargePercent;
  if (mode != 3) {
    if (info.onLine) return;
    if ((mode == 1 && charge > 50) || (mode == 2 && charge > 25)) return;
  }
  MainState& s = State();
  if (charge <= g_UserRecord.batteryFlash) {
    BatterySetAlpha(EngMiscPulse(&s.batteryPhase, EngProgramGetFrameTime()));
    s.batteryFlashing = true;
    EngFramesRequestDraw();
  } else if (s.batteryFlashing) {
    BatterySetAlpha(static_cast<float>(g_UserRecord.batteryAlpha) / 100.0f);
    s.batteryFlashing = false;
  }
  BatteryRender();
}

}  // namespace

// ---- Starting a game ------------------------------------------------------------------

void MainStartGame(int game, bool resume, unsigned deal) {
  GameSetProgramMode(kGameModePlaying);
  GameCameraApplyPreset(-1);
  GameApplyCameraAndRefreshScene();
  FoundationEffectsClear();
  GenSetCurGame(game);
  if (deal != 0) {
    GenNewGameWithNumber(deal, true);
  } else {
    GenNewGame(true);
  }
  if (resume) GenResumeSavedGameIfAny();
}

// ---- Preview rectangle --------------------------------------------------------------------

MainPreviewRect MainPreviewRectFor(int width, int height) {
  return MainPreviewRect{width * 143 / 512, height * 111 / 512, width * 369 / 512,
                         height * 401 / 512};
}

void MainUpdatePreviewViewports() {
  g_AppImports.GameControlUpdateSnapshotViewport();
  const EngScreenMode& mode = EngWindowGetScreenMode();
  State().preview = MainPreviewRectFor(mode.width, mode.height);
}

// ---- Menu button ------------------------------------------------------------------------------

void MainLoadMenuButtonText() { State().button.textToken = EngLanguagesGetTokenNum("Game_MenuButton"); }

void MainMenuButtonShow(bool atOnce) {
  MenuButton& b = State().button;
  b.shown = true;
  b.hoverStart = NowMs();
  if (atOnce) {
    b.alpha = 1;
    b.hoverOpen = false;
  } else {
    b.hoverOpen = true;
  }
}

void MainMenuButtonHide() {
  if (!g_UserRecord.hideMenuButton) return;
  HideButton(State().button);
}

void MainMenuButtonRelease() { State().button.hoverOpen = false; }

bool MainMenuButtonIsOn() { return State().button.shown; }

void MainMenuButtonTick(bool activate) {
  MenuButton& b = State().button;
  PollBattery();
  if (activate && !b.shown) {
    // Shown for the screen over play, but not armed: only a pointer resting
    // on the button opens the in-game menu.
    b.shown = true;
    b.hoverStart = NowMs();
    b.hoverOpen = false;
    return;
  }
  const float frame = EngProgramGetFrameTime();
  if (b.shown && GameGetProgramMode() == kGameModePlaying) {
    const float before = b.alpha;
    b.alpha += kFadeInRate * frame;
    if (b.alpha > 1) b.alpha = 1;
    if (b.alpha != before) EngFramesRequestDrawArea(MenuButtonArea(), 0);
    const unsigned now = NowMs();
    if (b.hoverOpen && now - b.hoverStart >= kHoverOpenMs) {
      ClearHover(b);
      g_AppImports.GameMenuShowInGameMenu();
    }
    if (g_UserRecord.hideMenuButton && (b.hoverStart == 0 || now - b.hoverStart > kHideAfterMs)) {
      HideButton(b);
    }
    // The rest that opens the in-game menu, and the hiding after it.
    if (b.hoverOpen) EngFramesWakeAtMs(b.hoverStart + kHoverOpenMs);
    if (b.shown && g_UserRecord.hideMenuButton && b.hoverStart != 0) EngFramesWakeAtMs(b.hoverStart + kHideAfterMs + 1);
    return;
  }
  ClearHover(b);
  const float before = b.alpha;
  b.alpha -= kFadeOutRate * frame;
  if (b.alpha < 0) b.alpha = 0;
  if (b.alpha != before) {
    // Drawn only in play; elsewhere the fade goes on unseen all the same.
    if (GameGetProgramMode() == kGameModePlaying) {
      EngFramesRequestDrawArea(MenuButtonArea(), 0);
    } else {
      EngFramesRequestTick();
    }
  }
}

void MainStatusTick() {
  MainState& s = State();
  if (GameGetProgramMode() != kGameModePlaying) return;
  const DrawnStatus& d = s.drawn;
  EngFramesArea changed;
  const MainStatusLayout& l = d.layout;
  if (l.timeX >= 0 && std::strcmp(d.time, GameTimeGetString()) != 0) {
    changed = EngFramesUnion(changed, PanelArea(l.timeX, l.timeY));
  }
  if (l.scoreX >= 0 && std::strcmp(d.score, ScoreGetScoreText()) != 0) {
    changed = EngFramesUnion(changed, PanelArea(l.scoreX, l.scoreY));
  }
  if (l.clockX >= 0) {
    if (std::strcmp(d.clock, MainClockText()) != 0) changed = EngFramesUnion(changed, PanelArea(l.clockX, l.clockY));
    EngFramesWakeAtMs(s.clockMadeAt + kClockRefreshMs);
  }
  EngFramesRequestDrawArea(changed, 0);
  if (l.timeX >= 0 || l.scoreX >= 0) {
    unsigned next = 0;
    if (GameTimeNextChangeMs(&next)) EngFramesWakeAtMs(next);
  }
}

void MainDrawMenuButton() {
  MainState& s = State();
  EngDevice* device = EngDeviceGetCurrent();
  if (s.button.alpha <= 0 || !device) return;
  const float alpha = s.button.alpha * g_UserRecord.statusAlpha;
  const bool prepared = device->PrepareFor2DIfNotPrepared(true);
  device->SaveOrRestoreBlendingState(true);
  device->EnableBlendingType(0);
  if (s.buttonTexture.IsLoaded()) {
    s.buttonTexture.SetColour(1, 1, 1, alpha);
    s.buttonTexture.DrawPositionRatioed(580, 0, kPanelW, kPanelH);
  }
  if (s.button.textToken < 0) MainLoadMenuButtonText();
  const char* text = s.button.textToken >= 0
                         ? EngLanguagesGetFirstStringFromTokenNum(s.button.textToken)
                         : "Menu";
  device->SaveOrRestoreBlendingState(false);
  if (prepared) device->RestoreAfter2D();
  DrawCentred(GameGetFont(), 610, 10, text, alpha);
}

MainMenuButtonState MainMenuButtonGetState() {
  const MenuButton& b = State().button;
  return MainMenuButtonState{b.shown, b.hoverOpen, b.alpha, b.hoverStart};
}

void MainMenuButtonResetForTests() { State().button = MenuButton{}; }

// ---- Clock and status -------------------------------------------------------------------------

void MainFormatClock(int hour, int minute, char* out) {
  if (hour > 12) hour -= 12;
  std::snprintf(out, 8, "%d:%02d", hour % 100, minute % 100);
}

const char* MainClockText() {
  MainState& s = State();
  const unsigned now = NowMs();
  if (!s.clockMade || now - s.clockMadeAt >= kClockRefreshMs) {
    int hour = 0, minute = 0, second = 0;
    EngMiscGetLocalTime(&hour, &minute, &second);
    MainFormatClock(hour, minute, s.clock);
    s.clockMade = true;
    s.clockMadeAt = now;
  }
  return s.clock;
}

MainStatusLayout MainStatusLayoutFor(bool time, bool score, bool clock) {
  MainStatusLayout l = {-1, -1, -1, -1, -1, -1};
  if (score) l.scoreX = 580, l.scoreY = 460;
  if (time) l.timeX = 0, l.timeY = 460;
  if (clock) {
    if (time && score) {
      l.clockX = 0, l.clockY = 0;
    } else if (!score) {
      l.clockX = 580, l.clockY = 460;
    } else {
      l.clockX = 0, l.clockY = 460;
    }
  }
  return l;
}

void MainDrawGameStatus() {
  MainState& s = State();
  const bool time = g_UserRecord.showTime != 0, score = g_UserRecord.showScore != 0,
             clock = g_UserRecord.showClock != 0;
  if (!time && !score && !clock && s.button.alpha <= 0) {
    s.drawn = DrawnStatus();
    return;
  }
  EngDevice* device = EngDeviceGetCurrent();
  if (!device) return;
  const float alpha = g_UserRecord.statusAlpha;
  const MainStatusLayout l = MainStatusLayoutFor(time, score, clock);
  device->PrepareFor2D(true);
  device->SaveOrRestoreBlendingState(true);
  if (alpha < 1) device->EnableBlendingType(0);
  if (score) DrawPanel(s.panelTexture, l.scoreX, l.scoreY, alpha);
  if (time) DrawPanel(s.panelTexture, l.timeX, l.timeY, alpha);
  if (clock) DrawPanel(s.panelTexture, l.clockX, l.clockY, alpha);
  device->SaveOrRestoreBlendingState(false);
  device->RestoreAfter2D();
  DrawBattery();  // in 2D with its own blending
  EngFont* font = GameGetFont();
  const float half = kPanelW / 2, middle = kPanelH / 2;
  DrawnStatus& d = s.drawn;
  d.layout = l;
  std::snprintf(d.time, sizeof d.time, "%s", time ? GameTimeGetString() : "");
  std::snprintf(d.score, sizeof d.score, "%s", score ? ScoreGetScoreText() : "");
  std::snprintf(d.clock, sizeof d.clock, "%s", clock ? MainClockText() : "");
  if (time) DrawCentred(font, l.timeX + half, l.timeY + middle, d.time, alpha);
  if (score) DrawCentred(font, l.scoreX + half, l.scoreY + middle, d.score, alpha);
  if (clock) DrawCentred(font, l.clockX + half, l.clockY + middle, d.clock, alpha);
  MainDrawMenuButton();
}

// ---- Graphics -----------------------------------------------------------------------------------

void MainCreateGraphics() {
  MainState& s = State();
  if (!s.buttonTexture.IsLoaded()) s.buttonTexture.LoadFromFile(kMenuButtonTexture, 1, 2);
  if (!s.panelTexture.IsLoaded()) s.panelTexture.LoadFromFile(kStatusPanelTexture, 1, 2);
}

void MainFreeGraphics() {
  State().buttonTexture.Release();
  State().panelTexture.Release();
}
