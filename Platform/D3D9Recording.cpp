// D3D9Recording.cpp - the recording device (see D3D9Recording.h).
#include "Platform/D3D9Recording.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

D3D9Recorder g_recorder;

void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Log(const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof(line), format, args);
  va_end(args);
  g_recorder.log.emplace_back(line);
}

// The result a rule forces on this call, or S_OK.
HRESULT Injected(const char* call) {
  for (auto it = g_recorder.failRules.begin(); it != g_recorder.failRules.end(); ++it) {
    if (it->call != call) continue;
    if (it->skip > 0) {
      --it->skip;
      continue;
    }
    const HRESULT hr = it->hr;
    if (--it->times <= 0) g_recorder.failRules.erase(it);
    return hr;
  }
  return S_OK;
}

class RecordingDevice;
RecordingDevice* g_device = nullptr;

class RecordingDevice final : public IDirect3DDevice9, public ResourceHost {
 public:
  RecordingDevice(const D3D9AdapterCaps& caps, UINT adapter, const D3DPRESENT_PARAMETERS& params)
      : caps_(caps), adapter_(adapter), link_(std::make_shared<DeviceLink>()) {
    link_->host = this;
    D3D9CountDevice(1);
    g_device = this;
    g_recorder.renderStates.clear();
    g_recorder.samplerStates.clear();
    g_recorder.textureStageStates.clear();
    g_recorder.transforms.clear();
    g_recorder.lights.clear();
    g_recorder.lightEnabled.clear();
    g_recorder.viewport = {0, 0, params.BackBufferWidth, params.BackBufferHeight, 0.0f, 1.0f};
    g_recorder.scissor = {0, 0, static_cast<LONG>(params.BackBufferWidth), static_cast<LONG>(params.BackBufferHeight)};
    g_recorder.material = {};
    g_recorder.fvf = 0;
    g_recorder.stream = nullptr;
    g_recorder.texture0 = nullptr;
    g_recorder.presentParams = params;
    g_recorder.inScene = false;
    ++g_recorder.devicesCreated;
  }

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    if (refs_ == 0) return 0;
    if (--refs_ > 0) return refs_;
    const int live = link_->liveResources;
    Log("DeviceRelease(%d)", live);
    link_->host = nullptr;
    if (g_device == this) g_device = nullptr;
    D3D9CountDevice(-1);
    delete this;
    return static_cast<ULONG>(live);
  }

  void Lose(int frames) { loss_.Lose(frames); }

  // ResourceHost
  void TextureChanged(CpuTexture*, UINT level, UINT firstRow, UINT endRow) override {
    Log("TextureUpload(%u, %u, %u)", level, firstRow, endRow);
  }
  // The recording device keeps every texture's texels: nothing to read back.
  bool TextureReadBack(CpuTexture*) override { return false; }
  void TextureFreed(CpuTexture* texture) override {
    if (g_recorder.texture0 == static_cast<IDirect3DBaseTexture9*>(texture)) g_recorder.texture0 = nullptr;
  }

  HRESULT TestCooperativeLevel() override {
    Log("TestCooperativeLevel()");
    if (HRESULT hr = Injected("TestCooperativeLevel")) return hr;
    return loss_.TestCooperativeLevel();
  }

  HRESULT GetDeviceCaps(D3DCAPS9* caps) override {
    Log("GetDeviceCaps()");
    if (HRESULT hr = Injected("GetDeviceCaps")) return hr;
    if (!caps) return D3DERR_INVALIDCALL;
    D3D9FillCaps(caps_, adapter_, caps);
    return D3D_OK;
  }

  HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* params) override {
    if (!params) return D3DERR_INVALIDCALL;
    *params = g_recorder.presentParams;
    return D3D_OK;
  }

  HRESULT GetBackBuffer(UINT, UINT, D3DBACKBUFFER_TYPE, IDirect3DSurface9** surface) override {
    Log("GetBackBuffer()");
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (HRESULT hr = Injected("GetBackBuffer")) return hr;
    *surface = new CpuSurface(link_, g_recorder.presentParams.BackBufferWidth,
                              g_recorder.presentParams.BackBufferHeight, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT);
    return D3D_OK;
  }

  HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                        IDirect3DTexture9** texture, HANDLE* shared) override {
    Log("CreateTexture(%u, %u, %u, %u)", width, height, levels, static_cast<unsigned>(format));
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (HRESULT hr = Injected("CreateTexture")) return hr;
    return D3D9NewCpuTexture(link_, caps_.maxTextureSize, width, height, levels, usage, format, pool, texture,
                             shared);
  }

  HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool, IDirect3DVertexBuffer9** buffer,
                             HANDLE* shared) override {
    Log("CreateVertexBuffer(%u, %u, 0x%x, %u)", length, usage, fvf, static_cast<unsigned>(pool));
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (HRESULT hr = Injected("CreateVertexBuffer")) return hr;
    return D3D9NewCpuVertexBuffer(link_, length, usage, fvf, pool, buffer, shared);
  }

  HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DIndexBuffer9** buffer,
                            HANDLE* shared) override {
    Log("CreateIndexBuffer(%u, %u)", length, static_cast<unsigned>(format));
    if (!buffer) return D3DERR_INVALIDCALL;
    *buffer = nullptr;
    if (HRESULT hr = Injected("CreateIndexBuffer")) return hr;
    return D3D9NewCpuIndexBuffer(link_, length, usage, format, pool, buffer, shared);
  }

  HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DSurface9** surface, HANDLE* shared) override {
    Log("CreateOffscreenPlainSurface(%u, %u, %u)", width, height, static_cast<unsigned>(format));
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (HRESULT hr = Injected("CreateOffscreenPlainSurface")) return hr;
    return D3D9NewCpuSurface(link_, width, height, format, pool, surface, shared);
  }

  HRESULT CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) override {
    Log("CreateQuery(%u)", static_cast<unsigned>(type));
    if (!query) return D3DERR_INVALIDCALL;
    *query = nullptr;
    if (HRESULT hr = Injected("CreateQuery")) return hr;
    if (type != D3DQUERYTYPE_EVENT) return D3DERR_NOTAVAILABLE;
    *query = new CpuQuery(link_, type, nullptr);
    return D3D_OK;
  }

  HRESULT ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) override {
    Log("ColorFill(0x%08x)", color);
    if (HRESULT hr = Injected("ColorFill")) return hr;
    if (!surface) return D3DERR_INVALIDCALL;
    return static_cast<CpuSurface*>(surface)->Fill(rect, color);
  }

  HRESULT BeginScene() override {
    Log("BeginScene()");
    if (HRESULT hr = Injected("BeginScene")) return hr;
    if (g_recorder.inScene) return D3DERR_INVALIDCALL;
    g_recorder.inScene = true;
    return D3D_OK;
  }

  HRESULT EndScene() override {
    Log("EndScene()");
    if (HRESULT hr = Injected("EndScene")) return hr;
    if (!g_recorder.inScene) return D3DERR_INVALIDCALL;
    g_recorder.inScene = false;
    return D3D_OK;
  }

  HRESULT Present(const RECT* source, const RECT* dest, HWND, const void*) override {
    if (source) {
      Log("Present(%ld, %ld, %ld, %ld)", static_cast<long>(source->left), static_cast<long>(source->top),
          static_cast<long>(source->right), static_cast<long>(source->bottom));
    } else {
      Log("Present()");
    }
    if (source && dest && std::memcmp(source, dest, sizeof(RECT)) != 0) return D3DERR_INVALIDCALL;
    if (HRESULT hr = Injected("Present")) return hr;
    if (loss_.PresentFails()) return D3DERR_DEVICELOST;
    ++g_recorder.presents;
    return D3D_OK;
  }

  HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float, DWORD) override {
    Log("Clear(%u, %u, 0x%08x)", count, flags, color);
    if (HRESULT hr = Injected("Clear")) return hr;
    if (count != 0 || rects) return D3DERR_INVALIDCALL;
    return D3D_OK;
  }

  HRESULT SetViewport(const D3DVIEWPORT9* vp) override {
    if (!vp) return D3DERR_INVALIDCALL;
    Log("SetViewport(%u, %u, %u, %u)", vp->X, vp->Y, vp->Width, vp->Height);
    if (HRESULT hr = Injected("SetViewport")) return hr;
    g_recorder.viewport = *vp;
    return D3D_OK;
  }

  HRESULT GetViewport(D3DVIEWPORT9* vp) override {
    if (!vp) return D3DERR_INVALIDCALL;
    *vp = g_recorder.viewport;
    return D3D_OK;
  }

  HRESULT SetScissorRect(const RECT* rect) override {
    if (!rect) return D3DERR_INVALIDCALL;
    Log("SetScissorRect(%ld, %ld, %ld, %ld)", static_cast<long>(rect->left), static_cast<long>(rect->top),
        static_cast<long>(rect->right), static_cast<long>(rect->bottom));
    if (HRESULT hr = Injected("SetScissorRect")) return hr;
    if (rect->left < 0 || rect->top < 0 || rect->left > rect->right || rect->top > rect->bottom ||
        rect->right > static_cast<LONG>(g_recorder.presentParams.BackBufferWidth) ||
        rect->bottom > static_cast<LONG>(g_recorder.presentParams.BackBufferHeight))
      return D3DERR_INVALIDCALL;
    g_recorder.scissor = *rect;
    return D3D_OK;
  }

  HRESULT GetScissorRect(RECT* rect) override {
    if (!rect) return D3DERR_INVALIDCALL;
    *rect = g_recorder.scissor;
    return D3D_OK;
  }

  HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override {
    Log("SetTransform(%u)", static_cast<unsigned>(state));
    if (HRESULT hr = Injected("SetTransform")) return hr;
    if (!matrix) return D3DERR_INVALIDCALL;
    g_recorder.transforms[state] = *matrix;
    return D3D_OK;
  }

  HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override {
    if (!matrix) return D3DERR_INVALIDCALL;
    auto it = g_recorder.transforms.find(state);
    if (it != g_recorder.transforms.end()) {
      *matrix = it->second;
    } else {
      *matrix = {};
      matrix->_11 = matrix->_22 = matrix->_33 = matrix->_44 = 1.0f;
    }
    return D3D_OK;
  }

  HRESULT SetMaterial(const D3DMATERIAL9* material) override {
    Log("SetMaterial()");
    if (HRESULT hr = Injected("SetMaterial")) return hr;
    if (!material) return D3DERR_INVALIDCALL;
    g_recorder.material = *material;
    return D3D_OK;
  }

  HRESULT GetMaterial(D3DMATERIAL9* material) override {
    if (!material) return D3DERR_INVALIDCALL;
    *material = g_recorder.material;
    return D3D_OK;
  }

  HRESULT SetLight(DWORD index, const D3DLIGHT9* light) override {
    Log("SetLight(%u, %u)", index, light ? static_cast<unsigned>(light->Type) : 0u);
    if (HRESULT hr = Injected("SetLight")) return hr;
    if (!light) return D3DERR_INVALIDCALL;
    g_recorder.lights[index] = *light;
    return D3D_OK;
  }

  HRESULT LightEnable(DWORD index, BOOL enable) override {
    Log("LightEnable(%u, %d)", index, enable);
    if (HRESULT hr = Injected("LightEnable")) return hr;
    g_recorder.lightEnabled[index] = enable;
    return D3D_OK;
  }

  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override {
    Log("SetRenderState(%u, %u)", static_cast<unsigned>(state), value);
    if (HRESULT hr = Injected("SetRenderState")) return hr;
    g_recorder.renderStates[state] = value;
    return D3D_OK;
  }

  HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override {
    if (!value) return D3DERR_INVALIDCALL;
    auto it = g_recorder.renderStates.find(state);
    *value = it != g_recorder.renderStates.end() ? it->second : 0;
    return D3D_OK;
  }

  HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override {
    Log("SetSamplerState(%u, %u, %u)", sampler, static_cast<unsigned>(type), value);
    if (HRESULT hr = Injected("SetSamplerState")) return hr;
    g_recorder.samplerStates[(sampler << 16) | type] = value;
    return D3D_OK;
  }

  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override {
    Log("SetTextureStageState(%u, %u, %u)", stage, static_cast<unsigned>(type), value);
    if (HRESULT hr = Injected("SetTextureStageState")) return hr;
    g_recorder.textureStageStates[(stage << 16) | type] = value;
    return D3D_OK;
  }

  HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) override {
    Log("SetTexture(%u, %s)", stage, texture ? "tex" : "null");
    if (HRESULT hr = Injected("SetTexture")) return hr;
    if (texture && static_cast<CpuTexture*>(texture)->Stale()) return D3DERR_INVALIDCALL;
    if (stage == 0) g_recorder.texture0 = texture;
    return D3D_OK;
  }

  HRESULT SetFVF(DWORD fvf) override {
    Log("SetFVF(0x%x)", fvf);
    if (HRESULT hr = Injected("SetFVF")) return hr;
    g_recorder.fvf = fvf;
    return D3D_OK;
  }

  HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offset, UINT stride) override {
    Log("SetStreamSource(%u, %s, %u, %u)", stream, buffer ? "vb" : "null", offset, stride);
    if (HRESULT hr = Injected("SetStreamSource")) return hr;
    if (stream != 0) return D3DERR_INVALIDCALL;
    if (buffer && static_cast<CpuVertexBuffer*>(buffer)->Stale()) return D3DERR_INVALIDCALL;
    g_recorder.stream = buffer;
    g_recorder.streamStride = stride;
    return D3D_OK;
  }

  HRESULT SetIndices(IDirect3DIndexBuffer9* indices) override {
    Log("SetIndices(%s)", indices ? "ib" : "null");
    if (HRESULT hr = Injected("SetIndices")) return hr;
    indices_ = indices;
    return D3D_OK;
  }

  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT count) override {
    Log("DrawPrimitive(%u, %u, %u)", static_cast<unsigned>(type), startVertex, count);
    if (HRESULT hr = Injected("DrawPrimitive")) return hr;
    if (!g_recorder.stream || g_recorder.streamStride == 0 || count == 0) return D3DERR_INVALIDCALL;
    auto* vb = static_cast<CpuVertexBuffer*>(g_recorder.stream);
    const std::size_t end = (static_cast<std::size_t>(startVertex) + D3D9VertexCount(type, count)) * g_recorder.streamStride;
    if (vb->Stale() || end > vb->Size()) return D3DERR_INVALIDCALL;
    return D3D_OK;
  }

  HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT base, UINT minIndex, UINT numVertices, UINT startIndex,
                               UINT count) override {
    Log("DrawIndexedPrimitive(%u, %d, %u, %u, %u, %u)", static_cast<unsigned>(type), base, minIndex, numVertices,
        startIndex, count);
    if (HRESULT hr = Injected("DrawIndexedPrimitive")) return hr;
    if (!g_recorder.stream || !indices_ || count == 0) return D3DERR_INVALIDCALL;
    return D3D_OK;
  }

  HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT count, const void* data, UINT stride) override {
    Log("DrawPrimitiveUP(%u, %u, %u)", static_cast<unsigned>(type), count, stride);
    if (HRESULT hr = Injected("DrawPrimitiveUP")) return hr;
    if (!data || stride == 0 || count == 0) return D3DERR_INVALIDCALL;
    return D3D_OK;
  }

 private:
  D3D9AdapterCaps caps_;
  UINT adapter_;
  std::shared_ptr<DeviceLink> link_;
  ULONG refs_ = 1;
  D3D9DeviceLoss loss_;
  IDirect3DIndexBuffer9* indices_ = nullptr;
};

HRESULT MakeRecordingDevice(const D3D9Caps& caps, UINT adapter, HWND, D3DPRESENT_PARAMETERS* params,
                            IDirect3DDevice9** device) {
  Log("CreateDevice(%u, %u, %u, %d, %u)", adapter, params->BackBufferWidth, params->BackBufferHeight,
      params->Windowed, static_cast<unsigned>(params->MultiSampleType));
  if (HRESULT hr = Injected("CreateDevice")) return hr;
  *device = new RecordingDevice(caps.adapters[adapter], adapter, *params);
  return D3D_OK;
}

}  // namespace

int D3D9Recorder::Count(const std::string& line) const {
  int n = 0;
  for (const auto& l : log)
    if (l == line) ++n;
  return n;
}

int D3D9Recorder::CountPrefix(const std::string& prefix) const {
  int n = 0;
  for (const auto& l : log)
    if (l.compare(0, prefix.size(), prefix) == 0) ++n;
  return n;
}

int D3D9Recorder::Find(const std::string& line, int from) const {
  for (int i = from < 0 ? 0 : from; i < static_cast<int>(log.size()); ++i)
    if (log[static_cast<std::size_t>(i)] == line) return i;
  return -1;
}

std::vector<std::string> D3D9Recorder::Lines(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const auto& l : log)
    if (l.compare(0, prefix.size(), prefix) == 0) out.push_back(l);
  return out;
}

D3D9Recorder& D3D9RecordingRecorder() { return g_recorder; }

D3D9Caps D3D9RecordingDefaultCaps() {
  D3D9Caps caps;
  D3D9AdapterCaps a;
  a.description = "Recording adapter";
  a.deviceName = "DISPLAY1";
  a.desktop = {1280, 1024, 60, D3DFMT_X8R8G8B8};
  for (auto [w, h] : {std::pair<UINT, UINT>{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}})
    a.modes.push_back({w, h, 60, D3DFMT_X8R8G8B8});
  a.multisampleLevels[2] = 1;
  a.multisampleLevels[4] = 1;
  caps.adapters.push_back(a);
  return caps;
}

IDirect3D9* D3D9RecordingCreate(UINT) {
  Log("Direct3DCreate9()");
  if (Injected("Direct3DCreate9")) return nullptr;
  return D3D9CreateObject(g_recorder.caps, MakeRecordingDevice);
}

void D3D9UseRecording() {
  g_recorder = D3D9Recorder();
  g_recorder.caps = D3D9RecordingDefaultCaps();
  D3D9SetFactory(D3D9RecordingCreate);
}

void D3D9RecordingLoseDevice(int frames) {
  if (g_device) g_device->Lose(frames);
}
