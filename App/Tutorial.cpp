// Tutorial.cpp - the lesson of game 80 (see Tutorial.h).
//
// The texts are the lesson's own English (the language files do not carry
// them). The boxes and buttons are nine-part panels cut from the upper-left
// quarter of the tutorial texture, the pointer a nine-part frame from its
// upper-right quarter laid on the table around the piles of the step. A
// step's box stands beside those piles as the camera shows them, never on
// them.
#include "App/Tutorial.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "App/AppImports.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Platform/D3DXMath.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFont.h"
#include "Engine/EngFrames.h"
#include "Engine/EngMisc.h"
#include "Engine/EngProgram.h"
#include "Engine/EngScreen.h"
#include "Engine/EngTexture.h"
#include "Engine/EngWindow.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameState.h"
#include "Game/GenGameTable.h"
#include "Game/GenText.h"
#include "Game/UserOptions.h"

namespace {

constexpr char kTexture[] = "Data\\Main\\0154.dat";
constexpr double kWaitSeconds = 0.5;
constexpr float kTextScaleX = 1.2f, kTextScaleY = 1.4f;
constexpr float kButtonW = 100, kButtonH = 30;

// The nine-part panels: the corner's share of the texture, and the drawn
// corner in 640 x 480 units (boxes) or table units (the pointer frame).
constexpr float kCornerUv = 0.03f;
constexpr float kBoxCorner = 10.0f;
constexpr float kFrameCorner = 1.2f;

enum StepState { kOffer = 1, kWaiting = 2, kSteps = 3, kFinished = 4 };
// Pile codes: the twenty piles in the middle of the table are the
// reserves (600 on); the lesson calls them the tableau.
enum PileKind { kFoundations = 10, kStock = 400, kCentrePiles = 600 };
enum BoxPosition { kCentre = 0, kLeft = 1, kRight = 2 };

struct Step {
  int kind;
  int first;
  int count;  // 0: every pile of the kind
  const char* text;
  int position;
};

const Step kStepTable[kTutorialSteps] = {
    {kFoundations, 0, 0, "These are the foundation piles.\n\nFill these to complete the game.", kLeft},
    {kFoundations, 0, 4, "Build the left foundation piles up in suit from Ace to King.", kLeft},
    {kFoundations, 4, 4, "Build the right foundation piles down in suit from King to Ace.", kLeft},
    {kCentrePiles, 0, 0, "Move cards one at a time from the center tableau to the foundation piles.",
     kLeft},
    {kCentrePiles, 0, 0, "Any spaces that become available are filled automatically from the stock.",
     kRight},
    {kStock, 0, 1,
     "When you have no more plays, click the stock to deal one card to each tableau pile.", kRight},
};

constexpr char kFinalText[] =
    "That's it.\n\nPress 'R' to bring up the rules screen for more detailed rules or if you wish to "
    "see this again.";
constexpr char kOfferText[] = "This is your first game of %s.\n\nWould you like to learn how to play it ?";

struct Rect {
  float x = 0, y = 0, w = 0, h = 0;
  bool Contains(float px, float py) const { return px >= x && px <= x + w && py >= y && py <= y + h; }
};

struct Button {
  bool shown = false;
  const char* caption = "";
  Rect area;
};

struct TutorialState {
  bool on = false;
  int request = 0;
  int stepState = 0;
  double waitSince = 0;
  int stepIndex = -1;
  bool boxShown = false;
  char text[kTutorialTextSize] = "";
  Rect box;
  Button first, second;
  bool pointerShown = false;
  float pointer[4] = {};  // left, top, right, bottom; table units, y downward
  int boxSide = kCentre;  // the step's side, the first choice beside the piles
  float pulsePhase = 0;
  EngTexture texture;
  TutorialTextMeasure measure = nullptr;
};

TutorialState& State() {
  static TutorialState state;
  return state;
}

double Now() { return EngProgramGetCurrentSeconds(); }

void StartWaiting() {
  TutorialState& t = State();
  t.waitSince = Now();
  t.stepState = kWaiting;
}

bool LoadTexture() {
  TutorialState& t = State();
  if (t.texture.IsLoaded()) return true;
  return t.texture.LoadFromFile(kTexture, 1, 2);
}

void SwitchOff() {
  TutorialState& t = State();
  t.on = false;
  t.boxShown = false;
  t.pointerShown = false;
  t.texture.Release();
}

// The game font's layout of the text in the area, at the lesson's scale.
void MeasureWithGameFont(const char* text, float areaWidth, float areaHeight, float* width,
                         float* height) {
  *width = *height = 0;
  EngFont* font = GameGetFont();
  if (!font || !font->IsValid()) return;
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  font->SetRatio(kTextScaleX, kTextScaleY);
  int lines = 0;
  bool finished = true;
  font->DrawMultilineText(0, 0, areaWidth, areaHeight, 0, 0, text, false, 0, width, height, &lines,
                          &finished);
  font->SetRatio(ratioX, ratioY);
}

// The extent of the step's piles on the table: smallest and largest x and y
// of their positions.
bool PileExtent(const Step& step, float* minX, float* minY, float* maxX, float* maxY) {
  const Gen& g = g_GenLive;
  const CardGroup* piles = nullptr;
  int available = 0;
  switch (step.kind) {
    case kFoundations:
      piles = g.foundations;
      available = g.numFoundations < kGenMaxFoundations ? g.numFoundations : kGenMaxFoundations;
      break;
    case kCentrePiles:
      piles = g.reserves;
      available = g.numReserves < kGenMaxReserves ? g.numReserves : kGenMaxReserves;
      break;
    default:
      piles = &g.deck;
      available = 1;
      break;
  }
  const int count = step.count > 0 ? step.count : available;
  bool any = false;
  for (int i = step.first; i < step.first + count && i < available; ++i) {
    const float x = piles[i].pos[0], y = piles[i].pos[1];
    if (!any) {
      *minX = *maxX = x;
      *minY = *maxY = y;
      any = true;
    }
    if (x < *minX) *minX = x;
    if (x > *maxX) *maxX = x;
    if (y < *minY) *minY = y;
    if (y > *maxY) *maxY = y;
  }
  return any;
}

// The buttons along the bottom of the box: one in the middle, or two.
void LayOutButtons() {
  TutorialState& t = State();
  const float centre = t.box.x + t.box.w / 2;
  const float buttonY = t.box.y + t.box.h - kButtonH - 10;
  t.first.area = Rect{t.second.shown ? centre - 110 : centre - 50, buttonY, kButtonW, kButtonH};
  t.second.area = Rect{centre + 10, buttonY, kButtonW, kButtonH};
}

// The pointer's frame as the player sees it: the screen box around its four
// corners, in 640 x 480 units; false without a device or a view.
bool PointerOnScreen(Rect* out) {
  const TutorialState& t = State();
  EngDevice* device = EngDeviceGetCurrent();
  const EngScreenMode& mode = EngWindowGetScreenMode();
  if (!device || mode.width < 1 || mode.height < 1) return false;
  float left = 640, top = 480, right = 0, bottom = 0;
  for (const float x : {t.pointer[0], t.pointer[2]}) {
    for (const float y : {t.pointer[1], t.pointer[3]}) {
      float sx = 0, sy = 0;
      if (!device->WorldPointToScreen(x, -y, 0, &sx, &sy)) return false;
      sx = sx * 640 / static_cast<float>(mode.width);
      sy = sy * 480 / static_cast<float>(mode.height);
      left = std::min(left, sx), right = std::max(right, sx);
      top = std::min(top, sy), bottom = std::max(bottom, sy);
    }
  }
  *out = Rect{left, top, right - left, bottom - top};
  return right > left && bottom > top;
}

// Moves the box beside the piles its step talks about, so that it covers
// none of them: on the step's side first, then below, above and on the
// other side; the first place that fits on the screen wins. When none fits
// (or the view is unknown) the box stays where its side put it.
void PlaceBesidePointer() {
  TutorialState& t = State();
  Rect piles;
  if (!t.pointerShown || !PointerOnScreen(&piles)) return;
  constexpr float kGap = 6, kMargin = 4;
  const float w = t.box.w, h = t.box.h;
  const float x = std::clamp(piles.x + piles.w / 2 - w / 2, kMargin, std::max(kMargin, 640 - kMargin - w));
  const float y = std::clamp(piles.y + piles.h / 2 - h / 2, kMargin, std::max(kMargin, 480 - kMargin - h));
  const Rect left{piles.x - kGap - w, y, w, h}, right{piles.x + piles.w + kGap, y, w, h};
  const Rect below{x, piles.y + piles.h + kGap, w, h}, above{x, piles.y - kGap - h, w, h};
  const Rect* order[4] = {&below, &above, &left, &right};
  if (t.boxSide == kLeft) order[0] = &left, order[1] = &below, order[2] = &above, order[3] = &right;
  if (t.boxSide == kRight) order[0] = &right, order[1] = &below, order[2] = &above, order[3] = &left;
  for (const Rect* place : order) {
    const bool fits = place->x >= kMargin && place->y >= kMargin && place->x + w <= 640 - kMargin &&
                      place->y + h <= 480 - kMargin;
    if (!fits) continue;
    t.box.x = place->x;
    t.box.y = place->y;
    LayOutButtons();
    return;
  }
}

void ShowStep(const Step& step) {
  TutorialState& t = State();
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  t.pointerShown = PileExtent(step, &minX, &minY, &maxX, &maxY);
  const float padX = CardsGetCardWidth() / 2 + 1.0f, padY = CardsGetCardHeight() / 2 + 1.5f;
  t.pointer[0] = minX - padX;
  t.pointer[1] = -(maxY + padY);
  t.pointer[2] = maxX + padX;
  t.pointer[3] = -(minY - padY);
  TutorialShowMessage(step.text, 1, false, step.position);
  PlaceBesidePointer();
}

// The next step; false when there is none.
bool NextStep() {
  TutorialState& t = State();
  ++t.stepIndex;
  if (t.stepIndex < kTutorialSteps) {
    ShowStep(kStepTable[t.stepIndex]);
    return true;
  }
  if (t.stepIndex == kTutorialSteps) {
    t.pointerShown = false;
    TutorialShowMessage(kFinalText, 2, false, kCentre);
    return true;
  }
  return false;
}

void FirstButtonAction() {
  TutorialState& t = State();
  if (t.stepState == kOffer) {
    t.boxShown = false;
    StartWaiting();
    return;
  }
  if (t.stepState == kSteps && !NextStep()) {
    t.stepState = kFinished;
    SwitchOff();
  }
}

// ---- Drawing ---------------------------------------------------------------------------

// A nine-part panel in 2D: corners of a fixed drawn size, edges and centre
// stretched, cut from the quarter u0..u0 + 0.5, v0..v0 + 0.5.
void DrawPanel2D(EngTexture& texture, const Rect& r, float u0, float v0, float alpha) {
  const float c = kBoxCorner < r.w / 2 && kBoxCorner < r.h / 2 ? kBoxCorner : (r.w < r.h ? r.w : r.h) / 2;
  const float xs[4] = {r.x, r.x + c, r.x + r.w - c, r.x + r.w};
  const float ys[4] = {r.y, r.y + c, r.y + r.h - c, r.y + r.h};
  const float us[4] = {u0, u0 + kCornerUv, u0 + 0.5f - kCornerUv, u0 + 0.5f};
  const float vs[4] = {v0, v0 + kCornerUv, v0 + 0.5f - kCornerUv, v0 + 0.5f};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const float w = xs[col + 1] - xs[col], h = ys[row + 1] - ys[row];
      if (w <= 0 || h <= 0) continue;
      texture.PositionRatioed(xs[col], ys[row], w, h);
      texture.DrawWithTextureCoordinatesAndColour(us[col], vs[row], us[col + 1], vs[row + 1], 1, 1,
                                                  1, alpha);
    }
  }
}

// The same on the table plane (z = 0), in table units with y upward.
void DrawFrameOnTable(EngTexture& texture, float left, float bottom, float right, float top,
                      float red, float alpha) {
  const float c = kFrameCorner;
  const float xs[4] = {left, left + c, right - c, right};
  const float ys[4] = {top, top - c, bottom + c, bottom};
  const float us[4] = {0.5f, 0.5f + kCornerUv, 1.0f - kCornerUv, 1.0f};
  const float vs[4] = {0.0f, kCornerUv, 0.5f - kCornerUv, 0.5f};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const D3DXVECTOR3 a(xs[col], ys[row + 1], 0), b(xs[col + 1], ys[row], 0);
      texture.SetPositions3D(0, &a, &b);
      texture.DrawWithTextureCoordinatesAndColour(us[col], vs[row + 1], us[col + 1], vs[row], red,
                                                  red, red, alpha);
    }
  }
}

void DrawCaption(EngFont* font, const Button& button) {
  if (!button.shown) return;
  font->DrawStringAligned(button.area.x + button.area.w / 2, button.area.y + button.area.h / 2, 1,
                          1, button.caption, true);
}

}  // namespace

// ---- Interface ---------------------------------------------------------------------------

bool TutorialIsTutorialGame() { return GenGetCurGame() == kTutorialGame; }

void TutorialSetRequest(int value) { State().request = value; }

void TutorialSetTextMeasure(TutorialTextMeasure measure) { State().measure = measure; }

void TutorialShowMessage(const char* text, int firstButton, bool secondButton, int position) {
  TutorialState& t = State();
  std::snprintf(t.text, sizeof t.text, "%s", text ? text : "");
  t.boxShown = true;
  float textW = 0, textH = 0;
  (t.measure ? t.measure : MeasureWithGameFont)(t.text, 260, 480, &textW, &textH);
  t.box.w = textW + 40;
  t.box.h = 40 + textH + 30 + 10;
  t.box.y = 240 - t.box.h / 2;
  switch (position) {
    case kLeft: t.box.x = 80; break;
    case kRight: t.box.x = 560 - t.box.w; break;
    default: t.box.x = 320 - t.box.w / 2; break;
  }
  t.boxSide = position;
  t.first.shown = firstButton != 0;
  t.first.caption = firstButton == 2 ? "End" : "Ok";
  t.second.shown = secondButton;
  t.second.caption = "Cancel";
  LayOutButtons();
}

void TutorialOfferFirstGame() {
  TutorialState& t = State();
  if (g_MWin.IsOn()) {
    const int inGame = g_AppImports.ScreensGetScreenId("InGame");
    if (inGame < 0 || EngScreenGetCurrent() != inGame) return;
  }
  if (g_MWin.IsPopupOpen() || !TutorialIsTutorialGame()) return;
  const int game = GenGetCurGame();
  std::uint32_t& played = g_UserOptions.gamesPlayed[game];
  if (t.request == 0 && played != 0) return;
  if (played < 1) played = 1;
  if (t.request != 0) return;
  t.on = true;
  t.stepState = kOffer;
  LoadTexture();
  char offer[kTutorialTextSize];
  std::snprintf(offer, sizeof offer, kOfferText, GenGetGameString(1, game));
  TutorialShowMessage(offer, 1, true, kCentre);
  t.request = 0;
}

void TutorialRestart() {
  TutorialState& t = State();
  if (!t.on) return;
  StartWaiting();
  t.request = 0;
}

void TutorialStop() {
  TutorialState& t = State();
  t.request = 0;
  t.stepState = 0;
  SwitchOff();
}

bool TutorialPressFirstButton() {
  const TutorialState& t = State();
  if (!t.on || !t.boxShown || !t.first.shown) return false;
  FirstButtonAction();
  return true;
}

void TutorialTick() {
  TutorialState& t = State();
  if (t.request == 2) {
    t.on = true;
    StartWaiting();
    t.request = 0;
  } else if (!t.on) {
    return;
  }
  if (t.stepState == kWaiting && Now() - t.waitSince >= kWaitSeconds && !CardsAnimIsAnimating()) {
    LoadTexture();
    t.boxShown = false;
    t.stepIndex = -1;
    NextStep();
    t.stepState = kSteps;
    EngFramesRequestDraw();
  }
  // The piles move on the screen with the camera (keys 0 to 9, a resize):
  // the box follows them.
  if (t.stepState == kSteps && t.boxShown) PlaceBesidePointer();
  if (t.stepState == kWaiting) EngFramesWakeAt(t.waitSince + kWaitSeconds);
  // The pointer pulses while it is shown.
  if (t.on && t.pointerShown) EngFramesRequestDraw();
}

bool TutorialHandleMouse(int button, bool down) {
  TutorialState& t = State();
  if (!t.on) return false;
  if (button == 0 && !down) {
    float x = 0, y = 0;
    GameGetPointerVirtual(&x, &y);
    if (t.boxShown && t.first.shown && t.first.area.Contains(x, y)) {
      FirstButtonAction();
    } else if (t.boxShown && t.second.shown && t.second.area.Contains(x, y)) {
      SwitchOff();
    }
  }
  return true;
}

bool TutorialIsOn() { return State().on; }
bool TutorialGetOnFlag() { return State().on; }

void TutorialCreateGraphics() {
  if (State().on) LoadTexture();
}

void TutorialFreeGraphics() { State().texture.Release(); }

void TutorialRenderPointer() {
  TutorialState& t = State();
  EngDevice* device = EngDeviceGetCurrent();
  if (!t.on || !t.pointerShown || !device) return;
  const float pulse = EngMiscPulse(&t.pulsePhase, 4 * EngProgramGetFrameTime());
  if (!t.texture.IsLoaded()) return;
  const bool lit = device->DisableLightingIfOn();
  device->SaveOrRestoreBlendingState(true);
  device->EnableBlendingType(0);
  device->SetWorldMatrixToIdentity();
  DrawFrameOnTable(t.texture, t.pointer[0], -t.pointer[3], t.pointer[2], -t.pointer[1], 0.7f,
                   (pulse * 0.5f + 0.3f) * 0.4f);
  device->SaveOrRestoreBlendingState(false);
  if (lit) device->EnableLighting();
}

void TutorialRenderMessageBox() {
  TutorialState& t = State();
  EngDevice* device = EngDeviceGetCurrent();
  if (!t.on || !t.boxShown || !device) return;
  if (t.texture.IsLoaded()) {
    device->PrepareFor2D(true);
    device->SaveOrRestoreBlendingState(true);
    device->EnableBlendingType(0);
    DrawPanel2D(t.texture, t.box, 0, 0, 1);
    if (t.first.shown) DrawPanel2D(t.texture, t.first.area, 0, 0, 1);
    if (t.second.shown) DrawPanel2D(t.texture, t.second.area, 0, 0, 1);
    device->SaveOrRestoreBlendingState(false);
    device->RestoreAfter2D();
  }
  EngFont* font = GameGetFont();
  if (!font || !font->IsValid()) return;
  float ratioX = 1, ratioY = 1;
  font->GetRatio(&ratioX, &ratioY);
  font->SetRatio(kTextScaleX, kTextScaleY);
  font->SetColour(1, 1, 1, 1);
  EngFontPrepareForDrawing(1);
  int lines = 0;
  bool finished = true;
  float widest = 0, used = 0;
  font->DrawMultilineText(t.box.x + 10, t.box.y + 10, t.box.w - 20, t.box.h - 20, 0, 0, t.text,
                          true, 0, &widest, &used, &lines, &finished);
  EngFontRestoreAfterDrawing();
  DrawCaption(font, t.first);
  DrawCaption(font, t.second);
  font->SetRatio(ratioX, ratioY);
}

TutorialStateForTests TutorialGetStateForTests() {
  const TutorialState& t = State();
  TutorialStateForTests s{};
  s.on = t.on;
  s.request = t.request;
  s.stepState = t.stepState;
  s.stepIndex = t.stepIndex;
  s.boxShown = t.boxShown;
  s.text = t.text;
  const Rect* rects[3] = {&t.box, &t.first.area, &t.second.area};
  float* outs[3] = {s.box, s.first, s.second};
  for (int i = 0; i < 3; ++i) {
    outs[i][0] = rects[i]->x, outs[i][1] = rects[i]->y;
    outs[i][2] = rects[i]->w, outs[i][3] = rects[i]->h;
  }
  s.firstShown = t.first.shown;
  s.firstCaption = t.first.caption;
  s.secondShown = t.second.shown;
  s.pointerShown = t.pointerShown;
  for (int k = 0; k < 4; ++k) s.pointer[k] = t.pointer[k];
  return s;
}

void TutorialResetForTests() {
  TutorialState& t = State();
  TutorialTextMeasure measure = t.measure;
  t.texture.Release();
  t.on = false;
  t.request = 0;
  t.stepState = 0;
  t.stepIndex = -1;
  t.boxShown = false;
  t.pointerShown = false;
  t.first = Button{};
  t.second = Button{};
  t.measure = measure;
}
