// DxutEnumeration.cpp - listing what the machine can do (see
// DxutEnumeration.h). The selection is in DxutSettings.cpp.
//
// State: the options and candidate lists (DxutEnumerationReset), the adapter
// list and the enumerated flag (DxutEnumerationDoEnumerate, cleared by
// DxutEnumerationCleanup).
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "Engine/DX9/DxutEnumeration.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngMisc.h"

namespace {

struct EnumerationState {
  UINT minWidth = 0, maxWidth = ~0u, minHeight = 0, maxHeight = ~0u;
  UINT minRefresh = 0, maxRefresh = ~0u;
  UINT qualityCap = 65535;
  bool requirePostPixelShaderBlending = true;
  bool softwareVP = true, hardwareVP = true, pureVP = true, mixedVP = false;
  DxutAcceptCallback accept = nullptr;
  void* context = nullptr;
  bool enumerated = false;
  std::vector<D3DFORMAT> depthStencilCandidates;
  std::vector<D3DMULTISAMPLE_TYPE> multiSampleCandidates;
  std::vector<UINT> presentIntervalCandidates;
  std::vector<DxutEnumerationAdapterInfo> adapters;
  IDirect3D9* d3d = nullptr;
};

EnumerationState g_enum;

constexpr D3DFORMAT kAdapterFormats[] = {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5,   D3DFMT_X1R5G5B5,
                                         D3DFMT_A1R5G5B5, D3DFMT_X4R4G4B4, D3DFMT_A4R4G4B4, D3DFMT_R8G8B8};
constexpr D3DFORMAT kBackBufferFormats[] = {D3DFMT_R8G8B8,   D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_R5G6B5,
                                            D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4, D3DFMT_X4R4G4B4};

bool ModeLess(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
  if (a.Width != b.Width) return a.Width < b.Width;
  if (a.Height != b.Height) return a.Height < b.Height;
  if (a.Format != b.Format) return a.Format < b.Format;
  return a.RefreshRate < b.RefreshRate;
}

void BuildComboLists(IDirect3D9* d3d, DxutEnumerationDeviceCombo& combo, const D3DCAPS9& caps) {
  for (D3DFORMAT f : g_enum.depthStencilCandidates) {
    if (d3d->CheckDeviceFormat(combo.adapterOrdinal, combo.deviceType, combo.adapterFormat, D3DUSAGE_DEPTHSTENCIL,
                               D3DRTYPE_SURFACE, f) != D3D_OK)
      continue;
    if (d3d->CheckDepthStencilMatch(combo.adapterOrdinal, combo.deviceType, combo.adapterFormat,
                                    combo.backBufferFormat, f) != D3D_OK)
      continue;
    combo.depthStencilFormats.push_back(f);
  }
  for (D3DMULTISAMPLE_TYPE t : g_enum.multiSampleCandidates) {
    DWORD quality = 0;
    if (d3d->CheckDeviceMultiSampleType(combo.adapterOrdinal, combo.deviceType, combo.backBufferFormat,
                                        combo.windowed, t, &quality) != D3D_OK)
      continue;
    combo.multiSampleTypes.push_back(t);
    combo.multiSampleQualities.push_back(std::min<DWORD>(quality, g_enum.qualityCap + 1));
  }
  if (combo.multiSampleTypes.empty()) return;
  for (D3DFORMAT f : combo.depthStencilFormats)
    for (D3DMULTISAMPLE_TYPE t : combo.multiSampleTypes)
      if (d3d->CheckDeviceMultiSampleType(combo.adapterOrdinal, combo.deviceType, f, combo.windowed, t, nullptr) !=
          D3D_OK)
        combo.conflicts.emplace_back(f, t);
  for (UINT interval : g_enum.presentIntervalCandidates) {
    if (combo.windowed && (interval == D3DPRESENT_INTERVAL_TWO || interval == D3DPRESENT_INTERVAL_THREE ||
                           interval == D3DPRESENT_INTERVAL_FOUR))
      continue;
    if (interval == D3DPRESENT_INTERVAL_DEFAULT || (caps.PresentationIntervals & interval))
      combo.presentIntervals.push_back(interval);
  }
}

void AddDeviceCombos(IDirect3D9* d3d, DxutEnumerationAdapterInfo& adapter, DxutEnumerationDeviceInfo& device,
                     const std::vector<D3DFORMAT>& adapterFormats) {
  for (D3DFORMAT adapterFormat : adapterFormats) {
    for (D3DFORMAT backBufferFormat : kBackBufferFormats) {
      for (BOOL windowed = 0; windowed < 2; ++windowed) {
        if (!windowed && adapter.displayModes.empty()) continue;
        if (d3d->CheckDeviceType(adapter.adapterOrdinal, device.deviceType, adapterFormat, backBufferFormat,
                                 windowed) != D3D_OK)
          continue;
        if (g_enum.requirePostPixelShaderBlending &&
            d3d->CheckDeviceFormat(adapter.adapterOrdinal, device.deviceType, adapterFormat,
                                   D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE,
                                   backBufferFormat) != D3D_OK)
          continue;
        if (g_enum.accept &&
            !g_enum.accept(d3d, &device.caps, adapterFormat, backBufferFormat, windowed != 0, g_enum.context))
          continue;
        DxutEnumerationDeviceCombo combo{};
        combo.adapterOrdinal = adapter.adapterOrdinal;
        combo.deviceType = device.deviceType;
        combo.adapterFormat = adapterFormat;
        combo.backBufferFormat = backBufferFormat;
        combo.windowed = windowed;
        BuildComboLists(d3d, combo, device.caps);
        if (combo.multiSampleTypes.empty()) continue;
        device.combos.push_back(std::move(combo));
      }
    }
  }
}

// Links every combination to its adapter and device once the lists stop
// moving.
void LinkCombos() {
  for (auto& adapter : g_enum.adapters)
    for (auto& device : adapter.deviceInfos)
      for (auto& combo : device.combos) {
        combo.adapterInfo = &adapter;
        combo.deviceInfo = &device;
      }
}

}  // namespace

void DxutEnumerationReset() {
  g_enum = EnumerationState();
  g_enum.depthStencilCandidates = {D3DFMT_D16, D3DFMT_D15S1, D3DFMT_D24X8, D3DFMT_D24S8, D3DFMT_D24X4S4, D3DFMT_D32};
  g_enum.multiSampleCandidates.push_back(D3DMULTISAMPLE_NONE);
  g_enum.multiSampleCandidates.push_back(D3DMULTISAMPLE_NONMASKABLE);
  for (int t = 2; t <= 16; ++t) g_enum.multiSampleCandidates.push_back(static_cast<D3DMULTISAMPLE_TYPE>(t));
  g_enum.presentIntervalCandidates = {D3DPRESENT_INTERVAL_IMMEDIATE, D3DPRESENT_INTERVAL_DEFAULT,
                                     D3DPRESENT_INTERVAL_ONE,       D3DPRESENT_INTERVAL_TWO,
                                     D3DPRESENT_INTERVAL_THREE,     D3DPRESENT_INTERVAL_FOUR};
}

HRESULT DxutEnumerationDoEnumerate(IDirect3D9* d3d, DxutAcceptCallback accept, void* context) {
  if (!d3d) {
    EngMiscMessageBox(2, "DxutEnumerationDoEnumerate", "No Direct 3D Object");
    return 0;
  }
  if (g_enum.depthStencilCandidates.empty()) DxutEnumerationReset();
  g_enum.d3d = d3d;
  g_enum.accept = accept;
  g_enum.context = context;
  g_enum.adapters.clear();
  g_enum.enumerated = false;

  const UINT count = d3d->GetAdapterCount();
  for (UINT ordinal = 0; ordinal < count; ++ordinal) {
    DxutEnumerationAdapterInfo adapter{};
    adapter.adapterOrdinal = ordinal;
    if (!EngUtilsDX9_CheckResult("DxutEnumerationDoEnumerate", "GetAdapterIdentifier",
                                 d3d->GetAdapterIdentifier(ordinal, 0, &adapter.identifier)))
      continue;
    std::vector<D3DFORMAT> adapterFormats;
    for (D3DFORMAT format : kAdapterFormats) {
      const UINT modes = d3d->GetAdapterModeCount(ordinal, format);
      for (UINT m = 0; m < modes; ++m) {
        D3DDISPLAYMODE mode{};
        if (d3d->EnumAdapterModes(ordinal, format, m, &mode) != D3D_OK) continue;
        if (mode.Width < g_enum.minWidth || mode.Width > g_enum.maxWidth || mode.Height < g_enum.minHeight ||
            mode.Height > g_enum.maxHeight)
          continue;
        if (mode.RefreshRate != 0 && (mode.RefreshRate < g_enum.minRefresh || mode.RefreshRate > g_enum.maxRefresh))
          continue;
        adapter.displayModes.push_back(mode);
        if (std::find(adapterFormats.begin(), adapterFormats.end(), mode.Format) == adapterFormats.end())
          adapterFormats.push_back(mode.Format);
      }
    }
    D3DDISPLAYMODE& desktop = adapter.desktopMode;
    if (EngUtilsDX9_CheckResult("DxutEnumerationDoEnumerate", "GetAdapterDisplayMode",
                                d3d->GetAdapterDisplayMode(ordinal, &desktop)) &&
        std::find(adapterFormats.begin(), adapterFormats.end(), desktop.Format) == adapterFormats.end())
      adapterFormats.push_back(desktop.Format);
    std::sort(adapter.displayModes.begin(), adapter.displayModes.end(), ModeLess);

    for (D3DDEVTYPE type : {D3DDEVTYPE_HAL, D3DDEVTYPE_SW, D3DDEVTYPE_REF}) {
      DxutEnumerationDeviceInfo device{};
      device.adapterOrdinal = ordinal;
      device.deviceType = type;
      if (d3d->GetDeviceCaps(ordinal, type, &device.caps) != D3D_OK) continue;
      AddDeviceCombos(d3d, adapter, device, adapterFormats);
      if (!device.combos.empty()) adapter.deviceInfos.push_back(std::move(device));
    }
    if (!adapter.deviceInfos.empty()) g_enum.adapters.push_back(std::move(adapter));
  }

  // Unique descriptions: with any two alike, every adapter gets its ordinal.
  bool duplicates = false;
  for (std::size_t i = 0; i < g_enum.adapters.size(); ++i)
    for (std::size_t j = i + 1; j < g_enum.adapters.size(); ++j)
      if (std::strcmp(g_enum.adapters[i].identifier.Description, g_enum.adapters[j].identifier.Description) == 0)
        duplicates = true;
  for (auto& adapter : g_enum.adapters) {
    adapter.uniqueDescription = adapter.identifier.Description;
    if (duplicates) {
      char suffix[32];
      std::snprintf(suffix, sizeof(suffix), " (#%d)", static_cast<int>(adapter.adapterOrdinal));
      adapter.uniqueDescription += suffix;
    }
  }
  LinkCombos();
  g_enum.enumerated = true;
  return 0;
}

bool DxutEnumerationIsDone() { return g_enum.enumerated; }

bool DxutEnumerationGetAdapterList(const std::vector<DxutEnumerationAdapterInfo>** list) {
  if (!g_enum.enumerated || !list) return false;
  *list = &g_enum.adapters;
  return true;
}

bool DxutEnumerationGetAdapterInfoNew(UINT adapterOrdinal, const DxutEnumerationAdapterInfo** info) {
  for (const auto& adapter : g_enum.adapters) {
    if (adapter.adapterOrdinal != adapterOrdinal) continue;
    if (info) *info = &adapter;
    return true;
  }
  return false;
}

void DxutEnumerationCleanup() {
  g_enum.adapters.clear();
  g_enum.enumerated = false;
  g_enum.d3d = nullptr;
}

UINT DxutColorChannelBits(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_R8G8B8:
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8B8G8R8:
      return 8;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
      return 5;
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
      return 4;
    case D3DFMT_R3G3B2:
    case D3DFMT_A8R3G3B2:
      return 2;
    case D3DFMT_A2B10G10R10:
    case D3DFMT_A2R10G10B10:
      return 10;
    case D3DFMT_A16B16G16R16:
      return 16;
    default:
      return 0;
  }
}

UINT DxutDepthBits(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_D16_LOCKABLE:
    case D3DFMT_D16:
      return 16;
    case D3DFMT_D32:
    case D3DFMT_D32F_LOCKABLE:
      return 32;
    case D3DFMT_D15S1:
      return 15;
    case D3DFMT_D24S8:
    case D3DFMT_D24X8:
    case D3DFMT_D24X4S4:
    case D3DFMT_D24FS8:
      return 24;
    default:
      return 0;
  }
}

UINT DxutStencilBits(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_D15S1:
      return 1;
    case D3DFMT_D24S8:
    case D3DFMT_D24FS8:
      return 8;
    case D3DFMT_D24X4S4:
      return 4;
    default:
      return 0;
  }
}
