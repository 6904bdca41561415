// MakeStartupBanner.cpp - draws the banner at the top of the start-up
// settings dialog (a 24-bit BMP, 717 x 171: three pixels a dialog unit of
// the banner's 239 x 57 place, so that the dialog only ever scales it down):
// four cards fanned out on green cloth and the title "Free Cardolia 3D".
//
//   MakeStartupBanner <output file>
#include <cmath>
#include <cstdio>
#include <string>

#include "Tools/ArtCanvas.h"

namespace {

constexpr int kWidth = 717;
constexpr int kHeight = 171;
constexpr float kAspect = static_cast<float>(kWidth) / kHeight;
constexpr float kCardAspect = 5.8f / 8.7f;

const ArtColour kClothDark = ArtRgb(0.03f, 0.22f, 0.12f);
const ArtColour kClothLight = ArtRgb(0.09f, 0.42f, 0.23f);
const ArtColour kGold = ArtRgb(0.93f, 0.80f, 0.45f);
const ArtColour kCream = ArtRgb(0.99f, 0.96f, 0.88f);
const ArtColour kRed = ArtRgb(0.75f, 0.07f, 0.1f);
const ArtColour kBlack = ArtRgb(0.08f, 0.09f, 0.16f);

// A shape turned by angle (radians) about (cx, cy).
ArtShape Turned(ArtShape shape, float cx, float cy, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return [shape, cx, cy, c, s](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    return shape(cx + dx * c + dy * s, cy - dx * s + dy * c);
  };
}

struct Card {
  const char32_t* rank;
  char32_t suit;
  bool red;
  float angle;  // degrees
};

void DrawCard(ArtCell* cell, const Card& card, float cx, float cy, float height) {
  const float hw = height * kCardAspect / 2, hh = height / 2;
  const float angle = card.angle * 3.14159265f / 180.0f;
  const float radius = height * 0.06f;
  // A soft shadow down and to the right, then the card with a fine edge.
  cell->Fill(Turned(ArtRoundRect(cx + 0.02f, cy + 0.03f, hw, hh, radius), cx + 0.02f, cy + 0.03f, angle),
             ArtRgb(0, 0, 0, 0.35f));
  cell->Fill(Turned(ArtRoundRect(cx, cy, hw, hh, radius), cx, cy, angle), ArtRgb(0.55f, 0.55f, 0.5f));
  cell->Fill(Turned(ArtRoundRect(cx, cy, hw - 0.006f, hh - 0.006f, radius), cx, cy, angle), kCream);
  // The index and the suit sit upright on the slightly turned card: at this
  // size the turn is a few degrees, which the eye forgives.
  const ArtColour ink = card.red ? kRed : kBlack;
  const float c = std::cos(angle), s = std::sin(angle);
  const auto at = [&](float dx, float dy, float* x, float* y) {
    *x = cx + dx * c - dy * s;
    *y = cy + dx * s + dy * c;
  };
  float x, y;
  at(-hw * 0.62f, -hh * 0.74f, &x, &y);
  cell->Text(kArtSansBold, card.rank, x, y, hw * 0.5f, hh * 0.26f, ink);
  at(-hw * 0.62f, -hh * 0.44f, &x, &y);
  cell->Text(kArtSans, std::u32string(1, card.suit), x, y, hw * 0.4f, hh * 0.22f, ink);
  at(hw * 0.12f, hh * 0.12f, &x, &y);
  cell->Text(kArtSans, std::u32string(1, card.suit), x, y, hw * 1.1f, hh * 0.8f, ink);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeStartupBanner <output file>\n");
    return 2;
  }
  ArtCanvas canvas(kWidth, kHeight, kClothDark);
  // Cloth: lighter in the middle, with a faint weave.
  canvas.Shade([](float u, float v) {
    const float du = (u - 0.3f) * 1.3f, dv = (v - 0.45f) * 1.6f;
    const float light = std::max(0.0f, 1.0f - std::sqrt(du * du + dv * dv));
    const float weave = ArtNoise(u * 64, v * 16, 64, 7) * 0.06f;
    ArtColour c = ArtMix(kClothDark, kClothLight, light);
    c.r += weave;
    c.g += weave;
    c.b += weave;
    return c;
  });
  ArtCell cell(&canvas, kAspect);
  // A gold line inside the edge.
  cell.Fill(ArtRing(ArtRoundRect(kAspect / 2, 0.5f, kAspect / 2 - 0.045f, 0.455f, 0.05f), 0.006f), kGold);

  const Card cards[] = {
      {U"A", U'\u2665', true, -14},
      {U"K", U'\u2660', false, -5},
      {U"Q", U'\u2666', true, 5},
      {U"J", U'\u2663', false, 14},
  };
  const float height = 0.7f;
  for (int i = 0; i < 4; ++i) {
    const float offset = static_cast<float>(i) - 1.5f;
    DrawCard(&cell, cards[i], 0.62f + offset * 0.24f, 0.52f + std::fabs(offset) * 0.025f, height);
  }

  cell.Text(kArtSerifBold, U"Free Cardolia 3D", 2.65f, 0.44f, 2.6f, 0.26f, kGold);
  cell.Fill(ArtSegment(1.55f, 0.68f, 3.75f, 0.68f, 0.006f), ArtRgb(kGold.r, kGold.g, kGold.b, 0.7f));
  cell.Text(kArtSans, U"84 games of patience", 2.65f, 0.8f, 2.0f, 0.09f, kCream);

  if (!canvas.SaveBmp(argv[1])) {
    std::fprintf(stderr, "MakeStartupBanner: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
