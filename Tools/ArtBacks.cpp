// ArtBacks.cpp - the 16 standard card backs (full-bleed patterns; the
// overlay adds the white margin), the 4 deck-side pictures (the edges of a
// stack of cards) and the back overlay.
//
// Patterns are drawn in card units (x 0 .. 5.8/8.7 across, y 0 .. 1 down),
// so that they keep their proportions once the square picture is stretched
// over a card.
#include <cmath>
#include <functional>

#include "Tools/ArtParts.h"

namespace {

constexpr float kCard = 5.8f / 8.7f;
constexpr float kPi = 3.14159265f;
constexpr int kSide = 512;

using Shader = std::function<ArtColour(float x, float y)>;

ArtColour Lerp(ArtColour a, ArtColour b, float t) { return ArtMix(a, b, t < 0 ? 0 : t > 1 ? 1 : t); }

// Smooth 0..1 band of a periodic value (edge softness about a pixel).
float Band(float value, float width) {
  const float f = value - std::floor(value);
  const float d = std::fabs(f - 0.5f);
  const float soft = 0.004f;
  const float t = (width / 2 - d) / soft;
  return t < 0 ? 0 : t > 1 ? 1 : t;
}

ArtCanvas Paint(const Shader& shader) {
  ArtCanvas canvas(kSide, kSide, ArtRgb(1, 1, 1));
  canvas.Shade([&shader](float u, float v) { return shader(u * kCard, v); });
  return canvas;
}

// A frame line around the pattern, inside the overlay's margin.
void Frame(ArtCanvas* canvas, ArtColour colour) {
  ArtCell cell(canvas, kCard);
  cell.Fill(ArtRing(ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.055f, 0.445f, 0.02f), 0.004f), colour);
}

ArtCanvas Lattice(ArtColour ground, ArtColour line, float pitch) {
  return Paint([=](float x, float y) {
    const float a = (x + y) / pitch, b = (x - y) / pitch;
    const float l = std::max(Band(a, 0.12f), Band(b, 0.12f));
    return Lerp(ground, line, l);
  });
}

ArtCanvas Batik(ArtColour ground, ArtColour ink, uint32_t seed) {
  return Paint([=](float x, float y) {
    const float n = ArtNoise(x * 14, y * 14, 1000, seed);
    const float rings = std::sin((std::hypot(x - kCard / 2, y - 0.5f) * 40 + n * 6));
    const float dots = Band(x * 12 + 0.5f * std::floor(y * 12), 0.3f) * Band(y * 12, 0.3f);
    return Lerp(Lerp(ground, ink, 0.5f + 0.5f * rings > 0.8f ? 0.85f : 0.15f), ink, dots * 0.6f);
  });
}

ArtCanvas Stripes(ArtColour a, ArtColour b, float pitch, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return Paint([=](float x, float y) { return Lerp(a, b, Band((x * c + y * s) / pitch, 0.5f)); });
}

ArtCanvas Rosettes(ArtColour ground, ArtColour petal, float pitch, int petals) {
  return Paint([=](float x, float y) {
    const float gx = x / pitch, gy = y / pitch;
    const float fx = gx - std::floor(gx) - 0.5f, fy = gy - std::floor(gy) - 0.5f;
    const float r = std::hypot(fx, fy), t = std::atan2(fy, fx);
    const float edge = 0.32f + 0.12f * std::cos(static_cast<float>(petals) * t);
    const float inside = r < edge ? 1.0f : 0.0f;
    const float centre = r < 0.08f ? 1.0f : 0.0f;
    return Lerp(Lerp(ground, petal, inside * (1 - r)), ArtRgb(1, 0.95f, 0.7f), centre);
  });
}

ArtCanvas Checks(ArtColour a, ArtColour b, float pitch) {
  return Paint([=](float x, float y) {
    const int cx = static_cast<int>(std::floor(x / pitch)), cy = static_cast<int>(std::floor(y / pitch));
    const float tone = ((cx + cy) & 1) ? 1.0f : 0.0f;
    const float weave = 0.08f * std::sin(x * 300) * std::sin(y * 300);
    return Lerp(a, b, tone * 0.8f + weave);
  });
}

ArtCanvas Starfield() {
  ArtRandom random(7);
  ArtCanvas canvas = Paint([](float x, float y) {
    const float n = ArtNoise(x * 5, y * 5, 1000, 3);
    return Lerp(ArtRgb(0.02f, 0.03f, 0.12f), ArtRgb(0.2f, 0.06f, 0.3f), n * n);
  });
  ArtCell cell(&canvas, kCard);
  for (int i = 0; i < 140; ++i) {
    const float x = random.Next() * kCard, y = random.Next(), r = 0.0015f + random.Next() * 0.004f;
    cell.Fill(ArtCircle(x, y, r), ArtRgb(1, 1, 0.9f, 0.6f + 0.4f * random.Next()));
  }
  cell.Fill(ArtCircle(kCard * 0.62f, 0.3f, 0.08f), ArtRgb(0.85f, 0.75f, 0.6f));
  cell.Fill(ArtRing(ArtEllipse(kCard * 0.62f, 0.3f, 0.15f, 0.03f), 0.006f), ArtRgb(0.9f, 0.85f, 0.7f, 0.8f));
  return canvas;
}

ArtCanvas Harlequin(ArtColour a, ArtColour b, ArtColour line) {
  return Paint([=](float x, float y) {
    const float u = x / 0.111f, v = y / 0.166f;
    const float p = u + v, q = u - v;
    const int cell = static_cast<int>(std::floor(p)) + static_cast<int>(std::floor(q));
    const ArtColour fill = (cell & 1) ? a : b;
    const float edge = std::max(Band(p + 0.5f, 0.06f), Band(q + 0.5f, 0.06f));
    return Lerp(fill, line, edge);
  });
}

ArtCanvas Swirl(ArtColour a, ArtColour b, float turns) {
  return Paint([=](float x, float y) {
    const float dx = x - kCard / 2, dy = y - 0.5f;
    const float r = std::hypot(dx, dy), t = std::atan2(dy, dx);
    return Lerp(a, b, 0.5f + 0.5f * std::sin(t * 3 + r * turns));
  });
}

ArtCanvas Concentric(ArtColour a, ArtColour b) {
  return Paint([=](float x, float y) {
    const float r = std::hypot((x - kCard / 2) * 1.2f, y - 0.5f);
    return Lerp(a, b, Band(r * 18, 0.45f));
  });
}

ArtCanvas Spikes(ArtColour ground, ArtColour spike) {
  return Paint([=](float x, float y) {
    const float gx = x / 0.07f, gy = y / 0.07f + 0.5f * std::floor(x / 0.07f);
    const float fx = gx - std::floor(gx) - 0.5f, fy = gy - std::floor(gy) - 0.5f;
    const float t = std::atan2(fy, fx), r = std::hypot(fx, fy);
    const float star = 0.18f + 0.2f * std::fabs(std::cos(t * 4));
    return Lerp(ground, spike, r < star ? 0.9f : 0.0f);
  });
}

ArtCanvas Fruit() {
  ArtCanvas canvas(kSide, kSide, ArtRgb(0.96f, 0.92f, 0.8f));
  ArtCell cell(&canvas, kCard);
  const ArtColour colours[3] = {ArtRgb(0.85f, 0.2f, 0.15f), ArtRgb(0.95f, 0.6f, 0.1f), ArtRgb(0.4f, 0.65f, 0.2f)};
  for (int row = 0; row < 9; ++row) {
    for (int col = 0; col < 6; ++col) {
      const float x = (col + 0.5f * (row & 1)) * 0.12f + 0.03f, y = row * 0.115f + 0.05f;
      const ArtColour c = colours[(row + col) % 3];
      cell.Fill(ArtCircle(x, y, 0.035f), c);
      cell.Fill(ArtCircle(x - 0.01f, y - 0.012f, 0.01f), ArtRgb(1, 1, 1, 0.5f));
      cell.Fill(ArtSegment(x, y - 0.035f, x + 0.01f, y - 0.05f, 0.003f), ArtRgb(0.35f, 0.25f, 0.1f));
    }
  }
  return canvas;
}

ArtCanvas Bananas() {
  ArtCanvas canvas(kSide, kSide, ArtRgb(0.2f, 0.45f, 0.3f));
  ArtCell cell(&canvas, kCard);
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 4; ++col) {
      const float x = col * 0.18f + 0.06f + 0.09f * (row & 1), y = row * 0.15f + 0.08f;
      const ArtShape crescent = ArtSubtract(ArtEllipse(x, y, 0.07f, 0.05f), ArtEllipse(x, y - 0.02f, 0.07f, 0.045f));
      cell.Fill(crescent, ArtRgb(0.98f, 0.85f, 0.2f));
    }
  }
  return canvas;
}

ArtCanvas GoldPetals() {
  ArtCanvas canvas = Paint([](float x, float y) {
    return Lerp(ArtRgb(0.35f, 0.08f, 0.1f), ArtRgb(0.5f, 0.12f, 0.15f), ArtNoise(x * 6, y * 6, 1000, 9));
  });
  ArtCell cell(&canvas, kCard);
  const float cx = kCard / 2, cy = 0.5f;
  for (int i = 0; i < 12; ++i) {
    const float t = static_cast<float>(i) * 2 * kPi / 12;
    const float px = cx + std::cos(t) * 0.14f, py = cy + std::sin(t) * 0.14f;
    cell.Fill(ArtEllipse(px, py, 0.05f, 0.05f), ArtRgb(0.9f, 0.72f, 0.25f, 0.9f));
  }
  cell.Fill(ArtCircle(cx, cy, 0.07f), ArtRgb(0.98f, 0.85f, 0.4f));
  for (int i = 0; i < 4; ++i) {
    const float x = i % 2 ? kCard - 0.12f : 0.12f, y = i / 2 ? 0.86f : 0.14f;
    cell.Fill(ArtCircle(x, y, 0.035f), ArtRgb(0.9f, 0.72f, 0.25f));
  }
  return canvas;
}

void Backs(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/CardBacks");
  const ArtColour white = ArtRgb(1, 1, 1);
  struct Back {
    const char* name;
    ArtCanvas canvas;
    ArtColour frame;
  };
  Back backs[] = {
      {"Back Indo Black", Batik(ArtRgb(0.08f, 0.07f, 0.07f), ArtRgb(0.75f, 0.62f, 0.38f), 21), ArtRgb(0.75f, 0.62f, 0.38f)},
      {"Back Indo Red", Batik(ArtRgb(0.45f, 0.05f, 0.05f), ArtRgb(0.95f, 0.78f, 0.45f), 22), ArtRgb(0.95f, 0.78f, 0.45f)},
      {"Back Red 1", Lattice(ArtRgb(0.72f, 0.08f, 0.1f), white, 0.05f), white},
      {"Back Red 5", Stripes(ArtRgb(0.7f, 0.06f, 0.09f), ArtRgb(0.85f, 0.25f, 0.25f), 0.02f, kPi / 4), white},
      {"Back Dondorf", Rosettes(ArtRgb(0.1f, 0.2f, 0.45f), ArtRgb(0.75f, 0.82f, 0.95f), 0.12f, 6), white},
      {"Back Polish", Checks(ArtRgb(0.1f, 0.38f, 0.22f), ArtRgb(0.85f, 0.9f, 0.8f), 0.05f), white},
      {"Back Shakespeare", Swirl(ArtRgb(0.06f, 0.08f, 0.3f), ArtRgb(0.25f, 0.3f, 0.6f), 30), ArtRgb(0.85f, 0.75f, 0.45f)},
      {"Back Hedgehog", Spikes(ArtRgb(0.45f, 0.32f, 0.2f), ArtRgb(0.22f, 0.14f, 0.08f)), white},
      {"Back Fruit", Fruit(), ArtRgb(0.5f, 0.3f, 0.15f)},
      {"Back Bananas", Bananas(), white},
      {"Back Gold Petals", GoldPetals(), ArtRgb(0.9f, 0.72f, 0.25f)},
      {"Back Harley", Harlequin(ArtRgb(0.75f, 0.1f, 0.12f), ArtRgb(0.1f, 0.1f, 0.12f), ArtRgb(0.85f, 0.7f, 0.3f)), white},
      {"Back Space", Starfield(), ArtRgb(0.6f, 0.6f, 0.8f)},
      {"Back Classic", Lattice(ArtRgb(0.12f, 0.22f, 0.55f), white, 0.04f), white},
      {"Back Quarnix", Swirl(ArtRgb(0.1f, 0.35f, 0.4f), ArtRgb(0.2f, 0.6f, 0.55f), 60), white},
      {"Back Quarnix 2", Concentric(ArtRgb(0.35f, 0.12f, 0.4f), ArtRgb(0.6f, 0.35f, 0.65f)), white},
  };
  for (Back& back : backs) {
    Frame(&back.canvas, back.frame);
    out.Jpeg(back.canvas, dir + "/" + back.name + ".jpg");
  }
}

// The edges of stacked cards: thin light lines (the cards' edges) over a
// darker line between them.
void Sides(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/CardBacks");
  const struct {
    const char* name;
    ArtColour gap;
  } sides[] = {{"Side Dark Gray", ArtRgb(0.3f, 0.3f, 0.3f)},
               {"Side Dark Red", ArtRgb(0.45f, 0.08f, 0.08f)},
               {"Side Dark Gray 2", ArtRgb(0.45f, 0.45f, 0.47f)},
               {"Side Dark Blue 2", ArtRgb(0.12f, 0.16f, 0.38f)}};
  for (const auto& side : sides) {
    ArtCanvas canvas(256, 256, ArtRgb(1, 1, 1));
    const ArtColour edge = ArtRgb(0.96f, 0.95f, 0.9f);
    canvas.Shade([&](float, float v) { return Lerp(edge, side.gap, Band(v * 48, 0.3f)); });
    out.Jpeg(canvas, dir + "/" + side.name + ".jpg");
  }
}

// The white margin every back gets, blended over it by its alpha.
void Overlay(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/CardBacks");
  ArtCanvas canvas(kSide, kSide, ArtRgb(1, 1, 1, 0));
  ArtCell cell(&canvas, kCard);
  const ArtShape card = ArtRoundRect(kCard / 2, 0.5f, kCard / 2, 0.5f, 0.045f);
  const ArtShape inner = ArtRoundRect(kCard / 2, 0.5f, kCard / 2 - 0.04f, 0.46f, 0.025f);
  cell.Fill(ArtSubtract(card, inner), ArtRgb(1, 1, 1));
  // A faint sheen across the pattern.
  cell.FillShaded(inner, [](float x, float y) {
    const float t = std::exp(-std::pow((x + y - 0.55f) * 3.0f, 2.0f));
    return ArtRgb(1, 1, 1, 0.12f * t);
  });
  out.Tga(canvas, dir + "/Back Overlay.tga");
}

}  // namespace

void ArtMakeBacks(const ArtOutput& out) {
  Backs(out);
  Sides(out);
  Overlay(out);
}
