// EngResModesDX9.cpp - building the display-mode lists from adapter 0, their
// anti-aliasing texts, and the screen dimming (see EngResModesDX9.h).
//
// Anti-aliasing entries of a mode of format F: "Off" first; then for
// multisample types 2 to 15 one entry per quality level the adapter offers
// in full screen; last the non-maskable levels, only when there are more of
// them than entries of types 2-15; never more than 20 entries.
#include "Engine/DX9/EngResModesDX9.h"

#include <algorithm>
#include <cstdio>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngMiscPC.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"

namespace {

char g_aaText[64];
EngVertexBufferDX9 g_dimQuad;
bool g_dimCreated = false;

void BuildAAEntries(IDirect3D9* d3d, D3DFORMAT format, EngResModesMode* mode) {
  mode->numAAEntries = 1;
  mode->aaEntries[0] = {0, 0};
  int added = 0;
  for (int type = 2; type <= 15; ++type) {
    DWORD levels = 0;
    if (d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, format, FALSE, static_cast<D3DMULTISAMPLE_TYPE>(type),
                                        &levels) != D3D_OK)
      continue;
    for (DWORD q = 0; q < levels && mode->numAAEntries < kEngResModesMaxAAEntries; ++q) {
      mode->aaEntries[mode->numAAEntries++] = {type, static_cast<std::int32_t>(q)};
      ++added;
    }
  }
  DWORD levels = 0;
  if (d3d->CheckDeviceMultiSampleType(0, D3DDEVTYPE_HAL, format, FALSE, D3DMULTISAMPLE_NONMASKABLE, &levels) ==
          D3D_OK &&
      static_cast<int>(levels) > added) {
    for (DWORD q = 0; q < levels && mode->numAAEntries < kEngResModesMaxAAEntries; ++q)
      mode->aaEntries[mode->numAAEntries++] = {1, static_cast<std::int32_t>(q)};
  }
}

bool ModeLess(const EngResModesMode& a, const EngResModesMode& b) {
  if (a.bitDepth != b.bitDepth) return a.bitDepth < b.bitDepth;
  if (a.width != b.width) return a.width < b.width;
  return a.height < b.height;
}

}  // namespace

bool EngResModesGetList(bool showMessage) {
  const char* where = "EngResModesGetList";
  IDirect3D9* d3d = EngUtilsDX9_CreateD3D(showMessage);
  if (!d3d) {
    DebugError(where, "Could not create directx object");
    return false;
  }
  EngResModesData& data = EngResModesGetData();
  data.count = 0;
  bool full = false;
  const EngUtilsDX9Format* table = EngUtilsDX9_GetFormatTable();
  for (int f = 0; f < kEngUtilsDX9FormatCount; ++f) {
    const UINT count = d3d->GetAdapterModeCount(0, table[f].format);
    for (UINT m = 0; m < count; ++m) {
      D3DDISPLAYMODE mode{};
      if (!EngUtilsDX9_CheckResult(where, "EnumAdapterModes", d3d->EnumAdapterModes(0, table[f].format, m, &mode)))
        continue;
      const int w = static_cast<int>(mode.Width), h = static_cast<int>(mode.Height), bd = table[f].bitsPerPixel;
      const bool listed = std::any_of(data.modes, data.modes + data.count, [&](const EngResModesMode& e) {
        return e.width == w && e.height == h && e.bitDepth == bd;
      });
      if (listed) continue;
      if (data.count >= kEngResModesMaxModes) {
        if (!full) DebugError(where, "Too many modes (%d kept)", kEngResModesMaxModes);
        full = true;
        continue;
      }
      EngResModesMode& e = data.modes[data.count++];
      e = {};
      e.width = w;
      e.height = h;
      e.bitDepth = bd;
      e.format = static_cast<std::int32_t>(table[f].format);
      BuildAAEntries(d3d, table[f].format, &e);
    }
  }
  std::stable_sort(data.modes, data.modes + data.count, ModeLess);

  D3DDISPLAYMODE desktop{};
  EngResModesMode& windowed = data.windowed;
  windowed = {};
  if (d3d->GetAdapterDisplayMode(0, &desktop) == D3D_OK) {
    windowed.width = static_cast<int>(desktop.Width);
    windowed.height = static_cast<int>(desktop.Height);
    windowed.format = static_cast<std::int32_t>(desktop.Format);
    windowed.bitDepth = EngUtilsDX9_GetBitdepthFromFormat(desktop.Format, nullptr, true);
    BuildAAEntries(d3d, desktop.Format, &windowed);
  } else {
    windowed.bitDepth = 32;
    windowed.numAAEntries = 1;
  }
  data.setUp = true;
  EngUtilsDX9_ReleaseD3D();
  return true;
}

bool EngResModesGetModesAvailable_DX9() { return EngResModesGetList(true); }

bool EngResModesGetClosestFullScreenModeToMode_DX9(int* width, int* height, int* bitDepth) {
  const char* where = "EngResModesGetClosestFullScreenModeToMode_DX9";
  if (!width || !height || !bitDepth) {
    DebugError(where, "Invalid Parameters");
    return false;
  }
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) {
    DebugError(where, "Modes not setup");
    return false;
  }
  long best = 1000000000;
  int found = -1;
  for (int i = 0; i < data.count; ++i) {
    const EngResModesMode& m = data.modes[i];
    const long cost = std::labs(static_cast<long>(m.width - *width)) + std::labs(static_cast<long>(m.height - *height)) +
                      10000L * std::labs(static_cast<long>(m.bitDepth - *bitDepth));
    if (cost < best) {
      best = cost;
      found = i;
    }
  }
  if (found < 0) {
    DebugError(where, "Could not get closest mode");
    return false;
  }
  *width = data.modes[found].width;
  *height = data.modes[found].height;
  *bitDepth = data.modes[found].bitDepth;
  return true;
}

bool EngResModesGetWindowedModeDetails_DX9(int* width, int* height, int* bitDepth) {
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) {
    DebugError("EngResModesGetWindowedModeDetails_DX9", "Modes not setup");
    return false;
  }
  if (bitDepth) *bitDepth = data.windowed.bitDepth;
  EngMiscGetDesktopWorkArea_PC(nullptr, nullptr, width, height);
  return true;
}

int ComGlEngResModesGetNumAAEntriesForWindowedMode() {
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) {
    DebugError("ComGlEngResModesGetNumAAEntriesForWindowedMode", "Modes Not Setup");
    return 0;
  }
  return data.windowed.numAAEntries;
}

int EngResModesGetNumAAEntriesForFullscreenMode_DX9(int modeNumber) {
  const char* where = "EngResModesGetNumAAEntriesForFullscreenMode_DX9";
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) {
    DebugError(where, "Modes Not Setup");
    return 0;
  }
  if (modeNumber < 0 || modeNumber >= data.count) {
    DebugError(where, "Invalid Mode Number %d", modeNumber);
    return 0;
  }
  return data.modes[modeNumber].numAAEntries;
}

const char* EngResModesGetAAEntryAsString_DX9(const EngResModesAAEntry* entry) {
  if (!entry) {
    std::snprintf(g_aaText, sizeof(g_aaText), "(error)");
  } else if (entry->type == 0) {
    std::snprintf(g_aaText, sizeof(g_aaText), "Off");
  } else if (entry->type == 1) {
    std::snprintf(g_aaText, sizeof(g_aaText), "Level %d", entry->quality + 1);
  } else if (entry->type >= 2 && entry->type <= 16) {
    if (entry->quality == 0)
      std::snprintf(g_aaText, sizeof(g_aaText), "%dx%d", entry->type, entry->type);
    else
      std::snprintf(g_aaText, sizeof(g_aaText), "%dx%d Level %d", entry->type, entry->type, entry->quality + 1);
  } else {
    std::snprintf(g_aaText, sizeof(g_aaText), "?");
  }
  return g_aaText;
}

const char* EngResModesGetAAEntryForWindowedModeAsString_DX9(int entry) {
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) return "Modes Not Setup";
  if (entry < 0 || entry >= data.windowed.numAAEntries) return "Invalid AA Number";
  return EngResModesGetAAEntryAsString_DX9(&data.windowed.aaEntries[entry]);
}

const char* EngResModesGetAAEntryForFullscreenModeAsString_DX9(int modeNumber, int entry) {
  const EngResModesData& data = EngResModesGetData();
  if (!data.setUp) return "Modes Not Setup";
  if (modeNumber < 0 || modeNumber >= data.count) {
    DebugError("EngResModesGetAAEntryForFullscreenModeAsString", "Invalid Mode Number %d", modeNumber);
    return nullptr;
  }
  const EngResModesMode& mode = data.modes[modeNumber];
  if (entry < 0 || entry >= mode.numAAEntries) return "Invalid AA Number";
  return EngResModesGetAAEntryAsString_DX9(&mode.aaEntries[entry]);
}

// ---- Dimming -----------------------------------------------------------------------------

bool EngDimCreateVertexBuffer_DX9() {
  if (g_dimCreated) return true;
  if (!g_dimQuad.Create(EVBT_POS_COL_2D, nullptr)) {
    DebugError("EngDimCreateVertexBuffer_DX9", "Could not create VB");
    return false;
  }
  g_dimQuad.SetPositionRatioed(0.0f, 0.0f, 640.0f, 480.0f);
  g_dimCreated = true;
  return true;
}

void EngDimSetDarkness_DX9(float darkness) { g_dimQuad.SetColour(0.0f, 0.0f, 0.0f, darkness); }

void EngDimDraw_DX9(float darkness) {
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!EngDeviceGetCurrent() || !device || !EngDeviceDX9GetD3DDevice()) return;
  if (!EngDimCreateVertexBuffer_DX9()) return;
  EngDimSetDarkness_DX9(std::clamp(darkness, 0.0f, 1.0f));
  device->SaveOrRestoreBlendingState(true);
  device->EnableBlendingType(0);
  g_dimQuad.Draw();
  device->SaveOrRestoreBlendingState(false);
}

void EngDimDestroy_DX9() {
  g_dimQuad.Destroy();
  g_dimCreated = false;
}
