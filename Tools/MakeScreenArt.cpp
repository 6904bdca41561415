// MakeScreenArt.cpp - draws the pictures of the game's screens and writes
// them as 32-bit TGA pictures:
//
//   MakeScreenArt <font file> <output folder>
//
//   0101.dat  the toolkit's button sheet "Buttons.tga" (1024 x 1024): every
//             look the game's texture buttons cut from it, each inside the
//             rectangle its button names (texture coordinates 0 to 1)
//   0130.dat - 0133.dat  the splash panel's four pictures (256 x 256): the
//             four suits
//   0160.dat  the title picture (512 x 128): "Free Cardolia 3D"
//
// Shapes are rounded rectangles and polygons sampled 4 x 4 times a pixel
// for smooth edges; texts are DejaVu glyphs rendered with FreeType. The
// sheet's rectangles overlap in places (the check marks are the button's
// pressed and disabled pictures; the bottom-left box "Back2" holds the
// arrows' and the open list's selection rectangles): each region is drawn
// once, so every rectangle shows a picture made for it or for the look
// sharing its place.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Engine/EngTga.h"

namespace {

struct Rgba {
  float r, g, b, a;  // 0-1, not premultiplied
};

// A picture being drawn: straight colours, composited "over".
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, Rgba{0, 0, 0, 0}) {}
  int Width() const { return w_; }
  int Height() const { return h_; }

  void Blend(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0) return;
    Rgba& d = px_[static_cast<std::size_t>(y) * w_ + x];
    const float a = c.a * std::min(coverage, 1.0f);
    const float out = a + d.a * (1 - a);
    if (out <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
  }

  // Fills the pixels of a region whose inside test takes a point in pixel
  // units; the colour may depend on the point (gradients).
  void Fill(float x0, float y0, float x1, float y1, const std::function<bool(float, float)>& inside,
            const std::function<Rgba(float, float)>& colour) {
    const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int ix1 = std::min(w_ - 1, static_cast<int>(std::ceil(x1)));
    const int iy1 = std::min(h_ - 1, static_cast<int>(std::ceil(y1)));
    constexpr int kS = 4;
    for (int y = iy0; y <= iy1; ++y) {
      for (int x = ix0; x <= ix1; ++x) {
        int hits = 0;
        for (int sy = 0; sy < kS; ++sy) {
          for (int sx = 0; sx < kS; ++sx) {
            if (inside(x + (sx + 0.5f) / kS, y + (sy + 0.5f) / kS)) ++hits;
          }
        }
        if (hits) Blend(x, y, colour(x + 0.5f, y + 0.5f), static_cast<float>(hits) / (kS * kS));
      }
    }
  }

  bool Save(const std::string& path) const {
    EngTga tga;
    if (!tga.Create(w_, h_, 32)) return false;
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        const Rgba& p = px_[static_cast<std::size_t>(y) * w_ + x];
        auto byte = [](float v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); };
        tga.SetPixelFromTop(x, y, (byte(p.a) << 24) | (byte(p.r) << 16) | (byte(p.g) << 8) | byte(p.b));
      }
    }
    return tga.SaveToFile(path.c_str());
  }

 private:
  int w_, h_;
  std::vector<Rgba> px_;
};

bool InRoundRect(float px, float py, float x0, float y0, float x1, float y1, float radius) {
  if (px < x0 || px > x1 || py < y0 || py > y1) return false;
  const float cx = std::clamp(px, x0 + radius, x1 - radius);
  const float cy = std::clamp(py, y0 + radius, y1 - radius);
  const float dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= radius * radius;
}

Rgba Mix(Rgba a, Rgba b, float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// A framed rounded panel over a pixel rectangle: border colour, then the
// inside with a vertical gradient.
void Panel(Canvas& c, float x0, float y0, float x1, float y1, float radius, float border, Rgba edge,
           Rgba top, Rgba bottom) {
  c.Fill(x0, y0, x1, y1, [=](float x, float y) { return InRoundRect(x, y, x0, y0, x1, y1, radius); },
         [=](float, float) { return edge; });
  const float ix0 = x0 + border, iy0 = y0 + border, ix1 = x1 - border, iy1 = y1 - border;
  const float r = std::max(0.0f, radius - border);
  c.Fill(ix0, iy0, ix1, iy1, [=](float x, float y) { return InRoundRect(x, y, ix0, iy0, ix1, iy1, r); },
         [=](float, float y) { return Mix(top, bottom, (y - iy0) / std::max(1.0f, iy1 - iy0)); });
}

// A filled triangle.
void Triangle(Canvas& c, float ax, float ay, float bx, float by, float cx, float cy, Rgba colour) {
  auto side = [](float px, float py, float x0, float y0, float x1, float y1) {
    return (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
  };
  c.Fill(std::min({ax, bx, cx}), std::min({ay, by, cy}), std::max({ax, bx, cx}), std::max({ay, by, cy}),
         [=](float x, float y) {
           const float d1 = side(x, y, ax, ay, bx, by), d2 = side(x, y, bx, by, cx, cy),
                       d3 = side(x, y, cx, cy, ax, ay);
           const bool neg = d1 < 0 || d2 < 0 || d3 < 0, pos = d1 > 0 || d2 > 0 || d3 > 0;
           return !(neg && pos);
         },
         [=](float, float) { return colour; });
}

// ---- Text --------------------------------------------------------------------------

class Glyphs {
 public:
  explicit Glyphs(const char* fontFile) {
    ok_ = FT_Init_FreeType(&lib_) == 0 && FT_New_Face(lib_, fontFile, 0, &face_) == 0;
  }
  ~Glyphs() {
    if (face_) FT_Done_Face(face_);
    if (lib_) FT_Done_FreeType(lib_);
  }
  bool Ok() const { return ok_; }

  // Draws UTF-32 text with its baseline at (x, y), pixel size px; with
  // measureOnly nothing is drawn. Returns the advance width.
  float Draw(Canvas* c, const std::u32string& text, float x, float y, int px, Rgba colour) {
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(px));
    float pen = x;
    for (char32_t ch : text) {
      if (FT_Load_Char(face_, ch, FT_LOAD_RENDER) != 0) continue;
      const FT_GlyphSlot g = face_->glyph;
      if (c) {
        for (unsigned row = 0; row < g->bitmap.rows; ++row) {
          for (unsigned col = 0; col < g->bitmap.width; ++col) {
            const unsigned char v = g->bitmap.buffer[row * g->bitmap.pitch + col];
            if (v) c->Blend(static_cast<int>(pen) + g->bitmap_left + static_cast<int>(col),
                            static_cast<int>(y) - g->bitmap_top + static_cast<int>(row), colour, v / 255.0f);
          }
        }
      }
      pen += static_cast<float>(g->advance.x) / 64.0f;
    }
    return pen - x;
  }

 private:
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
  bool ok_ = false;
};

// Text with a dark outline and a soft shadow, centred on cx.
void OutlinedText(Canvas& c, Glyphs& g, const std::u32string& text, float cx, float baseline, int px,
                  Rgba fill, Rgba outline) {
  const float width = g.Draw(nullptr, text, 0, 0, px, fill);
  const float x = cx - width / 2;
  for (int dy = -3; dy <= 3; ++dy) {
    for (int dx = -3; dx <= 3; ++dx) {
      if (dx * dx + dy * dy > 10) continue;
      g.Draw(&c, text, x + dx, baseline + dy, px, Rgba{outline.r, outline.g, outline.b, outline.a * 0.35f});
    }
  }
  g.Draw(&c, text, x, baseline, px, fill);
}

// ---- The button sheet ----------------------------------------------------------------

constexpr int kSheet = 1024;

// Texture coordinates to sheet pixels.
float P(float u) { return u * kSheet; }

const Rgba kGold{0.86f, 0.72f, 0.38f, 1};
const Rgba kGoldDim{0.55f, 0.47f, 0.28f, 1};
const Rgba kFeltTop{0.10f, 0.26f, 0.22f, 0.93f};
const Rgba kFeltBottom{0.05f, 0.15f, 0.13f, 0.93f};

void DrawButtonSheet(Canvas& c) {
  // Top left: the framed panel of windows, title bars, boxes and open lists
  // ("Back1", "TitleBack", "Back3" upside down, the open list's parts).
  Panel(c, P(0.005f), P(0.007f), P(0.493f), P(0.494f), 36, 10, kGold, kFeltTop, kFeltBottom);
  // Bottom left: the lighter inner box ("Back2"). Its rectangle also holds
  // the rectangles of the arrow looks and of the open list's selection bar;
  // the box wins, as screens show it large (boxes, page backdrops) while no
  // screen row uses the arrow looks, and its lighter inside still marks the
  // selected row of an open list against the darker list.
  Panel(c, P(0.005f), P(0.507f), P(0.493f), P(0.994f), 28, 8, kGoldDim, Rgba{0.18f, 0.34f, 0.30f, 0.95f},
        Rgba{0.12f, 0.26f, 0.23f, 0.95f});

  // Top right: "Main" in its four states; the pressed and disabled pictures
  // are also the check box's checked and unchecked marks.
  struct State { float y0, y1; Rgba edge, top, bottom; } mainStates[4] = {
      {0.008f, 0.117f, kGold, {0.18f, 0.45f, 0.33f, 0.95f}, {0.08f, 0.26f, 0.19f, 0.95f}},
      {0.133f, 0.242f, {1, 0.88f, 0.55f, 1}, {0.26f, 0.58f, 0.42f, 0.97f}, {0.12f, 0.36f, 0.26f, 0.97f}},
      {0.258f, 0.366f, kGold, {0.62f, 0.50f, 0.22f, 0.97f}, {0.40f, 0.31f, 0.12f, 0.97f}},
      {0.376f, 0.499f, {0.45f, 0.45f, 0.45f, 1}, {0.22f, 0.24f, 0.24f, 0.85f}, {0.15f, 0.16f, 0.16f, 0.85f}},
  };
  for (const State& s : mainStates) {
    Panel(c, P(0.506f), P(s.y0), P(0.994f), P(s.y1), 26, 6, s.edge, s.top, s.bottom);
  }

  // "Panel": the list rows in their four states ("Back4" inside the last).
  const State panelStates[4] = {
      {0.501f, 0.563f, {0.30f, 0.42f, 0.38f, 1}, {0.07f, 0.17f, 0.15f, 0.90f}, {0.05f, 0.13f, 0.11f, 0.90f}},
      {0.564f, 0.624f, {0.55f, 0.66f, 0.60f, 1}, {0.14f, 0.30f, 0.26f, 0.92f}, {0.10f, 0.24f, 0.20f, 0.92f}},
      {0.626f, 0.689f, kGold, {0.58f, 0.47f, 0.22f, 0.95f}, {0.42f, 0.33f, 0.14f, 0.95f}},
      {0.687f, 0.749f, {0.40f, 0.40f, 0.40f, 1}, {0.16f, 0.17f, 0.17f, 0.85f}, {0.12f, 0.13f, 0.13f, 0.85f}},
  };
  for (const State& s : panelStates) {
    Panel(c, P(0.503f), P(s.y0), P(0.996f), P(s.y1), 6, 2, s.edge, s.top, s.bottom);
  }

  // Bottom right: scroll parts, the dark and light boxes, the up and down
  // arrows of the standard slots.
  Panel(c, P(0.501f), P(0.75f), P(0.626f), P(0.811f), 14, 3, kGold, {0.70f, 0.58f, 0.28f, 1},
        {0.48f, 0.38f, 0.16f, 1});  // scrollbar thumb
  Panel(c, P(0.626f), P(0.752f), P(0.684f), P(0.874f), 12, 3, kGold, {0.70f, 0.58f, 0.28f, 1},
        {0.48f, 0.38f, 0.16f, 1});  // vertical thumb
  Panel(c, P(0.688f), P(0.749f), P(0.749f), P(0.998f), 12, 3, {0.30f, 0.40f, 0.36f, 1},
        {0.04f, 0.10f, 0.09f, 0.9f}, {0.06f, 0.14f, 0.12f, 0.9f});  // vertical track ("Back5")
  Panel(c, P(0.753f), P(0.751f), P(0.873f), P(0.874f), 16, 4, {0.2f, 0.2f, 0.2f, 1},
        {0, 0, 0, 0.85f}, {0, 0, 0, 0.85f});  // "Black", "Black2" inside
  Panel(c, P(0.876f), P(0.751f), P(0.998f), P(0.875f), 16, 4, kGold, {0.93f, 0.90f, 0.80f, 0.95f},
        {0.80f, 0.76f, 0.64f, 0.95f});  // "Stat"
  const Rgba arrow{0.95f, 0.88f, 0.65f, 1};
  {
    const float x0 = P(0.755f), x1 = P(0.874f), y0 = P(0.878f), y1 = P(0.998f), m = (x1 - x0) * 0.22f;
    Triangle(c, (x0 + x1) / 2, y0 + m, x1 - m, y1 - m, x0 + m, y1 - m, arrow);
  }
  {
    const float x0 = P(0.879f), x1 = P(0.996f), y0 = P(0.877f), y1 = P(0.996f), m = (x1 - x0) * 0.22f;
    Triangle(c, x0 + m, y0 + m, x1 - m, y0 + m, (x0 + x1) / 2, y1 - m, arrow);
  }
}

// ---- Splash pictures and the title ---------------------------------------------------

void DrawSuit(Canvas& c, Glyphs& g, char32_t suit, Rgba colour) {
  const float cx = c.Width() / 2.0f, cy = c.Height() / 2.0f;
  // A soft round glow behind the suit.
  c.Fill(0, 0, c.Width(), c.Height(),
         [=](float x, float y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= cx * cx; },
         [=](float x, float y) {
           const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) / cx;
           return Rgba{0.98f, 0.95f, 0.85f, 0.9f * (1 - d * d)};
         });
  const int px = static_cast<int>(c.Width() * 0.72f);
  const std::u32string text(1, suit);
  const float width = g.Draw(nullptr, text, 0, 0, px, colour);
  g.Draw(&c, text, cx - width / 2, cy + px * 0.36f, px, colour);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: MakeScreenArt <font file> <output folder>\n");
    return 2;
  }
  const std::string out = argv[2];
  std::filesystem::create_directories(out);
  Glyphs glyphs(argv[1]);
  if (!glyphs.Ok()) {
    std::fprintf(stderr, "MakeScreenArt: cannot open the font %s\n", argv[1]);
    return 1;
  }
  bool ok = true;

  Canvas sheet(kSheet, kSheet);
  DrawButtonSheet(sheet);
  ok &= sheet.Save(out + "/0101.dat");

  const char32_t suits[4] = {U'\u2665', U'\u2660', U'\u2666', U'\u2663'};
  const Rgba red{0.80f, 0.08f, 0.10f, 1}, black{0.08f, 0.08f, 0.10f, 1};
  for (int i = 0; i < 4; ++i) {
    Canvas splash(256, 256);
    DrawSuit(splash, glyphs, suits[i], i % 2 == 0 ? red : black);
    char name[32];
    std::snprintf(name, sizeof name, "/%04d.dat", 130 + i);
    ok &= splash.Save(out + name);
  }

  Canvas title(512, 128);
  OutlinedText(title, glyphs, U"Free Cardolia 3D", 256, 84, 50, Rgba{0.96f, 0.82f, 0.42f, 1},
               Rgba{0, 0, 0, 1});
  ok &= title.Save(out + "/0160.dat");

  if (!ok) {
    std::fprintf(stderr, "MakeScreenArt: could not write the pictures into %s\n", out.c_str());
    return 1;
  }
  return 0;
}
