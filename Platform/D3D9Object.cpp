// D3D9Object.cpp - the Direct3D object over a capabilities record, shared by
// both back ends, and the factory behind Direct3DCreate9.
//
// Implements: adapters and their identifiers, X8R8G8B8 display modes, the
// desktop mode, format checks from a fixed table, multisample checks from the
// probed levels, HAL capabilities, device creation through the back end.
// Not implemented: reference and software device types (D3DERR_NOTAVAILABLE),
// modes in formats other than X8R8G8B8 (none are listed).
#include <cstdio>
#include <cstring>

#include "Platform/D3D9GL.h"
#include "Platform/D3D9Local.h"

namespace {

bool IsBackBufferFormat(D3DFORMAT f) { return f == D3DFMT_X8R8G8B8 || f == D3DFMT_A8R8G8B8; }
bool IsDepthFormat(D3DFORMAT f) { return f == D3DFMT_D24S8 || f == D3DFMT_D24X8 || f == D3DFMT_D16; }

class D3D9Object final : public IDirect3D9 {
 public:
  D3D9Object(const D3D9Caps& caps, D3D9DeviceMaker maker) : caps_(caps), maker_(maker) {}

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    if (--refs_ > 0) return refs_;
    delete this;
    return 0;
  }

  UINT GetAdapterCount() override { return static_cast<UINT>(caps_.adapters.size()); }

  HRESULT GetAdapterIdentifier(UINT adapter, DWORD, D3DADAPTER_IDENTIFIER9* id) override {
    if (adapter >= GetAdapterCount() || !id) return D3DERR_INVALIDCALL;
    std::memset(id, 0, sizeof(*id));
    const D3D9AdapterCaps& a = caps_.adapters[adapter];
    std::snprintf(id->Driver, sizeof(id->Driver), "%s", "OpenGL");
    std::snprintf(id->Description, sizeof(id->Description), "%s", a.description.c_str());
    std::snprintf(id->DeviceName, sizeof(id->DeviceName), "%s", a.deviceName.c_str());
    return D3D_OK;
  }

  UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override {
    if (adapter >= GetAdapterCount() || format != D3DFMT_X8R8G8B8) return 0;
    return static_cast<UINT>(caps_.adapters[adapter].modes.size());
  }

  HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* out) override {
    if (!out || mode >= GetAdapterModeCount(adapter, format)) return D3DERR_INVALIDCALL;
    *out = caps_.adapters[adapter].modes[mode];
    out->Format = D3DFMT_X8R8G8B8;
    return D3D_OK;
  }

  HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override {
    if (adapter >= GetAdapterCount() || !mode) return D3DERR_INVALIDCALL;
    *mode = caps_.adapters[adapter].desktop;
    mode->Format = D3DFMT_X8R8G8B8;
    return D3D_OK;
  }

  HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat,
                          BOOL) override {
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    if (adapterFormat != D3DFMT_X8R8G8B8 || !IsBackBufferFormat(backBufferFormat)) return D3DERR_NOTAVAILABLE;
    return D3D_OK;
  }

  HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                            D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) override {
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL || adapterFormat != D3DFMT_X8R8G8B8) return D3DERR_NOTAVAILABLE;
    if (usage & D3DUSAGE_DEPTHSTENCIL)
      return (resourceType == D3DRTYPE_SURFACE && IsDepthFormat(checkFormat)) ? D3D_OK : D3DERR_NOTAVAILABLE;
    if (resourceType == D3DRTYPE_TEXTURE || resourceType == D3DRTYPE_SURFACE)
      return IsBackBufferFormat(checkFormat) ? D3D_OK : D3DERR_NOTAVAILABLE;
    return D3DERR_NOTAVAILABLE;
  }

  HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat, BOOL,
                                     D3DMULTISAMPLE_TYPE msType, DWORD* qualityLevels) override {
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL || msType > D3DMULTISAMPLE_16_SAMPLES) return D3DERR_NOTAVAILABLE;
    if (!IsBackBufferFormat(surfaceFormat) && !IsDepthFormat(surfaceFormat)) return D3DERR_NOTAVAILABLE;
    const D3D9AdapterCaps& a = caps_.adapters[adapter];
    DWORD levels = a.multisampleLevels[msType];
    if (msType == D3DMULTISAMPLE_NONE) levels = 1;
    if (msType == D3DMULTISAMPLE_NONMASKABLE) {
      // One non-maskable level per maskable type on offer.
      levels = 0;
      for (int t = 2; t <= 16; ++t)
        if (a.multisampleLevels[t] > 0) ++levels;
    }
    if (levels == 0) return D3DERR_NOTAVAILABLE;
    if (qualityLevels) *qualityLevels = levels;
    return D3D_OK;
  }

  HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                 D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) override {
    if (adapter >= GetAdapterCount()) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL || adapterFormat != D3DFMT_X8R8G8B8) return D3DERR_NOTAVAILABLE;
    return (IsBackBufferFormat(renderTargetFormat) && IsDepthFormat(depthStencilFormat)) ? D3D_OK
                                                                                         : D3DERR_NOTAVAILABLE;
  }

  HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) override {
    if (adapter >= GetAdapterCount() || !caps) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    D3D9FillCaps(caps_.adapters[adapter], adapter, caps);
    return D3D_OK;
  }

  HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD, D3DPRESENT_PARAMETERS* params,
                       IDirect3DDevice9** device) override {
    if (!device) return D3DERR_INVALIDCALL;
    *device = nullptr;
    if (adapter >= GetAdapterCount() || !params) return D3DERR_INVALIDCALL;
    if (type != D3DDEVTYPE_HAL) return D3DERR_NOTAVAILABLE;
    HWND window = params->hDeviceWindow ? params->hDeviceWindow : focusWindow;
    if (!window) return D3DERR_INVALIDCALL;
    return maker_(caps_, adapter, window, params, device);
  }

 private:
  D3D9Caps caps_;
  D3D9DeviceMaker maker_;
  ULONG refs_ = 1;
};

D3D9Factory g_factory = nullptr;

}  // namespace

void D3D9FillCaps(const D3D9AdapterCaps& adapter, UINT ordinal, D3DCAPS9* caps) {
  std::memset(caps, 0, sizeof(*caps));
  caps->DeviceType = D3DDEVTYPE_HAL;
  caps->AdapterOrdinal = ordinal;
  caps->PresentationIntervals = D3DPRESENT_INTERVAL_IMMEDIATE | D3DPRESENT_INTERVAL_ONE;
  caps->DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
  caps->TextureCaps = D3DPTEXTURECAPS_ALPHA;
  caps->MaxTextureWidth = adapter.maxTextureSize;
  caps->MaxTextureHeight = adapter.maxTextureSize;
  caps->MaxTextureBlendStages = 2;
  caps->MaxSimultaneousTextures = 1;
  caps->MaxActiveLights = 8;
  caps->MaxPrimitiveCount = 0xFFFFF;
  caps->MaxVertexIndex = 0xFFFFFF;
  caps->MaxStreams = 1;
}

IDirect3D9* D3D9CreateObject(const D3D9Caps& caps, D3D9DeviceMaker maker) { return new D3D9Object(caps, maker); }

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
  if (sdkVersion != 31 && sdkVersion != 32) return nullptr;
  return g_factory ? g_factory(sdkVersion) : D3D9GLCreate(sdkVersion);
}

void D3D9SetFactory(D3D9Factory factory) { g_factory = factory; }
