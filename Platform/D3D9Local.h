// D3D9Local.h - what the two graphics back ends (GL, recording) share: the
// CPU-side resources, the link between a device and its resources, the
// capabilities record behind the Direct3D object, and the Direct3D object
// itself. Not for use outside Platform/ (tests aside).
//
// Resources hold a shared DeviceLink. While the device lives, link->host
// points at it and the resource reports uploads and releases to it; when the
// device is released the host is cleared, the resource becomes stale and
// refuses every call but AddRef/Release.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "Platform/D3D9.h"

// ---- Device link ------------------------------------------------------------------

class CpuTexture;

// What a device does for its resources.
class ResourceHost {
 public:
  // A texture level was unlocked for writing: rows [firstRow, endRow) changed.
  virtual void TextureChanged(CpuTexture* texture, UINT level, UINT firstRow, UINT endRow) = 0;
  // A texture is being freed (its GL object, if any, must go).
  virtual void TextureFreed(CpuTexture* texture) = 0;
  // Fills the texture's levels, whose system-memory copy was let go, from
  // the host's own copy; false when it cannot.
  virtual bool TextureReadBack(CpuTexture* texture) = 0;

 protected:
  ~ResourceHost() = default;
};

struct DeviceLink {
  ResourceHost* host = nullptr;  // null once the device is gone
  int liveResources = 0;         // this device's live resources
};

// ---- Resource base -----------------------------------------------------------------

// Reference counting, the stale test and the live counters for one resource
// interface I.
template <class I>
class CpuResource : public I {
 public:
  explicit CpuResource(std::shared_ptr<DeviceLink> link);
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override;
  bool Stale() const { return link_->host == nullptr; }
  ResourceHost* Host() const { return link_->host; }

 protected:
  ~CpuResource() override;
  // Called once when the last reference goes, before the object is freed.
  virtual void OnFree() {}

 private:
  std::shared_ptr<DeviceLink> link_;
  ULONG refs_ = 1;
};

// ---- Buffers -------------------------------------------------------------------------

class CpuVertexBuffer final : public CpuResource<IDirect3DVertexBuffer9> {
 public:
  CpuVertexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, DWORD fvf, D3DPOOL pool);
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_VERTEXBUFFER; }
  HRESULT Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;
  const BYTE* Bytes() const { return bytes_.data(); }
  UINT Size() const { return static_cast<UINT>(bytes_.size()); }
  DWORD Fvf() const { return fvf_; }

 private:
  std::vector<BYTE> bytes_;
  DWORD usage_;
  DWORD fvf_;
  D3DPOOL pool_;
};

class CpuIndexBuffer final : public CpuResource<IDirect3DIndexBuffer9> {
 public:
  CpuIndexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool);
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_INDEXBUFFER; }
  HRESULT Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD flags) override;
  HRESULT Unlock() override;
  HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;
  const BYTE* Bytes() const { return bytes_.data(); }
  UINT Size() const { return static_cast<UINT>(bytes_.size()); }
  D3DFORMAT Format() const { return format_; }

 private:
  std::vector<BYTE> bytes_;
  DWORD usage_;
  D3DFORMAT format_;
  D3DPOOL pool_;
};

// ---- Textures and surfaces ---------------------------------------------------------------

// Bytes per texel of a format the CPU copy can hold; 0 for others.
UINT D3D9BytesPerTexel(D3DFORMAT format);

class CpuTexture final : public CpuResource<IDirect3DTexture9> {
 public:
  struct Level {
    UINT width = 0;
    UINT height = 0;
    std::vector<BYTE> texels;  // rows top first, pitch = width x bytes per texel
    bool locked = false;
    bool readOnlyLock = false;
    UINT lockFirstRow = 0;
    UINT lockEndRow = 0;
  };

  CpuTexture(std::shared_ptr<DeviceLink> link, UINT width, UINT height, UINT levels, DWORD usage,
             D3DFORMAT format, D3DPOOL pool);
  ~CpuTexture() override;
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
  DWORD GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
  HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect(UINT level) override;

  D3DFORMAT Format() const { return format_; }
  const Level& GetLevel(UINT level) const { return levels_[level]; }
  BYTE* LevelTexels(UINT level) { return levels_[level].texels.data(); }
  UINT Pitch(UINT level) const { return levels_[level].width * D3D9BytesPerTexel(format_); }

  // A texture the driver holds a copy of need not keep its own: the GL
  // device lets go of the texels once a texture is loaded (its smallest
  // level uploaded, or drawn). A later lock brings them back from the host,
  // and from then on the texture keeps them (one that keeps changing is not
  // read back each time). A locked texture keeps its texels.
  bool HoldsTexels() const { return !texelsReleased_; }
  bool MayReleaseTexels() const;
  void ReleaseTexels();

  // Back-end data: the GL texture name and the context it was made in.
  unsigned glName = 0;
  unsigned glContextGeneration = 0;
  bool glNeedsUpload = true;
  // Sampler parameters last given to the GL object (-1 = none yet).
  int glMag = -1, glMin = -1, glWrapS = -1, glWrapT = -1;

 protected:
  void OnFree() override;

 private:
  bool RestoreTexels();
  std::size_t TexelBytes() const;

  std::vector<Level> levels_;
  DWORD usage_;
  D3DFORMAT format_;
  D3DPOOL pool_;
  bool texelsReleased_ = false;
  bool keepTexels_ = false;  // read back once already: keeps its copy from then on
};

class CpuSurface final : public CpuResource<IDirect3DSurface9> {
 public:
  CpuSurface(std::shared_ptr<DeviceLink> link, UINT width, UINT height, D3DFORMAT format, D3DPOOL pool);
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
  HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
  HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
  HRESULT UnlockRect() override;
  // Fills a rectangle (null = all) with a colour; false outside the surface.
  HRESULT Fill(const RECT* rect, D3DCOLOR color);

 private:
  UINT width_;
  UINT height_;
  D3DFORMAT format_;
  D3DPOOL pool_;
  std::vector<BYTE> texels_;
  bool locked_ = false;
};

class CpuQuery final : public CpuResource<IDirect3DQuery9> {
 public:
  using Waiter = void (*)();
  CpuQuery(std::shared_ptr<DeviceLink> link, D3DQUERYTYPE type, Waiter waitForGpu);
  D3DRESOURCETYPE GetType() override { return D3DRTYPE_SURFACE; }
  D3DQUERYTYPE GetQueryType() override { return type_; }
  HRESULT Issue(DWORD issueFlags) override;
  HRESULT GetData(void* data, DWORD size, DWORD getDataFlags) override;

 private:
  D3DQUERYTYPE type_;
  Waiter waitForGpu_;
  bool issued_ = false;
};

// ---- Vertex layouts ----------------------------------------------------------------------

// Where each part of a vertex of an FVF lies (-1 = absent).
struct FvfLayout {
  UINT stride = 0;
  int positionFloats = 0;  // 3 (XYZ) or 4 (XYZRHW)
  int normal = -1;
  int diffuse = -1;
  int specular = -1;
  int texCoord = -1;       // first set only
  int texCoordSets = 0;
};
FvfLayout D3D9FvfLayout(DWORD fvf);

// ---- What both devices do alike ------------------------------------------------------------

// Vertices that a draw of count primitives of a type reads.
UINT D3D9VertexCount(D3DPRIMITIVETYPE type, UINT count);

// A lost device as the test hook plays it: Present and TestCooperativeLevel
// report the loss for the given number of frames (each such call uses one),
// then TestCooperativeLevel answers "can be reset" while Present stays lost
// until the device is replaced.
class D3D9DeviceLoss {
 public:
  void Lose(int frames) {
    lost_ = true;
    framesLeft_ = frames;
  }
  // D3D_OK, D3DERR_DEVICELOST or D3DERR_DEVICENOTRESET.
  HRESULT TestCooperativeLevel();
  // True (and one frame used) while the device is lost: Present must then
  // answer D3DERR_DEVICELOST.
  bool PresentFails();

 private:
  bool lost_ = false;
  int framesLeft_ = 0;
};

// Resource creation with Direct3D's argument checks, for the device of link.
// The out pointer is cleared first; D3DERR_INVALIDCALL for a null out
// pointer, a shared handle, an empty size, or a format the CPU copy cannot
// hold (textures also above maxSide on either side; surfaces 32-bit only).
HRESULT D3D9NewCpuTexture(const std::shared_ptr<DeviceLink>& link, UINT maxSide, UINT width, UINT height,
                          UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                          HANDLE* shared);
HRESULT D3D9NewCpuVertexBuffer(const std::shared_ptr<DeviceLink>& link, UINT length, DWORD usage, DWORD fvf,
                               D3DPOOL pool, IDirect3DVertexBuffer9** buffer, HANDLE* shared);
HRESULT D3D9NewCpuIndexBuffer(const std::shared_ptr<DeviceLink>& link, UINT length, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DIndexBuffer9** buffer, HANDLE* shared);
HRESULT D3D9NewCpuSurface(const std::shared_ptr<DeviceLink>& link, UINT width, UINT height, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DSurface9** surface, HANDLE* shared);

// ---- Capabilities and the Direct3D object -------------------------------------------------

// What one adapter offers. Modes are X8R8G8B8 modes; multisample levels per
// type (index = D3DMULTISAMPLE_TYPE, 0 = unsupported; type 0 always 1).
struct D3D9AdapterCaps {
  std::string description;
  std::string deviceName;
  D3DDISPLAYMODE desktop{};
  std::vector<D3DDISPLAYMODE> modes;
  DWORD multisampleLevels[17] = {1};
  DWORD maxTextureSize = 4096;
};

struct D3D9Caps {
  std::vector<D3D9AdapterCaps> adapters;
};

// Makes a device for the Direct3D object (the back end's half).
using D3D9DeviceMaker = HRESULT (*)(const D3D9Caps& caps, UINT adapter, HWND window,
                                    D3DPRESENT_PARAMETERS* params, IDirect3DDevice9** device);

// The Direct3D object over a capabilities record: the fixed format table
// (X8R8G8B8 adapters, X8R8G8B8/A8R8G8B8 back buffers and textures, D24S8,
// D24X8 and D16 depth-stencil), HAL devices only.
IDirect3D9* D3D9CreateObject(const D3D9Caps& caps, D3D9DeviceMaker maker);

// The capabilities every device of an adapter reports.
void D3D9FillCaps(const D3D9AdapterCaps& adapter, UINT ordinal, D3DCAPS9* caps);

// The SDL displays as adapters, with the multisample counts a one-time GL
// probe found (GL back end; empty without a display).
D3D9Caps D3D9GLProbeCaps();

// Global live counters (D3D9LiveResourceCount, D3D9LiveDeviceCount).
void D3D9CountTextureCopyBytes(std::ptrdiff_t delta);
void D3D9CountDevice(int delta);
