// ArtCanvas.cpp - the card art program's drawing kit (see ArtCanvas.h).
#include "Tools/ArtCanvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "Engine/EngJpeg.h"
#include "Engine/EngTga.h"

const char* const kArtSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* const kArtSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kArtSerifBold = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";

namespace {

float Clamp01(float v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

uint32_t Pack(ArtColour c) {
  return EngTgaMakePixel(Byte(c.r), Byte(c.g), Byte(c.b), Byte(c.a));
}

// A string set once at a large size: its coverage bitmap and ink box.
struct SetText {
  int width = 0, height = 0;
  std::vector<float> coverage;
  int inkLeft = 0, inkTop = 0, inkRight = 0, inkBottom = 0;  // exclusive right / bottom
  bool empty = true;

  float At(float x, float y) const {
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    const float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
    auto px = [this](int xx, int yy) -> float {
      if (xx < 0 || yy < 0 || xx >= width || yy >= height) return 0;
      return coverage[static_cast<std::size_t>(yy) * width + xx];
    };
    return (px(x0, y0) * (1 - fx) + px(x0 + 1, y0) * fx) * (1 - fy) +
           (px(x0, y0 + 1) * (1 - fx) + px(x0 + 1, y0 + 1) * fx) * fy;
  }
};

SetText SetString(const char* fontFile, const std::u32string& text) {
  constexpr int kSize = 384;
  SetText out;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return out;
  FT_Face face = nullptr;
  if (FT_New_Face(library, fontFile, 0, &face) != 0) {
    FT_Done_FreeType(library);
    std::fprintf(stderr, "MakeCardArt: cannot open font %s\n", fontFile);
    return out;
  }
  FT_Set_Pixel_Sizes(face, 0, kSize);
  // Lay the glyphs on a baseline in a generous bitmap.
  out.width = kSize * (static_cast<int>(text.size()) + 2);
  out.height = kSize * 2;
  out.coverage.assign(static_cast<std::size_t>(out.width) * out.height, 0.0f);
  int penX = kSize / 2;
  const int baseline = kSize * 3 / 2;
  out.inkLeft = out.width;
  out.inkTop = out.height;
  for (char32_t ch : text) {
    if (FT_Load_Char(face, ch, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot g = face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    const int left = penX + g->bitmap_left, top = baseline - g->bitmap_top;
    for (unsigned row = 0; row < bm.rows; ++row) {
      for (unsigned col = 0; col < bm.width; ++col) {
        const int x = left + static_cast<int>(col), y = top + static_cast<int>(row);
        if (x < 0 || y < 0 || x >= out.width || y >= out.height) continue;
        const float v = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col] / 255.0f;
        if (v <= 0) continue;
        float& c = out.coverage[static_cast<std::size_t>(y) * out.width + x];
        c = std::max(c, v);
        out.inkLeft = std::min(out.inkLeft, x);
        out.inkTop = std::min(out.inkTop, y);
        out.inkRight = std::max(out.inkRight, x + 1);
        out.inkBottom = std::max(out.inkBottom, y + 1);
        out.empty = false;
      }
    }
    penX += static_cast<int>(g->advance.x >> 6);
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  return out;
}

}  // namespace

ArtColour ArtMix(ArtColour a, ArtColour b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

// ---- Canvas --------------------------------------------------------------------------------

ArtCanvas::ArtCanvas(int width, int height, ArtColour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void ArtCanvas::Blend(int x, int y, ArtColour c, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  ArtColour& d = pixels_[Index(x, y)];
  const float outA = a + d.a * (1 - a);
  if (outA <= 0) return;
  auto mix = [&](float s, float dc) { return (s * a + dc * d.a * (1 - a)) / outA; };
  d = {mix(c.r, d.r), mix(c.g, d.g), mix(c.b, d.b), outA};
}

void ArtCanvas::Shade(const std::function<ArtColour(float u, float v)>& shade) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      pixels_[Index(x, y)] = shade((x + 0.5f) / width_, (y + 0.5f) / height_);
    }
  }
}

bool ArtCanvas::SaveTga(const std::string& path) const {
  EngTga image;
  if (!image.Create(width_, height_, 32)) return false;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) image.SetPixelFromTop(x, y, Pack(Get(x, y)));
  return image.SaveToFile(path.c_str());
}

bool ArtCanvas::SaveJpeg(const std::string& path, int quality) const {
  EngTga image;
  if (!image.Create(width_, height_, 32)) return false;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) image.SetPixelFromTop(x, y, Pack(Get(x, y)));
  return EngJpegSaveToFileFromTga(path.c_str(), &image, quality, 0);
}

bool ArtCanvas::SaveBmp(const std::string& path) const {
  const int rowBytes = (width_ * 3 + 3) & ~3;
  const uint32_t dataSize = static_cast<uint32_t>(rowBytes * height_);
  std::vector<uint8_t> file(54 + dataSize, 0);
  auto put32 = [&file](std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  auto put16 = [&file](std::size_t at, uint16_t v) {
    file[at] = static_cast<uint8_t>(v);
    file[at + 1] = static_cast<uint8_t>(v >> 8);
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<uint32_t>(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width_));
  put32(22, static_cast<uint32_t>(height_));  // bottom-up rows
  put16(26, 1);
  put16(28, 24);
  put32(34, dataSize);
  for (int y = 0; y < height_; ++y) {
    uint8_t* row = &file[54 + static_cast<std::size_t>(height_ - 1 - y) * rowBytes];
    for (int x = 0; x < width_; ++x) {
      const ArtColour c = Get(x, y);
      row[3 * x] = Byte(c.b);
      row[3 * x + 1] = Byte(c.g);
      row[3 * x + 2] = Byte(c.r);
    }
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  return std::fclose(f) == 0 && ok;
}

// ---- Shapes ----------------------------------------------------------------------------------

ArtShape ArtCircle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

ArtShape ArtRoundRect(float cx, float cy, float hw, float hh, float radius) {
  return [=](float x, float y) {
    const float qx = std::fabs(x - cx) - (hw - radius), qy = std::fabs(y - cy) - (hh - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  };
}

ArtShape ArtEllipse(float cx, float cy, float rx, float ry) {
  // Scaled circle distance: close enough near the edge for anti-aliasing.
  return [=](float x, float y) {
    const float nx = (x - cx) / rx, ny = (y - cy) / ry;
    const float k = std::hypot(nx, ny);
    return (k - 1) * std::min(rx, ry);
  };
}

ArtShape ArtSegment(float x0, float y0, float x1, float y1, float halfWidth) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
  };
}

ArtShape ArtPolygon(std::vector<std::pair<float, float>> points) {
  return [points](float x, float y) {
    float best = 1e9f;
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
      const auto [ax, ay] = points[i];
      const auto [bx, by] = points[j];
      if ((ay > y) != (by > y) && x < (bx - ax) * (y - ay) / (by - ay) + ax) inside = !inside;
      const float dx = bx - ax, dy = by - ay;
      const float len2 = dx * dx + dy * dy;
      const float t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0f, 1.0f) : 0.0f;
      best = std::min(best, std::hypot(x - (ax + t * dx), y - (ay + t * dy)));
    }
    return inside ? -best : best;
  };
}

ArtShape ArtUnion(ArtShape a, ArtShape b) {
  return [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

ArtShape ArtSubtract(ArtShape a, ArtShape b) {
  return [a, b](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

ArtShape ArtRing(ArtShape a, float halfWidth) {
  return [a, halfWidth](float x, float y) { return std::fabs(a(x, y)) - halfWidth; };
}

// ---- Cells -----------------------------------------------------------------------------------

ArtCell::ArtCell(ArtCanvas* canvas, int x, int y, int w, int h, float aspect)
    : canvas_(canvas), x_(x), y_(y), w_(w), h_(h), aspect_(aspect) {}

ArtCell::ArtCell(ArtCanvas* canvas, float aspect)
    : ArtCell(canvas, 0, 0, canvas->Width(), canvas->Height(), aspect) {}

void ArtCell::PixelToCell(float px, float py, float* x, float* y) const {
  *x = (px - static_cast<float>(x_)) / static_cast<float>(w_) * aspect_;
  *y = (py - static_cast<float>(y_)) / static_cast<float>(h_);
}

void ArtCell::Fill(const ArtShape& shape, ArtColour colour) {
  FillShaded(shape, [colour](float, float) { return colour; });
}

void ArtCell::FillShaded(const ArtShape& shape, const std::function<ArtColour(float x, float y)>& shade) {
  // One pixel in cell units (the larger of its two sides).
  const float pixel = std::max(aspect_ / static_cast<float>(w_), 1.0f / static_cast<float>(h_));
  for (int py = y_; py < y_ + h_; ++py) {
    for (int px = x_; px < x_ + w_; ++px) {
      float x, y;
      PixelToCell(static_cast<float>(px) + 0.5f, static_cast<float>(py) + 0.5f, &x, &y);
      const float coverage = Clamp01(0.5f - shape(x, y) / pixel);
      if (coverage > 0) canvas_->Blend(px, py, shade(x, y), coverage);
    }
  }
}

void ArtCell::Text(const char* fontFile, const std::u32string& text, float cx, float cy, float boxW,
                   float boxH, ArtColour colour, bool fill) {
  const SetText set = SetString(fontFile, text);
  if (set.empty) return;
  const float inkW = static_cast<float>(set.inkRight - set.inkLeft);
  const float inkH = static_cast<float>(set.inkBottom - set.inkTop);
  // Cell units per font pixel, across and down.
  const float scaleY = fill ? boxH / inkH : std::min(boxW / inkW, boxH / inkH);
  const float scaleX = fill ? boxW / inkW : scaleY;
  const float left = cx - inkW * scaleX / 2, top = cy - inkH * scaleY / 2;
  // Four samples a pixel, each read from the large bitmap.
  constexpr int kSamples = 3;
  for (int py = y_; py < y_ + h_; ++py) {
    for (int px = x_; px < x_ + w_; ++px) {
      float sum = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          float x, y;
          PixelToCell(static_cast<float>(px) + (sx + 0.5f) / kSamples,
                      static_cast<float>(py) + (sy + 0.5f) / kSamples, &x, &y);
          sum += set.At(static_cast<float>(set.inkLeft) + (x - left) / scaleX - 0.5f,
                        static_cast<float>(set.inkTop) + (y - top) / scaleY - 0.5f);
        }
      }
      const float coverage = sum / (kSamples * kSamples);
      if (coverage > 0.002f) canvas_->Blend(px, py, colour, coverage);
    }
  }
}

// ---- Randomness and noise ------------------------------------------------------------------

float ArtRandom::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ & 0xFFFFFF) / static_cast<float>(0x1000000);
}

float ArtNoise(float x, float y, int period, uint32_t seed) {
  auto lattice = [period, seed](int ix, int iy) {
    ix = ((ix % period) + period) % period;
    iy = ((iy % period) + period) % period;
    uint32_t h = static_cast<uint32_t>(ix) * 374761393u + static_cast<uint32_t>(iy) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
  };
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  float fx = x - static_cast<float>(x0), fy = y - static_cast<float>(y0);
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const float a = lattice(x0, y0), b = lattice(x0 + 1, y0);
  const float c = lattice(x0, y0 + 1), d = lattice(x0 + 1, y0 + 1);
  return (a * (1 - fx) + b * fx) * (1 - fy) + (c * (1 - fx) + d * fx) * fy;
}
