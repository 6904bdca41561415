// EngXfileDX9.h - the Direct3D 9 back end of the engine's meshes: a ".x" mesh
// loaded through the D3DX mesh library (Platform/D3DXMesh.h), corrected on
// the way in (rotation, mirroring, axis swaps, texture-coordinate flips,
// winding, scale), with the textures its materials name (a hook may choose
// other files), its bounding sphere and, when it has none, its normals;
// optimised for drawing and drawn subset by subset with its materials.
//
// Drawing forms, tried in this order at load: vertex cache, strip re-order,
// attribute sort; the first optimisation that succeeds is the one form
// built, and drawn. A mesh whose three optimisations all fail is created
// and draws nothing.
//
// State: the record's fields. Meshes and textures belong to the device:
// destroy the record with the other graphics objects.
#pragma once

#include <cstdint>

#include "Engine/EngXfile.h"
#include "Platform/D3DXMesh.h"

class EngTexture;

// One drawing form: the optimised mesh (system memory), its local copy
// (managed) and that copy's vertex buffer.
struct EngXfileForm {
  ID3DXMesh* optimised;
  ID3DXMesh* local;
  IDirect3DVertexBuffer9* vertexBuffer;
};

// Form indices, in the record's order.
constexpr int kEngXfileAttributeSort = 0;
constexpr int kEngXfileStripReorder = 1;
constexpr int kEngXfileVertexCache = 2;

class EngXfileDX9 {
 public:
  // Owner none, then Clear.
  EngXfileDX9();
  // Destroy.
  ~EngXfileDX9();
  EngXfileDX9(const EngXfileDX9&) = delete;
  EngXfileDX9& operator=(const EngXfileDX9&) = delete;

  // Every field but the owner to zero; frees nothing.
  void Clear();

  // Loads folder/name (or name alone without a folder), scaled by (x, y, z)
  // and corrected by the record when one is given. Textures get withAlpha
  // and alphaKind. False (reported, record not created) for a missing or bad
  // name ("No filename", "Invalid filename <%s>" for an empty name or one of
  // 512 characters or more), a missing file, a load or correction failure.
  // A texture that cannot be loaded only leaves its material untextured;
  // texture paths of more than 1023 characters are refused that way too.
  bool LoadFromFile(const char* folder, const char* name, float scaleX, float scaleY, float scaleZ,
                    const EngXfileTransform* transform, int withAlpha, int alphaKind,
                    EngXfileTextureFilenameCB hook);
  // Gives material n the texture of a picture file (empty or null: no
  // texture). With onlyIfTextured, a mesh without materials or an
  // untextured material is left as it is (true).
  bool SetMaterialTextureFromFile(int material, const char* file, int withAlpha, int alphaKind, int onlyIfTextured);
  // Draws every subset of the best form (vertex cache, strip, attribute sort).
  void Draw();
  // Releases textures, materials and meshes, then Clear.
  void Destroy();

  // ---- Internal steps (each reports under its own name) ----
  bool CompleteLoadingOfMesh_DX9(ID3DXMesh* mesh, ID3DXBuffer* adjacency);
  HRESULT OptimiseMeshData_DX9(ID3DXMesh* mesh, ID3DXBuffer* adjacency, DWORD flags, EngXfileForm* form);
  HRESULT UpdateLocalMeshes_DX9(EngXfileForm* form);
  void DrawMeshData_DX9(EngXfileForm* form);

  // ---- The record ----
  bool created = false;
  EngXfile* owner = nullptr;
  EngXfileForm forms[3]{};
  bool formExists[3]{};
  std::uint32_t materialCount = 0;
  EngTexture* textures = nullptr;        // materialCount handles
  D3DMATERIAL9* materials = nullptr;     // materialCount materials
  float sphereCentre[3]{};
  float sphereRadius = 0.0f;
};

// The load itself (step by step as described in the file head): the mesh
// from folder/path (or, with memory given, from size bytes there), its
// materials and textures into record, the corrections and scale, the
// bounding sphere and the normals. On success the mesh and its adjacency go
// to the outputs.
HRESULT LoadMesh_DX9(EngXfileDX9* record, const char* folder, const char* path, const void* memory, DWORD size,
                     float scaleX, float scaleY, float scaleZ, const EngXfileTransform* transform, int withAlpha,
                     int alphaKind, ID3DXMesh** mesh, ID3DXBuffer** adjacency, EngXfileTextureFilenameCB hook);
