// EngTgaDX9.h - reading a Direct3D texture back into memory. The image's own
// transfers (EngTga::FillFromTexture_DX9, EngTga::FillTexture_DX9) are
// declared with EngTga (Engine/EngTga.h) and live beside this in
// EngTgaDX9.cpp.
#pragma once

#include <cstddef>

class EngTexture;

// Copies a whole X8R8G8B8 or A8R8G8B8 texture into buffer as pixel words
// 0xAARRGGBB, bottom row first (an image's row order); an X8R8G8B8 texel
// reads as opaque. size must be exactly width x height x 4 bytes ("Invalid
// data size"); "Invalid parameters", "No tex (dx9)", "Invalid texure",
// "Unsupported format: %d" otherwise.
bool EngTgaUpdateTexCharBufferFromDxTexture_DX9(EngTexture* texture, void* buffer, std::size_t size);
