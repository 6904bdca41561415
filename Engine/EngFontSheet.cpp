// EngFontSheet.cpp - the pixel side of glyph sheets: glyph images with
// border and shadow, shelf packing, the blur, and sheet texels. No state:
// everything works on the buffers it is given.
#include <algorithm>
#include <memory>
#include <new>

#include "Engine/Debug.h"
#include "Engine/EngFont.h"

// ---- Glyph images -------------------------------------------------------------

EngFont::GlyphImage EngFont::GetGlyphImageSize(int bitmapWidth, int bitmapRows) const {
  GlyphImage image;
  if (bitmapWidth >= 1 && bitmapWidth <= 5000 && bitmapRows >= 1 && bitmapRows <= 5000) {
    image.width = bitmapWidth + 2 * effects_.border + effects_.shadowX;
    image.height = bitmapRows + 2 * effects_.border + effects_.shadowY;
    image.hasPixels = true;
  } else {
    // A blank (the space) still gets a small image, a quad and its advance.
    image.width = 2;
    image.height = 2;
  }
  return image;
}

void EngFont::RenderGlyphImage(const std::uint8_t* coverage, int bitmapWidth, int bitmapRows,
                               int pitch, const GlyphImage& size, std::uint8_t* image) const {
  if (!size.hasPixels || !coverage) return;
  const int channels = twoChannels_ ? 2 : 1;
  const int border = effects_.border;
  const int shadowX = effects_.shadowX;
  const int shadowY = effects_.shadowY;
  auto at = [&](int row, int column) {
    return image + (static_cast<std::size_t>(row) * size.width + column) * channels;
  };
  auto coverageAt = [&](int row, int column) {
    return coverage[static_cast<std::ptrdiff_t>(row) * pitch + column];
  };
  if (shadowX == 0 && shadowY == 0) {
    for (int row = 0; row < bitmapRows; ++row) {
      for (int column = 0; column < bitmapWidth; ++column) {
        std::uint8_t* p = at(border + row, border + column);
        p[0] = coverageAt(row, column);
        if (channels == 2) p[1] = p[0];
      }
    }
    return;
  }
  // The shadow first, shifted; then the solid part of the glyph over it.
  for (int row = 0; row < bitmapRows; ++row) {
    for (int column = 0; column < bitmapWidth; ++column) {
      const int c = coverageAt(row, column);
      if (channels == 1) {
        *at(shadowY + border + row, border + shadowX + column) =
            static_cast<std::uint8_t>(c * effects_.shadowIntensity);
      } else {
        std::uint8_t* p = at(shadowY + row, shadowX + column);
        p[0] = static_cast<std::uint8_t>(c * effects_.shadowIntensity);
        p[1] = static_cast<std::uint8_t>(c * effects_.shadowAlpha);
      }
    }
  }
  for (int row = 0; row < bitmapRows; ++row) {
    for (int column = 0; column < bitmapWidth; ++column) {
      const std::uint8_t c = coverageAt(row, column);
      if (c <= 127) continue;
      if (channels == 1) {
        *at(border + row, border + column) = c;
      } else {
        std::uint8_t* p = at(row, column);
        p[0] = c;
        p[1] = c;
      }
    }
  }
}

// ---- Shelf packing ------------------------------------------------------------

bool EngFontShelfPlace(EngFontShelf* shelf, int sheetSize, int border, int w, int h, int* x,
                       int* y, bool* newSheet) {
  const int s = border + 2;
  *newSheet = false;
  // An image that cannot fit an empty sheet would be written past it.
  if (w < 1 || h < 1 || s + w > sheetSize || s + h > sheetSize) return false;
  if (shelf->sheetCount > 0) {
    if (shelf->penX + w <= sheetSize && shelf->penY + h <= sheetSize) {
      *x = shelf->penX;
      *y = shelf->penY;
      shelf->penX += w + s;
      shelf->rowHeight = std::max(shelf->rowHeight, h);
      return true;
    }
    if (shelf->penX + w > sheetSize) {
      const int nextRow = shelf->penY + shelf->rowHeight + s;
      if (nextRow + h <= sheetSize) {
        shelf->penY = nextRow;
        shelf->penX = w + 2 * s;
        shelf->rowHeight = h;
        *x = s;
        *y = nextRow;
        return true;
      }
    }
  }
  shelf->sheetCount += 1;
  shelf->penX = w + 2 * s;
  shelf->penY = s;
  shelf->rowHeight = h;
  *x = s;
  *y = s;
  *newSheet = true;
  return true;
}

// ---- Blur ------------------------------------------------------------------------

namespace {

// One pass of the binomial kernel over one byte of each pixel, from in to out.
void BlurPass(const std::uint8_t* in, std::uint8_t* out, int width, int height, int channels,
              int channel) {
  auto index = [&](int x, int y) {
    return (static_cast<std::size_t>(y) * width + x) * channels + channel;
  };
  auto get = [&](int x, int y) { return static_cast<int>(in[index(x, y)]); };
  for (int y = 1; y < height - 1; ++y) {
    for (int x = 1; x < width - 1; ++x) {
      const int sum = 4 * get(x, y) + 2 * (get(x - 1, y) + get(x + 1, y) + get(x, y - 1) + get(x, y + 1)) +
                      get(x - 1, y - 1) + get(x + 1, y - 1) + get(x - 1, y + 1) + get(x + 1, y + 1);
      out[index(x, y)] = static_cast<std::uint8_t>(sum / 16);
    }
  }
  for (int y = 1; y < height - 1; ++y) {
    out[index(0, y)] = out[index(1, y)];
    out[index(width - 1, y)] = out[index(width - 2, y)];
  }
  for (int x = 0; x < width; ++x) {
    out[index(x, 0)] = out[index(x, 1)];
    out[index(x, height - 1)] = out[index(x, height - 2)];
  }
}

}  // namespace

void BinomColor(int channels, int passesSecond, int passesFirst, int width, int height,
                std::uint8_t* data, int size) {
  if (passesFirst <= 0 && (channels < 2 || passesSecond <= 0)) return;
  if (!data || width < 3 || height < 3 || channels < 1 || channels > 2 ||
      size < width * height * channels) {
    return;
  }
  std::unique_ptr<std::uint8_t[]> first(new (std::nothrow) std::uint8_t[size]);
  if (!first) {
    DebugError("BinomColor", "No memory (1)");
    return;
  }
  std::unique_ptr<std::uint8_t[]> second(new (std::nothrow) std::uint8_t[size]);
  if (!second) {
    DebugError("BinomColor", "No memory (2)");
    return;
  }
  for (int channel = 0; channel < channels; ++channel) {
    const int passes = channel == 0 ? passesFirst : passesSecond;
    for (int pass = 0; pass < passes; ++pass) {
      // Each pass reads the previous result and writes a fresh buffer; the
      // other byte of each pixel goes through unchanged.
      std::copy_n(data, size, first.get());
      std::copy_n(data, size, second.get());
      BlurPass(first.get(), second.get(), width, height, channels, channel);
      std::copy_n(second.get(), size, data);
    }
  }
}

// ---- Sheet texels -----------------------------------------------------------------

bool EngFontEncodeSheetTexel(D3DFORMAT format, bool twoChannels, std::uint8_t l, std::uint8_t a,
                             std::uint8_t* texel) {
  if (!twoChannels) l = 255;  // one channel: a white glyph whose alpha is the coverage
  switch (format) {
    case D3DFMT_A8R8G8B8:
      texel[0] = l;  // blue
      texel[1] = l;  // green
      texel[2] = l;  // red
      texel[3] = a;
      return true;
    case D3DFMT_A1R5G5B5:
      if (!twoChannels) {
        texel[1] = static_cast<std::uint8_t>((a & 0x80) + 0x7F);
        texel[0] = 0xFF;
      } else {
        // Grey l in 5-5-5 with the alpha bit from a.
        texel[1] = static_cast<std::uint8_t>(((l >> 1) & 0x7C) + (a & 0x80) + (l >> 6));
        texel[0] = static_cast<std::uint8_t>(((l & 0xF8) << 2) + (l >> 3));
      }
      return true;
    case D3DFMT_A4R4G4B4: {
      const std::uint8_t n = twoChannels ? static_cast<std::uint8_t>(l >> 4) : 15;
      texel[1] = static_cast<std::uint8_t>((a & 0xF0) + n);
      texel[0] = static_cast<std::uint8_t>(n * 0x11);
      return true;
    }
    default:
      return false;
  }
}
