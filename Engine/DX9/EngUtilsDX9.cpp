// EngUtilsDX9.cpp - format table, result texts and the utility Direct3D
// object (see EngUtilsDX9.h).
#include "Engine/DX9/EngUtilsDX9.h"

#include <cstdio>

#include "Engine/Debug.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/EngMisc.h"

namespace {

constexpr EngUtilsDX9Format kFormats[kEngUtilsDX9FormatCount] = {
    {D3DFMT_X8R8G8B8, 32, false}, {D3DFMT_A8R8G8B8, 32, true},  {D3DFMT_R5G6B5, 16, false},
    {D3DFMT_X1R5G5B5, 16, false}, {D3DFMT_A1R5G5B5, 16, true},  {D3DFMT_X4R4G4B4, 16, false},
    {D3DFMT_A4R4G4B4, 16, true},  {D3DFMT_R8G8B8, 24, false},
};

struct ResultText {
  HRESULT code;
  const char* text;
};

constexpr ResultText kResultTexts[] = {
    {E_FAIL, "An undetermined error occurred inside the Direct3D subsystem."},
    {E_NOINTERFACE, "No object interface is available."},
    {E_NOTIMPL, "Not implemented."},
    {E_OUTOFMEMORY, "Direct3D could not allocate sufficient memory to complete the call."},
    {E_INVALIDARG, "An invalid parameter was passed to the returning function."},
    {D3DERR_OUTOFVIDEOMEMORY, "Direct3D does not have enough display memory to perform the operation."},
    {D3DERR_WASSTILLDRAWING,
     "The previous blit operation that is transferring information to or from this surface is incomplete."},
    {D3DERR_WRONGTEXTUREFORMAT, "The pixel format of the texture surface is not valid."},
    {D3DERR_UNSUPPORTEDCOLOROPERATION, "The device does not support a specified texture-blending operation for color values."},
    {D3DERR_UNSUPPORTEDCOLORARG, "The device does not support a specified texture-blending argument for color values."},
    {D3DERR_UNSUPPORTEDALPHAOPERATION, "The device does not support a specified texture-blending operation for the alpha channel."},
    {D3DERR_UNSUPPORTEDALPHAARG, "The device does not support a specified texture-blending argument for the alpha channel."},
    {D3DERR_TOOMANYOPERATIONS, "The application is requesting more texture-filtering operations than the device supports."},
    {D3DERR_CONFLICTINGTEXTUREFILTER, "The current texture filters cannot be used together."},
    {D3DERR_UNSUPPORTEDFACTORVALUE, "The device does not support the specified texture factor value."},
    {D3DERR_CONFLICTINGRENDERSTATE, "The currently set render states cannot be used together."},
    {D3DERR_UNSUPPORTEDTEXTUREFILTER, "The device does not support the specified texture filter."},
    {D3DERR_CONFLICTINGTEXTUREPALETTE, "The current textures cannot be used simultaneously."},
    {D3DERR_DRIVERINTERNALERROR, "Internal driver error."},
    {D3DERR_NOTFOUND, "The requested item was not found."},
    {D3DERR_MOREDATA, "There is more data available than the specified buffer size can hold."},
    {D3DERR_DEVICELOST, "The device has been lost but cannot be reset at this time."},
    {D3DERR_DEVICENOTRESET, "The device has been lost but can be reset at this time."},
    {D3DERR_NOTAVAILABLE, "This device does not support the queried technique."},
    {D3DERR_INVALIDDEVICE, "The requested device type is not valid."},
    {D3DERR_INVALIDCALL, "The method call is invalid. For example, a method's parameter may not be a valid pointer."},
    {D3DOK_NOAUTOGEN, "Mipmaps could not be generated automatically for this format."},
    {D3DXERR_CANNOTMODIFYINDEXBUFFER, "The index buffer cannot be modified."},
    {D3DXERR_INVALIDMESH, "The mesh is invalid."},
    {D3DXERR_CANNOTATTRSORT, "Attribute sort is not supported as an optimization technique."},
    {D3DXERR_SKINNINGNOTSUPPORTED, "Skinning is not supported."},
    {D3DXERR_TOOMANYINFLUENCES, "Too many influences specified."},
    {D3DXERR_INVALIDDATA, "The data is invalid."},
    {D3DXERR_LOADEDMESHHASNODATA, "The mesh has no data."},
    {D3DXERR_DUPLICATENAMEDFRAGMENT, "A fragment with that name already exists."},
    {D3DXERR_CANNOTREMOVELASTITEM, "The last item cannot be deleted."},
};

// The utility loader's object.
IDirect3D9* g_utilD3D = nullptr;
bool g_utilCreated = false;

}  // namespace

const EngUtilsDX9Format* EngUtilsDX9_GetFormatTable() { return kFormats; }

bool EngUtilsDX9_IsFormatInTable(D3DFORMAT format, int* bitsPerPixel, bool* hasAlpha) {
  for (const EngUtilsDX9Format& f : kFormats) {
    if (f.format != format) continue;
    if (bitsPerPixel) *bitsPerPixel = f.bitsPerPixel;
    if (hasAlpha) *hasAlpha = f.hasAlpha;
    return true;
  }
  return false;
}

int EngUtilsDX9_GetBitdepthFromFormat(D3DFORMAT format, bool* hasAlpha, bool report) {
  int bits = 0;
  if (EngUtilsDX9_IsFormatInTable(format, &bits, hasAlpha)) return bits;
  if (report) DebugError("EngUtilsDX9_GetBitdepthFromFormat", "Unrecognised format [%d]", static_cast<int>(format));
  return 0;
}

bool EngUtilsDX9_GetSupportedSurfaceFormat(D3DFORMAT* format, bool alphaWanted) {
  if (!EngDeviceDX9GetD3DDevice() || !format) return false;
  *format = alphaWanted ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
  return true;
}

const char* EngUtilsDX9_GetResultText(HRESULT result) {
  for (const ResultText& r : kResultTexts)
    if (r.code == result) return r.text;
  static char unknown[64];
  std::snprintf(unknown, sizeof(unknown), "Unknown error <0x%x>", static_cast<unsigned>(result));
  return unknown;
}

bool EngUtilsDX9_CheckResult(const char* caller, const char* call, HRESULT result) {
  if (result == S_OK) return true;
  DebugError(caller, "%s: %s", call ? call : "", EngUtilsDX9_GetResultText(result));
  return false;
}

bool EngUtilsDX9_LoadD3D9() { return true; }
void EngUtilsDX9_UnloadD3D9() {}
IDirect3D9* EngUtilsDX9_DynamicDirect3DCreate9(UINT sdkVersion) { return Direct3DCreate9(sdkVersion); }

IDirect3D9* EngUtilsDX9_CreateD3D(bool showMessage) {
  const char* where = "EngUtilsDX9_CreateD3D";
  if (g_utilCreated) {
    DebugError(where, "Already called");
    return g_utilD3D;
  }
  if (g_utilD3D) {
    DebugError(where, "D3d object already created");
    return g_utilD3D;
  }
  if (!EngUtilsDX9_LoadD3D9()) {
    DebugError(where, "DirectX9 Not Installed");
    if (showMessage)
      EngMiscMessageBox(2, "DirectX 9 Not Detected",
                        "The graphics layer (OpenGL 2.1 through SDL2) does not appear to be available.");
    return nullptr;
  }
  g_utilD3D = EngUtilsDX9_DynamicDirect3DCreate9(32);
  if (!g_utilD3D) {
    g_utilD3D = EngUtilsDX9_DynamicDirect3DCreate9(31);
    if (g_utilD3D) DebugNote("EngUtilsDX9_CreateD3D: Warning - Using DirectX version 9.0b (not 9.0c)");
  }
  if (!g_utilD3D) {
    DebugError(where, "Could not create d3d object");
    return nullptr;
  }
  g_utilCreated = true;
  return g_utilD3D;
}

void EngUtilsDX9_ReleaseD3D() {
  const char* where = "EngUtilsDX9_ReleaseD3D";
  if (!g_utilCreated) {
    DebugError(where, "Not created");
    return;
  }
  if (!g_utilD3D) {
    DebugError(where, "Created but NULL");
    g_utilCreated = false;
    return;
  }
  g_utilD3D->Release();
  g_utilD3D = nullptr;
  EngUtilsDX9_UnloadD3D9();
  g_utilCreated = false;
}
