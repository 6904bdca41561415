// EngXfileDX9.cpp - the mesh record's life, its optimised forms, drawing and
// texture replacement (see EngXfileDX9.h; the load itself is in
// EngXfileDX9Load.cpp).
#include "Engine/DX9/EngXfileDX9.h"

#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngTexture.h"

namespace {

constexpr std::size_t kMaxNameLength = 512;

template <class T>
void ReleaseInterface(T** object) {
  if (*object) (*object)->Release();
  *object = nullptr;
}

}  // namespace

EngXfileDX9::EngXfileDX9() { Clear(); }

EngXfileDX9::~EngXfileDX9() { Destroy(); }

void EngXfileDX9::Clear() {
  created = false;
  for (EngXfileForm& form : forms) form = {};
  for (bool& exists : formExists) exists = false;
  materialCount = 0;
  textures = nullptr;
  materials = nullptr;
  sphereCentre[0] = sphereCentre[1] = sphereCentre[2] = 0.0f;
  sphereRadius = 0.0f;
}

void EngXfileDX9::Destroy() {
  if (textures) {
    for (std::uint32_t n = 0; n < materialCount; ++n) textures[n].Release();
    delete[] textures;
  }
  delete[] materials;
  // Our buffers may be released after their device is gone (they are then
  // only memory), so every form is released whatever the device's state.
  for (EngXfileForm& form : forms) {
    ReleaseInterface(&form.optimised);
    ReleaseInterface(&form.local);
    ReleaseInterface(&form.vertexBuffer);
  }
  Clear();
}

bool EngXfileDX9::LoadFromFile(const char* folder, const char* name, float scaleX, float scaleY, float scaleZ,
                               const EngXfileTransform* transform, int withAlpha, int alphaKind,
                               EngXfileTextureFilenameCB hook) {
  const char* where = "EngXfileDX9::LoadFromFile";
  if (!name) {
    DebugError(where, "No filename");
    return false;
  }
  const std::size_t length = strnlen(name, kMaxNameLength);
  if (length == 0 || length >= kMaxNameLength) {
    DebugError(where, "Invalid filename <%.*s>", static_cast<int>(length), name);
    return false;
  }
  Destroy();
  char path[kMaxNameLength * 2 + 2];
  if (folder)
    std::snprintf(path, sizeof(path), "%s/%s", folder, name);
  else
    std::snprintf(path, sizeof(path), "%s", name);
  if (!EngFileExists(path)) {
    DebugError(where, "File does not exist <%s>", path);
    return false;
  }
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* adjacency = nullptr;
  const HRESULT hr = LoadMesh_DX9(this, folder, path, nullptr, 0, scaleX, scaleY, scaleZ, transform, withAlpha,
                                  alphaKind, &mesh, &adjacency, hook);
  if (!EngUtilsDX9_CheckResult(where, "LoadMesh_DX9", hr)) return false;
  return CompleteLoadingOfMesh_DX9(mesh, adjacency);
}

bool EngXfileDX9::CompleteLoadingOfMesh_DX9(ID3DXMesh* mesh, ID3DXBuffer* adjacency) {
  const char* where = "EngXfileDX9::CompleteLoadingOfMesh_DX9";
  HRESULT hr = OptimiseMeshData_DX9(mesh, adjacency, D3DXMESHOPT_VERTEXCACHE, &forms[kEngXfileVertexCache]);
  formExists[kEngXfileVertexCache] = EngUtilsDX9_CheckResult(where, "EngXfileDX9::OptimiseMeshData_DX9[1]", hr);
  if (!formExists[kEngXfileVertexCache]) {
    DebugError(where, "Could not optimize for vertex cache - trying strip re-order instead");
    hr = OptimiseMeshData_DX9(mesh, adjacency, D3DXMESHOPT_STRIPREORDER, &forms[kEngXfileStripReorder]);
    formExists[kEngXfileStripReorder] = EngUtilsDX9_CheckResult(where, "EngXfileDX9::OptimiseMeshData_DX9[2]", hr);
    if (!formExists[kEngXfileStripReorder]) {
      DebugError(where, "Could not optimize for strip reorde - trying attribute sort instead");
      hr = OptimiseMeshData_DX9(mesh, adjacency, D3DXMESHOPT_ATTRSORT, &forms[kEngXfileAttributeSort]);
      formExists[kEngXfileAttributeSort] = EngUtilsDX9_CheckResult(where, "EngXfileDX9::OptimiseMeshData_DX9[3]", hr);
      if (!formExists[kEngXfileAttributeSort]) DebugError(where, "No optimised mesh");
    }
  }
  ReleaseInterface(&mesh);
  ReleaseInterface(&adjacency);
  for (int form : {kEngXfileAttributeSort, kEngXfileStripReorder, kEngXfileVertexCache})
    if (formExists[form]) UpdateLocalMeshes_DX9(&forms[form]);
  created = true;
  return true;
}

HRESULT EngXfileDX9::OptimiseMeshData_DX9(ID3DXMesh* mesh, ID3DXBuffer* adjacency, DWORD flags, EngXfileForm* form) {
  const char* where = "EngXfileDX9::OptimiseMeshData_DX9";
  if (!mesh || !form) {
    DebugError(where, "Bad parameters");
    return E_FAIL;
  }
  if (form->optimised) {
    DebugError(where, "Already optimized");
    return E_FAIL;
  }
  const auto* adjacent = adjacency ? static_cast<const DWORD*>(adjacency->GetBufferPointer()) : nullptr;
  const HRESULT hr = mesh->Optimize(flags | D3DXMESH_SYSTEMMEM, adjacent, nullptr, nullptr, nullptr, &form->optimised);
  EngUtilsDX9_CheckResult(where, "Optimize", hr);
  return hr;
}

HRESULT EngXfileDX9::UpdateLocalMeshes_DX9(EngXfileForm* form) {
  const char* where = "EngXfileDX9::UpdateLocalMeshes_DX9";
  if (!form) return E_FAIL;
  if (!form->optimised) return D3D_OK;
  if (form->local) {
    DebugError(where, "Mesh data already created");
    return E_FAIL;
  }
  HRESULT hr = form->optimised->CloneMeshFVF(D3DXMESH_MANAGED | D3DXMESH_VB_WRITEONLY, form->optimised->GetFVF(),
                                             EngDeviceDX9GetD3DDevice(), &form->local);
  if (!EngUtilsDX9_CheckResult(where, "CloneMeshFVF", hr)) return hr;
  if (form->vertexBuffer) {
    DebugError(where, "Already have vertex buffer");
    return E_FAIL;
  }
  hr = form->local->GetVertexBuffer(&form->vertexBuffer);
  EngUtilsDX9_CheckResult(where, "GetVertexBuffer", hr);
  return hr;
}

void EngXfileDX9::Draw() {
  for (int form : {kEngXfileVertexCache, kEngXfileStripReorder, kEngXfileAttributeSort}) {
    if (!formExists[form]) continue;
    DrawMeshData_DX9(&forms[form]);
    return;
  }
}

void EngXfileDX9::DrawMeshData_DX9(EngXfileForm* form) {
  const char* where = "EngXfileDX9::DrawMeshData_DX9";
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  EngDeviceDX9* back = EngDeviceDX9GetCurrent();
  if (!device || !form || !form->local) return;
  bool textureSet = false;
  bool materialSet = false;
  for (std::uint32_t n = 0; n < materialCount; ++n) {
    EngUtilsDX9_CheckResult(where, "SetMaterial", device->SetMaterial(&materials[n]));
    materialSet = true;
    if (textures[n].IsLoaded()) {
      textures[n].SetAsDeviceTexture();
      textureSet = true;
    } else if (textureSet) {
      device->SetTexture(0, nullptr);
      textureSet = false;
    }
    EngUtilsDX9_CheckResult(where, "DrawSubset", form->local->DrawSubset(n));
  }
  if (textureSet) device->SetTexture(0, nullptr);
  if (materialSet && back) back->SetMaterialToDefault();
}

bool EngXfileDX9::SetMaterialTextureFromFile(int material, const char* file, int withAlpha, int alphaKind,
                                             int onlyIfTextured) {
  const char* where = "EngXfileDX9::SetMaterialTextureFromFile";
  if (!materials || materialCount == 0) {
    if (onlyIfTextured) return true;
    DebugError(where, "No m_materials");
    return false;
  }
  if (material < 0 || static_cast<std::uint32_t>(material) >= materialCount) {
    DebugError(where, "Model only has %u m_materials [%d]", materialCount, material);
    return false;
  }
  EngTexture& texture = textures[material];
  if (onlyIfTextured && !texture.IsLoaded()) return true;
  texture.Release();
  if (!file || !*file) return true;
  if (!texture.LoadFromFileUsingExt(file, withAlpha, alphaKind, 3)) {
    DebugError(where, "Could not load texture <%s> for model", file);
    return false;
  }
  return true;
}
