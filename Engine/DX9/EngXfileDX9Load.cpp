// EngXfileDX9Load.cpp - LoadMesh_DX9: a ".x" mesh through the D3DX loader,
// its materials and textures, the load-time corrections and scale, the
// bounding sphere and missing normals (see EngXfileDX9.h).
#include <cstdio>
#include <cstring>
#include <new>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngXfileDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngTexture.h"
#include "Platform/D3DXMath.h"

namespace {

constexpr const char* kWhere = "LoadMesh_DX9";
constexpr std::size_t kTexturePathSize = 1024;

// R x M for each axis of the record's order whose angle is not 0.
D3DXMATRIX RotationOf(const EngXfileTransform* t) {
  D3DXMATRIX m;
  D3DXMatrixIdentity(&m);
  if (!t) return m;
  const int order[2][3] = {{0, 1, 2}, {2, 1, 0}};
  for (int axis : order[t->rotationOrder == 0 ? 0 : 1]) {
    const float angle = t->rotation[axis];
    if (angle == 0.0f) continue;
    D3DXMATRIX r;
    if (axis == 0) D3DXMatrixRotationX(&r, angle);
    if (axis == 1) D3DXMatrixRotationY(&r, angle);
    if (axis == 2) D3DXMatrixRotationZ(&r, angle);
    D3DXMatrixMultiply(&m, &r, &m);
  }
  return m;
}

// The texture path of material n into path; false when there is none to
// load (no texture, or a path too long for the buffer, reported).
bool TexturePath(EngXfileDX9* record, int n, const char* folder, const char* textureFile,
                 EngXfileTextureFilenameCB hook, char (&path)[kTexturePathSize]) {
  const char* chosen = nullptr;
  if (hook && hook(record->owner, n, folder, textureFile)) chosen = hook(record->owner, n, folder, textureFile);
  int length = 0;
  if (chosen)
    length = std::snprintf(path, sizeof(path), "%s", chosen);
  else if (folder)
    length = std::snprintf(path, sizeof(path), "%s\\%s", folder, textureFile);
  else
    length = std::snprintf(path, sizeof(path), "%s", textureFile);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof(path)) {
    DebugError(kWhere, "Texture path too long (%d characters) for material %d", length, n);
    return false;
  }
  return true;
}

// Step 3 and 4: the record's materials and textures from the loader's.
HRESULT TakeMaterials(EngXfileDX9* record, ID3DXBuffer* buffer, const char* folder, int withAlpha, int alphaKind,
                      EngXfileTextureFilenameCB hook) {
  if (record->materials) {
    DebugError(kWhere, "mesh m_materials not null");
    delete[] record->materials;
    record->materials = nullptr;
  }
  record->materials = new (std::nothrow) D3DMATERIAL9[record->materialCount];
  if (!record->materials) {
    DebugError(kWhere, "Out of memory (m_materials)");
    return E_OUTOFMEMORY;
  }
  if (record->textures) {
    DebugError(kWhere, "mesh m_textures not null");
    delete[] record->textures;
    record->textures = nullptr;
  }
  record->textures = new (std::nothrow) EngTexture[record->materialCount];
  if (!record->textures) {
    DebugError(kWhere, "Out of memory (m_textures)");
    return E_OUTOFMEMORY;
  }
  const auto* given = buffer ? static_cast<const D3DXMATERIAL*>(buffer->GetBufferPointer()) : nullptr;
  for (std::uint32_t n = 0; n < record->materialCount && given; ++n) {
    D3DMATERIAL9& material = record->materials[n];
    material = given[n].MatD3D;
    material.Ambient = material.Diffuse;
    const char* textureFile = given[n].pTextureFilename;
    if (!textureFile || !*textureFile) {
      record->textures[n].Release();
      continue;
    }
    char path[kTexturePathSize];
    if (!TexturePath(record, static_cast<int>(n), folder, textureFile, hook, path)) continue;
    if (!record->textures[n].LoadFromFileUsingExt(path, withAlpha, alphaKind, 3))
      DebugError(kWhere, "Could not load texture <%s>", path);
  }
  return D3D_OK;
}

// Step 6: the second and third index of every triangle exchanged.
bool FlipWinding(ID3DXMesh* mesh) {
  IDirect3DIndexBuffer9* indices = nullptr;
  if (!EngUtilsDX9_CheckResult(kWhere, "GetIndexBuffer", mesh->GetIndexBuffer(&indices))) return false;
  const DWORD faces = mesh->GetNumFaces();
  bool ok = faces > 0;
  if (!ok) DebugError(kWhere, "No faces");
  void* data = nullptr;
  if (ok) ok = EngUtilsDX9_CheckResult(kWhere, "IndexBuffer Lock", indices->Lock(0, faces * 3 * sizeof(WORD), &data, D3DLOCK_DISCARD));
  if (ok) {
    WORD* index = static_cast<WORD*>(data);
    for (DWORD f = 0; f < faces; ++f) std::swap(index[f * 3 + 1], index[f * 3 + 2]);
    indices->Unlock();
  }
  indices->Release();
  return ok;
}

// Step 7: every vertex corrected and scaled.
bool CorrectVertices(ID3DXMesh* mesh, const EngXfileTransform* t, float sx, float sy, float sz) {
  IDirect3DVertexBuffer9* buffer = nullptr;
  if (!EngUtilsDX9_CheckResult(kWhere, "GetVertexBuffer[1]", mesh->GetVertexBuffer(&buffer))) return false;
  const DWORD fvf = mesh->GetFVF();
  const bool textured = fvf == (D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
  if (!textured && fvf != (D3DFVF_XYZ | D3DFVF_NORMAL)) {
    buffer->Release();
    DebugError(kWhere, "Unknown FVF [0x%x]- cannot apply scale", static_cast<unsigned>(fvf));
    return false;
  }
  void* data = nullptr;
  if (!EngUtilsDX9_CheckResult(kWhere, textured ? "Lock[1a]" : "Lock[1b]", buffer->Lock(0, 0, &data, D3DLOCK_NOSYSLOCK))) {
    buffer->Release();
    return false;
  }
  const D3DXMATRIX rotation = RotationOf(t);
  const bool scaled = sx != 1.0f || sy != 1.0f || sz != 1.0f;
  const UINT stride = textured ? 32 : 24;
  for (DWORD i = 0; i < mesh->GetNumVertices(); ++i) {
    float* v = reinterpret_cast<float*>(static_cast<BYTE*>(data) + static_cast<std::size_t>(i) * stride);
    float* position = v;
    float* normal = v + 3;
    float* uv = v + 6;
    if (t && textured) {
      if (t->flipU) uv[0] = 1.0f - uv[0];
      if (t->flipV) uv[1] = 1.0f - uv[1];
    }
    D3DXVECTOR3 p(position[0], position[1], position[2]), n(normal[0], normal[1], normal[2]);
    D3DXVec3TransformCoord(&p, &p, &rotation);
    D3DXVec3TransformCoord(&n, &n, &rotation);
    position[0] = p.x, position[1] = p.y, position[2] = p.z;
    normal[0] = n.x, normal[1] = n.y, normal[2] = n.z;
    if (t) {
      for (int k = 0; k < 3; ++k) {
        if (t->negatePosition[k]) position[k] = -position[k];
        if (t->negateNormal[k]) normal[k] = -normal[k];
      }
    }
    if (scaled) {
      position[0] *= sx;
      position[1] *= sy;
      position[2] *= sz;
    }
    if (t) {
      if (t->swapPositionYZ) std::swap(position[1], position[2]);
      if (t->swapNormalYZ) std::swap(normal[1], normal[2]);
      if (t->swapUV && textured) std::swap(uv[0], uv[1]);
    }
  }
  buffer->Unlock();
  buffer->Release();
  return true;
}

// Step 8: the record's bounding sphere.
void ComputeSphere(EngXfileDX9* record, ID3DXMesh* mesh) {
  IDirect3DVertexBuffer9* buffer = nullptr;
  if (!EngUtilsDX9_CheckResult(kWhere, "GetVertexBuffer", mesh->GetVertexBuffer(&buffer))) return;
  void* data = nullptr;
  if (EngUtilsDX9_CheckResult(kWhere, "Lock[2]", buffer->Lock(0, 0, &data, D3DLOCK_NOSYSLOCK))) {
    D3DXVECTOR3 centre;
    float radius = 0.0f;
    D3DXComputeBoundingSphere(static_cast<const D3DXVECTOR3*>(data), mesh->GetNumVertices(),
                              D3DXGetFVFVertexSize(mesh->GetFVF()), &centre, &radius);
    record->sphereCentre[0] = centre.x;
    record->sphereCentre[1] = centre.y;
    record->sphereCentre[2] = centre.z;
    record->sphereRadius = radius;
    buffer->Unlock();
  }
  buffer->Release();
}

}  // namespace

HRESULT LoadMesh_DX9(EngXfileDX9* record, const char* folder, const char* path, const void* memory, DWORD size,
                     float scaleX, float scaleY, float scaleZ, const EngXfileTransform* transform, int withAlpha,
                     int alphaKind, ID3DXMesh** outMesh, ID3DXBuffer** outAdjacency, EngXfileTextureFilenameCB hook) {
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  if (!record || !outMesh || !outAdjacency || !device) return E_FAIL;
  *outMesh = nullptr;
  *outAdjacency = nullptr;

  // 1-2. Load.
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* materials = nullptr;
  DWORD count = 0;
  const char* call = memory ? "D3DXLoadMeshFromXInMemory" : "D3DXLoadMeshFromX";
  const HRESULT loaded =
      memory ? D3DXLoadMeshFromXInMemory(memory, size, D3DXMESH_SYSTEMMEM, device, outAdjacency, &materials, nullptr,
                                         &count, &mesh)
             : D3DXLoadMeshFromX(path, D3DXMESH_SYSTEMMEM, device, outAdjacency, &materials, nullptr, &count, &mesh);
  if (!EngUtilsDX9_CheckResult(kWhere, call, loaded)) {
    if (!D3DXGetLastMeshError().empty())
      DebugError(kWhere, "<%s>: %s", memory ? "memory" : path, D3DXGetLastMeshError().c_str());
    return loaded;
  }
  record->materialCount = count;

  // 3-4. Materials and textures.
  HRESULT hr = TakeMaterials(record, materials, folder, withAlpha, alphaKind, hook);
  if (materials) materials->Release();

  // 5-7. Corrections and scale.
  const bool scaled = scaleX != 1.0f || scaleY != 1.0f || scaleZ != 1.0f;
  if (hr == D3D_OK && (transform || scaled)) {
    const bool corrected = (!transform || !transform->flipWinding || FlipWinding(mesh)) &&
                           CorrectVertices(mesh, transform, scaleX, scaleY, scaleZ);
    if (!corrected) hr = E_FAIL;
  }
  if (hr != D3D_OK) {
    record->Destroy();
    mesh->Release();
    (*outAdjacency)->Release();
    *outAdjacency = nullptr;
    return hr;
  }

  // 8. Bounding sphere.
  ComputeSphere(record, mesh);

  // 9. Normals when the file has none.
  if (!(mesh->GetFVF() & D3DFVF_NORMAL)) {
    ID3DXMesh* withNormals = nullptr;
    hr = mesh->CloneMeshFVF(mesh->GetOptions(), mesh->GetFVF() | D3DFVF_NORMAL, device, &withNormals);
    mesh->Release();
    if (!EngUtilsDX9_CheckResult(kWhere, "CloneMeshFVF[2]", hr)) {
      (*outAdjacency)->Release();
      *outAdjacency = nullptr;
      return hr;
    }
    mesh = withNormals;
    D3DXComputeNormals(mesh, nullptr);
  }

  // 10.
  *outMesh = mesh;
  return D3D_OK;
}
