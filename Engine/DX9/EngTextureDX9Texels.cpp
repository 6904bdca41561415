// EngTextureDX9Texels.cpp - 16-bit texel codecs, format names and depths.
#include "Engine/DX9/EngTextureDX9Texels.h"

#include <cstdio>

#include "Engine/Debug.h"

bool EngTextureDX9_Is16BitFormat(D3DFORMAT format) {
  return format == D3DFMT_R5G6B5 || format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5 ||
         format == D3DFMT_A4R4G4B4 || format == D3DFMT_X4R4G4B4;
}

bool EngTextureDX9_GetColPartsFromBit16(const std::uint8_t* texel, D3DFORMAT format,
                                        std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                                        std::uint8_t* alpha) {
  const unsigned low = texel[0];
  const unsigned high = texel[1];
  switch (format) {
    case D3DFMT_R5G6B5:
      *alpha = 255;
      *red = static_cast<std::uint8_t>(high & 0xF8);
      *green = static_cast<std::uint8_t>(((high << 3) + (low >> 5)) << 2);
      *blue = static_cast<std::uint8_t>(low << 3);
      return true;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      *alpha = (high & 0x80) ? 255 : 0;
      *red = static_cast<std::uint8_t>((high & 0xFC) << 1);
      *green = static_cast<std::uint8_t>((((high & 3) << 3) + (low >> 5)) << 3);
      *blue = static_cast<std::uint8_t>(low << 3);
      return true;
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4: {
      std::uint8_t parts[4] = {static_cast<std::uint8_t>(high & 0xF0),
                               static_cast<std::uint8_t>(high << 4),
                               static_cast<std::uint8_t>(low & 0xF0),
                               static_cast<std::uint8_t>(low << 4)};
      for (std::uint8_t& part : parts) {
        if (part != 0) part = static_cast<std::uint8_t>(part + 15);  // 0xF0 reads as 0xFF
      }
      *alpha = parts[0];
      *red = parts[1];
      *green = parts[2];
      *blue = parts[3];
      return true;
    }
    default:
      DebugError("EngTextureDX9_GetColPartsFromBit16", "Format not supported: %d",
                 static_cast<int>(format));
      return false;
  }
}

bool EngTextureDX9_SetBit16FromColParts(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                        std::uint8_t alpha, D3DFORMAT format, std::uint8_t* texel) {
  switch (format) {
    case D3DFMT_R5G6B5:
      texel[1] = static_cast<std::uint8_t>((red & 0xF8) | (green >> 5));
      texel[0] = static_cast<std::uint8_t>(((green & 0xFC) << 3) + (blue >> 3));
      return true;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      texel[1] = static_cast<std::uint8_t>(((red >> 1) & 0x7C) + (alpha & 0x80) + (green >> 6));
      texel[0] = static_cast<std::uint8_t>(((green & 0xF8) << 2) + (blue >> 3));
      return true;
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
      texel[1] = static_cast<std::uint8_t>((alpha & 0xF0) | (red >> 4));
      texel[0] = static_cast<std::uint8_t>((green & 0xF0) | (blue >> 4));
      return true;
    default:
      DebugError("EngTextureDX9_SetBit16FromColParts", "Format not supported: %d",
                 static_cast<int>(format));
      return false;
  }
}

int EngTextureDX9_GetBitdepthFromFormat(D3DFORMAT format, bool* hasAlpha) {
  int bits = 0;
  bool alpha = false;
  switch (format) {
    case D3DFMT_R8G8B8: bits = 24; break;
    case D3DFMT_A8R8G8B8: bits = 32; alpha = true; break;
    case D3DFMT_X8R8G8B8: bits = 32; break;
    case D3DFMT_R5G6B5: bits = 16; break;
    case D3DFMT_X1R5G5B5: bits = 16; break;
    case D3DFMT_A1R5G5B5: bits = 16; alpha = true; break;
    case D3DFMT_A4R4G4B4: bits = 16; alpha = true; break;
    case D3DFMT_X4R4G4B4: bits = 16; break;
    default:
      DebugError("EngTextureDX9::GetBitdepthFromFormat", "Unrecognised format [%d]",
                 static_cast<int>(format));
      return 0;
  }
  if (hasAlpha) *hasAlpha = alpha;
  return bits;
}

const char* EngTextureDX9_GetFormatName(D3DFORMAT format) {
  static char name[64];
  const char* text = "???";
  switch (format) {
#define FORMAT_NAME(f) \
  case f:              \
    text = #f;         \
    break;
    FORMAT_NAME(D3DFMT_UNKNOWN)
    FORMAT_NAME(D3DFMT_R8G8B8)
    FORMAT_NAME(D3DFMT_A8R8G8B8)
    FORMAT_NAME(D3DFMT_X8R8G8B8)
    FORMAT_NAME(D3DFMT_R5G6B5)
    FORMAT_NAME(D3DFMT_X1R5G5B5)
    FORMAT_NAME(D3DFMT_A1R5G5B5)
    FORMAT_NAME(D3DFMT_A4R4G4B4)
    FORMAT_NAME(D3DFMT_R3G3B2)
    FORMAT_NAME(D3DFMT_A8)
    FORMAT_NAME(D3DFMT_A8R3G3B2)
    FORMAT_NAME(D3DFMT_X4R4G4B4)
    FORMAT_NAME(D3DFMT_A2B10G10R10)
    FORMAT_NAME(D3DFMT_A8B8G8R8)
    FORMAT_NAME(D3DFMT_X8B8G8R8)
    FORMAT_NAME(D3DFMT_G16R16)
    FORMAT_NAME(D3DFMT_A2R10G10B10)
    FORMAT_NAME(D3DFMT_A16B16G16R16)
    FORMAT_NAME(D3DFMT_A8P8)
    FORMAT_NAME(D3DFMT_P8)
    FORMAT_NAME(D3DFMT_L8)
    FORMAT_NAME(D3DFMT_A8L8)
    FORMAT_NAME(D3DFMT_A4L4)
    FORMAT_NAME(D3DFMT_V8U8)
    FORMAT_NAME(D3DFMT_L6V5U5)
    FORMAT_NAME(D3DFMT_X8L8V8U8)
    FORMAT_NAME(D3DFMT_Q8W8V8U8)
    FORMAT_NAME(D3DFMT_V16U16)
    FORMAT_NAME(D3DFMT_A2W10V10U10)
    FORMAT_NAME(D3DFMT_D16_LOCKABLE)
    FORMAT_NAME(D3DFMT_D32)
    FORMAT_NAME(D3DFMT_D15S1)
    FORMAT_NAME(D3DFMT_D24S8)
    FORMAT_NAME(D3DFMT_D24X8)
    FORMAT_NAME(D3DFMT_D24X4S4)
    FORMAT_NAME(D3DFMT_D16)
    FORMAT_NAME(D3DFMT_L16)
    FORMAT_NAME(D3DFMT_D32F_LOCKABLE)
    FORMAT_NAME(D3DFMT_D24FS8)
    FORMAT_NAME(D3DFMT_VERTEXDATA)
    FORMAT_NAME(D3DFMT_INDEX16)
    FORMAT_NAME(D3DFMT_INDEX32)
    FORMAT_NAME(D3DFMT_Q16W16V16U16)
    FORMAT_NAME(D3DFMT_R16F)
    FORMAT_NAME(D3DFMT_G16R16F)
    FORMAT_NAME(D3DFMT_A16B16G16R16F)
    FORMAT_NAME(D3DFMT_R32F)
    FORMAT_NAME(D3DFMT_G32R32F)
    FORMAT_NAME(D3DFMT_A32B32G32R32F)
    FORMAT_NAME(D3DFMT_CxV8U8)
    FORMAT_NAME(D3DFMT_UYVY)
    FORMAT_NAME(D3DFMT_YUY2)
    FORMAT_NAME(D3DFMT_DXT1)
    FORMAT_NAME(D3DFMT_DXT2)
    FORMAT_NAME(D3DFMT_DXT3)
    FORMAT_NAME(D3DFMT_DXT4)
    FORMAT_NAME(D3DFMT_DXT5)
    FORMAT_NAME(D3DFMT_R8G8_B8G8)
    FORMAT_NAME(D3DFMT_G8R8_G8B8)
    FORMAT_NAME(D3DFMT_MULTI2_ARGB8)
#undef FORMAT_NAME
    default:
      break;
  }
  std::snprintf(name, sizeof(name), "%s", text);
  return name;
}
