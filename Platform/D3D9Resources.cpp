// D3D9Resources.cpp - the CPU-side resources both graphics back ends hand
// out: vertex and index buffers, textures, off-screen surfaces and event
// queries (see D3D9Local.h), and the process-wide live counters.
#include <cstring>

#include "Platform/D3D9Local.h"

namespace {
int g_liveResources = 0;
int g_liveDevices = 0;
std::ptrdiff_t g_textureCopyBytes = 0;
}  // namespace

int D3D9LiveResourceCount() { return g_liveResources; }
int D3D9LiveDeviceCount() { return g_liveDevices; }
void D3D9CountDevice(int delta) { g_liveDevices += delta; }
std::size_t D3D9TextureCopyBytes() { return static_cast<std::size_t>(g_textureCopyBytes); }
void D3D9CountTextureCopyBytes(std::ptrdiff_t delta) { g_textureCopyBytes += delta; }

// ---- Resource base ----------------------------------------------------------------

template <class I>
CpuResource<I>::CpuResource(std::shared_ptr<DeviceLink> link) : link_(std::move(link)) {
  ++g_liveResources;
  ++link_->liveResources;
}

template <class I>
CpuResource<I>::~CpuResource() {
  --g_liveResources;
  --link_->liveResources;
}

template <class I>
ULONG CpuResource<I>::Release() {
  if (refs_ == 0) return 0;
  if (--refs_ > 0) return refs_;
  OnFree();
  delete this;
  return 0;
}

template class CpuResource<IDirect3DVertexBuffer9>;
template class CpuResource<IDirect3DIndexBuffer9>;
template class CpuResource<IDirect3DTexture9>;
template class CpuResource<IDirect3DSurface9>;
template class CpuResource<IDirect3DQuery9>;

namespace {
// Lock of [offset, offset + size) of a byte array; size 0 = to the end.
HRESULT LockBytes(std::vector<BYTE>& bytes, UINT offset, UINT size, void** data) {
  if (!data) return D3DERR_INVALIDCALL;
  const std::size_t total = bytes.size();
  if (offset > total || (size != 0 && static_cast<std::size_t>(offset) + size > total)) return D3DERR_INVALIDCALL;
  *data = bytes.data() + offset;
  return D3D_OK;
}
}  // namespace

// ---- Buffers -------------------------------------------------------------------------

CpuVertexBuffer::CpuVertexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, DWORD fvf,
                                 D3DPOOL pool)
    : CpuResource(std::move(link)), bytes_(length, 0), usage_(usage), fvf_(fvf), pool_(pool) {}

HRESULT CpuVertexBuffer::Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD) {
  if (Stale()) return D3DERR_INVALIDCALL;
  return LockBytes(bytes_, offsetToLock, sizeToLock, data);
}

HRESULT CpuVertexBuffer::Unlock() { return Stale() ? D3DERR_INVALIDCALL : D3D_OK; }

HRESULT CpuVertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* desc) {
  if (Stale() || !desc) return D3DERR_INVALIDCALL;
  *desc = {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage_, pool_, Size(), fvf_};
  return D3D_OK;
}

CpuIndexBuffer::CpuIndexBuffer(std::shared_ptr<DeviceLink> link, UINT length, DWORD usage, D3DFORMAT format,
                               D3DPOOL pool)
    : CpuResource(std::move(link)), bytes_(length, 0), usage_(usage), format_(format), pool_(pool) {}

HRESULT CpuIndexBuffer::Lock(UINT offsetToLock, UINT sizeToLock, void** data, DWORD) {
  if (Stale()) return D3DERR_INVALIDCALL;
  return LockBytes(bytes_, offsetToLock, sizeToLock, data);
}

HRESULT CpuIndexBuffer::Unlock() { return Stale() ? D3DERR_INVALIDCALL : D3D_OK; }

HRESULT CpuIndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* desc) {
  if (Stale() || !desc) return D3DERR_INVALIDCALL;
  *desc = {format_, D3DRTYPE_INDEXBUFFER, usage_, pool_, Size()};
  return D3D_OK;
}

// ---- Textures ----------------------------------------------------------------------------

UINT D3D9BytesPerTexel(D3DFORMAT format) {
  switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_A8B8G8R8:
    case D3DFMT_X8B8G8R8:
      return 4;
    case D3DFMT_R8G8B8:
      return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
      return 2;
    default:
      return 0;
  }
}

CpuTexture::CpuTexture(std::shared_ptr<DeviceLink> link, UINT width, UINT height, UINT levels, DWORD usage,
                       D3DFORMAT format, D3DPOOL pool)
    : CpuResource(std::move(link)), usage_(usage), format_(format), pool_(pool) {
  // levels 0 = the full chain down to 1 x 1.
  UINT w = width, h = height;
  for (UINT i = 0; levels == 0 || i < levels; ++i) {
    Level level;
    level.width = w;
    level.height = h;
    level.texels.assign(static_cast<std::size_t>(w) * h * D3D9BytesPerTexel(format), 0);
    levels_.push_back(std::move(level));
    if (w == 1 && h == 1) break;
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  D3D9CountTextureCopyBytes(static_cast<std::ptrdiff_t>(TexelBytes()));
}

CpuTexture::~CpuTexture() {
  if (!texelsReleased_) D3D9CountTextureCopyBytes(-static_cast<std::ptrdiff_t>(TexelBytes()));
}

std::size_t CpuTexture::TexelBytes() const {
  std::size_t bytes = 0;
  for (const Level& l : levels_) bytes += static_cast<std::size_t>(l.width) * l.height * D3D9BytesPerTexel(format_);
  return bytes;
}

bool CpuTexture::MayReleaseTexels() const {
  if (texelsReleased_ || keepTexels_) return false;
  for (const Level& l : levels_)
    if (l.locked) return false;
  return true;
}

void CpuTexture::ReleaseTexels() {
  if (!MayReleaseTexels()) return;
  for (Level& l : levels_) std::vector<BYTE>().swap(l.texels);
  texelsReleased_ = true;
  D3D9CountTextureCopyBytes(-static_cast<std::ptrdiff_t>(TexelBytes()));
}

bool CpuTexture::RestoreTexels() {
  const UINT bpp = D3D9BytesPerTexel(format_);
  for (Level& l : levels_) l.texels.assign(static_cast<std::size_t>(l.width) * l.height * bpp, 0);
  if (!Host() || !Host()->TextureReadBack(this)) {
    for (Level& l : levels_) std::vector<BYTE>().swap(l.texels);
    return false;
  }
  texelsReleased_ = false;
  keepTexels_ = true;
  D3D9CountTextureCopyBytes(static_cast<std::ptrdiff_t>(TexelBytes()));
  return true;
}

HRESULT CpuTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
  if (Stale() || !desc || level >= levels_.size()) return D3DERR_INVALIDCALL;
  *desc = {format_, D3DRTYPE_SURFACE, usage_, pool_, D3DMULTISAMPLE_NONE, 0, levels_[level].width,
           levels_[level].height};
  return D3D_OK;
}

HRESULT CpuTexture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
  if (Stale() || !lockedRect || level >= levels_.size()) return D3DERR_INVALIDCALL;
  if (levels_[level].locked) return D3DERR_INVALIDCALL;
  if (texelsReleased_ && !RestoreTexels()) return D3DERR_INVALIDCALL;
  Level& l = levels_[level];
  const UINT bpp = D3D9BytesPerTexel(format_);
  RECT r{0, 0, static_cast<LONG>(l.width), static_cast<LONG>(l.height)};
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->right > r.right || rect->bottom > r.bottom ||
        rect->left >= rect->right || rect->top >= rect->bottom)
      return D3DERR_INVALIDCALL;
    r = *rect;
  }
  l.locked = true;
  l.readOnlyLock = (flags & D3DLOCK_READONLY) != 0;
  l.lockFirstRow = static_cast<UINT>(r.top);
  l.lockEndRow = static_cast<UINT>(r.bottom);
  lockedRect->Pitch = static_cast<INT>(l.width * bpp);
  lockedRect->pBits = l.texels.data() + static_cast<std::size_t>(r.top) * l.width * bpp +
                      static_cast<std::size_t>(r.left) * bpp;
  return D3D_OK;
}

HRESULT CpuTexture::UnlockRect(UINT level) {
  if (Stale() || level >= levels_.size()) return D3DERR_INVALIDCALL;
  Level& l = levels_[level];
  if (!l.locked) return D3DERR_INVALIDCALL;
  l.locked = false;
  if (!l.readOnlyLock) Host()->TextureChanged(this, level, l.lockFirstRow, l.lockEndRow);
  return D3D_OK;
}

void CpuTexture::OnFree() {
  if (Host()) Host()->TextureFreed(this);
}

// ---- Surfaces and queries ------------------------------------------------------------------

CpuSurface::CpuSurface(std::shared_ptr<DeviceLink> link, UINT width, UINT height, D3DFORMAT format, D3DPOOL pool)
    : CpuResource(std::move(link)),
      width_(width),
      height_(height),
      format_(format),
      pool_(pool),
      texels_(static_cast<std::size_t>(width) * height * D3D9BytesPerTexel(format), 0) {}

HRESULT CpuSurface::GetDesc(D3DSURFACE_DESC* desc) {
  if (Stale() || !desc) return D3DERR_INVALIDCALL;
  *desc = {format_, D3DRTYPE_SURFACE, 0, pool_, D3DMULTISAMPLE_NONE, 0, width_, height_};
  return D3D_OK;
}

HRESULT CpuSurface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD) {
  if (Stale() || !lockedRect || locked_ || rect) return D3DERR_INVALIDCALL;
  locked_ = true;
  lockedRect->Pitch = static_cast<INT>(width_ * D3D9BytesPerTexel(format_));
  lockedRect->pBits = texels_.data();
  return D3D_OK;
}

HRESULT CpuSurface::UnlockRect() {
  if (Stale() || !locked_) return D3DERR_INVALIDCALL;
  locked_ = false;
  return D3D_OK;
}

HRESULT CpuSurface::Fill(const RECT* rect, D3DCOLOR color) {
  if (Stale() || locked_) return D3DERR_INVALIDCALL;
  RECT r{0, 0, static_cast<LONG>(width_), static_cast<LONG>(height_)};
  if (rect) {
    if (rect->left < 0 || rect->top < 0 || rect->right > r.right || rect->bottom > r.bottom) return D3DERR_INVALIDCALL;
    r = *rect;
  }
  const UINT bpp = D3D9BytesPerTexel(format_);
  if (bpp != 4) return D3DERR_INVALIDCALL;
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      std::memcpy(&texels_[(static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x)) * 4], &color, 4);
  return D3D_OK;
}

CpuQuery::CpuQuery(std::shared_ptr<DeviceLink> link, D3DQUERYTYPE type, Waiter waitForGpu)
    : CpuResource(std::move(link)), type_(type), waitForGpu_(waitForGpu) {}

HRESULT CpuQuery::Issue(DWORD issueFlags) {
  if (Stale()) return D3DERR_INVALIDCALL;
  if (issueFlags & D3DISSUE_END) issued_ = true;
  return D3D_OK;
}

HRESULT CpuQuery::GetData(void* data, DWORD size, DWORD) {
  if (Stale()) return D3DERR_INVALIDCALL;
  if (!issued_) return S_FALSE;
  if (waitForGpu_) waitForGpu_();
  if (data && size >= sizeof(BOOL)) {
    const BOOL done = TRUE;
    std::memcpy(data, &done, sizeof(done));
  }
  return S_OK;
}

// ---- Vertex layouts ----------------------------------------------------------------------

FvfLayout D3D9FvfLayout(DWORD fvf) {
  FvfLayout l;
  UINT offset = 0;
  switch (fvf & D3DFVF_POSITION_MASK) {
    case D3DFVF_XYZ:
      l.positionFloats = 3;
      break;
    case D3DFVF_XYZRHW:
      l.positionFloats = 4;
      break;
    default:
      l.positionFloats = 0;
      break;
  }
  offset += static_cast<UINT>(l.positionFloats) * 4;
  if (fvf & D3DFVF_NORMAL) {
    l.normal = static_cast<int>(offset);
    offset += 12;
  }
  if (fvf & D3DFVF_PSIZE) offset += 4;
  if (fvf & D3DFVF_DIFFUSE) {
    l.diffuse = static_cast<int>(offset);
    offset += 4;
  }
  if (fvf & D3DFVF_SPECULAR) {
    l.specular = static_cast<int>(offset);
    offset += 4;
  }
  l.texCoordSets = static_cast<int>((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
  if (l.texCoordSets > 0) {
    l.texCoord = static_cast<int>(offset);
    offset += 8 * static_cast<UINT>(l.texCoordSets);
  }
  l.stride = offset;
  return l;
}

// ---- What both devices do alike ------------------------------------------------------------

UINT D3D9VertexCount(D3DPRIMITIVETYPE type, UINT count) {
  switch (type) {
    case D3DPT_POINTLIST: return count;
    case D3DPT_LINELIST: return count * 2;
    case D3DPT_LINESTRIP: return count + 1;
    case D3DPT_TRIANGLELIST: return count * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN: return count + 2;
  }
  return 0;
}

HRESULT D3D9DeviceLoss::TestCooperativeLevel() {
  if (!lost_) return D3D_OK;
  if (framesLeft_ > 0) {
    --framesLeft_;
    return D3DERR_DEVICELOST;
  }
  return D3DERR_DEVICENOTRESET;
}

bool D3D9DeviceLoss::PresentFails() {
  if (!lost_) return false;
  if (framesLeft_ > 0) --framesLeft_;
  return true;
}

HRESULT D3D9NewCpuTexture(const std::shared_ptr<DeviceLink>& link, UINT maxSide, UINT width, UINT height,
                          UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                          HANDLE* shared) {
  if (!texture) return D3DERR_INVALIDCALL;
  *texture = nullptr;
  if (shared || width == 0 || height == 0 || D3D9BytesPerTexel(format) == 0 || width > maxSide || height > maxSide)
    return D3DERR_INVALIDCALL;
  *texture = new CpuTexture(link, width, height, levels, usage, format, pool);
  return D3D_OK;
}

HRESULT D3D9NewCpuVertexBuffer(const std::shared_ptr<DeviceLink>& link, UINT length, DWORD usage, DWORD fvf,
                               D3DPOOL pool, IDirect3DVertexBuffer9** buffer, HANDLE* shared) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (shared || length == 0) return D3DERR_INVALIDCALL;
  *buffer = new CpuVertexBuffer(link, length, usage, fvf, pool);
  return D3D_OK;
}

HRESULT D3D9NewCpuIndexBuffer(const std::shared_ptr<DeviceLink>& link, UINT length, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DIndexBuffer9** buffer, HANDLE* shared) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = nullptr;
  if (shared || length == 0 || (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32)) return D3DERR_INVALIDCALL;
  *buffer = new CpuIndexBuffer(link, length, usage, format, pool);
  return D3D_OK;
}

HRESULT D3D9NewCpuSurface(const std::shared_ptr<DeviceLink>& link, UINT width, UINT height, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DSurface9** surface, HANDLE* shared) {
  if (!surface) return D3DERR_INVALIDCALL;
  *surface = nullptr;
  if (shared || width == 0 || height == 0 || D3D9BytesPerTexel(format) != 4) return D3DERR_INVALIDCALL;
  *surface = new CpuSurface(link, width, height, format, pool);
  return D3D_OK;
}
