// EngTextureDX9Texels.h - texels of the Direct3D texture formats as bytes:
// the 16-bit encoders and decoders every texel writer shares, the formats'
// names, and the bit depth of a format.
//
// 32-bit texels lie in memory as blue, green, red, alpha (the alpha byte, or
// the ignored fourth byte of the X formats, last). A 16-bit texel is a low
// byte followed by a high byte. No state except the name buffer.
#pragma once

#include <cstdint>

#include "Platform/D3D9Types.h"

// Decodes a 16-bit texel (texel[0] low, texel[1] high) of R5G6B5, X1R5G5B5,
// A1R5G5B5, A4R4G4B4 or X4R4G4B4 into 8-bit channels. 4-bit channels that
// are not 0 gain 15, so a full nibble reads 255. Any other format reports
// "Format not supported: %d" and gives false.
bool EngTextureDX9_GetColPartsFromBit16(const std::uint8_t* texel, D3DFORMAT format,
                                        std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue,
                                        std::uint8_t* alpha);
// Encodes 8-bit channels into a 16-bit texel of those formats (texel[0]
// low, texel[1] high). Other formats: "Format not supported: %d", false.
bool EngTextureDX9_SetBit16FromColParts(std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                        std::uint8_t alpha, D3DFORMAT format, std::uint8_t* texel);

// The format's name as Direct3D 9 spells it ("D3DFMT_A8R8G8B8"), "???" for
// unknown values. The text lies in one buffer that the next call overwrites.
const char* EngTextureDX9_GetFormatName(D3DFORMAT format);

// Bits per texel and alpha of the formats 20-26 and 30; 0 with
// "Unrecognised format [%d]" for any other (hasAlpha left unchanged).
int EngTextureDX9_GetBitdepthFromFormat(D3DFORMAT format, bool* hasAlpha);

// True for the 16-bit formats above.
bool EngTextureDX9_Is16BitFormat(D3DFORMAT format);
