// EngTga.cpp - the in-memory image: creation, TGA files, composing, halving.
// State: each image's pixels and sizes; nothing global. The texture
// transfers live in EngTgaTexture.cpp (front ends) and the back end.
#include "Engine/EngTga.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"

namespace {

// The fixed first 12 bytes of every file we read or write: no image ID, no
// colour map, image type 2 (uncompressed true colour), origin 0, 0.
constexpr std::uint8_t kTgaFixedHead[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr std::uint8_t kTgaTopLeftOrigin = 0x20;  // image descriptor bit 5

constexpr std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }
constexpr std::uint32_t Alpha(std::uint32_t p) { return Channel(p, 24); }
constexpr std::uint32_t Red(std::uint32_t p) { return Channel(p, 16); }
constexpr std::uint32_t Green(std::uint32_t p) { return Channel(p, 8); }
constexpr std::uint32_t Blue(std::uint32_t p) { return Channel(p, 0); }

std::uint32_t DarkestChannel(std::uint32_t p) { return std::min({Red(p), Green(p), Blue(p)}); }

// Each colour channel w x s / 255 + (255 - w) x d / 255 in one division;
// the destination alpha is kept.
std::uint32_t MixByWeight(std::uint32_t s, std::uint32_t d, std::uint32_t w) {
  auto mix = [w](std::uint32_t sc, std::uint32_t dc) {
    return std::min<std::uint32_t>((w * sc + (255 - w) * dc) / 255, 255);
  };
  return EngTgaMakePixel(mix(Red(s), Red(d)), mix(Green(s), Green(d)), mix(Blue(s), Blue(d)),
                         Alpha(d));
}

// Each colour channel s x a / 255 + d x (255 - a) / 255, two divisions.
std::uint32_t MixByAlpha(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
  auto mix = [a](std::uint32_t sc, std::uint32_t dc) {
    return std::min<std::uint32_t>(sc * a / 255 + dc * (255 - a) / 255, 255);
  };
  return EngTgaMakePixel(mix(Red(s), Red(d)), mix(Green(s), Green(d)), mix(Blue(s), Blue(d)),
                         Alpha(d));
}

std::uint32_t BlendPixel(int mode, std::uint32_t s, std::uint32_t d) {
  switch (mode) {
    case 1:
      return (s & 0x00FFFFFFu) | (d & 0xFF000000u);
    case 3:
      return MixByAlpha(s, d, Alpha(s));
    case 4: {
      const std::uint32_t darkest = DarkestChannel(s);
      return MixByWeight(s, d, darkest < 191 ? 0 : darkest);
    }
    case 5: {
      const std::uint32_t darkest = DarkestChannel(s);
      return MixByWeight(s, d, darkest > 64 ? 255 : 255 - darkest);
    }
    case 6:
      return MixByWeight(s, d, DarkestChannel(s));
    case 7:
      return MixByWeight(s, d, 255 - DarkestChannel(s));
    case 8: {
      const std::uint32_t a = Alpha(s);
      if (a == 0) return d;
      if (a == 255) return (s & 0x00FFFFFFu) | (d & 0xFF000000u);
      return MixByAlpha(s, d, a);
    }
    default:  // 0, 2 and anything else: a plain copy
      return s;
  }
}

// False for the modes whose result is the source pixel alone.
bool BlendReadsDestination(int mode) { return mode == 1 || (mode >= 3 && mode <= 8); }

// Byte order by hand for big-endian machines; little-endian ones copy rows.
[[maybe_unused]] std::uint32_t ReadWordLE(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

[[maybe_unused]] void WriteWordLE(std::uint8_t* p, std::uint32_t word) {
  p[0] = static_cast<std::uint8_t>(word);
  p[1] = static_cast<std::uint8_t>(word >> 8);
  p[2] = static_cast<std::uint8_t>(word >> 16);
  p[3] = static_cast<std::uint8_t>(word >> 24);
}

}  // namespace

std::uint8_t EngTgaColourByte(float component) {
  const float scaled = component * 255.0f;
  if (!(scaled > 0.0f)) return 0;  // also NaN
  if (scaled >= 255.0f) return 255;
  return static_cast<std::uint8_t>(scaled);
}

std::uint32_t EngTgaAveragePixels(std::uint32_t a, std::uint32_t b) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    result |= ((Channel(a, shift) + Channel(b, shift)) / 2) << shift;
  }
  return result;
}

// ---- Life cycle -------------------------------------------------------------

void EngTga::Release() {
  data_.reset();
  width_ = height_ = bits_ = 0;
  dataSize_ = 0;
}

bool EngTga::Allocate(const char* where, int width, int height, int bits, bool reportErrors) {
  if (width < 1 || height < 1 || width > kEngTgaMaxSide || height > kEngTgaMaxSide ||
      bits != 32) {
    if (reportErrors) DebugError(where, "Invalid parameters");
    return false;
  }
  if (data_) {
    if (reportErrors) DebugError(where, "Data already created");
    return false;
  }
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  data_.reset(new (std::nothrow) std::uint32_t[count]());
  if (!data_) {
    if (reportErrors) DebugError(where, "No memory");
    return false;
  }
  width_ = width;
  height_ = height;
  bits_ = bits;
  dataSize_ = count * 4;
  return true;
}

bool EngTga::CreateWithColour(int width, int height, int bits, float red, float green, float blue,
                              float alpha) {
  if (!Allocate("EngTga::CreateWithColour", width, height, bits, true)) return false;
  if (red >= 0 && green >= 0 && blue >= 0 && alpha >= 0) {
    const std::uint32_t pixel = EngTgaMakePixel(EngTgaColourByte(red), EngTgaColourByte(green),
                                                EngTgaColourByte(blue), EngTgaColourByte(alpha));
    std::fill_n(data_.get(), static_cast<std::size_t>(width_) * height_, pixel);
  }
  return true;
}

bool EngTga::Create(int width, int height, int bits) {
  return Allocate("EngTga::Create", width, height, bits, true);
}

// ---- Files ------------------------------------------------------------------

bool EngTga::LoadFromFile(const char* name, bool create) {
  static const char* const kWhere = "EngTga::LoadFromFile";
  if (!name || !*name) {
    DebugError(kWhere, "Could not open file <%s>", name ? name : "");
    return false;
  }
  EngFile file;
  if (!file.OpenForReadingIfExists(name, false)) {
    DebugError(kWhere, "Could not open file <%s>", name);
    return false;
  }
  const long fileSize = file.GetSize();

  std::uint8_t head[kEngTgaHeaderSize];
  if (fileSize < 12 || !file.Read(head, 12) || std::memcmp(head, kTgaFixedHead, 12) != 0) {
    DebugError(kWhere, "Problems [0] loading file <%s>", name);
    return false;
  }
  if (fileSize < kEngTgaHeaderSize || !file.Read(head + 12, 6)) {
    DebugError(kWhere, "Bad Format in file: <%s>", name);
    return false;
  }
  const int width = head[12] | (head[13] << 8);
  const int height = head[14] | (head[15] << 8);
  const int bits = head[16];
  const bool topLeftOrigin = (head[17] & kTgaTopLeftOrigin) != 0;
  if (width == 0 || height == 0 || (bits != 16 && bits != 24 && bits != 32)) {
    DebugError(kWhere, "Bad Format in file: <%s>", name);
    return false;
  }

  if (create ? data_ != nullptr : data_ == nullptr) {
    DebugError(kWhere, "Invalid Data [1]");
    return false;
  }
  // Checked before anything is allocated: the file must be 32-bit, an
  // existing image must match it, and the file must hold every pixel.
  if (bits != 32 || (!create && (bits_ != 32 || width_ != width || height_ != height))) {
    DebugError(kWhere, "Invalid Data [2]");
    return false;
  }
  const std::size_t pixelBytes = static_cast<std::size_t>(width) * height * 4;
  if (static_cast<std::size_t>(fileSize) < kEngTgaHeaderSize + pixelBytes) {
    DebugError(kWhere, "Problems reading m_data [2] in file <%s>", name);
    return false;
  }
  if (create && !Allocate(kWhere, width, height, bits, false)) {
    DebugError(kWhere, "Could not create m_data");
    return false;
  }

  std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[pixelBytes]);
  if (!bytes || !file.Read(bytes.get(), pixelBytes)) {
    DebugError(kWhere, "Problems reading m_data [2] in file <%s>", name);
    if (create) Release();
    return false;
  }
  for (int row = 0; row < height; ++row) {
    // The image keeps the bottom row first; a top-left file starts at the top.
    const int fileRow = topLeftOrigin ? height - 1 - row : row;
    const std::uint8_t* source = bytes.get() + static_cast<std::size_t>(fileRow) * width * 4;
    std::uint32_t* target = data_.get() + static_cast<std::size_t>(row) * width;
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(target, source, static_cast<std::size_t>(width) * 4);
    } else {
      for (int x = 0; x < width; ++x) target[x] = ReadWordLE(source + x * 4);
    }
  }
  return true;
}

namespace {

// Writes header and pixel bytes; the messages name the pixels' origin. A
// file that could not be written whole (a full disk) is removed again: half
// a picture would pass for a whole one.
bool WriteTgaFile(const char* name, int width, int height, const std::uint32_t* pixels,
                  const char* pixelWhere, const char* pixelFormat) {
  EngFile file;
  if (!file.DoOpenForWriting(name, false)) {
    DebugError("EngTga::DoSaveToFile", "Could not create file <%s>", name);
    return false;
  }
  const auto fail = [&file, name] {
    file.Close();
    EngFileDelete(name);
    return false;
  };
  std::uint8_t head[kEngTgaHeaderSize] = {};
  std::memcpy(head, kTgaFixedHead, sizeof(kTgaFixedHead));
  head[12] = static_cast<std::uint8_t>(width);
  head[13] = static_cast<std::uint8_t>(width >> 8);
  head[14] = static_cast<std::uint8_t>(height);
  head[15] = static_cast<std::uint8_t>(height >> 8);
  head[16] = 32;
  head[17] = 0;
  if (!file.Write(head, sizeof(head))) {
    DebugError("EngTga::SaveToFileFromTexture", "Problems [0] creating file <%s>", name);
    return fail();
  }
  const std::size_t count = static_cast<std::size_t>(width) * height;
  std::vector<std::uint8_t> bytes(count * 4);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(bytes.data(), pixels, count * 4);
  } else {
    for (std::size_t i = 0; i < count; ++i) WriteWordLE(bytes.data() + i * 4, pixels[i]);
  }
  if (!file.Write(bytes.data(), bytes.size()) || !file.Close()) {
    DebugError(pixelWhere, pixelFormat, name);
    return fail();
  }
  return true;
}

}  // namespace

bool EngTga::DoSaveToFile(const char* name, EngTexture* texture) {
  static const char* const kWhere = "EngTga::DoSaveToFile";
  if (!name || !*name) {
    DebugError(kWhere, "No filename");
    return false;
  }
  if (texture) {
    if (data_) {
      DebugError(kWhere, "Invalid parameters");
      return false;
    }
    return SaveTextureToFile(name, texture);
  }
  if (!data_ || width_ < 1 || height_ < 1 || bits_ != 32) {
    DebugError(kWhere, "Invalid m_data passed in (filename=%s)", name);
    return false;
  }
  return WriteTgaFile(name, width_, height_, data_.get(), kWhere,
                      "Problems creating m_data [DP] in file <%s>");
}

bool EngTgaWriteFileFromPixels(const char* name, int width, int height,
                               const std::uint32_t* pixels) {
  return WriteTgaFile(name, width, height, pixels, "EngTga::DoSaveToFile",
                      "Problems creating m_data [T] in file <%s>");
}

// ---- Pixel operations -------------------------------------------------------

bool EngTga::FillFromOtherTga(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                              const EngTga* other, int destX, int destY, int destWidth,
                              int destHeight, bool mirrorX, bool mirrorY, int mode,
                              bool alphaOnly) {
  static const char* const kWhere = "EngTga::FillFromOtherTga";
  if (!other) {
    DebugError(kWhere, "No other tga");
    return false;
  }
  if (sourceWidth < 0) sourceWidth = other->width_;
  if (sourceHeight < 0) sourceHeight = other->height_;
  if (destWidth < 0) destWidth = width_;
  if (destHeight < 0) destHeight = height_;
  if (sourceWidth < 1 || sourceHeight < 1 || destWidth < 1 || destHeight < 1) {
    DebugError(kWhere, "Invalid parameters");
    return false;
  }
  if (!other->data_ || other->bits_ != 32) {
    DebugError(kWhere, "Invalid source");
    return false;
  }
  if (!data_ || bits_ != 32) {
    DebugError(kWhere, "Invalid dest");
    return false;
  }
  if (sourceX < 0 || sourceY < 0 || destX < 0 || destY < 0 ||
      sourceX + sourceWidth > other->width_ || sourceY + sourceHeight > other->height_ ||
      destX + destWidth > width_ || destY + destHeight > height_) {
    DebugError(kWhere, "Invalid sizes");
    return false;
  }
  // Mirroring takes the rectangle from the opposite side and reads it backwards.
  const int rectX = mirrorX ? other->width_ - sourceX - sourceWidth : sourceX;
  const int rectY = mirrorY ? other->height_ - sourceY - sourceHeight : sourceY;
  // The rows are walked through raw pointers, so that unoptimised builds
  // compose a printed sheet or a board in moments too. The source column of
  // each destination column is worked out once.
  std::vector<int> columnMap(static_cast<std::size_t>(destWidth));
  int* const columns = columnMap.data();
  for (int c = 0; c < destWidth; ++c) {
    int sc = static_cast<int>(static_cast<long long>(c) * sourceWidth / destWidth);
    if (mirrorX) sc = sourceWidth - 1 - sc;
    columns[c] = rectX + sc;
  }
  const bool plainCopy = !alphaOnly && !BlendReadsDestination(mode);
  // A copy between two images, unscaled and unmirrored across, is a row copy.
  const bool rowCopy = plainCopy && other != this && sourceWidth == destWidth && !mirrorX;
  const std::uint32_t* const sourcePixels = other->data_.get();
  std::uint32_t* const destPixels = data_.get();
  for (int r = 0; r < destHeight; ++r) {
    int sr = static_cast<int>(static_cast<long long>(r) * sourceHeight / destHeight);
    if (mirrorY) sr = sourceHeight - 1 - sr;
    // Rows are stored bottom-up; positions count from the top.
    const std::uint32_t* const source =
        sourcePixels + static_cast<std::size_t>(other->height_ - 1 - (rectY + sr)) * other->width_;
    std::uint32_t* const dest = destPixels + static_cast<std::size_t>(height_ - 1 - (destY + r)) * width_ + destX;
    if (rowCopy) {
      std::memcpy(dest, source + rectX, static_cast<std::size_t>(destWidth) * sizeof(std::uint32_t));
    } else if (plainCopy) {
      for (int c = 0; c < destWidth; ++c) dest[c] = source[columns[c]];
    } else if (alphaOnly) {
      for (int c = 0; c < destWidth; ++c) dest[c] = (dest[c] & 0x00FFFFFFu) | (source[columns[c]] & 0xFF000000u);
    } else {
      for (int c = 0; c < destWidth; ++c) dest[c] = BlendPixel(mode, source[columns[c]], dest[c]);
    }
  }
  return true;
}

bool EngTga::SetDataPartColour(int x, int y, int width, int height, float red, float green,
                               float blue, float alpha) {
  if (!data_ || bits_ != 32) {
    DebugError("EngTga::SetDataPartColour", "Invalid parameters");
    return false;
  }
  if (width == -1) width = width_ - x;
  if (height == -1) height = height_ - y;
  if (x < 0 || y < 0 || width < 1 || height < 1 || x + width > width_ || y + height > height_) {
    DebugError("EngTga::SetDataPartColour", "Invalid parameters");
    return false;
  }
  const std::uint32_t pixel = EngTgaMakePixel(EngTgaColourByte(red), EngTgaColourByte(green),
                                              EngTgaColourByte(blue), EngTgaColourByte(alpha));
  for (int row = y; row < y + height; ++row) {
    std::fill_n(data_.get() + static_cast<std::size_t>(row) * width_ + x, width, pixel);
  }
  return true;
}

bool EngTga::InvertAlpha() {
  if (!data_ || bits_ != 32) {
    DebugError("EngTga::InvertAlpha", "Invalid parameter");
    return false;
  }
  const std::size_t count = static_cast<std::size_t>(width_) * height_;
  for (std::size_t i = 0; i < count; ++i) data_[i] ^= 0xFF000000u;
  return true;
}

bool EngTga::CreateFromTwiceSizeData(const EngTga* source, bool create) {
  static const char* const kWhere = "EngTga::CreateFromTwiceSizeData";
  if (!source || !source->data_ || source->bits_ != 32 || source->width_ < 2 ||
      source->height_ < 2 || source == this) {
    DebugError(kWhere, "Invalid parameters [1]");
    return false;
  }
  const int halfWidth = source->width_ / 2;
  const int halfHeight = source->height_ / 2;
  if (create) {
    if (!Create(halfWidth, halfHeight, 32)) {
      DebugError(kWhere, "Invalid parameters [1]");
      return false;
    }
  } else if (!data_ || bits_ != 32 || width_ != halfWidth || height_ != halfHeight) {
    DebugError(kWhere, "Invalid parameters [2]");
    return false;
  }
  const int sourceWidth = source->width_;
  for (int y = 0; y < halfHeight; ++y) {
    const std::uint32_t* lower = source->data_.get() + static_cast<std::size_t>(2 * y) * sourceWidth;
    const std::uint32_t* upper = lower + sourceWidth;
    std::uint32_t* target = data_.get() + static_cast<std::size_t>(y) * width_;
    for (int x = 0; x < halfWidth; ++x) {
      target[x] = EngTgaAveragePixels(EngTgaAveragePixels(lower[2 * x], lower[2 * x + 1]),
                                      EngTgaAveragePixels(upper[2 * x], upper[2 * x + 1]));
    }
  }
  return true;
}
