// XFileFuzz.cpp - the text ".x" mesh reader and the D3DX mesh built from
// it (the deck-side model, and any model file put in the game's folders):
// any bytes as a .x file. What the reader gives must be a consistent mesh;
// the mesh made on a recording device from it must index only its own
// vertices and materials, and survive optimising and computed normals.
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Platform/D3D9Recording.h"
#include "Platform/D3DXMesh.h"
#include "Platform/XFileText.h"
#include "tests/Fuzz/FuzzSupport.h"

namespace {

// One recording device for the whole run (null when it cannot be made).
IDirect3DDevice9* Device() {
  static IDirect3D9* d3d = nullptr;
  static IDirect3DDevice9* device = nullptr;
  if (!d3d) {
    D3D9UseRecording();
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 64;
    pp.BackBufferHeight = 64;
    pp.Windowed = TRUE;
    if (d3d) d3d->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1), 0, &pp, &device);
  }
  return device;
}

void CheckReaderMesh(const XFileMesh& m) {
  FUZZ_CHECK(m.positions.size() <= kXFileMaxPositions);
  FUZZ_CHECK(m.polygonStarts.size() == m.polygonSizes.size());
  std::size_t corners = 0;
  for (std::size_t p = 0; p < m.polygonSizes.size(); ++p) {
    FUZZ_CHECK(m.polygonSizes[p] >= 3);
    FUZZ_CHECK(m.polygonStarts[p] == corners);
    corners += m.polygonSizes[p];
  }
  FUZZ_CHECK(corners == m.corners.size());
  for (std::uint32_t c : m.corners) FUZZ_CHECK(c < m.positions.size());
  FUZZ_CHECK(m.normals.empty() || m.normalCorners.size() == m.corners.size());
  for (std::uint32_t n : m.normalCorners) FUZZ_CHECK(n < m.normals.size());
  FUZZ_CHECK(m.texCoords.empty() || m.texCoords.size() == m.positions.size() * 2);
  FUZZ_CHECK(m.polygonMaterials.empty() || m.polygonMaterials.size() == m.polygonSizes.size());
  for (std::uint32_t a : m.polygonMaterials) FUZZ_CHECK(a < m.materials.size());
  for (const D3DVECTOR& v : m.positions) FUZZ_CHECK(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
}

void CheckBuiltMesh(ID3DXMesh* mesh, DWORD materials) {
  const DWORD vertices = mesh->GetNumVertices(), faces = mesh->GetNumFaces();
  FUZZ_CHECK(vertices >= 1 && vertices <= 65535 && faces >= 1 && materials >= 1);
  void* data = nullptr;
  FUZZ_CHECK(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data) == D3D_OK);
  const auto* indices = static_cast<const WORD*>(data);
  for (DWORD i = 0; i < faces * 3; ++i) FUZZ_CHECK(indices[i] < vertices);
  mesh->UnlockIndexBuffer();
  DWORD* attributes = nullptr;
  FUZZ_CHECK(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes) == D3D_OK);
  for (DWORD f = 0; f < faces; ++f) FUZZ_CHECK(attributes[f] < materials);
  mesh->UnlockAttributeBuffer();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzBeginInput();
  const char* text = reinterpret_cast<const char*>(data);
  XFileMesh read;
  std::string error;
  if (XFileReadText(text, size, &read, &error) != XFileResult::kOk) {
    FUZZ_CHECK(!error.empty() && read.positions.empty() && read.corners.empty());
  } else {
    CheckReaderMesh(read);
  }

  IDirect3DDevice9* device = Device();
  if (!device) return 0;
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* materials = nullptr;
  ID3DXBuffer* adjacency = nullptr;
  DWORD count = 0;
  if (D3DXLoadMeshFromXInMemory(data, static_cast<DWORD>(size), D3DXMESH_SYSTEMMEM, device, &adjacency, &materials,
                                nullptr, &count, &mesh) != D3D_OK) {
    FUZZ_CHECK(!mesh && !materials && !adjacency && !D3DXGetLastMeshError().empty());
    return 0;
  }
  CheckBuiltMesh(mesh, count);
  FUZZ_CHECK(adjacency->GetBufferSize() == mesh->GetNumFaces() * 3 * sizeof(DWORD));
  ID3DXMesh* optimised = nullptr;
  FUZZ_CHECK(mesh->Optimize(D3DXMESHOPT_VERTEXCACHE | D3DXMESH_SYSTEMMEM,
                            static_cast<const DWORD*>(adjacency->GetBufferPointer()), nullptr, nullptr, nullptr,
                            &optimised) == D3D_OK);
  CheckBuiltMesh(optimised, count);
  ID3DXMesh* withNormals = nullptr;
  FUZZ_CHECK(optimised->CloneMeshFVF(D3DXMESH_MANAGED, optimised->GetFVF() | D3DFVF_NORMAL, device, &withNormals) ==
             D3D_OK);
  FUZZ_CHECK(D3DXComputeNormals(withNormals, nullptr) == D3D_OK);
  for (DWORD subset = 0; subset < count; ++subset) FUZZ_CHECK(withNormals->DrawSubset(subset) == D3D_OK);
  D3D9RecordingRecorder().Clear();  // the log would grow with every input
  withNormals->Release();
  optimised->Release();
  mesh->Release();
  materials->Release();
  adjacency->Release();
  return 0;
}

std::vector<FuzzSeed> FuzzSeeds() {
  std::vector<FuzzSeed> seeds = {
      {"seed-triangle.x",
       "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n"},
      {"seed-textured-quad.x",
       "xof 0303txt 0032\n"
       "Material Red { 1;0;0;1;; 4; 1;1;1;; 0;0;0;; TextureFilename { \"red.bmp\"; } }\n"
       "Frame Root { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 2,0,0,1;; }\n"
       "  Mesh Quad { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 1; 4;0,1,2,3;;\n"
       "    MeshNormals { 1; 0;0;-1;; 1; 4;0,0,0,0;; }\n"
       "    MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }\n"
       "    MeshMaterialList { 2; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } {Red} } } }\n"},
  };
  // The deck-side model as the game ships it.
  std::ifstream deckSide(CARDOLIA_BUILD_DIR "/Data/Deck/0180.dat", std::ios::binary);
  std::ostringstream bytes;
  bytes << deckSide.rdbuf();
  if (!bytes.str().empty()) seeds.push_back({"seed-deck-side.x", bytes.str()});
  return seeds;
}
