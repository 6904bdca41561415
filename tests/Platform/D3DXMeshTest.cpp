// The D3DX mesh library on the recording device: how a text ".x" file
// becomes vertices and triangles (split by normals, fanned polygons),
// materials and adjacency; cloning into another format, computed normals,
// bounding spheres; the optimised forms' face order, vertex order and
// attribute table, and the draws a subset makes; refusals and leaks.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/D3D9Recording.h"
#include "Platform/D3DXMath.h"
#include "Platform/D3DXMesh.h"

namespace {

const std::string kHeader = "xof 0303txt 0032\n";

// A cube of 8 positions with one normal per side (so 24 vertices).
const std::string kCube = kHeader +
    "Mesh {\n"
    "  8;\n"
    "  -1;-1;-1;, 1;-1;-1;, 1;1;-1;, -1;1;-1;, -1;-1;1;, 1;-1;1;, 1;1;1;, -1;1;1;;\n"
    "  6;\n"
    "  4;0,3,2,1;, 4;4,5,6,7;, 4;0,1,5,4;, 4;2,3,7,6;, 4;1,2,6,5;, 4;0,4,7,3;;\n"
    "  MeshNormals { 6; 0;0;-1;, 0;0;1;, 0;-1;0;, 0;1;0;, 1;0;0;, -1;0;0;;\n"
    "    6; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;; }\n"
    "  MeshMaterialList { 2; 6; 1,0,1,0,1,0;;\n"
    "    Material { 1;0;0;1;; 5; 1;1;1;; 0;0;0;; TextureFilename { \"side.bmp\"; } }\n"
    "    Material { 0;0;1;0.5;; 0; 0;0;0;; 0.5;0.5;0.5;; } }\n"
    "}\n";

// A pentagon with texture coordinates and no normals.
const std::string kPentagon = kHeader +
    "Mesh { 5; 0;0;0;, 2;0;0;, 3;2;0;, 1;3;0;, -1;2;0;;\n"
    "  1; 5;0,1,2,3,4;;\n"
    "  MeshTextureCoords { 5; 0;0;, 1;0;, 1;1;, 0.5;1;, 0;1;; } }\n";

class D3DXMeshTest : public ::testing::Test {
 protected:
  void SetUp() override {
    D3D9UseRecording();
    d3d_ = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(d3d_, nullptr);
    D3DPRESENT_PARAMETERS pp{};
    pp.BackBufferWidth = 320;
    pp.BackBufferHeight = 200;
    pp.Windowed = TRUE;
    ASSERT_EQ(d3d_->CreateDevice(0, D3DDEVTYPE_HAL, reinterpret_cast<HWND>(1), 0, &pp, &device_), D3D_OK);
    resourcesBefore_ = D3D9LiveResourceCount();
  }
  void TearDown() override {
    for (ID3DXMesh* m : meshes_) m->Release();
    for (ID3DXBuffer* b : buffers_) b->Release();
    EXPECT_EQ(D3D9LiveResourceCount(), resourcesBefore_) << "a mesh leaked its buffers";
    if (device_) device_->Release();
    d3d_->Release();
    D3D9SetFactory(nullptr);
  }

  // Loads text; the mesh and buffers are released at the end of the test.
  HRESULT Load(const std::string& text, ID3DXMesh** mesh, ID3DXBuffer** materials = nullptr,
               DWORD* count = nullptr, ID3DXBuffer** adjacency = nullptr) {
    const HRESULT hr = D3DXLoadMeshFromXInMemory(text.data(), static_cast<DWORD>(text.size()), D3DXMESH_SYSTEMMEM,
                                                 device_, adjacency, materials, nullptr, count, mesh);
    if (*mesh) meshes_.push_back(*mesh);
    if (materials && *materials) buffers_.push_back(*materials);
    if (adjacency && *adjacency) buffers_.push_back(*adjacency);
    return hr;
  }
  ID3DXMesh* Keep(ID3DXMesh* mesh) {
    if (mesh) meshes_.push_back(mesh);
    return mesh;
  }

  static std::vector<WORD> Indices(ID3DXMesh* mesh) {
    void* data = nullptr;
    EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    std::vector<WORD> out(static_cast<const WORD*>(data), static_cast<const WORD*>(data) + mesh->GetNumFaces() * 3);
    mesh->UnlockIndexBuffer();
    return out;
  }
  static std::vector<float> Vertex(ID3DXMesh* mesh, DWORD v) {
    void* data = nullptr;
    EXPECT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    const DWORD floats = mesh->GetNumBytesPerVertex() / 4;
    const float* f = static_cast<const float*>(data) + v * floats;
    std::vector<float> out(f, f + floats);
    mesh->UnlockVertexBuffer();
    return out;
  }
  static std::vector<DWORD> Attributes(ID3DXMesh* mesh) {
    DWORD* data = nullptr;
    EXPECT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    std::vector<DWORD> out(data, data + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return out;
  }

  IDirect3D9* d3d_ = nullptr;
  IDirect3DDevice9* device_ = nullptr;
  int resourcesBefore_ = 0;
  std::vector<ID3DXMesh*> meshes_;
  std::vector<ID3DXBuffer*> buffers_;
};

TEST_F(D3DXMeshTest, CubeSplitsItsCornersByNormalAndKeepsItsMaterials) {
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* materials = nullptr;
  DWORD count = 0;
  ASSERT_EQ(Load(kCube, &mesh, &materials, &count), D3D_OK) << D3DXGetLastMeshError();
  EXPECT_EQ(mesh->GetFVF(), static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_NORMAL));
  EXPECT_EQ(mesh->GetNumVertices(), 24u);
  EXPECT_EQ(mesh->GetNumFaces(), 12u);
  EXPECT_EQ(mesh->GetOptions(), D3DXMESH_SYSTEMMEM);
  // Each vertex carries the normal of its side.
  for (WORD v : Indices(mesh)) {
    const std::vector<float> vertex = Vertex(mesh, v);
    const float length = vertex[3] * vertex[3] + vertex[4] * vertex[4] + vertex[5] * vertex[5];
    EXPECT_FLOAT_EQ(length, 1.0f);
  }
  EXPECT_EQ(Attributes(mesh), (std::vector<DWORD>{1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0}));
  ASSERT_EQ(count, 2u);
  const auto* m = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
  EXPECT_STREQ(m[0].pTextureFilename, "side.bmp");
  EXPECT_FLOAT_EQ(m[0].MatD3D.Diffuse.r, 1.0f);
  EXPECT_FLOAT_EQ(m[0].MatD3D.Power, 5.0f);
  EXPECT_FLOAT_EQ(m[0].MatD3D.Specular.g, 1.0f);
  EXPECT_EQ(m[1].pTextureFilename, nullptr);
  EXPECT_FLOAT_EQ(m[1].MatD3D.Diffuse.a, 0.5f);
  EXPECT_FLOAT_EQ(m[1].MatD3D.Emissive.b, 0.5f);
}

TEST_F(D3DXMeshTest, PolygonsFanFromTheirFirstCornerAndShareEdgesInTheAdjacency) {
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* materials = nullptr;
  ID3DXBuffer* adjacency = nullptr;
  DWORD count = 0;
  ASSERT_EQ(Load(kPentagon, &mesh, &materials, &count, &adjacency), D3D_OK) << D3DXGetLastMeshError();
  EXPECT_EQ(mesh->GetFVF(), static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_TEX1));
  EXPECT_EQ(Indices(mesh), (std::vector<WORD>{0, 1, 2, 0, 2, 3, 0, 3, 4}));
  EXPECT_FLOAT_EQ(Vertex(mesh, 3)[3], 0.5f);  // u of position 3
  // Without a material list: one white material.
  ASSERT_EQ(count, 1u);
  EXPECT_FLOAT_EQ(static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer())->MatD3D.Diffuse.g, 1.0f);
  // Triangle 1 (0, 2, 3) meets triangle 0 on edge 0-2 and triangle 2 on 3-0.
  const auto* a = static_cast<const DWORD*>(adjacency->GetBufferPointer());
  ASSERT_EQ(adjacency->GetBufferSize(), 9 * sizeof(DWORD));
  EXPECT_EQ(a[3], 0u);
  EXPECT_EQ(a[4], 0xFFFFFFFFu);
  EXPECT_EQ(a[5], 2u);
}

TEST_F(D3DXMeshTest, CloneAddsNormalsThatComputeNormalsFillsFromTheWinding) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(Load(kPentagon, &mesh), D3D_OK);
  ID3DXMesh* clone = nullptr;
  ASSERT_EQ(mesh->CloneMeshFVF(mesh->GetOptions(), mesh->GetFVF() | D3DFVF_NORMAL, device_, &clone), D3D_OK);
  Keep(clone);
  EXPECT_EQ(clone->GetFVF(), 0x112u);
  std::vector<float> v = Vertex(clone, 3);
  EXPECT_FLOAT_EQ(v[0], 1.0f);  // position kept
  EXPECT_FLOAT_EQ(v[5], 0.0f);  // new normal zero
  EXPECT_FLOAT_EQ(v[6], 0.5f);  // u kept
  ASSERT_EQ(D3DXComputeNormals(clone, nullptr), D3D_OK);
  // Corners turning counter-clockwise in x, y: (v1 - v0) x (v2 - v0) is +z.
  v = Vertex(clone, 3);
  EXPECT_FLOAT_EQ(v[5], 1.0f);
  EXPECT_EQ(D3DXComputeNormals(mesh, nullptr), D3DERR_INVALIDCALL);  // no normals to fill
}

TEST_F(D3DXMeshTest, BoundingSphereIsCentredOnTheMeanPosition) {
  const D3DXVECTOR3 points[] = {{1, 1, 1}, {3, 1, 1}, {2, 4, 1}, {2, 2, 1}};
  D3DXVECTOR3 centre;
  float radius = 0;
  ASSERT_EQ(D3DXComputeBoundingSphere(points, 4, sizeof(D3DXVECTOR3), &centre, &radius), D3D_OK);
  EXPECT_FLOAT_EQ(centre.x, 2.0f);
  EXPECT_FLOAT_EQ(centre.y, 2.0f);
  EXPECT_FLOAT_EQ(radius, 2.0f);
  EXPECT_EQ(D3DXComputeBoundingSphere(points, 0, 12, &centre, &radius), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXGetFVFVertexSize(0x112), 32u);
  EXPECT_EQ(D3DXGetFVFVertexSize(0x12), 24u);
  EXPECT_EQ(D3DXGetFVFVertexSize(0x142), 24u);
}

TEST_F(D3DXMeshTest, OptimisedFormsSortFacesAndDrawEachSubsetOnce) {
  ID3DXMesh* mesh = nullptr;
  ID3DXBuffer* adjacency = nullptr;
  ASSERT_EQ(Load(kCube, &mesh, nullptr, nullptr, &adjacency), D3D_OK);
  const std::vector<WORD> before = Indices(mesh);
  const struct {
    DWORD flags;
    bool renumbered;
  } forms[] = {{D3DXMESHOPT_ATTRSORT, false}, {D3DXMESHOPT_STRIPREORDER, true}, {D3DXMESHOPT_VERTEXCACHE, true}};
  for (const auto& form : forms) {
    ID3DXMesh* out = nullptr;
    DWORD faceRemap[12] = {};
    ASSERT_EQ(mesh->Optimize(form.flags | D3DXMESH_SYSTEMMEM, static_cast<const DWORD*>(adjacency->GetBufferPointer()),
                             nullptr, faceRemap, nullptr, &out),
              D3D_OK);
    Keep(out);
    // Attribute 0's faces first, each group in its old order.
    EXPECT_EQ(Attributes(out), (std::vector<DWORD>{0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ((std::vector<DWORD>(faceRemap, faceRemap + 12)), (std::vector<DWORD>{2, 3, 6, 7, 10, 11, 0, 1, 4, 5, 8, 9}));
    D3DXATTRIBUTERANGE table[4] = {};
    DWORD size = 0;
    ASSERT_EQ(out->GetAttributeTable(nullptr, &size), D3D_OK);
    ASSERT_EQ(size, 2u);
    out->GetAttributeTable(table, &size);
    EXPECT_EQ(table[0].AttribId, 0u);
    EXPECT_EQ(table[0].FaceStart, 0u);
    EXPECT_EQ(table[0].FaceCount, 6u);
    EXPECT_EQ(table[1].FaceStart, 6u);
    const std::vector<WORD> after = Indices(out);
    if (form.renumbered) {
      // Vertices in first-use order: subset 0 uses 0-11, subset 1 12-23.
      EXPECT_EQ(after[0], 0);
      EXPECT_EQ(table[0].VertexStart, 0u);
      EXPECT_EQ(table[0].VertexCount, 12u);
      EXPECT_EQ(table[1].VertexStart, 12u);
      EXPECT_EQ(table[1].VertexCount, 12u);
    } else {
      EXPECT_EQ(after[0], before[6]);  // old face 2, same vertex numbers
    }
    // Each face keeps its corners' positions and winding.
    for (DWORD f = 0; f < 12; ++f)
      for (int k = 0; k < 3; ++k)
        EXPECT_EQ(Vertex(out, after[f * 3 + k]), Vertex(mesh, before[faceRemap[f] * 3 + k])) << f << " " << k;
  }

  D3D9Recorder& rec = D3D9RecordingRecorder();
  ID3DXMesh* sorted = meshes_.back();
  rec.Clear();
  ASSERT_EQ(sorted->DrawSubset(1), D3D_OK);
  EXPECT_EQ(rec.Lines("DrawIndexedPrimitive"), (std::vector<std::string>{"DrawIndexedPrimitive(4, 0, 12, 12, 18, 6)"}));
  EXPECT_EQ(rec.Count("SetFVF(0x12)"), 1);
  rec.Clear();
  ASSERT_EQ(sorted->DrawSubset(7), D3D_OK);  // no such subset: nothing drawn
  EXPECT_TRUE(rec.log.empty());
}

TEST_F(D3DXMeshTest, UnsortedMeshDrawsTheRunsOfASubset) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(Load(kCube, &mesh), D3D_OK);
  DWORD* attributes = nullptr;
  ASSERT_EQ(mesh->LockAttributeBuffer(0, &attributes), D3D_OK);
  mesh->UnlockAttributeBuffer();  // a written attribute buffer drops the table
  DWORD size = 9;
  mesh->GetAttributeTable(nullptr, &size);
  EXPECT_EQ(size, 0u);
  D3D9Recorder& rec = D3D9RecordingRecorder();
  rec.Clear();
  ASSERT_EQ(mesh->DrawSubset(0), D3D_OK);
  EXPECT_EQ(rec.CountPrefix("DrawIndexedPrimitive"), 3);  // faces 2-3, 6-7, 10-11
}

TEST_F(D3DXMeshTest, FailedBufferFailsTheLoadWithoutLeaking) {
  D3D9RecordingRecorder().FailCall("CreateIndexBuffer", E_OUTOFMEMORY);
  ID3DXMesh* mesh = nullptr;
  EXPECT_EQ(Load(kCube, &mesh), E_OUTOFMEMORY);
  EXPECT_EQ(mesh, nullptr);
  D3D9RecordingRecorder().FailCall("CreateVertexBuffer", E_OUTOFMEMORY, 1);
  ASSERT_EQ(Load(kCube, &mesh), D3D_OK);
  ID3DXMesh* out = nullptr;
  EXPECT_EQ(mesh->Optimize(D3DXMESHOPT_VERTEXCACHE, nullptr, nullptr, nullptr, nullptr, &out), E_OUTOFMEMORY);
  EXPECT_EQ(out, nullptr);
}

TEST_F(D3DXMeshTest, RefusedFilesSayWhy) {
  const struct {
    const char* what;
    std::string text;
    HRESULT hr;
    const char* reason;
  } cases[] = {
      {"binary", "xof 0303bin 0032\x01\x02\x03", D3DXERR_INVALIDDATA, "binary"},
      {"two meshes", kPentagon + kPentagon.substr(kHeader.size()), D3DXERR_INVALIDDATA, "more than one mesh"},
      {"no mesh", kHeader + "Header { 1; 0; 1; }", D3DXERR_LOADEDMESHHASNODATA, "no mesh"},
      {"no faces", kHeader + "Mesh { 1; 0;0;0;; 0; }", D3DXERR_INVALIDDATA, "no faces"},
  };
  for (const auto& c : cases) {
    ID3DXMesh* mesh = nullptr;
    EXPECT_EQ(Load(c.text, &mesh), c.hr) << c.what;
    EXPECT_EQ(mesh, nullptr) << c.what;
    EXPECT_NE(D3DXGetLastMeshError().find(c.reason), std::string::npos) << c.what << ": " << D3DXGetLastMeshError();
  }
  ID3DXMesh* mesh = nullptr;
  EXPECT_EQ(D3DXLoadMeshFromX("no/such/file.x", D3DXMESH_SYSTEMMEM, device_, nullptr, nullptr, nullptr, nullptr, &mesh),
            E_FAIL);
  ID3DXBuffer* effects = nullptr;
  EXPECT_EQ(D3DXLoadMeshFromXInMemory(kCube.data(), static_cast<DWORD>(kCube.size()), D3DXMESH_SYSTEMMEM, device_,
                                      nullptr, nullptr, &effects, nullptr, &mesh),
            D3DERR_INVALIDCALL);
}

TEST_F(D3DXMeshTest, MeshOutlivingItsDeviceDrawsNothing) {
  ID3DXMesh* mesh = nullptr;
  ASSERT_EQ(Load(kCube, &mesh), D3D_OK);
  device_->Release();
  device_ = nullptr;
  EXPECT_EQ(mesh->DrawSubset(0), D3DERR_INVALIDCALL);
}

}  // namespace
