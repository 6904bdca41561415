// EngTgaDX9.cpp - copying pixels between images (EngTga, rows bottom-up,
// 0xAARRGGBB words) and Direct3D textures (rows top-down, addressed by the
// pitch LockRect gives): a texture rectangle composed into an image, a whole
// image into a texture, a whole texture into a caller's buffer.
//
// Texture formats: X8R8G8B8 and A8R8G8B8 are read and written as words (an
// X8R8G8B8 texel's fourth byte means nothing and reads as opaque); the
// 16-bit formats go through the shared 16-bit codecs.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngTextureDX9.h"
#include "Engine/DX9/EngTgaDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngMath.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"

namespace {

const std::uint8_t* TexelRow(const D3DLOCKED_RECT& locked, int row) {
  return static_cast<const std::uint8_t*>(locked.pBits) + static_cast<std::ptrdiff_t>(row) * locked.Pitch;
}

constexpr std::uint32_t A(std::uint32_t p) { return p >> 24; }
constexpr std::uint32_t R(std::uint32_t p) { return (p >> 16) & 0xFF; }
constexpr std::uint32_t G(std::uint32_t p) { return (p >> 8) & 0xFF; }
constexpr std::uint32_t B(std::uint32_t p) { return p & 0xFF; }

bool Is32BitFormat(D3DFORMAT format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

// Reads one texel as a pixel word; false for a format without a reader.
bool ReadTexel(const std::uint8_t* row, int column, D3DFORMAT format, std::uint32_t* pixel) {
  if (Is32BitFormat(format)) {
    const std::uint8_t* p = row + column * 4;
    const std::uint32_t alpha = format == D3DFMT_X8R8G8B8 ? 255u : p[3];
    *pixel = (alpha << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
    return true;
  }
  if (EngTextureDX9_Is16BitFormat(format)) {
    std::uint8_t r, g, b, a;
    EngTextureDX9_GetColPartsFromBit16(row + column * 2, format, &r, &g, &b, &a);
    *pixel = EngTgaMakePixel(r, g, b, a);
    return true;
  }
  return false;
}

// Blends s over d with weight a (0-255): colours by two integer divisions,
// alpha grown by d.alpha x (1 + a / 255), at most 255.
std::uint32_t BlendWithWeight(std::uint32_t s, std::uint32_t d, std::uint32_t a) {
  auto mix = [a](std::uint32_t sc, std::uint32_t dc) {
    return std::min<std::uint32_t>(a * sc / 255 + (255 - a) * dc / 255, 255);
  };
  const float alpha = std::min(static_cast<float>(A(d)) / 255.0f * (1.0f + static_cast<float>(a) / 255.0f), 1.0f);
  return EngTgaMakePixel(mix(R(s), R(d)), mix(G(s), G(d)), mix(B(s), B(d)),
                         static_cast<std::uint32_t>(EngMathRound(alpha * 255.0f)));
}

std::uint32_t ComposeTexel(int mode, float factor, bool texture32, std::uint32_t s, std::uint32_t d) {
  std::uint32_t weight = 0;
  switch (mode) {
    case 0:
    case 1: {
      const std::uint32_t alpha = texture32 ? (A(d) | A(s)) : A(d);
      return (alpha << 24) | (s & 0x00FFFFFFu);
    }
    case 2:
      return s;
    case 9:
      if (A(s) == 0) return d;
      weight = static_cast<std::uint32_t>(std::clamp(
          EngMathRound(static_cast<float>(A(s)) * factor * static_cast<float>(std::max({R(s), G(s), B(s)})) / 255.0f),
          0, 255));
      break;
    case 10:
      if (A(s) == 0) return d;
      weight = static_cast<std::uint32_t>(std::clamp(
          EngMathRound(static_cast<float>(A(s)) * factor *
                       static_cast<float>(255 - std::min({R(s), G(s), B(s)})) / 255.0f),
          0, 255));
      break;
    default:
      if (A(s) == 0) return d;
      if (factor > 0.0f && factor < 1.0f) {
        weight = static_cast<std::uint32_t>(std::clamp(EngMathRound(factor * static_cast<float>(A(s))), 0, 255));
      } else if (factor == -1.0f) {
        weight = 255 - A(s);
      } else {
        weight = A(s);
      }
      break;
  }
  return BlendWithWeight(s, d, weight);
}

// The texture's back end, or null after "No tex (dx9)" under where.
EngTextureDX9* BackEndOf(const char* where, EngTexture* texture) {
  EngTextureDX9* dx9 = texture->GetDX9();
  if (!dx9) DebugError(where, "No tex (dx9)");
  return dx9;
}

// Describes level 0, checks its format against the engine's table and locks
// the whole level. Each failure is reported under where and leaves nothing
// locked.
bool DescribeAndLock(const char* where, IDirect3DTexture9* texture, DWORD lockFlags, D3DSURFACE_DESC* desc,
                     D3DLOCKED_RECT* locked) {
  if (!EngUtilsDX9_CheckResult(where, "GetDesc", texture->GetLevelDesc(0, desc))) return false;
  if (!EngUtilsDX9_IsFormatInTable(desc->Format, nullptr, nullptr)) {
    DebugError(where, "Unsupported texture format <%d>", static_cast<int>(desc->Format));
    return false;
  }
  return EngUtilsDX9_CheckResult(where, "LockRect", texture->LockRect(0, locked, nullptr, lockFlags));
}

// True for a format the transfer can read or write: the 32-bit ones, and
// the 16-bit ones when allowed. Otherwise "Unsupported format: %d" under
// where, and the locked level is unlocked.
bool KeepLockedIfTransferFormat(const char* where, IDirect3DTexture9* texture, D3DFORMAT format,
                                bool with16Bit) {
  if (Is32BitFormat(format) || (with16Bit && EngTextureDX9_Is16BitFormat(format))) return true;
  texture->UnlockRect(0);
  DebugError(where, "Unsupported format: %d", static_cast<int>(format));
  return false;
}

}  // namespace

// ---- Texture rectangle into an image ------------------------------------------------------

bool EngTga::FillFromTexture_DX9(int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                                 EngTexture* texture, int destX, int destY, int destWidth,
                                 int destHeight, bool mirrorX, bool mirrorY, int mode,
                                 float alphaFactor) {
  static const char* const kWhere = "EngTga::FillFromTexture_DX9";
  if (!EngDeviceDX9GetD3DDevice()) return false;
  if (!texture || destWidth < 1 || destHeight < 1 || sourceWidth < 1 || sourceHeight < 1) {
    DebugError(kWhere, "Invalid parameters");
    return false;
  }
  EngTextureDX9* dx9 = BackEndOf(kWhere, texture);
  if (!dx9) return false;
  const int texWidth = dx9->GetWidth();
  const int texHeight = dx9->GetHeight();
  IDirect3DTexture9* d3dTexture = dx9->GetD3DTexture();
  if (texWidth < 1 || texHeight < 1 || !d3dTexture || !dx9->IsCreated()) {
    DebugError(kWhere, "Invalid texture");
    return false;
  }
  if (bits_ != 32 || width_ < 1 || height_ < 1 || !data_) {
    DebugError(kWhere, "Invalid data");
    return false;
  }
  if (sourceX < 0 || sourceY < 0 || sourceX + sourceWidth > texWidth ||
      sourceY + sourceHeight > texHeight || destX < 0 || destY < 0 ||
      destX + destWidth > width_ || destY + destHeight > height_) {
    DebugError(kWhere, "Invalid sizes");
    return false;
  }
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (!DescribeAndLock(kWhere, d3dTexture, D3DLOCK_READONLY, &desc, &locked)) return false;
  if (!KeepLockedIfTransferFormat(kWhere, d3dTexture, desc.Format, true)) return false;
  const bool texture32 = Is32BitFormat(desc.Format);
  for (int r = 0; r < destHeight; ++r) {
    int offsetY = static_cast<int>(static_cast<long long>(r) * sourceHeight / destHeight);
    if (mirrorY) offsetY = sourceHeight - 1 - offsetY;
    const int row = std::min(sourceY + offsetY, texHeight - 1);
    const std::uint8_t* texels = TexelRow(locked, row);
    std::uint32_t* const dest = RowFromTop(destY + r) + destX;
    for (int c = 0; c < destWidth; ++c) {
      int offsetX = static_cast<int>(static_cast<long long>(c) * sourceWidth / destWidth);
      if (mirrorX) offsetX = sourceWidth - 1 - offsetX;
      const int column = std::min(sourceX + offsetX, texWidth - 1);
      std::uint32_t s = 0;
      ReadTexel(texels, column, desc.Format, &s);
      dest[c] = ComposeTexel(mode, alphaFactor, texture32, s, dest[c]);
    }
  }
  d3dTexture->UnlockRect(0);
  return true;
}

// ---- Image into a texture ---------------------------------------------------------------

bool EngTga::FillTexture_DX9(EngTexture* texture) {
  static const char* const kWhere = "EngTga::FillTexture_DX9";
  if (!texture || !data_) {
    DebugError(kWhere, "Invalid parameters");
    return false;
  }
  EngTextureDX9* dx9 = BackEndOf(kWhere, texture);
  if (!dx9) return false;
  IDirect3DTexture9* d3dTexture = dx9->GetD3DTexture();
  if (!dx9->IsCreated() || dx9->GetWidth() < 1 || dx9->GetHeight() < 1 || !d3dTexture) {
    DebugError(kWhere, "Invalid texure");
    return false;
  }
  const int depth = dx9->GetBitDepth();
  if (dx9->GetWidth() != width_ || dx9->GetHeight() != height_ ||
      !(depth == bits_ || (depth == 16 && bits_ == 32))) {
    DebugError(kWhere, "Incompatible texure and data");
    return false;
  }
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (!DescribeAndLock(kWhere, d3dTexture, 0, &desc, &locked)) return false;
  // This refusal is logged under the read-back's name: that is its established
  // line in the log.
  if (!KeepLockedIfTransferFormat("EngTgaUpdateTexCharBufferFromDxTexture_DX9", d3dTexture, desc.Format, true))
    return false;
  const bool texture32 = Is32BitFormat(desc.Format);
  for (int r = 0; r < height_; ++r) {
    auto* texels = const_cast<std::uint8_t*>(TexelRow(locked, r));
    const std::uint32_t* pixels = data_.get() + static_cast<std::size_t>(height_ - 1 - r) * width_;
    for (int x = 0; x < width_; ++x) {
      const std::uint32_t p = pixels[x];
      if (texture32) {
        texels[x * 4 + 0] = static_cast<std::uint8_t>(B(p));
        texels[x * 4 + 1] = static_cast<std::uint8_t>(G(p));
        texels[x * 4 + 2] = static_cast<std::uint8_t>(R(p));
        texels[x * 4 + 3] = static_cast<std::uint8_t>(A(p));
      } else {
        EngTextureDX9_SetBit16FromColParts(static_cast<std::uint8_t>(R(p)), static_cast<std::uint8_t>(G(p)),
                                           static_cast<std::uint8_t>(B(p)), static_cast<std::uint8_t>(A(p)),
                                           desc.Format, texels + x * 2);
      }
    }
  }
  d3dTexture->UnlockRect(0);
  return true;
}

// ---- Texture into a buffer -----------------------------------------------------------------

bool EngTgaUpdateTexCharBufferFromDxTexture_DX9(EngTexture* texture, void* buffer, std::size_t size) {
  static const char* const kWhere = "EngTgaUpdateTexCharBufferFromDxTexture_DX9";
  if (!texture || !buffer || size == 0) {
    DebugError(kWhere, "Invalid parameters");
    return false;
  }
  EngTextureDX9* dx9 = BackEndOf(kWhere, texture);
  if (!dx9) return false;
  IDirect3DTexture9* d3dTexture = dx9->GetD3DTexture();
  const int width = dx9->GetWidth();
  const int height = dx9->GetHeight();
  if (!dx9->IsCreated() || width < 1 || height < 1 || !d3dTexture) {
    DebugError(kWhere, "Invalid texure");
    return false;
  }
  // Every texel read becomes a 4-byte word, whatever depth the record holds.
  if (size != static_cast<std::size_t>(width) * height * 4) {
    DebugError(kWhere, "Invalid data size");
    return false;
  }
  D3DSURFACE_DESC desc{};
  D3DLOCKED_RECT locked{};
  if (!DescribeAndLock(kWhere, d3dTexture, D3DLOCK_READONLY, &desc, &locked)) return false;
  if (!KeepLockedIfTransferFormat(kWhere, d3dTexture, desc.Format, false)) return false;
  if (dx9->GetBitDepth() != 32) {
    DebugError(kWhere, "Format %s but bpp %d", EngTextureDX9_GetFormatName(desc.Format), dx9->GetBitDepth());
  }
  auto* words = static_cast<std::uint32_t*>(buffer);
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* texels = TexelRow(locked, r);
    std::uint32_t* out = words + static_cast<std::size_t>(height - 1 - r) * width;
    for (int x = 0; x < width; ++x) {
      std::uint32_t pixel = 0;
      ReadTexel(texels, x, desc.Format, &pixel);
      out[x] = pixel;
    }
  }
  d3dTexture->UnlockRect(0);
  return true;
}
