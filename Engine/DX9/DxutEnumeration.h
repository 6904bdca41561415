// DxutEnumeration.h - what the machine can do and which settings come
// closest to a request: the adapters with their display modes, the device
// types, and for every usable pair of adapter and back-buffer format in
// window and full-screen use the depth-stencil formats, multisample types
// and present intervals (the enumeration, once per Direct3D object); then
// the selection that ranks every combination against the request and fits
// the result (at every device creation).
//
// State: the enumeration options and lists (set by DxutEnumerationReset,
// filled by DxutEnumerationDoEnumerate, freed by DxutEnumerationCleanup).
#pragma once

#include <string>
#include <vector>

#include "Platform/D3D9.h"

// The 18-word settings record of a device.
struct DxutDeviceSettings {
  UINT adapterOrdinal;
  D3DDEVTYPE deviceType;
  D3DFORMAT adapterFormat;
  DWORD behaviorFlags;
  D3DPRESENT_PARAMETERS pp;
};

// 0 ignore the input, 1 keep the input, 2 closest to the input.
enum DxutMatchType : int { DXUTMT_IGNORE_INPUT = 0, DXUTMT_PRESERVE_INPUT = 1, DXUTMT_CLOSEST_TO_INPUT = 2 };

struct DxutMatchOptions {
  DxutMatchType adapterOrdinal;
  DxutMatchType deviceType;
  DxutMatchType windowed;
  DxutMatchType adapterFormat;
  DxutMatchType vertexProcessing;
  DxutMatchType resolution;
  DxutMatchType backBufferFormat;
  DxutMatchType backBufferCount;
  DxutMatchType multiSample;
  DxutMatchType swapEffect;
  DxutMatchType depthFormat;
  DxutMatchType stencilFormat;
  DxutMatchType presentFlags;
  DxutMatchType refreshRate;
  DxutMatchType presentInterval;
};

struct DxutEnumerationAdapterInfo;
struct DxutEnumerationDeviceInfo;

struct DxutEnumerationDeviceCombo {
  UINT adapterOrdinal;
  D3DDEVTYPE deviceType;
  D3DFORMAT adapterFormat;
  D3DFORMAT backBufferFormat;
  BOOL windowed;
  std::vector<D3DFORMAT> depthStencilFormats;
  std::vector<D3DMULTISAMPLE_TYPE> multiSampleTypes;
  std::vector<DWORD> multiSampleQualities;  // same order as the types
  std::vector<std::pair<D3DFORMAT, D3DMULTISAMPLE_TYPE>> conflicts;
  std::vector<UINT> presentIntervals;
  const DxutEnumerationAdapterInfo* adapterInfo;
  const DxutEnumerationDeviceInfo* deviceInfo;
};

struct DxutEnumerationDeviceInfo {
  UINT adapterOrdinal;
  D3DDEVTYPE deviceType;
  D3DCAPS9 caps;
  std::vector<DxutEnumerationDeviceCombo> combos;
};

struct DxutEnumerationAdapterInfo {
  UINT adapterOrdinal;
  D3DADAPTER_IDENTIFIER9 identifier;
  std::string uniqueDescription;
  D3DDISPLAYMODE desktopMode;                // read at enumeration
  std::vector<D3DDISPLAYMODE> displayModes;  // width, height, format, refresh ascending
  std::vector<DxutEnumerationDeviceInfo> deviceInfos;
};

// Accepts a pair of formats for a device (the engine's test is in
// EngDeviceDX9.cpp).
using DxutAcceptCallback = bool (*)(IDirect3D9* d3d, const D3DCAPS9* caps, D3DFORMAT adapterFormat,
                                    D3DFORMAT backBufferFormat, bool windowed, void* context);

// Sets the options (no limits, quality cap 65535, post-pixel-shader blending
// required), the candidate lists and an empty adapter list; not enumerated.
void DxutEnumerationReset();
// Fills the adapter list from d3d: result 0, or E_FAIL / E_OUTOFMEMORY. Null
// d3d: error box "No Direct 3D Object" and 0.
HRESULT DxutEnumerationDoEnumerate(IDirect3D9* d3d, DxutAcceptCallback accept, void* context);
bool DxutEnumerationIsDone();
// False before enumeration.
bool DxutEnumerationGetAdapterList(const std::vector<DxutEnumerationAdapterInfo>** list);
// False when no adapter has that ordinal.
bool DxutEnumerationGetAdapterInfoNew(UINT adapterOrdinal, const DxutEnumerationAdapterInfo** info);
// Frees the lists; not enumerated.
void DxutEnumerationCleanup();

// The selection. out must be given ("Invalid Arguments"); the enumeration
// must be done ("Enumeration not done"). options null = ignore everything.
// 0 on success; E_FAIL, or 0x80040902 when nothing fits.
constexpr HRESULT DXUTERR_NOCOMPATIBLEDEVICES = static_cast<HRESULT>(0x80040902u);
HRESULT DXUTFindValidDeviceSettings(DxutDeviceSettings* out, const DxutDeviceSettings* in,
                                    const DxutMatchOptions* options);

// Steps of the selection, exposed for tests.
void DxutSettingsBuildPreferred(DxutDeviceSettings* optimal, const DxutDeviceSettings* in,
                                const DxutMatchOptions* options);
bool DxutSettingsComboKeepsInput(const DxutEnumerationDeviceCombo& combo, const DxutDeviceSettings* in,
                                 const DxutMatchOptions* options);
float DxutSettingsRankCombo(const DxutEnumerationDeviceCombo& combo, const DxutDeviceSettings* optimal,
                            const D3DDISPLAYMODE* desktop);
void DxutSettingsBuildFromCombo(DxutDeviceSettings* out, const DxutEnumerationDeviceCombo& combo,
                                const DxutDeviceSettings* in, const DxutMatchOptions* options);
// The back-buffer size for a combination: windowed, each side capped at the
// desktop; full screen, the closest mode of the adapter format (exact match
// wins), or the wanted size when the adapter has none.
void DxutSettingsFitResolution(const DxutEnumerationDeviceCombo& combo, UINT wantedWidth, UINT wantedHeight,
                               UINT* width, UINT* height);

// Bits per colour channel, depth bits and stencil bits of a format.
UINT DxutColorChannelBits(D3DFORMAT format);
UINT DxutDepthBits(D3DFORMAT format);
UINT DxutStencilBits(D3DFORMAT format);
