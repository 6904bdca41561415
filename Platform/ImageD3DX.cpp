// ImageD3DX.cpp - texture makers over the picture decoders. State: the
// reason of the last failed load.
#include "Platform/ImageD3DX.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <new>

#include "Platform/Image.h"

namespace {

std::string g_lastImageError;

bool DeviceWantsPowersOfTwo(IDirect3DDevice9* device, UINT* maxSide) {
  D3DCAPS9 caps{};
  *maxSide = 4096;
  if (device->GetDeviceCaps(&caps) != D3D_OK) return true;
  if (caps.MaxTextureWidth > 0) *maxSide = caps.MaxTextureWidth;
  return (caps.TextureCaps & D3DPTEXTURECAPS_POW2) != 0;
}

UINT NextPowerOfTwo(UINT value) {
  UINT power = 1;
  while (power < value && power < (1u << 30)) power <<= 1;
  return power;
}

HRESULT Fail(const std::string& reason) {
  g_lastImageError = reason;
  return D3DXERR_INVALIDDATA;
}

D3DXIMAGE_FILEFORMAT FileFormatOf(PlatformImageFormat format) {
  switch (format) {
    case PlatformImageFormat::kJpeg: return D3DXIFF_JPG;
    case PlatformImageFormat::kTga: return D3DXIFF_TGA;
    case PlatformImageFormat::kPng: return D3DXIFF_PNG;
    default: return D3DXIFF_BMP;
  }
}

}  // namespace

const std::string& D3DXGetLastImageError() { return g_lastImageError; }

HRESULT D3DXCreateTexture(IDirect3DDevice9* device, UINT width, UINT height, UINT mipLevels,
                          DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture) {
  (void)mipLevels;  // one level: the engine draws without a mip chain
  if (!device || !texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (width == D3DX_DEFAULT) width = 256;
  if (height == D3DX_DEFAULT) height = 256;
  UINT maxSide = 0;
  if (DeviceWantsPowersOfTwo(device, &maxSide)) {
    width = NextPowerOfTwo(width);
    height = NextPowerOfTwo(height);
  }
  return device->CreateTexture(width, height, 1, usage, format, pool, texture, nullptr);
}

HRESULT D3DXCreateTextureFromFileExA(IDirect3DDevice9* device, const char* file, UINT width,
                                     UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                                     D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colorKey,
                                     D3DXIMAGE_INFO* info, void* palette,
                                     IDirect3DTexture9** texture) {
  (void)mipLevels;
  (void)filter;
  (void)mipFilter;
  (void)colorKey;
  g_lastImageError.clear();
  if (!device || !file || !texture || palette) return D3DERR_INVALIDCALL;
  *texture = nullptr;

  PlatformImage image;
  std::string reason;
  if (!PlatformImageLoadFile(file, &image, &reason)) {
    return Fail(std::string(reason));
  }

  if (format == D3DFMT_UNKNOWN) format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
  if (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8) {
    g_lastImageError = "texture format not supported by the picture loader";
    return D3DERR_NOTAVAILABLE;
  }
  UINT maxSide = 0;
  DeviceWantsPowersOfTwo(device, &maxSide);
  // Sides from the file, rounded up to powers of two, within the device's limit.
  if (width == D3DX_DEFAULT || width == 0) width = NextPowerOfTwo(static_cast<UINT>(image.width));
  if (height == D3DX_DEFAULT || height == 0) height = NextPowerOfTwo(static_cast<UINT>(image.height));
  while (width > maxSide && width > 1) width /= 2;
  while (height > maxSide && height > 1) height /= 2;

  IDirect3DTexture9* made = nullptr;
  HRESULT hr = device->CreateTexture(width, height, 1, usage, format, pool, &made, nullptr);
  if (hr != D3D_OK) {
    g_lastImageError = "the device could not make the texture";
    return hr;
  }
  PlatformImage scaled;
  try {
    scaled = PlatformImageResize(image, static_cast<int>(width), static_cast<int>(height));
  } catch (const std::bad_alloc&) {
    made->Release();
    g_lastImageError = "not enough memory for the picture";
    return E_OUTOFMEMORY;
  }
  D3DLOCKED_RECT locked{};
  hr = made->LockRect(0, &locked, nullptr, 0);
  if (hr != D3D_OK) {
    made->Release();
    g_lastImageError = "the texture could not be locked";
    return hr;
  }
  // 32-bit texels lie as B, G, R, A: the pixel word in little-endian order.
  // Rows through pointers, so that unoptimised builds load pictures quickly.
  const std::uint32_t opaque = format == D3DFMT_X8R8G8B8 ? 0xFF000000u : 0;
  for (UINT y = 0; y < height; ++y) {
    auto* row = static_cast<BYTE*>(locked.pBits) + static_cast<std::size_t>(y) * locked.Pitch;
    const std::uint32_t* words = scaled.pixels.data() + static_cast<std::size_t>(y) * width;
    if (std::endian::native == std::endian::little && !opaque) {
      std::memcpy(row, words, static_cast<std::size_t>(width) * 4);
      continue;
    }
    for (UINT x = 0; x < width; ++x) {
      const std::uint32_t word = words[x] | opaque;
      row[x * 4 + 0] = static_cast<BYTE>(word);
      row[x * 4 + 1] = static_cast<BYTE>(word >> 8);
      row[x * 4 + 2] = static_cast<BYTE>(word >> 16);
      row[x * 4 + 3] = static_cast<BYTE>(word >> 24);
    }
  }
  made->UnlockRect(0);
  if (info) {
    info->Width = static_cast<UINT>(image.width);
    info->Height = static_cast<UINT>(image.height);
    info->Depth = 1;
    info->MipLevels = 1;
    info->Format = image.hasAlpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    info->ResourceType = D3DRTYPE_TEXTURE;
    info->ImageFileFormat = FileFormatOf(image.format);
  }
  *texture = made;
  return D3D_OK;
}
