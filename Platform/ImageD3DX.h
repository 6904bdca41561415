// ImageD3DX.h - the two texture makers of the D3DX utility library that the
// engine calls, over our picture decoders (Platform/Image.h) and the device's
// CreateTexture.
//
// Implements: D3DXCreateTexture (sizes rounded up to powers of two only on a
// device whose capabilities demand it; one level whatever the mip count),
// D3DXCreateTextureFromFileExA (the picture's bytes choose the decoder; with
// D3DX_DEFAULT sizes the picture's size rounded up to powers of two, halved
// while above the device's largest texture; the picture is scaled into the
// texture with a tent filter; formats X8R8G8B8 and A8R8G8B8, or UNKNOWN for
// "as the file": A8R8G8B8 with an alpha channel, else X8R8G8B8).
// Does not implement: colour keys, palettes, mip chains, 16-bit targets.
#pragma once

#include <string>

#include "Platform/D3D9.h"

constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;

enum D3DXIMAGE_FILEFORMAT : DWORD {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
};

// What the file held (filled when asked for).
struct D3DXIMAGE_INFO {
  UINT Width;
  UINT Height;
  UINT Depth;
  UINT MipLevels;
  D3DFORMAT Format;
  D3DRESOURCETYPE ResourceType;
  D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

// An empty texture of one level. D3DX_DEFAULT sides are 256. Fails with the
// device's result, or D3DERR_INVALIDCALL for a null device or pointer.
HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture);

// A texture made from a picture file (a game path). A missing or unreadable
// file and a picture the decoders refuse give D3DXERR_INVALIDDATA, with the
// reason in D3DXGetLastImageError. filter, mipFilter and colorKey are
// accepted and ignored (the tent filter is always used); palette must be null.
HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* info, void* palette,
                                     IDirect3DTexture9** texture);

// Why the last D3DXCreateTextureFromFileExA failed ("" after a success).
const std::string& D3DXGetLastImageError();
