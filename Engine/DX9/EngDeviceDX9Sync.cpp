// EngDeviceDX9Sync.cpp - making the processor wait for the graphics card
// once a frame: method 0 fills one of two small off-screen surfaces and
// locks the other; method 1 issues an event query and waits for it. A method
// that fails is switched for the other (when the program allows it) or
// dropped; syncing is never fatal.
//
// State: the event query, the two surfaces and the index of the current one;
// freed by EngDeviceDX9::Destroy before the device goes.
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngProgram.h"

namespace {

IDirect3DQuery9* g_query = nullptr;
IDirect3DSurface9* g_surfaces[2] = {nullptr, nullptr};
int g_currentSurface = 0;

// Bound on the wait for an event query (our queries answer at once).
constexpr int kMaxQueryPolls = 1000000;

IDirect3DDevice9* Dev() { return EngDeviceDX9GetD3DDevice(); }

void SetMethod(int method) {
  if (EngProgram* program = EngProgramGetCurrent())
    program->SetSyncWithGpuMethod(method >= 0, method, program->GetSyncWithGpuMaySwitch());
}

}  // namespace

bool EngDeviceDX9::DoSyncGpuWithCpuUsingEvents(bool cleanup) {
  const char* where = "EngDeviceDX9::DoSyncGpuWithCpuUsingEvents";
  if (cleanup) {
    if (g_query) {
      if (!Dev()) DebugError(where, "Could not cleanup as device not ok");
      g_query->Release();
      g_query = nullptr;
    }
    return true;
  }
  if (!Dev()) return false;
  if (!g_query && !EngUtilsDX9_CheckResult(where, "CreateQuery", Dev()->CreateQuery(D3DQUERYTYPE_EVENT, &g_query))) {
    g_query = nullptr;
    return false;
  }
  if (!EngUtilsDX9_CheckResult(where, "Issue", g_query->Issue(D3DISSUE_END))) {
    g_query->Release();
    g_query = nullptr;
    return false;
  }
  DWORD data = 0;
  for (int i = 0; i < kMaxQueryPolls && g_query->GetData(&data, sizeof(data), D3DGETDATA_FLUSH) == S_FALSE; ++i) {
  }
  return true;
}

bool EngDeviceDX9::DoSyncGpuWithCpuUsingLockedSurfaces(bool cleanup) {
  const char* where = "EngDeviceDX9::DoSyncGpuWithCpuUsingLockedSurfaces";
  if (cleanup) {
    for (IDirect3DSurface9*& s : g_surfaces) {
      if (s) s->Release();
      s = nullptr;
    }
    return true;
  }
  if (!Dev()) return false;
  for (int i = 0; i < 2; ++i) {
    if (g_surfaces[i]) continue;
    D3DFORMAT format = D3DFMT_A8R8G8B8;
    EngUtilsDX9_GetSupportedSurfaceFormat(&format, true);
    HRESULT hr = Dev()->CreateOffscreenPlainSurface(16, 16, format, D3DPOOL_DEFAULT, &g_surfaces[i], nullptr);
    if (!EngUtilsDX9_CheckResult(where, "CreateOffscreenPlainSurface(1)", hr)) {
      EngUtilsDX9_GetSupportedSurfaceFormat(&format, false);
      hr = Dev()->CreateOffscreenPlainSurface(16, 16, format, D3DPOOL_DEFAULT, &g_surfaces[i], nullptr);
      if (!EngUtilsDX9_CheckResult(where, "CreateOffscreenPlainSurface", hr)) {
        g_surfaces[i] = nullptr;
        DebugError(where, "Creation of surface %d failed", i);
        return false;
      }
    }
  }
  if (!EngUtilsDX9_CheckResult(where, "ColorFill", Dev()->ColorFill(g_surfaces[g_currentSurface], nullptr, 0)))
    return false;
  g_currentSurface = 1 - g_currentSurface;
  D3DLOCKED_RECT locked;
  if (g_surfaces[g_currentSurface]->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK)
    g_surfaces[g_currentSurface]->UnlockRect();
  return true;
}

bool EngDeviceDX9::DoSyncGpuWithCpu(int method, int cleanup) {
  const char* where = "EngDeviceDX9::DoSyncGpuWithCpu";
  if (method >= 0) {
    SetMethod(method);
    if (cleanup < 0) return true;
  } else if (EngProgram* program = EngProgramGetCurrent()) {
    method = program->GetSyncWithGpuMethod();
  }
  if (method == 0 && !DoSyncGpuWithCpuUsingLockedSurfaces(cleanup > 0)) {
    DebugError(where, "DoSyncGpuWithCpuUsingLockedSurfaces() failed");
    return false;
  }
  if (method == 1 && !DoSyncGpuWithCpuUsingEvents(cleanup > 0)) {
    DebugError(where, "DoSyncGpuWithCpuUsingEvents() failed");
    return false;
  }
  return true;
}

void EngDeviceDX9::SyncWithGPU() {
  EngProgram* program = EngProgramGetCurrent();
  if (!program || !Dev()) return;
  int method = program->GetSyncWithGpuMethod();
  if (method < 0) return;
  auto run = [this](int m) { return m == 0 ? DoSyncGpuWithCpuUsingLockedSurfaces(false) : DoSyncGpuWithCpuUsingEvents(false); };
  auto clean = [this](int m) { m == 0 ? DoSyncGpuWithCpuUsingLockedSurfaces(true) : DoSyncGpuWithCpuUsingEvents(true); };
  if (run(method)) return;
  clean(method);
  DebugError("EngDeviceDX9::SyncWithGPU", "Sync method %d failed", method);
  if (!program->GetSyncWithGpuMaySwitch()) {
    SetMethod(-1);
    return;
  }
  method = method == 0 ? 1 : 0;
  SetMethod(method);
  DebugNote("EngDeviceDX9::SyncWithGPU - Trying method %d ...", method);
  if (run(method)) return;
  clean(method);
  DebugError("EngDeviceDX9::SyncWithGPU", "Sync method %d failed", method);
  SetMethod(-1);
}
