// VariantLayoutTest.cpp - every game's layout, from the layouts file and the
// positioners, with the deepest piles the game can reach: each pile lies on
// the board inside its wooden frame and in view of the default camera, and
// no two piles overlap.
//
// The camera projects with its own aspect, so a window of 1024x768 and one
// of 1280x720 show the same part of the table (stretched to the window):
// one view check serves both.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "tests/Game/Variants/VariantTest.h"

namespace {

struct Rect {
  float left, right, bottom, top;
};

struct PileBox {
  int code;
  Rect box;
};

// The board: the table picture covers 60 x 60 around the middle, its wooden
// frame the outer 7 % of each side; cards lie on the velvet inside it. A
// row not yet laid out for the frame is held to the older, wider table.
constexpr float kVelvet = 30.0f * (1.0f - 2 * 0.07f);
constexpr Rect kVelvetRect = {-kVelvet, kVelvet, -kVelvet, kVelvet};
constexpr Rect kOlderTable = {-30.0f, 30.0f, -30.0f, 35.0f};

// The default camera (preset 1 of the player's options): look-at point
// (0, 1.31589, 12.14954), the eye 16.82251 back in y and 100.23923 up in z,
// a 30 degree field of view, z up, its own aspect 1.05113.
constexpr double kCameraAspect = 1.05113;
struct Vec3 {
  double x, y, z;
};
Vec3 Sub(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Unit(Vec3 a) {
  const double l = std::sqrt(Dot(a, a));
  return {a.x / l, a.y / l, a.z / l};
}

bool InView(float x, float y) {
  const Vec3 at = {0, 1.31589, 12.14954};
  const Vec3 eye = {0, 1.31589 - 16.82251, 12.14954 + 100.23923};
  const Vec3 forward = Unit(Sub(at, eye));
  const Vec3 side = Unit(Cross(forward, {0, 0, 1}));
  const Vec3 up = Cross(side, forward);
  const Vec3 p = Sub({x, y, 0}, eye);
  const double depth = Dot(p, forward);
  const double halfView = std::tan(15.0 * 3.14159265358979 / 180.0);
  const double sx = Dot(p, side) / depth / (halfView * kCameraAspect);
  const double sy = Dot(p, up) / depth / halfView;
  return depth > 0 && std::fabs(sx) <= 1.0 && std::fabs(sy) <= 1.0;
}

// The box a pile covers on the table: every card (turned cards by their
// turned corners), or the pile's own place when it is empty.
Rect BoxOf(const CardGroup& pile) {
  const float hw = CardsGetSettings().halfWidth, hh = CardsGetSettings().halfHeight;
  Rect r = {pile.pos[0] - hw, pile.pos[0] + hw, pile.pos[1] - hh, pile.pos[1] + hh};
  for (int i = 0; i < pile.numCards; ++i) {
    const Card& c = pile.cards[i];
    const float a = c.rot[2];
    const float ex = hw * std::fabs(std::cos(a)) + hh * std::fabs(std::sin(a));
    const float ey = hw * std::fabs(std::sin(a)) + hh * std::fabs(std::cos(a));
    const float x = pile.pos[0] + c.pos[0], y = pile.pos[1] + c.pos[1];
    if (i == 0) r = {x - ex, x + ex, y - ey, y + ey};
    r.left = std::min(r.left, x - ex);
    r.right = std::max(r.right, x + ex);
    r.bottom = std::min(r.bottom, y - ey);
    r.top = std::max(r.top, y + ey);
  }
  return r;
}

std::vector<PileBox> PilesOnTable() {
  Gen& g = g_GenLive;
  std::vector<PileBox> boxes;
  GenForEachPileInUse(g, [&](CardGroup& pile, int kind) {
    if ((kind == kWhereDeck && !g.deckInUse) || (kind == kWhereWaste && !g.wasteInUse)) return;
    if (!pile.active || pile.maxCards < 1) return;
    boxes.push_back({pile.where, BoxOf(pile)});
  });
  return boxes;
}

std::string Describe(const PileBox& p) {
  char text[128];
  std::snprintf(text, sizeof text, "pile %d [%.2f, %.2f] x [%.2f, %.2f]", p.code, p.box.left,
                p.box.right, p.box.bottom, p.box.top);
  return text;
}

TEST_P(VariantLayoutTest, PilesInsideTheTableInViewAndApart) {
  const VariantRow& row = GetParam();
  GenSetCurGame(row.game);
  ASSERT_TRUE(GenInit());
  ASSERT_TRUE(VariantBuildDeepest(row.deepest)) << row.deepest;
  const std::vector<PileBox> piles = PilesOnTable();
  ASSERT_FALSE(piles.empty());
  const Rect& table = row.insideFrame ? kVelvetRect : kOlderTable;
  for (const PileBox& p : piles) {
    const Rect& b = p.box;
    EXPECT_TRUE(b.left >= table.left && b.right <= table.right && b.bottom >= table.bottom &&
                b.top <= table.top)
        << Describe(p) << " leaves the board's velvet";
    EXPECT_TRUE(InView(b.left, b.bottom) && InView(b.right, b.bottom) && InView(b.left, b.top) &&
                InView(b.right, b.top))
        << Describe(p) << " is out of the camera's view";
  }
  // Piles may touch, not overlap (unless both are of kinds laid over each
  // other by design).
  constexpr float kSlack = 0.01f;
  const std::string overlapping = row.mayOverlap ? row.mayOverlap : "";
  auto letter = [](int code) {
    switch (GenGetKindBase(code)) {
      case kWhereTableau: return 'T';
      case kWhereFan: return 'N';
      case kWhereCell: return 'C';
      case kWhereReserve: return 'R';
      case kWhereFoundation: return 'F';
      case kWhereWaste: return 'W';
      default: return 'D';
    }
  };
  for (size_t i = 0; i < piles.size(); ++i) {
    for (size_t j = i + 1; j < piles.size(); ++j) {
      if (overlapping.find(letter(piles[i].code)) != std::string::npos &&
          overlapping.find(letter(piles[j].code)) != std::string::npos) {
        continue;
      }
      const Rect& a = piles[i].box;
      const Rect& b = piles[j].box;
      const bool apart = a.right <= b.left + kSlack || b.right <= a.left + kSlack ||
                         a.top <= b.bottom + kSlack || b.top <= a.bottom + kSlack;
      EXPECT_TRUE(apart) << Describe(piles[i]) << " overlaps " << Describe(piles[j]);
    }
  }
}

}  // namespace
