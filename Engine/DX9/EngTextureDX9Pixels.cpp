// EngTextureDX9Pixels.cpp - texel operations on locked textures: alpha from
// colour, colouring rectangles, copying between textures. Every operation
// locks level 0 once for the whole job and addresses rows by the pitch
// LockRect gives.
#include <algorithm>

#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngTexture.h"

namespace {

std::uint8_t* RowOf(const D3DLOCKED_RECT& locked, int row) {
  return static_cast<std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(row) * locked.Pitch;
}

// A 0-1 component as a byte: x 255, truncated, kept within 0-255.
std::uint8_t ComponentByte(float component) {
  const float scaled = component * 255.0f;
  if (!(scaled > 0.0f)) return 0;
  if (scaled >= 255.0f) return 255;
  return static_cast<std::uint8_t>(scaled);
}

// Decoding and encoding as the rectangle writer does it (no nibble rounding,
// so untouched channels come back unchanged).
void Decode16(const std::uint8_t* texel, bool fourBits, std::uint8_t channels[4]) {
  const unsigned low = texel[0], high = texel[1];
  if (fourBits) {
    channels[3] = static_cast<std::uint8_t>(high & 0xF0);
    channels[2] = static_cast<std::uint8_t>(high << 4);
    channels[1] = static_cast<std::uint8_t>(low & 0xF0);
    channels[0] = static_cast<std::uint8_t>(low << 4);
  } else {
    channels[3] = (high & 0x80) ? 255 : 0;
    channels[2] = static_cast<std::uint8_t>((high & 0x7C) << 1);
    channels[1] = static_cast<std::uint8_t>((((high & 3) << 3) | (low >> 5)) << 3);
    channels[0] = static_cast<std::uint8_t>(low << 3);
  }
}

void Encode16(const std::uint8_t channels[4], bool fourBits, std::uint8_t* texel) {
  const unsigned blue = channels[0], green = channels[1], red = channels[2], alpha = channels[3];
  if (fourBits) {
    texel[1] = static_cast<std::uint8_t>((alpha & 0xF0) + (red >> 4));
    texel[0] = static_cast<std::uint8_t>((green & 0xF0) + (blue >> 4));
  } else {
    texel[1] = static_cast<std::uint8_t>(((red >> 1) & 0x7C) + (alpha & 0x80) + (green >> 6));
    texel[0] = static_cast<std::uint8_t>(((green & 0xF8) << 2) + (blue >> 3));
  }
}

std::uint8_t Mix(unsigned source, unsigned dest, unsigned alpha) {
  return static_cast<std::uint8_t>(std::min(source * alpha / 255 + dest * (255 - alpha) / 255, 255u));
}

}  // namespace

bool EngTextureDX9::LockDxSurface(D3DLOCKED_RECT* locked) {
  if (!created_ || !texture_ || !locked) return false;
  return EngUtilsDX9_CheckResult("EngTextureDX9::LockDxSurface", "LockRect",
                                 texture_->LockRect(0, locked, nullptr, 0));
}

void EngTextureDX9::UnlockDxSurface() {
  if (created_ && texture_) texture_->UnlockRect(0);
}

// ---- Alpha from colour ------------------------------------------------------------

bool EngTextureDX9::SetupAlphaChannel(int alphaKind) {
  static const char* const kWhere = "EngTextureDX9::SetupAlphaChannel";
  if (!owner_) return false;
  if (!created_ || !texture_) {
    DebugError(kWhere, "No texture");
    return false;
  }
  bool formatHasAlpha = false;
  EngTextureDX9_GetBitdepthFromFormat(format_, &formatHasAlpha);
  if (!formatHasAlpha) {
    DebugError(kWhere, "Format does not have alpha channel [%d]", static_cast<int>(format_));
    return false;
  }
  if (format_ != D3DFMT_A8R8G8B8 && format_ != D3DFMT_A1R5G5B5 && format_ != D3DFMT_A4R4G4B4) {
    DebugError(kWhere, "Texture format not ok [%d]", static_cast<int>(format_));
    return false;
  }
  D3DLOCKED_RECT locked{};
  if (texture_->LockRect(0, &locked, nullptr, 0) != D3D_OK) {
    DebugError(kWhere, "Could not lock texture");
    return false;
  }
  for (int row = 0; row < height_; ++row) {
    std::uint8_t* texel = RowOf(locked, row);
    for (int x = 0; x < width_; ++x) {
      if (format_ == D3DFMT_A8R8G8B8) {
        std::uint8_t* p = texel + x * 4;
        p[3] = EngTexture::GetPixelAlphaFromBrightness(alphaKind, p[2], p[1], p[0]);
      } else {
        std::uint8_t* p = texel + x * 2;
        const unsigned low = p[0], high = p[1];
        if (format_ == D3DFMT_A1R5G5B5) {
          const auto red = static_cast<std::uint8_t>(((high >> 2) & 31) << 3);
          const auto green = static_cast<std::uint8_t>((((high & 3) << 3) | (low >> 5)) << 3);
          const auto blue = static_cast<std::uint8_t>(low << 3);
          const std::uint8_t a = EngTexture::GetPixelAlphaFromBrightness(alphaKind, red, green, blue);
          p[1] = static_cast<std::uint8_t>((high & 0x7F) | (a & 0x80));
        } else {
          const auto red = static_cast<std::uint8_t>((high & 15) << 4);
          const auto green = static_cast<std::uint8_t>(low & 0xF0);
          const auto blue = static_cast<std::uint8_t>((low & 15) << 4);
          const std::uint8_t a = EngTexture::GetPixelAlphaFromBrightness(alphaKind, red, green, blue);
          p[1] = static_cast<std::uint8_t>((high & 0x0F) | (a & 0xF0));
        }
      }
    }
  }
  texture_->UnlockRect(0);
  return true;
}

// ---- Colouring rectangles --------------------------------------------------------------

bool EngTextureDX9::ColourRect(int x, int y, int w, int h, float red, float green, float blue,
                               float alpha) {
  return TransformPixels(0, x, y, w, h, red, green, blue, alpha);
}

bool EngTextureDX9::TransformPixels(int operation, int x, int y, int w, int h, float red,
                                    float green, float blue, float alpha) {
  static const char* const kWhere = "EngTextureDX9::TransformPixels";
  (void)operation;  // 0, set, is the only operation
  if (!created_ || !texture_) {
    DebugError(kWhere, "Texture not ok");
    return false;
  }
  const bool bits32 = format_ == D3DFMT_X8R8G8B8 || format_ == D3DFMT_A8R8G8B8;
  const bool fourBits = format_ == D3DFMT_A4R4G4B4 || format_ == D3DFMT_X4R4G4B4;
  if (!bits32 && !fourBits && format_ != D3DFMT_X1R5G5B5 && format_ != D3DFMT_A1R5G5B5) {
    DebugError(kWhere, "Unsupported format [%d]", static_cast<int>(format_));
    return false;
  }
  if (w < 0) w = width_;
  if (h < 0) h = height_;
  if (x < 0 || w <= 0 || x + w > width_ || y < 0 || h <= 0 || y + h > height_) {
    DebugError(kWhere, "Invalid sizes");
    return false;
  }
  D3DSURFACE_DESC desc{};
  if (!EngUtilsDX9_CheckResult(kWhere, "GetLevelDesc", texture_->GetLevelDesc(0, &desc))) {
    return false;
  }
  if (desc.Format != format_) {
    DebugError(kWhere, "Formats problem (%d != %d)", static_cast<int>(desc.Format),
               static_cast<int>(format_));
    return false;
  }
  D3DLOCKED_RECT locked{};
  if (!EngUtilsDX9_CheckResult(kWhere, "LockRect", texture_->LockRect(0, &locked, nullptr, 0))) {
    return false;
  }
  // Channels in texel order blue, green, red, alpha; below 0 keeps a channel.
  const float wanted[4] = {blue, green, red, alpha};
  std::uint8_t value[4];
  bool write[4];
  for (int i = 0; i < 4; ++i) {
    write[i] = wanted[i] >= 0.0f;
    value[i] = ComponentByte(wanted[i]);
  }
  if (format_ == D3DFMT_X8R8G8B8) write[3] = false;  // the fourth byte is not ours
  for (int row = y; row < y + h; ++row) {
    std::uint8_t* line = RowOf(locked, row);
    for (int column = x; column < x + w; ++column) {
      if (bits32) {
        std::uint8_t* p = line + column * 4;
        for (int i = 0; i < 4; ++i) {
          if (write[i]) p[i] = value[i];
        }
      } else {
        std::uint8_t* p = line + column * 2;
        std::uint8_t channels[4];
        Decode16(p, fourBits, channels);
        for (int i = 0; i < 4; ++i) {
          if (write[i]) channels[i] = value[i];
        }
        Encode16(channels, fourBits, p);
      }
    }
  }
  texture_->UnlockRect(0);
  return true;
}

// ---- Copies between textures --------------------------------------------------------------

bool EngTextureDX9::CopyAlphaChannelFromAnotherTexture(EngTexture* source, float sourceX,
                                                       float sourceY, float sourceW,
                                                       float sourceH, float destX, float destY,
                                                       float destW, float destH, int blend,
                                                       int second) {
  if (second != 0) {
    DebugError("EngTextureDX9::CopyAlphaChannelFromAnotherTexture", "Cps not implemeted yet");
    return false;
  }
  return CopyPartOfAnotherTexture(source, sourceX, sourceY, sourceW, sourceH, destX, destY, destW,
                                  destH, blend != 0);
}

bool EngTextureDX9::CopyPartOfAnotherTexture(EngTexture* source, float sourceX, float sourceY,
                                             float sourceW, float sourceH, float destX,
                                             float destY, float destW, float destH, bool blend) {
  static const char* const kWhere = "EngTextureDX9::CopyPartOfAnotherTexture";
  EngTextureDX9* from = source ? source->GetDX9() : nullptr;
  if (!from) {
    DebugError(kWhere, "From texture not ok");
    return false;
  }
  if (!from->created_ || !from->texture_) {
    DebugError(kWhere, "From texture not ok (2)");
    return false;
  }
  if (!created_ || !texture_) {
    DebugError(kWhere, "To texture not ok");
    return false;
  }
  const D3DFORMAT format = from->format_;
  const bool mixed32 = (format == D3DFMT_X8R8G8B8 && format_ == D3DFMT_A8R8G8B8) ||
                       (format == D3DFMT_A8R8G8B8 && format_ == D3DFMT_X8R8G8B8);
  if (format != format_ && !mixed32) {
    DebugError(kWhere, "Formats are not the same [%d,%d]", static_cast<int>(format),
               static_cast<int>(format_));
    return false;
  }
  if (sourceW < 0) sourceW = static_cast<float>(from->width_);
  if (sourceH < 0) sourceH = static_cast<float>(from->height_);
  if (destW < 0) destW = static_cast<float>(width_);
  if (destH < 0) destH = static_cast<float>(height_);
  if (!(sourceW > 0) || !(sourceH > 0)) {
    DebugError(kWhere, "Invalid from sizes");
    return false;
  }
  if (!(destW > 0) || !(destH > 0)) {
    DebugError(kWhere, "Invalid to sizes");
    return false;
  }
  D3DSURFACE_DESC fromDesc{}, toDesc{};
  if (!EngUtilsDX9_CheckResult(kWhere, "GetLevelDesc (from)", from->texture_->GetLevelDesc(0, &fromDesc)) ||
      !EngUtilsDX9_CheckResult(kWhere, "GetLevelDesc (to)", texture_->GetLevelDesc(0, &toDesc))) {
    return false;
  }
  if (fromDesc.Format != from->format_ || toDesc.Format != format_) {
    DebugError(kWhere, "Formats are not the same (2)");
    return false;
  }
  if (from == this) {
    // One texture cannot be locked twice: a copy within itself is refused.
    DebugError(kWhere, "From texture not ok (2)");
    return false;
  }
  D3DLOCKED_RECT fromLocked{}, toLocked{};
  if (!EngUtilsDX9_CheckResult(kWhere, "LockRect (from)", from->texture_->LockRect(0, &fromLocked, nullptr, 0))) {
    return false;
  }
  if (!EngUtilsDX9_CheckResult(kWhere, "LockRect (to)", texture_->LockRect(0, &toLocked, nullptr, 0))) {
    from->texture_->UnlockRect(0);
    return false;
  }
  const bool bits32 = format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8;
  const bool bits16 = EngTextureDX9_Is16BitFormat(format);
  if (!bits32 && !bits16) {
    texture_->UnlockRect(0);
    from->texture_->UnlockRect(0);
    DebugError(kWhere, "Unsupported format 0x%x", static_cast<unsigned>(format));
    return false;
  }
  const bool blend32 = blend && format == D3DFMT_A8R8G8B8;
  const bool blend16 = blend && (format == D3DFMT_A1R5G5B5 || format == D3DFMT_A4R4G4B4);
  const int firstRow = static_cast<int>(destY);
  const int firstColumn = static_cast<int>(destX);
  const int endColumn = static_cast<int>(destX + destW);
  const int minSourceRow = static_cast<int>(sourceY), maxSourceRow = static_cast<int>(sourceY + sourceH);
  const int minSourceColumn = static_cast<int>(sourceX), maxSourceColumn = static_cast<int>(sourceX + sourceW);
  for (int row = firstRow; row < firstRow + destH; ++row) {
    const int sourceRow = std::clamp(static_cast<int>((row - destY) * sourceH / destH + sourceY),
                                     minSourceRow, maxSourceRow);
    if (row < 0 || row >= height_ || sourceRow < 0 || sourceRow >= from->height_) continue;
    const std::uint8_t* fromLine = RowOf(fromLocked, sourceRow);
    std::uint8_t* toLine = RowOf(toLocked, row);
    for (int column = firstColumn; column < endColumn; ++column) {
      const int sourceColumn =
          std::clamp(static_cast<int>((column - destX) * sourceW / destW + sourceX), minSourceColumn,
                     maxSourceColumn);
      if (column < 0 || column >= width_ || sourceColumn < 0 || sourceColumn >= from->width_) continue;
      if (bits32) {
        const std::uint8_t* s = fromLine + sourceColumn * 4;
        std::uint8_t* d = toLine + column * 4;
        if (!blend32 || s[3] == 255) {
          std::copy_n(s, 4, d);
        } else if (s[3] != 0) {
          for (int i = 0; i < 3; ++i) d[i] = Mix(s[i], d[i], s[3]);
          d[3] = std::max(d[3], s[3]);
        }
      } else {
        const std::uint8_t* s = fromLine + sourceColumn * 2;
        std::uint8_t* d = toLine + column * 2;
        if (!blend16) {
          std::copy_n(s, 2, d);
          continue;
        }
        std::uint8_t sr, sg, sb, sa, dr, dg, db, da;
        EngTextureDX9_GetColPartsFromBit16(s, format, &sr, &sg, &sb, &sa);
        if (sa == 255) {
          std::copy_n(s, 2, d);
        } else if (sa != 0) {
          // The destination keeps its colour and takes the higher alpha.
          EngTextureDX9_GetColPartsFromBit16(d, format, &dr, &dg, &db, &da);
          EngTextureDX9_SetBit16FromColParts(dr, dg, db, std::max(da, sa), format, d);
        }
      }
    }
  }
  texture_->UnlockRect(0);
  from->texture_->UnlockRect(0);
  return true;
}
