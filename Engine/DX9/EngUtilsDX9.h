// EngUtilsDX9.h - the small Direct3D services the whole back end shares: the
// engine's table of eight surface formats, the texture surface format, the
// result check that turns a failed call into one log line, and the utility
// Direct3D object used while the display-mode list is built.
//
// The runtime is not loaded from a library here: the platform layer's
// Direct3DCreate9 is always present, so the loaders only make objects.
//
// State: the utility loader's Direct3D object and its created flag (until
// EngUtilsDX9_ReleaseD3D).
#pragma once

#include "Platform/D3D9.h"

// One row of the engine's format table.
struct EngUtilsDX9Format {
  D3DFORMAT format;
  int bitsPerPixel;
  bool hasAlpha;
};
// The eight rows in table order: X8R8G8B8, A8R8G8B8, R5G6B5, X1R5G5B5,
// A1R5G5B5, X4R4G4B4, A4R4G4B4, R8G8B8 (also the order adapter formats are
// tried in).
constexpr int kEngUtilsDX9FormatCount = 8;
const EngUtilsDX9Format* EngUtilsDX9_GetFormatTable();

// True when the format is in the table; the outputs (optional) get its bits
// and alpha flag.
bool EngUtilsDX9_IsFormatInTable(D3DFORMAT format, int* bitsPerPixel, bool* hasAlpha);
// Bits per pixel of a table format; 0 for any other, reported as
// "Unrecognised format [%d]" when report is set. hasAlpha may be null.
int EngUtilsDX9_GetBitdepthFromFormat(D3DFORMAT format, bool* hasAlpha, bool report);
// A8R8G8B8 when alpha is wanted, else X8R8G8B8. False (format untouched)
// without a device.
bool EngUtilsDX9_GetSupportedSurfaceFormat(D3DFORMAT* format, bool alphaWanted);

// Only S_OK counts as success. Any other result (success codes included) is
// logged under caller as "<call>: <text of the result>" and gives false.
bool EngUtilsDX9_CheckResult(const char* caller, const char* call, HRESULT result);
// The one-sentence text of a result code ("Unknown error <0x%x>" for codes
// without one; the text lies in a buffer the next call overwrites).
const char* EngUtilsDX9_GetResultText(HRESULT result);

// The utility loader: always available here. EngUtilsDX9_DynamicDirect3DCreate9
// makes an object of the given SDK version (null when the back end cannot).
bool EngUtilsDX9_LoadD3D9();
void EngUtilsDX9_UnloadD3D9();
IDirect3D9* EngUtilsDX9_DynamicDirect3DCreate9(UINT sdkVersion);
// The utility object: made once ("Already called" and the same object on a
// second call), version 32 then 31 ("EngUtilsDX9_CreateD3D: Warning - Using
// DirectX version 9.0b (not 9.0c)"), "Could not create d3d object" and null
// when neither works; with showMessage, a missing runtime shows an error box.
IDirect3D9* EngUtilsDX9_CreateD3D(bool showMessage);
// Releases the utility object ("Not created" when there is none).
void EngUtilsDX9_ReleaseD3D();
