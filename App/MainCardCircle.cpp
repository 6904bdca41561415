// MainCardCircle.cpp - the circle of 52 cards that turns behind the main
// menu (see Main.h): the cards fan out round an ellipse, turn their faces
// up in a wave, back down in a wave from the other end, gather again and
// start afresh in another of four orders.
//
// States of the circle:
//   0 the cards stand gathered; wait   1 they fan out to their places
//   2 pause chosen                      3 wait
//   4 the flip wave, card 0 first       5 pause chosen
//   6 wait                              7 the wave back, card 51 first
//   8 they stand spread, aiming home    9 wait
//  10 they gather                      11 pause chosen
//  12 wait, then a new circle
#include <cmath>
#include <cstring>

#include "App/Main.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFrames.h"
#include "Engine/EngProgram.h"
#include "Engine/EngRand.h"
#include "Game/CardsRender.h"
#include "Game/CardsSettings.h"
#include "Game/GameCameras.h"

namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kStartAngle = 0.28f;
constexpr unsigned kTimeUnitMs = 400;
constexpr float kFlipSpeed = 300.0f;   // degrees a second
constexpr float kAngleSpeed = 2.5f;    // radians a second
constexpr float kFaceDown = 135.0f;    // the y turn of a card showing its back
constexpr float kHalfway = 90.0f;
constexpr float kRadiusCards = 3.5f;   // the radius in card widths
// The frames a second the moving cards are drawn at. Each frame redraws
// everything under them (the menu's panels, the game's preview table), the
// costliest drawing of the menu; at this rate the circle turns as smoothly
// to the eye as at the loop's 60, for half the work.
constexpr int kCircleFramesPerSecond = 30;

struct Circle {
  bool running = false;
  int state = 0;
  int direction = 0;
  int marker = 0;
  unsigned wake = 0;
  Card cards[kMainCircleCards];
  float angle[kMainCircleCards] = {};
  float target[kMainCircleCards] = {};
  float turnY[kMainCircleCards] = {};  // degrees
  // The camera the circle was last drawn with: where a card moves from and
  // to on the screen.
  EngDeviceProjection drawnWith;
};

// What a tick changed on the screen: the cards that moved or changed face,
// where they stood and where they stand now.
void AskForChangedCards(const Circle& c, const Card* before) {
  EngFramesArea changed;
  const CardsSettingsRecord& s = CardsGetSettings();
  for (int i = 0; i < kMainCircleCards; ++i) {
    const Card& now = c.cards[i];
    if (std::memcmp(now.matrix.m, before[i].matrix.m, sizeof now.matrix.m) == 0 && now.number == before[i].number) {
      continue;
    }
    EngFramesArea was, is;
    if (!EngDeviceScreenAreaOfQuad(c.drawnWith, &before[i].matrix, s.halfWidth, s.halfHeight, 2, &was) ||
        !EngDeviceScreenAreaOfQuad(c.drawnWith, &now.matrix, s.halfWidth, s.halfHeight, 2, &is)) {
      EngFramesRequestDraw();
      return;
    }
    changed = EngFramesUnion(changed, EngFramesUnion(was, is));
  }
  EngFramesRequestDrawArea(changed, kCircleFramesPerSecond);
}

Circle& TheCircle() {
  static Circle circle;
  return circle;
}

float SpreadAngle(int i) { return 2.0f * kPi * static_cast<float>(i) / 56.0f + kStartAngle; }

unsigned NowMs() { return EngProgramGetCurrentMilliseconds(); }

bool WakeTimeReached(const Circle& c) { return static_cast<int>(NowMs() - c.wake) >= 0; }

// A pause of 3 to 12 time units.
void ChoosePause(Circle& c) {
  c.wake = NowMs() + kTimeUnitMs * static_cast<unsigned>(EngRandCrtNext() % 10 + 3);
}

// The card's place and turn for its current angle.
void PlaceCard(Circle& c, int i) {
  const float r = kRadiusCards * CardsGetCardWidth();
  const float a = c.angle[i];
  Card& card = c.cards[i];
  card.pos[0] = card.restPos[0] = std::sin(a) * r * 1.2f;
  card.pos[1] = card.restPos[1] = std::cos(a) * r;
  card.pos[2] = card.restPos[2] = 0;
  card.rot[0] = 0;
  card.rot[1] = c.turnY[i] * kPi / 180.0f;
  card.rot[2] = (180.0f - a * 180.0f / kPi) * kPi / 180.0f;
  card.UpdateMatrix();
}

void PlaceAll(Circle& c) {
  for (int i = 0; i < kMainCircleCards; ++i) PlaceCard(c, i);
}

// Moves every angle toward its target by step; true once card 51 is there.
bool MoveAngles(Circle& c, float step) {
  for (int i = 0; i < kMainCircleCards; ++i) {
    if (c.angle[i] < c.target[i]) {
      c.angle[i] = std::fmin(c.angle[i] + step, c.target[i]);
    } else if (c.angle[i] > c.target[i]) {
      c.angle[i] = std::fmax(c.angle[i] - step, c.target[i]);
    }
  }
  PlaceAll(c);
  return c.angle[kMainCircleCards - 1] == c.target[kMainCircleCards - 1];
}

// Faces turn up from card 0 on: each card starts once the one before it is
// past half way, and stops at 45 degrees (even cards) or 80 (odd ones), so
// the circle's faces lie at two slants.
bool FlipWave(Circle& c, float step) {
  for (int i = 0; i < kMainCircleCards; ++i) {
    if (i > 0 && c.turnY[i - 1] > kHalfway) break;
    const float floor = i % 2 == 0 ? 45.0f : 80.0f;
    c.turnY[i] = std::fmax(c.turnY[i] - step, floor);
    c.marker = i;
  }
  PlaceAll(c);
  const int last = kMainCircleCards - 1;
  return c.turnY[last] == (last % 2 == 0 ? 45.0f : 80.0f);
}

// Faces turn down again from card 51 back to card 0.
bool FlipWaveBack(Circle& c, float step) {
  for (int i = kMainCircleCards - 1; i >= 0; --i) {
    if (i < kMainCircleCards - 1 && c.turnY[i + 1] < kHalfway) break;
    c.turnY[i] = std::fmin(c.turnY[i] + step, kFaceDown);
    c.marker = i;
  }
  PlaceAll(c);
  return c.turnY[0] == kFaceDown;
}

// One step of the state machine (the table at the top of the file).
void TickCircle(Circle& c) {
  const float frame = EngProgramGetFrameTime();
  switch (c.state) {
    case 0:
      PlaceAll(c);
      if (WakeTimeReached(c)) c.state = 1;
      break;
    case 1:
      if (MoveAngles(c, frame * kAngleSpeed)) c.state = 2;
      break;
    case 2:
    case 11:
      ChoosePause(c);
      ++c.state;
      break;
    case 3:
    case 6:
    case 9:
      if (WakeTimeReached(c)) ++c.state;
      break;
    case 4:
      if (FlipWave(c, frame * kFlipSpeed)) c.state = 5;
      break;
    case 5:
      ChoosePause(c);
      c.marker = kMainCircleCards - 1;
      c.state = 6;
      break;
    case 7:
      if (FlipWaveBack(c, frame * kFlipSpeed)) c.state = 8;
      break;
    case 8:
      for (int i = 0; i < kMainCircleCards; ++i) {
        c.target[i] = kStartAngle;
        c.angle[i] = SpreadAngle(i);
      }
      PlaceAll(c);
      ChoosePause(c);
      c.state = 9;
      break;
    case 10:
      if (MoveAngles(c, frame * kAngleSpeed)) c.state = 11;
      break;
    case 12:
      if (WakeTimeReached(c)) MainStartMenuCardAnim(true);
      break;
    default:
      c.state = 0;
      break;
  }
}

}  // namespace

void MainCardCircleFace(int direction, int index, int* suit, int* rank) {
  int s = direction < 2 ? 1 : 0;
  int r = direction < 2 ? 1 : 13;
  for (int i = 0; i < index; ++i) {
    switch (direction & 3) {
      case 0:
        if (++r > 13) r = 1, s = (s + 1) % 4;
        break;
      case 1:
        s = (s + 1) % 4;
        if (s == 1 && ++r > 13) r = 1;
        break;
      case 2:
        if (--r < 1) r = 13, s = (s + 3) % 4;
        break;
      default:
        s = (s + 3) % 4;
        if (s == 0 && --r < 1) r = 13;
        break;
    }
  }
  *suit = s;
  *rank = r;
}

void MainStartMenuCardAnim(bool restart) {
  GameCamerasSetDefaults(kGameCameraMainMenu);
  GameCameraApplyPreset(kGameCameraMainMenu);
  MainUpdatePreviewViewports();
  Circle& c = TheCircle();
  if (c.running && !restart) return;
  c.running = true;
  c.state = 0;
  c.marker = 0;
  c.wake = NowMs() + 2 * kTimeUnitMs;
  c.direction = EngRandCrtNext() & 3;
  for (int i = 0; i < kMainCircleCards; ++i) {
    int suit = 0, rank = 1;
    MainCardCircleFace(c.direction, i, &suit, &rank);
    CardsSetupCard(&c.cards[i], 1, suit, rank, 0, 0, 0);
    // Turned past edge-on the card shows its back, drawn on its reverse.
    c.cards[i].bothSides = 1;
    c.angle[i] = kStartAngle;
    c.target[i] = SpreadAngle(i);
    c.turnY[i] = kFaceDown;
  }
  PlaceAll(c);
}

void MainTickMenuCardAnim() {
  Circle& c = TheCircle();
  if (!c.running) return;
  static Card before[kMainCircleCards];
  for (int i = 0; i < kMainCircleCards; ++i) before[i] = c.cards[i];
  TickCircle(c);
  AskForChangedCards(c, before);
  // A card that stands still until the next state wakes the loop then.
  if (c.state == 0 || c.state == 3 || c.state == 6 || c.state == 9 || c.state == 12) EngFramesWakeAtMs(c.wake);
}


void MainRenderMenuCardAnim() {
  Circle& c = TheCircle();
  EngDevice* device = EngDeviceGetCurrent();
  if (!c.running || !device) return;
  device->SetViewportFullScreen();
  GameCameraApplyPreset(kGameCameraMainMenu);
  device->GetProjection(&c.drawnWith);
  // The cards stand in one plane: drawn in order, each over the last.
  device->SuspendDepthTest();
  CardsBeginBlending();
  for (int i = 0; i < kMainCircleCards; ++i) CardsRenderCard(nullptr, i, &c.cards[i]);
  CardsEndBlending();
  device->ResumeDepthTest();
}

MainCardCircleState MainGetCardCircleForTests() {
  const Circle& c = TheCircle();
  MainCardCircleState s{c.running, c.state, c.direction, c.wake, {}, {}, c.cards};
  for (int i = 0; i < kMainCircleCards; ++i) {
    s.angle[i] = c.angle[i];
    s.target[i] = c.target[i];
  }
  return s;
}

void MainCardCircleResetForTests() {
  Circle& c = TheCircle();
  c.running = false;
  c.state = 0;
}
