// DxutSettings.cpp - choosing device settings: the preferred settings for a
// request, the keep-input test, the rank of each enumerated combination and
// the valid settings built from the winner (see DxutEnumeration.h).
//
// An option "ignore" takes the engine's default for a field; "keep" and
// "closest" start from the request. The first combination with the strictly
// highest rank wins, so of two equal combinations the one enumerated first
// is chosen.
#include <cstdlib>

#include "Engine/DX9/DxutEnumeration.h"
#include "Engine/Debug.h"
#include "Engine/EngMisc.h"

namespace {

const DxutMatchOptions kIgnoreAll{};

bool Keep(DxutMatchType t) { return t == DXUTMT_PRESERVE_INPUT; }
bool Ignore(DxutMatchType t) { return t == DXUTMT_IGNORE_INPUT; }

D3DDISPLAYMODE DesktopOf(UINT adapterOrdinal) {
  const DxutEnumerationAdapterInfo* info = nullptr;
  if (DxutEnumerationGetAdapterInfoNew(adapterOrdinal, &info)) return info->desktopMode;
  return {640, 480, 0, D3DFMT_X8R8G8B8};
}

bool HasHardwareTnL(const DxutEnumerationDeviceCombo& combo) {
  return combo.deviceInfo && (combo.deviceInfo->caps.DevCaps & D3DDEVCAPS_HWTRANSFORMANDLIGHT) != 0;
}

bool ModeExists(const DxutEnumerationDeviceCombo& combo, UINT width, UINT height) {
  if (!combo.adapterInfo) return false;
  for (const D3DDISPLAYMODE& m : combo.adapterInfo->displayModes)
    if (m.Format == combo.adapterFormat && m.Width == width && m.Height == height) return true;
  return false;
}

bool RefreshExists(const DxutEnumerationDeviceCombo& combo, UINT rate) {
  if (!combo.adapterInfo) return false;
  for (const D3DDISPLAYMODE& m : combo.adapterInfo->displayModes)
    if (m.Format == combo.adapterFormat && m.RefreshRate == rate) return true;
  return false;
}

template <class T>
bool Contains(const std::vector<T>& list, T value) {
  for (const T& v : list)
    if (v == value) return true;
  return false;
}

float FormatScore(D3DFORMAT a, D3DFORMAT b) {
  if (a == b) return 1.0f;
  const int diff = std::abs(static_cast<int>(DxutColorChannelBits(a)) - static_cast<int>(DxutColorChannelBits(b)));
  const float score = 0.9f - 0.2f * static_cast<float>(diff);
  return score > 0.0f ? score : 0.0f;
}

}  // namespace

void DxutSettingsBuildPreferred(DxutDeviceSettings* optimal, const DxutDeviceSettings* in,
                                const DxutMatchOptions* options) {
  const DxutMatchOptions& o = options ? *options : kIgnoreAll;
  const DxutDeviceSettings zero{};
  const DxutDeviceSettings& input = in ? *in : zero;
  DxutDeviceSettings& out = *optimal;
  out = {};
  out.adapterOrdinal = Ignore(o.adapterOrdinal) ? D3DADAPTER_DEFAULT : input.adapterOrdinal;
  out.deviceType = Ignore(o.deviceType) ? D3DDEVTYPE_HAL : input.deviceType;
  out.pp.Windowed = Ignore(o.windowed) ? TRUE : input.pp.Windowed;
  const D3DDISPLAYMODE desktop = DesktopOf(out.adapterOrdinal);
  if (!Ignore(o.adapterFormat))
    out.adapterFormat = input.adapterFormat;
  else if (out.pp.Windowed || DxutColorChannelBits(desktop.Format) >= 8)
    out.adapterFormat = desktop.Format;
  else
    out.adapterFormat = D3DFMT_X8R8G8B8;
  out.behaviorFlags = Ignore(o.vertexProcessing) ? D3DCREATE_HARDWARE_VERTEXPROCESSING : input.behaviorFlags;
  if (!Ignore(o.resolution)) {
    out.pp.BackBufferWidth = input.pp.BackBufferWidth;
    out.pp.BackBufferHeight = input.pp.BackBufferHeight;
  } else if (out.pp.Windowed) {
    out.pp.BackBufferWidth = 640;
    out.pp.BackBufferHeight = 480;
  } else {
    out.pp.BackBufferWidth = desktop.Width;
    out.pp.BackBufferHeight = desktop.Height;
  }
  out.pp.BackBufferFormat = Ignore(o.backBufferFormat) ? out.adapterFormat : input.pp.BackBufferFormat;
  out.pp.BackBufferCount = Ignore(o.backBufferCount) ? 1 : input.pp.BackBufferCount;
  if (Ignore(o.multiSample)) {
    out.pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    out.pp.MultiSampleQuality = 0;
  } else {
    out.pp.MultiSampleType = input.pp.MultiSampleType;
    out.pp.MultiSampleQuality = input.pp.MultiSampleQuality;
  }
  out.pp.SwapEffect = Ignore(o.swapEffect) ? D3DSWAPEFFECT_DISCARD : input.pp.SwapEffect;
  if (Ignore(o.depthFormat) && Ignore(o.stencilFormat))
    out.pp.AutoDepthStencilFormat = DxutColorChannelBits(out.pp.BackBufferFormat) < 8 ? D3DFMT_D16 : D3DFMT_D32;
  else
    out.pp.AutoDepthStencilFormat = input.pp.AutoDepthStencilFormat;
  out.pp.Flags = Ignore(o.presentFlags) ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : input.pp.Flags;
  out.pp.FullScreen_RefreshRateInHz = Ignore(o.refreshRate) ? 0 : input.pp.FullScreen_RefreshRateInHz;
  if (Ignore(o.presentInterval))
    out.pp.PresentationInterval = out.pp.Windowed ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_DEFAULT;
  else
    out.pp.PresentationInterval = input.pp.PresentationInterval;
}

bool DxutSettingsComboKeepsInput(const DxutEnumerationDeviceCombo& combo, const DxutDeviceSettings* in,
                                 const DxutMatchOptions* options) {
  if (!in || !options) return true;
  const DxutMatchOptions& o = *options;
  const DxutDeviceSettings& input = *in;
  if (Keep(o.adapterOrdinal) && combo.adapterOrdinal != input.adapterOrdinal) return false;
  if (Keep(o.deviceType) && combo.deviceType != input.deviceType) return false;
  if (Keep(o.windowed) && (combo.windowed != 0) != (input.pp.Windowed != 0)) return false;
  if (Keep(o.adapterFormat) && combo.adapterFormat != input.adapterFormat) return false;
  if (Keep(o.vertexProcessing) && (input.behaviorFlags & D3DCREATE_HARDWARE_VERTEXPROCESSING) &&
      !HasHardwareTnL(combo))
    return false;
  if (Keep(o.resolution) && !ModeExists(combo, input.pp.BackBufferWidth, input.pp.BackBufferHeight)) return false;
  if (Keep(o.backBufferFormat) && combo.backBufferFormat != input.pp.BackBufferFormat) return false;
  if (Keep(o.multiSample)) {
    bool found = false;
    for (std::size_t i = 0; i < combo.multiSampleTypes.size(); ++i)
      if (combo.multiSampleTypes[i] == input.pp.MultiSampleType &&
          combo.multiSampleQualities[i] >= input.pp.MultiSampleQuality)
        found = true;
    if (!found) return false;
  }
  if (Keep(o.depthFormat) && input.pp.AutoDepthStencilFormat != D3DFMT_UNKNOWN) {
    bool found = false;
    for (D3DFORMAT f : combo.depthStencilFormats)
      if (DxutDepthBits(f) == DxutDepthBits(input.pp.AutoDepthStencilFormat)) found = true;
    if (!found) return false;
  }
  if (Keep(o.stencilFormat) && input.pp.AutoDepthStencilFormat != D3DFMT_UNKNOWN) {
    bool found = false;
    for (D3DFORMAT f : combo.depthStencilFormats)
      if (DxutStencilBits(f) == DxutStencilBits(input.pp.AutoDepthStencilFormat)) found = true;
    if (!found) return false;
  }
  if (Keep(o.refreshRate) && !RefreshExists(combo, input.pp.FullScreen_RefreshRateInHz)) return false;
  if (Keep(o.presentInterval) && !Contains(combo.presentIntervals, input.pp.PresentationInterval)) return false;
  return true;
}

float DxutSettingsRankCombo(const DxutEnumerationDeviceCombo& combo, const DxutDeviceSettings* optimal,
                            const D3DDISPLAYMODE* desktop) {
  const DxutDeviceSettings& opt = *optimal;
  float rank = 0.0f;
  if (combo.adapterOrdinal == opt.adapterOrdinal) rank += 1000.0f;
  if (combo.deviceType == opt.deviceType) rank += 100.0f;
  if (combo.deviceType == D3DDEVTYPE_HAL) rank += 0.1f;
  if ((combo.windowed != 0) == (opt.pp.Windowed != 0)) rank += 10.0f;
  rank += FormatScore(combo.adapterFormat, opt.adapterFormat);
  if (!combo.windowed && desktop) {
    const bool desktopDeep = DxutColorChannelBits(desktop->Format) >= 8;
    if ((desktopDeep && combo.adapterFormat == desktop->Format) ||
        (!desktopDeep && combo.adapterFormat == D3DFMT_X8R8G8B8))
      rank += 0.1f;
  }
  if ((opt.behaviorFlags & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING)) &&
      HasHardwareTnL(combo))
    rank += 1.0f;
  if (HasHardwareTnL(combo)) rank += 0.1f;
  if (ModeExists(combo, opt.pp.BackBufferWidth, opt.pp.BackBufferHeight)) rank += 1.0f;
  rank += FormatScore(combo.backBufferFormat, opt.pp.BackBufferFormat);
  if (combo.backBufferFormat == combo.adapterFormat) rank += 0.1f;
  for (std::size_t i = 0; i < combo.multiSampleTypes.size(); ++i) {
    if (combo.multiSampleTypes[i] == opt.pp.MultiSampleType &&
        combo.multiSampleQualities[i] >= opt.pp.MultiSampleQuality) {
      rank += 1.0f;
      break;
    }
  }
  if (Contains(combo.depthStencilFormats, opt.pp.AutoDepthStencilFormat)) rank += 1.0f;
  if (RefreshExists(combo, opt.pp.FullScreen_RefreshRateInHz)) rank += 1.0f;
  if (Contains(combo.presentIntervals, opt.pp.PresentationInterval)) rank += 1.0f;
  return rank;
}

void DxutSettingsFitResolution(const DxutEnumerationDeviceCombo& combo, UINT wantedWidth, UINT wantedHeight,
                               UINT* width, UINT* height) {
  *width = wantedWidth;
  *height = wantedHeight;
  if (!combo.adapterInfo) return;
  if (combo.windowed) {
    const D3DDISPLAYMODE& desktop = combo.adapterInfo->desktopMode;
    if (desktop.Width > 0 && *width > desktop.Width) *width = desktop.Width;
    if (desktop.Height > 0 && *height > desktop.Height) *height = desktop.Height;
    return;
  }
  long best = 100000;
  bool found = false;
  for (const D3DDISPLAYMODE& m : combo.adapterInfo->displayModes) {
    if (m.Format != combo.adapterFormat) continue;
    const long cost = std::labs(static_cast<long>(m.Width) - static_cast<long>(wantedWidth)) +
                      std::labs(static_cast<long>(m.Height) - static_cast<long>(wantedHeight));
    if (cost < best) {
      best = cost;
      *width = m.Width;
      *height = m.Height;
      found = true;
      if (cost == 0) break;
    }
  }
  if (!found) {
    *width = wantedWidth;
    *height = wantedHeight;
  }
}

void DxutSettingsBuildFromCombo(DxutDeviceSettings* out, const DxutEnumerationDeviceCombo& combo,
                                const DxutDeviceSettings* in, const DxutMatchOptions* options) {
  const DxutMatchOptions& o = options ? *options : kIgnoreAll;
  const DxutDeviceSettings zero{};
  const DxutDeviceSettings& input = in ? *in : zero;
  const D3DDISPLAYMODE desktop = combo.adapterInfo ? combo.adapterInfo->desktopMode : D3DDISPLAYMODE{640, 480, 0, D3DFMT_X8R8G8B8};
  DxutDeviceSettings s{};
  s.adapterOrdinal = combo.adapterOrdinal;
  s.deviceType = combo.deviceType;
  s.adapterFormat = combo.adapterFormat;
  s.pp.Windowed = combo.windowed;
  s.pp.BackBufferFormat = combo.backBufferFormat;
  s.pp.hDeviceWindow = nullptr;

  // Behaviour.
  const bool hw = HasHardwareTnL(combo);
  if (Keep(o.vertexProcessing)) {
    s.behaviorFlags = input.behaviorFlags;
  } else if (Ignore(o.vertexProcessing)) {
    s.behaviorFlags = hw ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  } else {
    s.behaviorFlags = input.behaviorFlags;
    const DWORD processing = D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING |
                             D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    if (!hw && (s.behaviorFlags & (D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING))) {
      s.behaviorFlags &= ~(D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING);
      s.behaviorFlags |= D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    }
    if (!(s.behaviorFlags & processing))
      s.behaviorFlags |= hw ? D3DCREATE_HARDWARE_VERTEXPROCESSING : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
  }

  // Back-buffer size.
  if (Keep(o.resolution)) {
    s.pp.BackBufferWidth = input.pp.BackBufferWidth;
    s.pp.BackBufferHeight = input.pp.BackBufferHeight;
  } else {
    UINT wantedW, wantedH;
    if (!Ignore(o.resolution) && input.pp.BackBufferWidth != 0) {
      wantedW = input.pp.BackBufferWidth;
      wantedH = input.pp.BackBufferHeight;
    } else if (combo.windowed) {
      wantedW = 640;
      wantedH = 480;
    } else {
      wantedW = desktop.Width;
      wantedH = desktop.Height;
    }
    DxutSettingsFitResolution(combo, wantedW, wantedH, &s.pp.BackBufferWidth, &s.pp.BackBufferHeight);
  }

  // Back-buffer count.
  if (Keep(o.backBufferCount))
    s.pp.BackBufferCount = input.pp.BackBufferCount;
  else if (Ignore(o.backBufferCount))
    s.pp.BackBufferCount = 1;
  else
    s.pp.BackBufferCount = input.pp.BackBufferCount < 1 ? 1 : input.pp.BackBufferCount > 3 ? 3 : input.pp.BackBufferCount;

  // Multisample.
  if (input.pp.SwapEffect != D3DSWAPEFFECT_DISCARD || Ignore(o.multiSample)) {
    s.pp.MultiSampleType = D3DMULTISAMPLE_NONE;
    s.pp.MultiSampleQuality = 0;
  } else if (Keep(o.multiSample)) {
    s.pp.MultiSampleType = input.pp.MultiSampleType;
    s.pp.MultiSampleQuality = input.pp.MultiSampleQuality;
  } else {
    int bestDistance = 1000;
    for (std::size_t i = 0; i < combo.multiSampleTypes.size(); ++i) {
      const int distance = std::abs(static_cast<int>(combo.multiSampleTypes[i]) - static_cast<int>(input.pp.MultiSampleType));
      if (distance < bestDistance) {
        bestDistance = distance;
        s.pp.MultiSampleType = combo.multiSampleTypes[i];
        const DWORD maxQuality = combo.multiSampleQualities[i] > 0 ? combo.multiSampleQualities[i] - 1 : 0;
        s.pp.MultiSampleQuality = input.pp.MultiSampleQuality < maxQuality ? input.pp.MultiSampleQuality : maxQuality;
      }
    }
  }

  // Swap effect.
  if (Keep(o.swapEffect))
    s.pp.SwapEffect = input.pp.SwapEffect;
  else if (Ignore(o.swapEffect))
    s.pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
  else
    s.pp.SwapEffect = (input.pp.SwapEffect == D3DSWAPEFFECT_DISCARD || input.pp.SwapEffect == D3DSWAPEFFECT_FLIP ||
                       input.pp.SwapEffect == D3DSWAPEFFECT_COPY)
                          ? input.pp.SwapEffect
                          : D3DSWAPEFFECT_DISCARD;

  // Depth-stencil: the cheapest format of the list.
  const int inDepth = static_cast<int>(DxutDepthBits(input.pp.AutoDepthStencilFormat));
  const int inStencil = static_cast<int>(DxutStencilBits(input.pp.AutoDepthStencilFormat));
  const int colorBits = static_cast<int>(DxutColorChannelBits(combo.backBufferFormat));
  int bestCost = -1;
  D3DFORMAT bestDepth = D3DFMT_UNKNOWN;
  for (D3DFORMAT f : combo.depthStencilFormats) {
    const int depth = static_cast<int>(DxutDepthBits(f)), stencil = static_cast<int>(DxutStencilBits(f));
    int cost = Keep(o.depthFormat) ? (depth == inDepth ? 0 : 10000)
               : Ignore(o.depthFormat) ? std::abs(depth - 4 * colorBits)
                                        : std::abs(depth - inDepth);
    cost += Keep(o.stencilFormat) ? (stencil == inStencil ? 0 : 10000)
            : Ignore(o.stencilFormat) ? stencil
                                       : std::abs(stencil - inStencil);
    if (bestCost < 0 || cost < bestCost) {
      bestCost = cost;
      bestDepth = f;
    }
  }
  s.pp.EnableAutoDepthStencil = bestDepth != D3DFMT_UNKNOWN ? TRUE : FALSE;
  s.pp.AutoDepthStencilFormat = bestDepth;

  // Present flags.
  const DWORD discardDepth = s.pp.EnableAutoDepthStencil ? D3DPRESENTFLAG_DISCARD_DEPTHSTENCIL : 0;
  if (Keep(o.presentFlags))
    s.pp.Flags = input.pp.Flags;
  else if (Ignore(o.presentFlags))
    s.pp.Flags = discardDepth;
  else
    s.pp.Flags = input.pp.Flags | discardDepth;

  // Refresh rate.
  if (combo.windowed) {
    s.pp.FullScreen_RefreshRateInHz = 0;
  } else if (Keep(o.refreshRate)) {
    s.pp.FullScreen_RefreshRateInHz = input.pp.FullScreen_RefreshRateInHz;
  } else {
    const UINT wanted = Ignore(o.refreshRate) ? desktop.RefreshRate : input.pp.FullScreen_RefreshRateInHz;
    s.pp.FullScreen_RefreshRateInHz = 0;
    if (wanted != 0 && combo.adapterInfo) {
      long best = -1;
      for (const D3DDISPLAYMODE& m : combo.adapterInfo->displayModes) {
        if (m.Format != combo.adapterFormat || m.Width != s.pp.BackBufferWidth || m.Height != s.pp.BackBufferHeight)
          continue;
        const long d = std::labs(static_cast<long>(m.RefreshRate) - static_cast<long>(wanted));
        if (best < 0 || d < best) {
          best = d;
          s.pp.FullScreen_RefreshRateInHz = m.RefreshRate;
          if (d == 0) break;
        }
      }
    }
  }

  // Present interval.
  const UINT defaultInterval = combo.windowed ? D3DPRESENT_INTERVAL_IMMEDIATE : D3DPRESENT_INTERVAL_DEFAULT;
  if (Keep(o.presentInterval))
    s.pp.PresentationInterval = input.pp.PresentationInterval;
  else if (Ignore(o.presentInterval))
    s.pp.PresentationInterval = defaultInterval;
  else
    s.pp.PresentationInterval =
        Contains(combo.presentIntervals, input.pp.PresentationInterval) ? input.pp.PresentationInterval : defaultInterval;
  *out = s;
}

HRESULT DXUTFindValidDeviceSettings(DxutDeviceSettings* out, const DxutDeviceSettings* in,
                                    const DxutMatchOptions* options) {
  const char* title = "DXUTFindValidDeviceSettings";
  if (!out) {
    EngMiscMessageBox(2, title, "Invalid Arguments");
    return E_FAIL;
  }
  if (!DxutEnumerationIsDone()) {
    EngMiscMessageBox(2, title, "Enumeration not done");
    return E_FAIL;
  }
  DxutDeviceSettings optimal;
  DxutSettingsBuildPreferred(&optimal, in, options);
  const std::vector<DxutEnumerationAdapterInfo>* adapters = nullptr;
  if (!DxutEnumerationGetAdapterList(&adapters)) {
    DebugError(title, "Could not get adapter list");
    return E_FAIL;
  }
  if (adapters->empty()) return DXUTERR_NOCOMPATIBLEDEVICES;

  const DxutEnumerationDeviceCombo* winner = nullptr;
  float bestRank = -1.0f;
  for (const DxutEnumerationAdapterInfo& adapter : *adapters) {
    const D3DDISPLAYMODE& desktop = adapter.desktopMode;
    for (const DxutEnumerationDeviceInfo& device : adapter.deviceInfos) {
      for (const DxutEnumerationDeviceCombo& combo : device.combos) {
        if (combo.windowed && combo.adapterFormat != desktop.Format) continue;
        if (!DxutSettingsComboKeepsInput(combo, in, options)) continue;
        const float rank = DxutSettingsRankCombo(combo, &optimal, &desktop);
        if (rank > bestRank) {
          bestRank = rank;
          winner = &combo;
        }
      }
    }
  }
  if (!winner) return DXUTERR_NOCOMPATIBLEDEVICES;
  DxutSettingsBuildFromCombo(out, *winner, in, options);
  return 0;
}
