// EngDeviceDX9.cpp - the device's life: the Direct3D object, the settings
// selection, creation, scenes, present, loss and teardown (see
// EngDeviceDX9.h).
//
// Failure paths never leave a half-made device behind: when creation fails
// after the device exists, the device is released and the settings records
// are freed before false is returned. Releasing a device that still has live
// graphics objects logs their count once ("Graphics objects not released
// [%d]"); the device goes at once and those objects refuse further use.
// The renderer is named in the log at the first device, and again only when
// a device comes on another one.
#include "Engine/DX9/EngDeviceDX9.h"

#include <algorithm>
#include <string>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/ComDxWinTextureCursor.h"
#include "Engine/DX9/EngParticlesDX9.h"
#include "Engine/DX9/EngResModesDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngDevice.h"
#include "Engine/EngMisc.h"
#include "Engine/EngWindow.h"

namespace {

IDirect3D9* g_d3d = nullptr;
IDirect3DDevice9* g_d3dDevice = nullptr;
EngDeviceDX9* g_deviceDX9 = nullptr;
// The renderer the log named last: a device made anew on it (each step of a
// window-size drag) does not name it again.
std::string g_rendererNoted;

// The engine's acceptance test: the pair must support post-pixel-shader
// blending of textures.
bool AcceptFormats(IDirect3D9* d3d, const D3DCAPS9* caps, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat, bool,
                   void*) {
  return d3d->CheckDeviceFormat(caps->AdapterOrdinal, caps->DeviceType, adapterFormat,
                                D3DUSAGE_QUERY_POSTPIXELSHADER_BLENDING, D3DRTYPE_TEXTURE, backBufferFormat) == D3D_OK;
}

EngWindow* WindowOf(EngDevice* owner) { return owner ? owner->GetWindow() : nullptr; }

void ApplyWindowAntiAliasing(EngDevice* owner, DxutDeviceSettings* s) {
  EngWindow* window = WindowOf(owner);
  const int type = window ? window->GetSettings().multisampleType : 0;
  const int quality = window ? window->GetSettings().multisampleQuality : 0;
  s->pp.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(type > 0 ? type : 0);
  s->pp.MultiSampleQuality = static_cast<DWORD>(quality > 0 ? quality : 0);
  if (s->pp.MultiSampleType != D3DMULTISAMPLE_NONE) s->pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
}

}  // namespace

DWORD g_engDeviceDX9BlendFactors[11];

IDirect3DDevice9* EngDeviceDX9GetD3DDevice() { return g_d3dDevice; }
EngDeviceDX9* EngDeviceDX9GetCurrent() { return g_deviceDX9; }
void EngDeviceDX9ResetNotesForTests() { g_rendererNoted.clear(); }

// ---- Construction ------------------------------------------------------------------

EngDeviceDX9::EngDeviceDX9(EngDevice* owner) : owner_(owner) {
  if (EngWindow* window = WindowOf(owner)) window_ = window->Win().handle;
  defaultMaterial_.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  defaultMaterial_.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
  D3DXMatrixIdentity(&projection_);
  D3DXMatrixIdentity(&view_);
  D3DXMatrixIdentity(&world_);
  D3DXMatrixIdentity(&identity_);
  const DWORD factors[11] = {D3DBLEND_ZERO,         D3DBLEND_ONE,          D3DBLEND_SRCCOLOR,    D3DBLEND_INVSRCCOLOR,
                             D3DBLEND_SRCALPHA,     D3DBLEND_INVSRCALPHA,  D3DBLEND_INVDESTCOLOR, D3DBLEND_INVDESTALPHA,
                             D3DBLEND_DESTCOLOR,    D3DBLEND_DESTALPHA,    D3DBLEND_SRCALPHASAT};
  for (int i = 0; i < 11; ++i) g_engDeviceDX9BlendFactors[i] = factors[i];
  g_deviceDX9 = this;
}

EngDeviceDX9::~EngDeviceDX9() {
  if (g_d3dDevice || g_d3d) ReleaseAll();
  if (g_deviceDX9 == this) g_deviceDX9 = nullptr;
}

// ---- Loader stand-ins ----------------------------------------------------------------

bool EngDeviceDX9::EnsureD3D9Loaded() { return true; }
IDirect3D9* EngDeviceDX9::DynamicDirect3DCreate9(UINT sdkVersion) { return Direct3DCreate9(sdkVersion); }
void EngDeviceDX9::UnloadD3D9() {}

// ---- Creation ---------------------------------------------------------------------------

bool EngDeviceDX9::CreateD3DObject() {
  if (d3dReady_ && g_d3d) return true;
  if (!D3DXCheckVersion(32, 23)) {
    if (!D3DXCheckVersion(31, 23)) {
      EngMiscMessageBox(2, "Error", "Incorrect DirectX Version");
      return false;
    }
    DebugNote("[DxDevices] Init - Warning - Using DirectX V9.0b");
  }
  if (!g_d3d) {
    g_d3d = DynamicDirect3DCreate9(32);
    if (!g_d3d) {
      g_d3d = DynamicDirect3DCreate9(31);
      if (!g_d3d) {
        EngMiscMessageBox(2, "Error", "Could not create Direct3D Object");
        return false;
      }
      DebugNote("[DxDevices] Init - Warning - Created DirectX V9.0b");
    }
  }
  d3dReady_ = true;
  return true;
}

bool EngDeviceDX9::Create(int windowed, int width, int height, int bitDepth, int aaEntry) {
  if (!CreateDeviceForMode(windowed, width, height, bitDepth, aaEntry)) return false;
  SetDefaultDeviceState();
  if (EngWindow* window = WindowOf(owner_)) ComDxWinCreateTextureCursor(window);
  return true;
}

bool EngDeviceDX9::CreateDeviceForMode(int windowed, int width, int height, int bitDepth, int) {
  if (!CreateD3DObject()) return false;
  if (!DxutEnumerationIsDone()) {
    DxutEnumerationReset();
    DxutEnumerationDoEnumerate(g_d3d, AcceptFormats, nullptr);
  }
  const bool fullScreen = windowed == 0;
  DxutMatchOptions match{};
  match.adapterOrdinal = DXUTMT_PRESERVE_INPUT;
  match.deviceType = DXUTMT_IGNORE_INPUT;
  match.windowed = DXUTMT_PRESERVE_INPUT;
  match.adapterFormat = (fullScreen && bitDepth >= 1) ? DXUTMT_CLOSEST_TO_INPUT : DXUTMT_IGNORE_INPUT;
  match.vertexProcessing = DXUTMT_IGNORE_INPUT;
  match.resolution = DXUTMT_CLOSEST_TO_INPUT;
  match.backBufferFormat = DXUTMT_IGNORE_INPUT;
  match.backBufferCount = DXUTMT_IGNORE_INPUT;
  match.multiSample = DXUTMT_PRESERVE_INPUT;
  match.swapEffect = DXUTMT_IGNORE_INPUT;
  match.depthFormat = DXUTMT_IGNORE_INPUT;
  match.stencilFormat = DXUTMT_IGNORE_INPUT;
  match.presentFlags = DXUTMT_IGNORE_INPUT;
  match.refreshRate = DXUTMT_IGNORE_INPUT;
  match.presentInterval = DXUTMT_IGNORE_INPUT;

  DxutDeviceSettings desired{};
  desired.adapterOrdinal = 0;
  desired.pp.Windowed = fullScreen ? FALSE : TRUE;
  desired.pp.BackBufferWidth = static_cast<UINT>(width > 0 ? width : 0);
  desired.pp.BackBufferHeight = static_cast<UINT>(height > 0 ? height : 0);
  ApplyWindowAntiAliasing(owner_, &desired);
  if (fullScreen && bitDepth == 32) desired.adapterFormat = D3DFMT_X8R8G8B8;
  if (fullScreen && bitDepth == 16) desired.adapterFormat = D3DFMT_R5G6B5;

  DxutDeviceSettings valid{};
  if (DXUTFindValidDeviceSettings(&valid, &desired, &match) != 0) {
    EngMiscMessageBox(2, "EngDeviceDX9::Create", "Could not find valid settings");
    return false;
  }
  if (!DoChangeDevice(valid)) {
    EngMiscMessageBox(2, "EngDeviceDX9::Create", "Could not change device");
    return false;
  }
  return true;
}

bool EngDeviceDX9::DoChangeDevice(const DxutDeviceSettings& settings) {
  const char* title = "EngDeviceDX9::DoChangeDevice";
  if (!g_d3d) {
    EngMiscMessageBox(2, title, "No Direct3D Object");
    return false;
  }
  if (!window_) {
    EngMiscMessageBox(2, title, "No parent window");
    return false;
  }
  std::unique_ptr<DxutDeviceSettings> previous = std::move(settings_);
  settings_ = std::make_unique<DxutDeviceSettings>(settings);
  Cleanup3DEnvironment(false);

  // Every failure from here frees the new record (and the device if made).
  auto fail = [&](int kind, const char* boxTitle, const char* text) {
    Cleanup3DEnvironment(true);
    settings_.reset();
    EngMiscMessageBox(kind, boxTitle, text);
    return false;
  };

  if (!previous && settings_->deviceType == D3DDEVTYPE_REF)
    EngMiscMessageBox(1, "", "Switching to sofware renderer and no hardware renderer found.");
  ApplyWindowAntiAliasing(owner_, settings_.get());
  // A kept back buffer lets a frame redraw and present only what changed (a
  // multisampled one is discarded at every present).
  if (settings_->pp.MultiSampleType == D3DMULTISAMPLE_NONE) settings_->pp.SwapEffect = D3DSWAPEFFECT_COPY;
  settings_->pp.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
  settings_->pp.FullScreen_RefreshRateInHz = 0;
  settings_->pp.hDeviceWindow = window_;

  const HRESULT hr = g_d3d->CreateDevice(settings_->adapterOrdinal, settings_->deviceType, window_,
                                        settings_->behaviorFlags, &settings_->pp, &g_d3dDevice);
  if (hr == D3DERR_OUTOFVIDEOMEMORY) {
    g_d3dDevice = nullptr;
    if (settings_->pp.MultiSampleType != D3DMULTISAMPLE_NONE)
      return fail(2, "Cannot Create Direct 3D Device", "Try turning off anti aliasing, or running in a lower resolution.");
    return fail(2, title, "Could not create the Direct3D device");
  }
  if (!EngUtilsDX9_CheckResult(title, "CreateDevice", hr) || !g_d3dDevice) {
    g_d3dDevice = nullptr;
    return fail(2, title, "Error creating the Direct3D device");
  }

  if (settings_->pp.MultiSampleType != D3DMULTISAMPLE_NONE)
    EngUtilsDX9_CheckResult("DXUTChangeDevice", "SetRenderState(MS-On)",
                            g_d3dDevice->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, TRUE));
  else
    EngUtilsDX9_CheckResult("DXUTChangeDevice", "SetRenderState(MS-Off)",
                            g_d3dDevice->SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, FALSE));

  if (WindowOf(owner_))
    EngWindowSetScreenMode(settings_->pp.Windowed ? 1 : 0, static_cast<int>(settings_->pp.BackBufferWidth),
                           static_cast<int>(settings_->pp.BackBufferHeight),
                           EngUtilsDX9_GetBitdepthFromFormat(settings_->pp.BackBufferFormat, nullptr, true), 0);

  if (!Init3DEnvironment()) return fail(2, title, "Init3DEnvironment() failed");
  const DxutEnumerationAdapterInfo* info = nullptr;
  if (!DxutEnumerationGetAdapterInfoNew(settings_->adapterOrdinal, &info))
    return fail(2, title, "DxutEnumerationGetAdapterInfoNew() failed");
  // A software renderer is only noted: it is what a machine without a
  // graphics driver (or a test under Xvfb) has.
  if (info->uniqueDescription != g_rendererNoted) {
    g_rendererNoted = info->uniqueDescription;
    DebugNote("[DxDevices] Renderer: %s", g_rendererNoted.c_str());
  }
  return true;
}

bool EngDeviceDX9::Init3DEnvironment() {
  if (!g_d3dDevice) {
    DebugError("EngDeviceDX9::Init3DEnvironment", "No Device");
    return false;
  }
  if (!window_) {
    EngMiscMessageBox(2, "EngDeviceDX9::Init3DEnvironment", "No parent window");
    return false;
  }
  PrepareDevice();
  return true;
}

void EngDeviceDX9::PrepareDevice() {
  backBufferDesc_ = {};
  IDirect3DSurface9* backBuffer = nullptr;
  if (g_d3dDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer) == D3D_OK && backBuffer) {
    backBuffer->GetDesc(&backBufferDesc_);
    backBuffer->Release();
  }
  EngUtilsDX9_CheckResult("DXUTPrepareDevice", "GetDeviceCaps", g_d3dDevice->GetDeviceCaps(&caps_));
}

// ---- Teardown ------------------------------------------------------------------------------

void EngDeviceDX9::Cleanup3DEnvironment(bool freeSettings) {
  if (!g_d3dDevice) return;
  const ULONG live = g_d3dDevice->Release();
  if (live != 0)
    DebugError("EngDeviceDX9::Cleanup3DEnvironment", "Graphics objects not released [%d]", static_cast<int>(live));
  g_d3dDevice = nullptr;
  rendering_ = false;
  if (freeSettings) settings_.reset();
  backBufferDesc_ = {};
  caps_ = {};
}

void EngDeviceDX9::ReleaseAll() {
  Cleanup3DEnvironment(true);
  DxutEnumerationCleanup();
  if (g_d3d) {
    g_d3d->Release();
    g_d3d = nullptr;
  }
  UnloadD3D9();
}

void EngDeviceDX9::Destroy() {
  DoSyncGpuWithCpuUsingLockedSurfaces(true);
  DoSyncGpuWithCpuUsingEvents(true);
  EngDimDestroy_DX9();
  EngParticleSystemDestroyGraphics_DX9();  // the shared buffer never outlives its device
  ComDxWinReleaseTextureCursor();
  ReleaseAll();
  d3dReady_ = false;
}

// ---- Scenes and presenting -----------------------------------------------------------------

bool EngDeviceDX9::BeginRendering() {
  if (!g_d3dDevice) return false;
  if (deviceLost_) {
    if (g_d3dDevice->TestCooperativeLevel() != D3DERR_DEVICELOST) {
      if (EngWindow* window = WindowOf(owner_)) window->RecreateDeviceOnNextTick();
      deviceLost_ = false;
    }
    return false;
  }
  if (rendering_) {
    DebugError("EngDeviceDX9::BeginRendering", "Already rendering");
    EndRendering();
  }
  if (!EngUtilsDX9_CheckResult("EngDeviceDX9::BeginRendering", "BeginScene", g_d3dDevice->BeginScene())) return false;
  rendering_ = true;
  return true;
}

bool EngDeviceDX9::BeginRenderingIfNotRendering() {
  if (rendering_) return false;
  BeginRendering();
  return true;
}

void EngDeviceDX9::EndRendering() {
  if (!g_d3dDevice) return;
  if (!rendering_) {
    DebugError("EngDeviceDX9::EndRendering", "Not rendering");
    return;
  }
  EngUtilsDX9_CheckResult("EngDeviceDX9::EndRendering", "EndScene", g_d3dDevice->EndScene());
  rendering_ = false;
}

void EngDeviceDX9::SwapBuffers() { SwapBuffersPart(nullptr); }

bool EngDeviceDX9::KeepsFrames() const {
  D3DPRESENT_PARAMETERS kept{};
  return g_d3dDevice && g_d3dDevice->GetPresentParameters(&kept) == D3D_OK &&
         kept.SwapEffect == D3DSWAPEFFECT_COPY;
}

void EngDeviceDX9::LimitDrawingTo(const RECT* rect) {
  if (!g_d3dDevice) return;
  if (!rect) {
    g_d3dDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, FALSE);
    return;
  }
  const RECT whole = {0, 0, static_cast<LONG>(settings_ ? settings_->pp.BackBufferWidth : 0),
                      static_cast<LONG>(settings_ ? settings_->pp.BackBufferHeight : 0)};
  RECT r = {std::max(rect->left, whole.left), std::max(rect->top, whole.top), std::min(rect->right, whole.right),
            std::min(rect->bottom, whole.bottom)};
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  EngUtilsDX9_CheckResult("EngDeviceDX9::LimitDrawingTo", "SetScissorRect", g_d3dDevice->SetScissorRect(&r));
  g_d3dDevice->SetRenderState(D3DRS_SCISSORTESTENABLE, TRUE);
}

void EngDeviceDX9::SwapBuffersPart(const RECT* rect) {
  const char* where = "EngDeviceDX9::SwapBuffers";
  if (!g_d3dDevice) {
    DebugError(where, "No device");
    return;
  }
  const RECT* part = KeepsFrames() ? rect : nullptr;
  const HRESULT hr = g_d3dDevice->Present(part, part, nullptr, nullptr);
  if (hr == D3D_OK) return;
  if (hr == D3DERR_DRIVERINTERNALERROR) {
    DebugError(where, "Internal Driver Error");
  } else if (hr == D3DERR_DEVICELOST) {
    DebugNote("Warning: Device Lost...");
    deviceLost_ = true;
  } else {
    DebugError(where, "Unexpected error.");
  }
}
