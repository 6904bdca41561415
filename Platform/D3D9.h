// D3D9.h - the Direct3D-9-shaped graphics interfaces the engine draws with.
//
// Our own declarations of the calls the engine makes, as abstract classes:
//   IDirect3D9              adapters, display modes, format and multisample
//                           checks, device creation
//   IDirect3DDevice9        scenes, present, clear, viewport, render, sampler
//                           and texture-stage states, material, transforms,
//                           lights, resources, draws, queries, surfaces
//   IDirect3DVertexBuffer9, IDirect3DIndexBuffer9, IDirect3DTexture9,
//   IDirect3DSurface9, IDirect3DQuery9
//                           resources with lock/unlock
// Two back ends implement them: the GL device over an OpenGL 2.1 context
// (Platform/D3D9GL.h) and the recording device that logs every call for tests
// (Platform/D3D9Recording.h). Direct3DCreate9 makes the current back end's
// Direct3D object (GL unless a test chose another).
//
// Object lifetime (as COM): Create* hands out an object with one reference;
// Release drops one and frees the object at 0. Differences from Direct3D 9,
// on purpose:
//   - Releasing the device destroys it at once, whatever resources are still
//     alive, and returns the number of those live resources (0 = clean). The
//     caller logs that count; resources do not hold the device alive.
//   - A resource whose device is gone ("stale") refuses every call with
//     D3DERR_INVALIDCALL except AddRef/Release; its Release frees it.
//   - The device is never lost by itself on Linux; the back ends have a test
//     hook that makes Present report D3DERR_DEVICELOST.
#pragma once

#include <cstddef>

#include "Platform/D3D9Types.h"

// ---- Resources --------------------------------------------------------------------

class IDirect3DResource9 {
 public:
  virtual ULONG AddRef() = 0;
  // Drops one reference; at 0 the object is freed. Returns the count left.
  virtual ULONG Release() = 0;
  virtual D3DRESOURCETYPE GetType() = 0;

 protected:
  virtual ~IDirect3DResource9() = default;
};

class IDirect3DVertexBuffer9 : public IDirect3DResource9 {
 public:
  // The buffer is a CPU array in the exact byte layout of its FVF, zero-filled
  // at creation. Lock hands out a pointer to offset (size 0 = to the end); an
  // offset + size beyond the buffer is D3DERR_INVALIDCALL.
  virtual HRESULT Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
  virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) = 0;
};

class IDirect3DIndexBuffer9 : public IDirect3DResource9 {
 public:
  // 16-bit (D3DFMT_INDEX16) or 32-bit indices; same rules as vertex buffers.
  virtual HRESULT Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) = 0;
  virtual HRESULT Unlock() = 0;
  virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) = 0;
};

class IDirect3DBaseTexture9 : public IDirect3DResource9 {
 public:
  virtual DWORD GetLevelCount() = 0;
};

// A 2D texture. It keeps a CPU copy of every level in Direct3D texel layout
// (32-bit texels as the bytes B, G, R, A; 16-bit texels low byte first), rows
// top first, pitch = width x bytes per texel.
//   LockRect    hands out the CPU copy (a rectangle: its first texel); the
//               locked level stays locked until UnlockRect.
//   UnlockRect  uploads the level (unless it was locked D3DLOCK_READONLY).
// X8R8G8B8 ignores the fourth byte when drawing; A8R8G8B8 uses it as alpha.
// Only X8R8G8B8 and A8R8G8B8 can be drawn; other formats are CPU-only.
class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
 public:
  virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
  virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect(UINT level) = 0;
};

// An off-screen plain surface: CPU memory only.
class IDirect3DSurface9 : public IDirect3DResource9 {
 public:
  virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
  virtual HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) = 0;
  virtual HRESULT UnlockRect() = 0;
};

// An event query: Issue(D3DISSUE_END) marks a point; GetData gives S_OK once
// the device has finished everything before it (at once on our back ends,
// which wait for the GPU inside GetData), S_FALSE before it is issued.
class IDirect3DQuery9 : public IDirect3DResource9 {
 public:
  virtual D3DQUERYTYPE GetQueryType() = 0;
  virtual HRESULT Issue(DWORD issueFlags) = 0;
  virtual HRESULT GetData(void* data, DWORD size, DWORD getDataFlags) = 0;
};

// ---- Device -------------------------------------------------------------------------

class IDirect3DDevice9 {
 public:
  virtual ULONG AddRef() = 0;
  // Drops one reference; at 0 the device and its context are destroyed and
  // the result is the number of resources still alive (see the file head).
  virtual ULONG Release() = 0;

  // D3D_OK, D3DERR_DEVICELOST while lost, D3DERR_DEVICENOTRESET once it
  // could be re-created.
  virtual HRESULT TestCooperativeLevel() = 0;
  virtual HRESULT GetDeviceCaps(D3DCAPS9* caps) = 0;
  // The back buffer as a surface description holder (X8R8G8B8, drawable size).
  virtual HRESULT GetBackBuffer(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type,
                                IDirect3DSurface9** surface) = 0;
  // The present parameters the implicit swap chain works with (what
  // IDirect3DSwapChain9::GetPresentParameters gives): a device that cannot
  // keep its back buffer across presents, or does not hold the last frame in
  // it now, reports D3DSWAPEFFECT_DISCARD for a D3DSWAPEFFECT_COPY it was
  // asked for.
  virtual HRESULT GetPresentParameters(D3DPRESENT_PARAMETERS* params) = 0;

  // Resources. Levels 0 means a full chain; our textures keep one level per
  // request and report the count they made. Shared handles must be null.
  virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                                D3DPOOL pool, IDirect3DTexture9** texture, HANDLE* sharedHandle) = 0;
  virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                     IDirect3DVertexBuffer9** buffer, HANDLE* sharedHandle) = 0;
  virtual HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DIndexBuffer9** buffer, HANDLE* sharedHandle) = 0;
  virtual HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                              IDirect3DSurface9** surface, HANDLE* sharedHandle) = 0;
  virtual HRESULT CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) = 0;
  // Fills a rectangle (null = all) of an off-screen surface with a colour.
  virtual HRESULT ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) = 0;

  // Scenes and presenting.
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // With D3DSWAPEFFECT_COPY the back buffer keeps its pixels and a source
  // rectangle presents only that part (the destination rectangle must then
  // be the same or null); otherwise the whole back buffer is presented and
  // its pixels are undefined afterwards.
  virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow,
                          const void* dirtyRegion) = 0;
  // Clears the current viewport (only the viewport, and only the scissor
  // rectangle while D3DRS_SCISSORTESTENABLE is on) of the given targets.
  // Rectangles are not supported: count must be 0.
  virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                        DWORD stencil) = 0;
  virtual HRESULT SetViewport(const D3DVIEWPORT9* viewport) = 0;
  virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;
  // The rectangle (pixels, y from the top) every draw and clear keeps to
  // while D3DRS_SCISSORTESTENABLE is on; a rectangle beyond the back buffer
  // is D3DERR_INVALIDCALL.
  virtual HRESULT SetScissorRect(const RECT* rect) = 0;
  virtual HRESULT GetScissorRect(RECT* rect) = 0;

  // State.
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) = 0;
  virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) = 0;
  virtual HRESULT SetMaterial(const D3DMATERIAL9* material) = 0;
  virtual HRESULT GetMaterial(D3DMATERIAL9* material) = 0;
  virtual HRESULT SetLight(DWORD index, const D3DLIGHT9* light) = 0;
  virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
  virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) = 0;
  // Binds a texture to a stage (null unbinds). Only stage 0 draws.
  virtual HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) = 0;

  // Vertex data and drawing.
  virtual HRESULT SetFVF(DWORD fvf) = 0;
  virtual HRESULT SetStreamSource(UINT stream, IDirect3DVertexBuffer9* buffer, UINT offsetInBytes,
                                  UINT stride) = 0;
  virtual HRESULT SetIndices(IDirect3DIndexBuffer9* indices) = 0;
  // Draws primitiveCount primitives from startVertex of stream 0. Vertices
  // beyond the bound buffer are D3DERR_INVALIDCALL (nothing drawn).
  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, UINT startVertex, UINT primitiveCount) = 0;
  virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE type, INT baseVertexIndex, UINT minVertexIndex,
                                       UINT numVertices, UINT startIndex, UINT primitiveCount) = 0;
  // Draws from caller memory in the current FVF.
  virtual HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertexData,
                                  UINT stride) = 0;

 protected:
  virtual ~IDirect3DDevice9() = default;
};

// ---- Direct3D object ------------------------------------------------------------------

class IDirect3D9 {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  virtual UINT GetAdapterCount() = 0;
  virtual HRESULT GetAdapterIdentifier(UINT adapter, DWORD flags, D3DADAPTER_IDENTIFIER9* identifier) = 0;
  // Modes of an adapter in a format: our adapters offer their modes in
  // X8R8G8B8 only (0 modes in other formats).
  virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
  virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode, D3DDISPLAYMODE* displayMode) = 0;
  // The desktop mode.
  virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) = 0;
  virtual HRESULT CheckDeviceType(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                  D3DFORMAT backBufferFormat, BOOL windowed) = 0;
  virtual HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat, DWORD usage,
                                    D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) = 0;
  virtual HRESULT CheckDeviceMultiSampleType(UINT adapter, D3DDEVTYPE type, D3DFORMAT surfaceFormat,
                                             BOOL windowed, D3DMULTISAMPLE_TYPE multiSampleType,
                                             DWORD* qualityLevels) = 0;
  virtual HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                         D3DFORMAT renderTargetFormat, D3DFORMAT depthStencilFormat) = 0;
  virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE type, D3DCAPS9* caps) = 0;
  // Creates the device on focusWindow (or params->hDeviceWindow when set).
  virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behaviorFlags,
                               D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device) = 0;

 protected:
  virtual ~IDirect3D9() = default;
};

// ---- Making the Direct3D object --------------------------------------------------------

// A factory of Direct3D objects: the back end in use.
using D3D9Factory = IDirect3D9* (*)(UINT sdkVersion);

// Makes a Direct3D object with the current factory (the GL back end unless
// D3D9SetFactory chose another). Null when the factory fails or the version is
// neither 31 nor 32.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);

// Chooses the back end for later Direct3DCreate9 calls; null restores GL.
void D3D9SetFactory(D3D9Factory factory);

// Resources (vertex and index buffers, textures, surfaces, queries) alive
// across every device: the leak detector of tests. Devices count separately.
int D3D9LiveResourceCount();
int D3D9LiveDeviceCount();
// Bytes of texture texels held in system memory across every device (the GL
// device lets go of a texture's copy once the driver holds it).
std::size_t D3D9TextureCopyBytes();
