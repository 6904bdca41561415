// D3DXMesh.cpp - the D3DX mesh object, buffers, cloning, optimising,
// drawing, normals and bounding spheres (see D3DXMesh.h). The ".x" loaders
// are in D3DXMeshLoad.cpp.
//
// State: none beyond the objects handed out.
#include "Platform/D3DXMesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>
#include <vector>

#include "Platform/D3D9Local.h"
#include "Platform/D3DXMath.h"
#include "Platform/D3DXMeshLocal.h"

namespace {

constexpr DWORD kNoNeighbour = 0xFFFFFFFFu;
constexpr DWORD kMeshOptionBits = 0x00FFFFFFu;

class Buffer final : public ID3DXBuffer {
 public:
  explicit Buffer(DWORD size) : bytes_(size, 0) {}
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    if (refs_ == 0) return 0;
    if (--refs_ > 0) return refs_;
    delete this;
    return 0;
  }
  void* GetBufferPointer() override { return bytes_.data(); }
  DWORD GetBufferSize() override { return static_cast<DWORD>(bytes_.size()); }

 private:
  std::vector<BYTE> bytes_;
  ULONG refs_ = 1;
};

D3DPOOL PoolOf(DWORD options, DWORD managed, DWORD system) {
  if (options & managed) return D3DPOOL_MANAGED;
  if (options & system) return D3DPOOL_SYSTEMMEM;
  return D3DPOOL_DEFAULT;
}

class Mesh final : public ID3DXMesh {
 public:
  // A mesh with zero-filled buffers made on device.
  static HRESULT Make(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, IDirect3DDevice9* device, Mesh** out) {
    *out = nullptr;
    const FvfLayout layout = D3D9FvfLayout(fvf);
    if (!device || faces == 0 || vertices == 0 || layout.positionFloats != 3) return D3DERR_INVALIDCALL;
    if ((options & D3DXMESH_32BIT) || vertices > 0xFFFFu) return E_NOTIMPL;
    if (static_cast<unsigned long long>(faces) * 6 > std::numeric_limits<UINT>::max() ||
        static_cast<unsigned long long>(vertices) * layout.stride > std::numeric_limits<UINT>::max())
      return E_OUTOFMEMORY;
    auto* mesh = new Mesh(faces, vertices, options & kMeshOptionBits, fvf, layout.stride, device);
    HRESULT hr = device->CreateVertexBuffer(vertices * layout.stride,
                                            (options & D3DXMESH_VB_WRITEONLY) ? D3DUSAGE_WRITEONLY : 0, fvf,
                                            PoolOf(options, D3DXMESH_VB_MANAGED, D3DXMESH_VB_SYSTEMMEM), &mesh->vb_,
                                            nullptr);
    if (hr == D3D_OK)
      hr = device->CreateIndexBuffer(faces * 6, (options & D3DXMESH_IB_WRITEONLY) ? D3DUSAGE_WRITEONLY : 0,
                                     D3DFMT_INDEX16, PoolOf(options, D3DXMESH_IB_MANAGED, D3DXMESH_IB_SYSTEMMEM),
                                     &mesh->ib_, nullptr);
    if (hr != D3D_OK) {
      mesh->Release();
      return hr;
    }
    *out = mesh;
    return D3D_OK;
  }

  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    if (refs_ == 0) return 0;
    if (--refs_ > 0) return refs_;
    delete this;
    return 0;
  }

  DWORD GetFVF() override { return fvf_; }
  DWORD GetNumVertices() override { return vertices_; }
  DWORD GetNumFaces() override { return faces_; }
  DWORD GetNumBytesPerVertex() override { return stride_; }
  DWORD GetOptions() override { return options_; }

  HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) override {
    if (!buffer) return D3DERR_INVALIDCALL;
    vb_->AddRef();
    *buffer = vb_;
    return D3D_OK;
  }
  HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) override {
    if (!buffer) return D3DERR_INVALIDCALL;
    ib_->AddRef();
    *buffer = ib_;
    return D3D_OK;
  }
  HRESULT LockVertexBuffer(DWORD flags, void** data) override { return vb_->Lock(0, 0, data, flags); }
  HRESULT UnlockVertexBuffer() override { return vb_->Unlock(); }
  HRESULT LockIndexBuffer(DWORD flags, void** data) override { return ib_->Lock(0, 0, data, flags); }
  HRESULT UnlockIndexBuffer() override { return ib_->Unlock(); }

  HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) override {
    if (!data) return D3DERR_INVALIDCALL;
    attributesWritten_ = (flags & D3DLOCK_READONLY) == 0;
    *data = attributes_.data();
    return D3D_OK;
  }
  HRESULT UnlockAttributeBuffer() override {
    // New attributes make the old table wrong.
    if (attributesWritten_) table_.clear();
    attributesWritten_ = false;
    return D3D_OK;
  }

  HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) override {
    if (!table) {
      if (!size) return D3DERR_INVALIDCALL;
      *size = static_cast<DWORD>(table_.size());
      return D3D_OK;
    }
    const std::size_t count = size ? std::min<std::size_t>(*size, table_.size()) : table_.size();
    std::copy_n(table_.begin(), count, table);
    return D3D_OK;
  }

  HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device, ID3DXMesh** clone) override {
    if (!clone) return D3DERR_INVALIDCALL;
    *clone = nullptr;
    Mesh* copy = nullptr;
    if (HRESULT hr = Make(faces_, vertices_, options, fvf, device, &copy); hr != D3D_OK) return hr;
    std::vector<DWORD> identity(vertices_);
    std::iota(identity.begin(), identity.end(), 0u);
    CopyVerticesInto(copy, identity);
    CopyIndices(copy->ib_, nullptr, nullptr);
    copy->attributes_ = attributes_;
    copy->table_ = table_;
    *clone = copy;
    return D3D_OK;
  }

  HRESULT Optimize(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut, DWORD* faceRemap,
                   ID3DXBuffer** vertexRemap, ID3DXMesh** optimised) override {
    if (!optimised) return D3DERR_INVALIDCALL;
    *optimised = nullptr;
    if (vertexRemap) *vertexRemap = nullptr;
    // Faces: stable by attribute.
    std::vector<DWORD> faceOrder(faces_);  // new face -> old face
    std::iota(faceOrder.begin(), faceOrder.end(), 0u);
    std::stable_sort(faceOrder.begin(), faceOrder.end(),
                     [this](DWORD a, DWORD b) { return attributes_[a] < attributes_[b]; });
    const WORD* indices = Indices();
    if (!indices) return D3DERR_INVALIDCALL;
    // Vertices: first-use order for the vertex-cache, strip and compact forms.
    std::vector<DWORD> vertexOrder;                  // new vertex -> old vertex
    std::vector<DWORD> newOf(vertices_, kNoNeighbour);  // old vertex -> new vertex
    if (flags & (D3DXMESHOPT_VERTEXCACHE | D3DXMESHOPT_STRIPREORDER | D3DXMESHOPT_COMPACT)) {
      for (DWORD f : faceOrder)
        for (int k = 0; k < 3; ++k) {
          const WORD v = indices[f * 3 + k];
          if (newOf[v] != kNoNeighbour) continue;
          newOf[v] = static_cast<DWORD>(vertexOrder.size());
          vertexOrder.push_back(v);
        }
    } else {
      vertexOrder.resize(vertices_);
      std::iota(vertexOrder.begin(), vertexOrder.end(), 0u);
      newOf = vertexOrder;
    }
    ib_->Unlock();
    Mesh* out = nullptr;
    if (HRESULT hr = Make(faces_, static_cast<DWORD>(vertexOrder.size()), flags, fvf_, device_, &out); hr != D3D_OK)
      return hr;
    CopyVerticesInto(out, vertexOrder);
    CopyIndices(out->ib_, &faceOrder, &newOf);
    out->attributes_.resize(faces_);
    for (DWORD f = 0; f < faces_; ++f) out->attributes_[f] = attributes_[faceOrder[f]];
    out->BuildAttributeTable();
    if (faceRemap) std::copy(faceOrder.begin(), faceOrder.end(), faceRemap);
    if (adjacencyOut) {
      std::vector<DWORD> newFaceOf(faces_);
      for (DWORD f = 0; f < faces_; ++f) newFaceOf[faceOrder[f]] = f;
      for (DWORD f = 0; f < faces_; ++f)
        for (int k = 0; k < 3; ++k) {
          const DWORD old = adjacencyIn ? adjacencyIn[faceOrder[f] * 3 + k] : kNoNeighbour;
          adjacencyOut[f * 3 + k] = old < faces_ ? newFaceOf[old] : kNoNeighbour;
        }
    }
    if (vertexRemap) {
      auto* remap = new Buffer(static_cast<DWORD>(vertexOrder.size() * sizeof(DWORD)));
      std::memcpy(remap->GetBufferPointer(), vertexOrder.data(), vertexOrder.size() * sizeof(DWORD));
      *vertexRemap = remap;
    }
    *optimised = out;
    return D3D_OK;
  }

  HRESULT DrawSubset(DWORD attribId) override {
    // A mesh outlives its device only as memory: draw nothing then.
    if (static_cast<CpuVertexBuffer*>(vb_)->Stale()) return D3DERR_INVALIDCALL;
    std::vector<D3DXATTRIBUTERANGE> ranges;
    if (!table_.empty()) {
      for (const D3DXATTRIBUTERANGE& r : table_)
        if (r.AttribId == attribId && r.FaceCount > 0) ranges.push_back(r);
    } else {
      // Unsorted: every run of faces with this attribute.
      for (DWORD f = 0; f < faces_;) {
        DWORD end = f;
        while (end < faces_ && attributes_[end] == attributes_[f]) ++end;
        if (attributes_[f] == attribId) ranges.push_back({attribId, f, end - f, 0, vertices_});
        f = end;
      }
    }
    if (ranges.empty()) return D3D_OK;
    HRESULT hr = device_->SetFVF(fvf_);
    if (hr == D3D_OK) hr = device_->SetStreamSource(0, vb_, 0, stride_);
    if (hr == D3D_OK) hr = device_->SetIndices(ib_);
    for (const D3DXATTRIBUTERANGE& r : ranges) {
      if (hr != D3D_OK) break;
      hr = device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, r.VertexStart, r.VertexCount, r.FaceStart * 3,
                                         r.FaceCount);
    }
    return hr;
  }

  // ---- For the loader ----
  std::vector<DWORD>& Attributes() { return attributes_; }
  void BuildAttributeTable() {
    table_.clear();
    const WORD* indices = Indices();
    if (!indices) return;
    for (DWORD f = 0; f < faces_;) {
      DWORD end = f;
      WORD low = 0xFFFF, high = 0;
      while (end < faces_ && attributes_[end] == attributes_[f]) {
        for (int k = 0; k < 3; ++k) {
          low = std::min(low, indices[end * 3 + k]);
          high = std::max(high, indices[end * 3 + k]);
        }
        ++end;
      }
      table_.push_back({attributes_[f], f, end - f, low, static_cast<DWORD>(high - low + 1)});
      f = end;
    }
    ib_->Unlock();
  }

 private:
  Mesh(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, UINT stride, IDirect3DDevice9* device)
      : device_(device), faces_(faces), vertices_(vertices), options_(options), fvf_(fvf), stride_(stride),
        attributes_(faces, 0) {}
  ~Mesh() override {
    if (vb_) vb_->Release();
    if (ib_) ib_->Release();
  }

  // The index buffer, locked (the caller unlocks), or null.
  const WORD* Indices() {
    void* data = nullptr;
    if (ib_->Lock(0, 0, &data, D3DLOCK_READONLY) != D3D_OK) return nullptr;
    return static_cast<const WORD*>(data);
  }

  // Vertex i of target = vertex order[i] of this mesh, converted to the
  // target's format.
  void CopyVerticesInto(Mesh* target, const std::vector<DWORD>& order) {
    void* from = nullptr;
    void* to = nullptr;
    if (vb_->Lock(0, 0, &from, D3DLOCK_READONLY) != D3D_OK) return;
    if (target->vb_->Lock(0, 0, &to, 0) != D3D_OK) {
      vb_->Unlock();
      return;
    }
    const FvfLayout a = D3D9FvfLayout(fvf_), b = D3D9FvfLayout(target->fvf_);
    for (std::size_t i = 0; i < order.size(); ++i) {
      const BYTE* src = static_cast<const BYTE*>(from) + static_cast<std::size_t>(order[i]) * a.stride;
      BYTE* dst = static_cast<BYTE*>(to) + i * b.stride;
      std::memcpy(dst, src, 12);
      if (a.normal >= 0 && b.normal >= 0) std::memcpy(dst + b.normal, src + a.normal, 12);
      if (a.diffuse >= 0 && b.diffuse >= 0) std::memcpy(dst + b.diffuse, src + a.diffuse, 4);
      if (a.specular >= 0 && b.specular >= 0) std::memcpy(dst + b.specular, src + a.specular, 4);
      const int sets = std::min(a.texCoordSets, b.texCoordSets);
      if (sets > 0) std::memcpy(dst + b.texCoord, src + a.texCoord, 8 * static_cast<std::size_t>(sets));
    }
    target->vb_->Unlock();
    vb_->Unlock();
  }

  // Copies the indices into target, faces in faceOrder (null: as they are),
  // vertices renumbered by newOf (null: as they are).
  void CopyIndices(IDirect3DIndexBuffer9* target, const std::vector<DWORD>* faceOrder, const std::vector<DWORD>* newOf) {
    const WORD* from = Indices();
    void* to = nullptr;
    if (!from) return;
    if (target->Lock(0, 0, &to, 0) == D3D_OK) {
      WORD* out = static_cast<WORD*>(to);
      for (DWORD f = 0; f < faces_; ++f) {
        const DWORD source = faceOrder ? (*faceOrder)[f] : f;
        for (int k = 0; k < 3; ++k) {
          const WORD v = from[source * 3 + k];
          out[f * 3 + k] = static_cast<WORD>(newOf ? (*newOf)[v] : v);
        }
      }
      target->Unlock();
    }
    ib_->Unlock();
  }

  IDirect3DDevice9* device_;
  IDirect3DVertexBuffer9* vb_ = nullptr;
  IDirect3DIndexBuffer9* ib_ = nullptr;
  DWORD faces_, vertices_, options_, fvf_;
  UINT stride_;
  std::vector<DWORD> attributes_;
  std::vector<D3DXATTRIBUTERANGE> table_;
  bool attributesWritten_ = false;
  ULONG refs_ = 1;
};

}  // namespace

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer) {
  if (!buffer) return D3DERR_INVALIDCALL;
  *buffer = new Buffer(size);
  return D3D_OK;
}

HRESULT D3DXCreateMeshFVF(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh) {
  if (!mesh) return D3DERR_INVALIDCALL;
  Mesh* made = nullptr;
  const HRESULT hr = Mesh::Make(faces, vertices, options, fvf, device, &made);
  *mesh = made;
  return hr;
}

void D3DXMeshSetAttributes(ID3DXMesh* mesh, const std::vector<DWORD>& attributes) {
  auto* m = static_cast<Mesh*>(mesh);
  m->Attributes() = attributes;
  m->Attributes().resize(m->GetNumFaces(), 0);
  m->BuildAttributeTable();
}

HRESULT D3DXComputeNormals(ID3DXMesh* mesh, const DWORD*) {
  if (!mesh) return D3DERR_INVALIDCALL;
  const FvfLayout layout = D3D9FvfLayout(mesh->GetFVF());
  if (layout.normal < 0 || layout.positionFloats != 3) return D3DERR_INVALIDCALL;
  void* vertexData = nullptr;
  void* indexData = nullptr;
  if (mesh->LockVertexBuffer(0, &vertexData) != D3D_OK) return D3DERR_INVALIDCALL;
  if (mesh->LockIndexBuffer(D3DLOCK_READONLY, &indexData) != D3D_OK) {
    mesh->UnlockVertexBuffer();
    return D3DERR_INVALIDCALL;
  }
  BYTE* vertices = static_cast<BYTE*>(vertexData);
  const WORD* indices = static_cast<const WORD*>(indexData);
  const DWORD count = mesh->GetNumVertices();
  std::vector<D3DXVECTOR3> sums(count);
  auto position = [&](WORD v) {
    D3DXVECTOR3 p;
    std::memcpy(&p, vertices + static_cast<std::size_t>(v) * layout.stride, 12);
    return p;
  };
  for (DWORD f = 0; f < mesh->GetNumFaces(); ++f) {
    const WORD* t = indices + f * 3;
    if (t[0] >= count || t[1] >= count || t[2] >= count) continue;
    D3DXVECTOR3 p0 = position(t[0]), p1 = position(t[1]), p2 = position(t[2]), e1, e2, n;
    D3DXVec3Subtract(&e1, &p1, &p0);
    D3DXVec3Subtract(&e2, &p2, &p0);
    D3DXVec3Cross(&n, &e1, &e2);  // its length weighs the face by its area
    for (int k = 0; k < 3; ++k) {
      sums[t[k]].x += n.x;
      sums[t[k]].y += n.y;
      sums[t[k]].z += n.z;
    }
  }
  for (DWORD v = 0; v < count; ++v) {
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &sums[v]);
    std::memcpy(vertices + static_cast<std::size_t>(v) * layout.stride + layout.normal, &n, 12);
  }
  mesh->UnlockIndexBuffer();
  mesh->UnlockVertexBuffer();
  return D3D_OK;
}

HRESULT D3DXComputeBoundingSphere(const D3DXVECTOR3* first, DWORD numVertices, DWORD stride, D3DXVECTOR3* centre,
                                  float* radius) {
  if (!first || !centre || !radius || numVertices == 0 || stride < 12) return D3DERR_INVALIDCALL;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(first);
  auto at = [&](DWORD i) {
    D3DXVECTOR3 p;
    std::memcpy(&p, bytes + static_cast<std::size_t>(i) * stride, 12);
    return p;
  };
  double sx = 0, sy = 0, sz = 0;
  for (DWORD i = 0; i < numVertices; ++i) {
    const D3DXVECTOR3 p = at(i);
    sx += p.x;
    sy += p.y;
    sz += p.z;
  }
  const D3DXVECTOR3 c(static_cast<float>(sx / numVertices), static_cast<float>(sy / numVertices),
                      static_cast<float>(sz / numVertices));
  float largest = 0.0f;
  for (DWORD i = 0; i < numVertices; ++i) {
    D3DXVECTOR3 p = at(i), d;
    D3DXVec3Subtract(&d, &p, &c);
    largest = std::max(largest, D3DXVec3Length(&d));
  }
  *centre = c;
  *radius = largest;
  return D3D_OK;
}

UINT D3DXGetFVFVertexSize(DWORD fvf) { return D3D9FvfLayout(fvf).stride; }
