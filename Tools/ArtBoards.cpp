// ArtBoards.cpp - the table boards' standard textures ("Data/Boards/<stem>
// .jpg") and the table-top shapes ("BoardShape1..12.tga", alpha masks).
//
// A board colours its texture with a gradient that treats grey 128 as "no
// change" (lighter pixels lighten, darker ones darken), so the textures are
// patterns of light and shade around grey 128, seamless where the board may
// tile them.
#include <cmath>
#include <cstdio>
#include <functional>

#include "Tools/ArtParts.h"

namespace {

constexpr int kSide = 512;
constexpr float kPi = 3.14159265f;

float Grey(float delta) { return 0.5f + delta; }

ArtCanvas Texture(const std::function<float(float u, float v)>& shade) {
  ArtCanvas canvas(kSide, kSide, ArtRgb(0.5f, 0.5f, 0.5f));
  canvas.Shade([&shade](float u, float v) {
    const float g = Grey(shade(u, v));
    return ArtRgb(g, g, g);
  });
  return canvas;
}

// Layered noise, seamless over the picture.
float Fractal(float u, float v, int base, uint32_t seed) {
  float sum = 0, amplitude = 0.5f;
  int period = base;
  for (int octave = 0; octave < 4; ++octave) {
    sum += amplitude * (ArtNoise(u * period, v * period, period, seed + octave) - 0.5f);
    amplitude *= 0.5f;
    period *= 2;
  }
  return sum;
}

float Velvet(float u, float v, uint32_t seed, float direction) {
  const float sheen = 0.06f * std::sin((u * std::cos(direction) + v * std::sin(direction)) * 2 * kPi);
  return 0.18f * Fractal(u, v, 32, seed) + sheen;
}

// Velvet inside a wooden border (the board's whole table).
float VelvetWood(float u, float v, uint32_t seed) {
  const float border = 0.07f;
  const float edge = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
  if (edge > border) return Velvet(u, v, seed, 0.3f) - 0.04f;
  const bool across = std::min(v, 1 - v) < std::min(u, 1 - u);
  const float along = across ? u : v, deep = across ? v : u;
  // Grain lines run along the border's planks.
  const float grain = std::sin(deep * 420 + 9 * Fractal(along, deep, 8, seed + 9)) * 0.07f;
  const float bevel = edge > border - 0.008f ? -0.1f : (edge < 0.006f ? -0.08f : 0.06f);
  return 0.12f + grain + bevel;
}

void Textures(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Boards");
  const struct {
    const char* stem;
    std::function<float(float, float)> shade;
  } textures[] = {
      {"Plain", [](float u, float v) { return 0.02f * Fractal(u, v, 16, 1); }},
      {"Blinds", [](float, float v) { return 0.1f * std::sin(v * 2 * kPi * 24) + 0.04f * std::sin(v * 2 * kPi * 96); }},
      {"Cement", [](float u, float v) { return 0.22f * Fractal(u, v, 64, 2); }},
      {"Checkered",
       [](float u, float v) {
         const int c = static_cast<int>(u * 8) + static_cast<int>(v * 8);
         return ((c & 1) ? 0.12f : -0.12f) + 0.03f * Fractal(u, v, 32, 3);
       }},
      {"Glass", [](float u, float v) { return 0.1f * std::sin((u + v) * 2 * kPi * 3) + 0.04f * Fractal(u, v, 8, 4); }},
      {"Grid",
       [](float u, float v) {
         const float fu = u * 16 - std::floor(u * 16), fv = v * 16 - std::floor(v * 16);
         return (fu < 0.06f || fv < 0.06f) ? -0.18f : 0.03f;
       }},
      {"Leather",
       [](float u, float v) {
         const float cells = ArtNoise(u * 48, v * 48, 48, 5);
         return 0.16f * (cells - 0.5f) + 0.1f * Fractal(u, v, 16, 6);
       }},
      {"Paper", [](float u, float v) { return 0.06f * Fractal(u * 4, v, 32, 7) + 0.03f * Fractal(u, v, 64, 8); }},
      {"Smooth", [](float u, float v) { return 0.05f * Fractal(u, v, 4, 9); }},
      {"Wood",
       [](float u, float v) {
         const float rings = std::sin((u * 12 + 3 * Fractal(u, v, 4, 10)) * 2 * kPi);
         return 0.12f * rings + 0.06f * Fractal(u * 8, v, 32, 11);
       }},
      {"Velvet1", [](float u, float v) { return Velvet(u, v, 12, 0.0f); }},
      {"Velvet2", [](float u, float v) { return Velvet(u, v, 13, kPi / 4); }},
      {"Velvet3", [](float u, float v) { return Velvet(u, v, 14, kPi / 2); }},
      {"Velvet4", [](float u, float v) { return Velvet(u, v, 15, 3 * kPi / 4); }},
      {"VelvetWoodBorder1", [](float u, float v) { return VelvetWood(u, v, 16); }},
      {"VelvetWoodBorder2", [](float u, float v) { return VelvetWood(u, v, 17); }},
      {"VelvetWoodBorder3", [](float u, float v) { return VelvetWood(u, v, 18); }},
      {"VelvetWoodBorder4", [](float u, float v) { return VelvetWood(u, v, 19); }},
      {"Discobol",
       [](float u, float v) {
         const float r = std::hypot(u - 0.5f, v - 0.5f);
         return 0.12f * std::sin(r * 2 * kPi * 10) * std::exp(-r * 2) + 0.03f * Fractal(u, v, 16, 20);
       }},
  };
  for (const auto& t : textures) out.Jpeg(Texture(t.shade), dir + "/" + t.stem + ".jpg");
}

void Shapes(const ArtOutput& out) {
  const std::string dir = out.Folder("Data/Boards");
  const ArtShape shapes[12] = {
      ArtRoundRect(0.5f, 0.5f, 0.6f, 0.6f, 0.0f),  // the whole table
      ArtRoundRect(0.5f, 0.5f, 0.49f, 0.49f, 0.08f),
      ArtEllipse(0.5f, 0.5f, 0.5f, 0.5f),
      ArtPolygon({{0.15f, 0.0f}, {0.85f, 0.0f}, {1.0f, 0.15f}, {1.0f, 0.85f}, {0.85f, 1.0f}, {0.15f, 1.0f},
                  {0.0f, 0.85f}, {0.0f, 0.15f}}),
      ArtRoundRect(0.5f, 0.5f, 0.49f, 0.49f, 0.2f),
      ArtRoundRect(0.5f, 0.5f, 0.47f, 0.47f, 0.04f),
      ArtRoundRect(0.5f, 0.5f, 0.5f, 0.42f, 0.42f),  // a stadium
      ArtUnion(ArtRoundRect(0.5f, 0.5f, 0.49f, 0.33f, 0.05f), ArtRoundRect(0.5f, 0.5f, 0.33f, 0.49f, 0.05f)),
      ArtSubtract(ArtRoundRect(0.5f, 0.5f, 0.49f, 0.49f, 0.02f),
                  ArtUnion(ArtUnion(ArtCircle(0, 0, 0.12f), ArtCircle(1, 0, 0.12f)),
                           ArtUnion(ArtCircle(0, 1, 0.12f), ArtCircle(1, 1, 0.12f)))),
      ArtEllipse(0.5f, 0.5f, 0.5f, 0.42f),
      ArtRoundRect(0.5f, 0.5f, 0.45f, 0.49f, 0.12f),
      ArtPolygon({{0.5f, 0.0f}, {1.0f, 0.25f}, {1.0f, 0.75f}, {0.5f, 1.0f}, {0.0f, 0.75f}, {0.0f, 0.25f}}),
  };
  for (int i = 0; i < 12; ++i) {
    ArtCanvas mask(256, 256, ArtRgb(1, 1, 1, 0));
    ArtCell(&mask, 1.0f).Fill(shapes[i], ArtRgb(1, 1, 1));
    char name[32];
    std::snprintf(name, sizeof(name), "/BoardShape%d.tga", i + 1);
    out.Tga(mask, dir + name);
  }
}

}  // namespace

void ArtMakeBoards(const ArtOutput& out) {
  Textures(out);
  Shapes(out);
}
