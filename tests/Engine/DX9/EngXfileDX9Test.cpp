// The engine's meshes on the recording device: the deck-side model, the
// load-time corrections, the formats scaling accepts, the drawing-form
// cascade, materials and their textures (the name hook, missing and
// over-long texture paths, later replacement), and the refusals.
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/DX9/EngXfileDX9.h"
#include "Engine/EngTexture.h"
#include "Engine/EngTga.h"
#include "Engine/EngXfile.h"
#include "tests/Support/GraphicsTestSupport.h"

namespace {

const char* const kDeckSide = CARDOLIA_BUILD_DIR "/Data/Deck/0180.dat";
constexpr float kPi = 3.14159265f;

// One triangle, position 0 at (1, 0, 0), with a normal and texture
// coordinates (format 0x112) and a textured material.
const char* const kTriangle =
    "xof 0303txt 0032\n"
    "Mesh { 3; 1;0;0;, 0;2;0;, 0;0;3;;\n"
    "  1; 3;0,1,2;;\n"
    "  MeshNormals { 1; 0;0;-1;; 1; 3;0,0,0;; }\n"
    "  MeshTextureCoords { 3; 0.25;0.75;, 1;0;, 0;1;; }\n"
    "  MeshMaterialList { 1; 1; 0;; Material { 1;0.5;0.25;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"tex.tga\"; } } }\n"
    "}\n";

// The same triangle without normals (format 0x102).
const char* const kBareTriangle =
    "xof 0303txt 0032\n"
    "Mesh { 3; 1;0;0;, 0;2;0;, 0;0;3;; 1; 3;0,1,2;;\n"
    "  MeshTextureCoords { 3; 0.25;0.75;, 1;0;, 0;1;; } }\n";

class EngXfileTest : public GraphicsTest {
 protected:
  void SetUp() override {
    GraphicsTest::SetUp();
    Start();
    WriteFile("tri.x", kTriangle);
    WriteFile("bare.x", kBareTriangle);
    EngTga picture;
    ASSERT_TRUE(picture.CreateWithColour(8, 8, 32, 0.2f, 0.4f, 0.6f, 1.0f));
    ASSERT_TRUE(picture.SaveToFile("tex.tga"));
    ClearLog();
  }

  // The drawing form in use and the floats of vertex v of its local copy.
  static const EngXfileForm* DrawnForm(EngXfileDX9& r) {
    for (int form : {kEngXfileVertexCache, kEngXfileStripReorder, kEngXfileAttributeSort})
      if (r.formExists[form]) return &r.forms[form];
    return nullptr;
  }
  static std::vector<float> VertexFloats(EngXfileDX9& r, DWORD v) {
    const EngXfileForm* form = DrawnForm(r);
    if (!form) return {};
    void* data = nullptr;
    if (form->local->LockVertexBuffer(D3DLOCK_READONLY, &data) != D3D_OK) return {};
    const DWORD floats = form->local->GetNumBytesPerVertex() / 4;
    std::vector<float> out(static_cast<const float*>(data) + v * floats, static_cast<const float*>(data) + (v + 1) * floats);
    form->local->UnlockVertexBuffer();
    return out;
  }
  // The vertex whose position lies nearest (x, y, z).
  static std::vector<float> VertexNear(EngXfileDX9& r, float x, float y, float z) {
    const EngXfileForm* form = DrawnForm(r);
    std::vector<float> best;
    float bestDistance = 1e30f;
    for (DWORD v = 0; form && v < form->local->GetNumVertices(); ++v) {
      std::vector<float> f = VertexFloats(r, v);
      const float d = std::fabs(f[0] - x) + std::fabs(f[1] - y) + std::fabs(f[2] - z);
      if (d < bestDistance) bestDistance = d, best = f;
    }
    return best;
  }

  EngXfile mesh_;
};

TEST_F(EngXfileTest, DeckSideLoadsAsATexturedBoxOfThreeMaterials) {
  const int resources = D3D9LiveResourceCount();
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, kDeckSide, 1, 1, 1, nullptr, 0, 0, nullptr));
  EngXfileDX9& r = mesh_.GetDX9();
  EXPECT_TRUE(mesh_.IsCreated());
  ASSERT_EQ(mesh_.GetMaterialCount(), 3);
  const EngXfileForm* form = DrawnForm(r);
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(r.formExists[kEngXfileVertexCache]);
  EXPECT_EQ(form->local->GetFVF(), 0x112u);
  EXPECT_EQ(form->local->GetNumFaces(), 12u);
  EXPECT_EQ(form->local->GetNumVertices(), 24u);
  EXPECT_EQ(form->local->GetOptions(), D3DXMESH_MANAGED | D3DXMESH_VB_WRITEONLY);
  // Materials: ambient = diffuse; their pictures are the card module's to
  // choose, so without its hook they are missing and only reported.
  EXPECT_FLOAT_EQ(r.materials[0].Ambient.r, r.materials[0].Diffuse.r);
  EXPECT_TRUE(LogContains("Could not load texture <Blank.bmp>"));
  // The box: x, y within 100, z from 0 to 100.
  EXPECT_NEAR(r.sphereCentre[2], 50.0f, 1e-4f);
  EXPECT_NEAR(r.sphereRadius, 150.0f, 1e-3f);
  // Scaled for a card: half sides 2.9 by 4.35.
  EngXfile card;
  ASSERT_TRUE(card.LoadFromFile(nullptr, kDeckSide, 0.029f, 0.0435f, 0.01f, nullptr, 0, 0, nullptr));
  const std::vector<float> corner = VertexNear(card.GetDX9(), 3, 5, 1);
  EXPECT_NEAR(corner[0], 2.9f, 1e-5f);
  EXPECT_NEAR(corner[1], 4.35f, 1e-5f);
  EXPECT_NEAR(corner[2], 1.0f, 1e-5f);
  card.Destroy();
  mesh_.Destroy();
  EXPECT_FALSE(mesh_.IsCreated());
  EXPECT_EQ(D3D9LiveResourceCount(), resources);
}

TEST_F(EngXfileTest, RotationOrderDecidesWherePositionsTurn) {
  const struct {
    int order;
    float x, y, z;
  } cases[] = {{0, 0, 1, 0}, {1, 0, 0, -1}, {7, 0, 0, -1}};
  for (const auto& c : cases) {
    EngXfileTransform t{};
    t.rotationOrder = static_cast<std::uint8_t>(c.order);
    t.rotation[0] = kPi / 2;
    t.rotation[1] = kPi / 2;
    ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, &t, 0, 0, nullptr));
    const std::vector<float> v = VertexNear(mesh_.GetDX9(), c.x, c.y, c.z);
    EXPECT_NEAR(v[0], c.x, 1e-5f) << c.order;
    EXPECT_NEAR(v[1], c.y, 1e-5f) << c.order;
    EXPECT_NEAR(v[2], c.z, 1e-5f) << c.order;
  }
}

TEST_F(EngXfileTest, CorrectionsApplyInTheirOrder) {
  // Vertex 0: position (1, 0, 0), normal (0, 0, -1), uv (0.25, 0.75).
  const struct {
    const char* what;
    EngXfileTransform t;
    float scaleX;
    std::vector<float> expected;  // x y z nx ny nz u v of the vertex from (1, 0, 0)
  } cases[] = {
      {"nothing", {}, 1, {1, 0, 0, 0, 0, -1, 0.25f, 0.75f}},
      {"negate position x, normal z", {{0, 0, 1}, {1, 0, 0}}, 1, {-1, 0, 0, 0, 0, 1, 0.25f, 0.75f}},
      {"flip u and v", {.flipU = 1, .flipV = 1}, 1, {1, 0, 0, 0, 0, -1, 0.75f, 0.25f}},
      {"swap uv", {.swapUV = 1}, 1, {1, 0, 0, 0, 0, -1, 0.75f, 0.25f}},
      {"swap normal y z", {.swapNormalYZ = 1}, 1, {1, 0, 0, 0, -1, 0, 0.25f, 0.75f}},
      // Negation comes before scaling, scaling before the swap.
      {"negate, scale, swap", {.negatePosition = {1, 0, 0}, .swapPositionYZ = 1}, 3, {-3, 0, 0, 0, 0, -1, 0.25f, 0.75f}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", c.scaleX, 1, 1, &c.t, 0, 0, nullptr)) << c.what;
    const std::vector<float> v = VertexNear(mesh_.GetDX9(), c.expected[0], c.expected[1], c.expected[2]);
    ASSERT_EQ(v.size(), 8u) << c.what;
    for (int k = 0; k < 8; ++k) EXPECT_NEAR(v[k], c.expected[k], 1e-5f) << c.what << " float " << k;
  }
  // The swap of y and z happens after scaling: position (0, 2, 0) scaled
  // by y 5 lands on z 10.
  EngXfileTransform swap{};
  swap.swapPositionYZ = 1;
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 5, 1, &swap, 0, 0, nullptr));
  EXPECT_EQ(VertexNear(mesh_.GetDX9(), 0, 0, 10)[2], 10.0f);
}

TEST_F(EngXfileTest, FlippedWindingExchangesTheLastTwoCorners) {
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, nullptr, 0, 0, nullptr));
  auto corners = [this] {
    const EngXfileForm* form = DrawnForm(mesh_.GetDX9());
    void* data = nullptr;
    form->local->LockIndexBuffer(D3DLOCK_READONLY, &data);
    std::vector<float> positions;
    for (int k = 0; k < 3; ++k) {
      const std::vector<float> v = VertexFloats(mesh_.GetDX9(), static_cast<const WORD*>(data)[k]);
      positions.insert(positions.end(), v.begin(), v.begin() + 3);
    }
    form->local->UnlockIndexBuffer();
    return positions;
  };
  EXPECT_EQ(corners(), (std::vector<float>{1, 0, 0, 0, 2, 0, 0, 0, 3}));
  EngXfileTransform t{};
  t.flipWinding = 1;
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, &t, 0, 0, nullptr));
  EXPECT_EQ(corners(), (std::vector<float>{1, 0, 0, 0, 0, 3, 0, 2, 0}));
}

TEST_F(EngXfileTest, MeshWithoutNormalsLoadsOnlyUnscaledAndGetsNormals) {
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "bare.x", 1, 1, 1, nullptr, 0, 0, nullptr));
  EXPECT_EQ(DrawnForm(mesh_.GetDX9())->local->GetFVF(), 0x112u);
  // (v1 - v0) x (v2 - v0) of the triangle, normalised: (6, 3, 2) / 7.
  const std::vector<float> v = VertexFloats(mesh_.GetDX9(), 0);
  EXPECT_NEAR(v[3], 6.0f / 7, 1e-5f);
  EXPECT_NEAR(v[4], 3.0f / 7, 1e-5f);
  EXPECT_NEAR(v[5], 2.0f / 7, 1e-5f);

  const EngXfileTransform none{};
  for (const EngXfileTransform* t : {static_cast<const EngXfileTransform*>(nullptr), &none}) {
    ClearLog();
    EXPECT_FALSE(mesh_.LoadFromFile(nullptr, "bare.x", t ? 1.0f : 2.0f, 1, 1, t, 0, 0, nullptr));
    EXPECT_TRUE(LogContains("Unknown FVF [0x102]- cannot apply scale"));
    EXPECT_FALSE(mesh_.IsCreated());
    EXPECT_EQ(mesh_.GetMaterialCount(), 0);
  }
}

TEST_F(EngXfileTest, FailedOptimisationsFallThroughTheForms) {
  // An untextured mesh with normals: its load makes one vertex buffer, each
  // optimisation its own next.
  WriteFile("plain.x",
            "xof 0303txt 0032\nMesh { 3; 1;0;0;, 0;2;0;, 0;0;3;; 1; 3;0,1,2;;\n"
            "  MeshNormals { 1; 0;0;-1;; 1; 3;0,0,0;; } }\n");
  const struct {
    int failures;
    int form;  // -1: none
    const char* message;
  } cases[] = {
      {1, kEngXfileStripReorder, "Could not optimize for vertex cache - trying strip re-order instead"},
      {2, kEngXfileAttributeSort, "Could not optimize for strip reorde - trying attribute sort instead"},
      {3, -1, "No optimised mesh"},
  };
  for (const auto& c : cases) {
    ClearLog();
    Rec().FailCall("CreateVertexBuffer", E_OUTOFMEMORY, 1, c.failures);
    ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "plain.x", 1, 1, 1, nullptr, 0, 0, nullptr));
    EngXfileDX9& r = mesh_.GetDX9();
    EXPECT_TRUE(r.created);
    EXPECT_TRUE(LogContains(c.message)) << c.failures;
    for (int form = 0; form < 3; ++form) EXPECT_EQ(r.formExists[form], form == c.form) << c.failures << " " << form;
    Rec().Clear();
    mesh_.Draw();
    EXPECT_EQ(Rec().CountPrefix("DrawIndexedPrimitive"), c.form < 0 ? 0 : 1) << c.failures;
  }
}

// The card module's way: a hook names the picture of each material.
int g_hookCalls = 0;
const char* TextureHook(EngXfile*, int material, const char*, const char* textureFile) {
  ++g_hookCalls;
  return material == 0 && std::strcmp(textureFile, "tex.tga") == 0 ? "other.tga" : nullptr;
}

const char* LongNameHook(EngXfile*, int, const char*, const char*) {
  static const std::string name = std::string(1100, 'a') + ".tga";
  return name.c_str();
}

TEST_F(EngXfileTest, MaterialsDrawWithTheirTexturesAndFallBackUntextured) {
  WriteFile("other.tga", ReadFile("tex.tga"));
  std::filesystem::remove("tex.tga");  // only the hook's name can load
  g_hookCalls = 0;
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, nullptr, 0, 0, TextureHook));
  EngXfileDX9& r = mesh_.GetDX9();
  EXPECT_TRUE(r.textures[0].IsLoaded());
  EXPECT_EQ(g_hookCalls, 2);  // asked, then asked again for the name it loads
  Rec().Clear();
  mesh_.Draw();
  const int texture = Rec().Find("SetTexture(0, tex)");
  const int draw = Rec().Find("DrawIndexedPrimitive(4, 0, 0, 3, 0, 1)");
  ASSERT_GE(texture, 0);
  EXPECT_GT(draw, texture);
  EXPECT_GT(Rec().Find("SetTexture(0, null)", draw), draw);
  EXPECT_EQ(Rec().Count("SetMaterial()"), 2);  // the mesh's, then the default

  // An over-long texture path is refused; the material draws untextured.
  ClearLog();
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, nullptr, 0, 0, LongNameHook));
  EXPECT_TRUE(LogContains("Texture path too long"));
  EXPECT_FALSE(r.textures[0].IsLoaded());
  Rec().Clear();
  mesh_.Draw();
  EXPECT_EQ(Rec().CountPrefix("DrawIndexedPrimitive"), 1);
  EXPECT_EQ(Rec().Count("SetTexture(0, tex)"), 0);
}

TEST_F(EngXfileTest, MaterialTextureReplacement) {
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "bare.x", 1, 1, 1, nullptr, 0, 0, nullptr));  // one untextured material
  EngXfileDX9& r = mesh_.GetDX9();
  EXPECT_TRUE(mesh_.SetMaterialTextureFromFile(0, "tex.tga", 0, 0, 1));  // only if textured: untouched
  EXPECT_FALSE(r.textures[0].IsLoaded());
  EXPECT_TRUE(mesh_.SetMaterialTextureFromFile(0, "tex.tga", 0, 0, 0));
  EXPECT_TRUE(r.textures[0].IsLoaded());
  EXPECT_TRUE(mesh_.SetMaterialTextureFromFile(0, "", 0, 0, 0));  // back to untextured
  EXPECT_FALSE(r.textures[0].IsLoaded());
  EXPECT_FALSE(mesh_.SetMaterialTextureFromFile(1, "tex.tga", 0, 0, 0));
  EXPECT_TRUE(LogContains("Model only has 1 m_materials [1]"));
  EXPECT_FALSE(mesh_.SetMaterialTextureFromFile(-1, "tex.tga", 0, 0, 0));
  EXPECT_FALSE(mesh_.SetMaterialTextureFromFile(0, "missing.tga", 0, 0, 0));
  EXPECT_TRUE(LogContains("Could not load texture <missing.tga> for model"));

  EngXfile empty;
  EXPECT_TRUE(empty.SetMaterialTextureFromFile(0, "tex.tga", 0, 0, 1));
  EXPECT_FALSE(empty.SetMaterialTextureFromFile(0, "tex.tga", 0, 0, 0));
  EXPECT_TRUE(LogContains("No m_materials"));
}

TEST_F(EngXfileTest, BadNamesAndFilesAreRefused) {
  const std::string tooLong(512, 'x');
  WriteFile("binary.x", std::string("xof 0303bin 0032\x01\x02\x03\x04", 20));
  const struct {
    const char* folder;
    const char* name;
    const char* message;
  } cases[] = {
      {nullptr, nullptr, "No filename"},
      {nullptr, "", "Invalid filename <>"},
      {nullptr, tooLong.c_str(), "Invalid filename"},
      {nullptr, "none.x", "File does not exist <none.x>"},
      {"folder", "tri.x", "File does not exist <folder/tri.x>"},
      {nullptr, "binary.x", "binary .x files are not read"},
  };
  for (const auto& c : cases) {
    ClearLog();
    EXPECT_FALSE(mesh_.LoadFromFile(c.folder, c.name, 1, 1, 1, nullptr, 0, 0, nullptr)) << c.message;
    EXPECT_TRUE(LogContains(c.message)) << c.message;
    EXPECT_FALSE(mesh_.IsCreated());
  }
  // A failed load leaves what was loaded before destroyed, not drawn.
  ASSERT_TRUE(mesh_.LoadFromFile(nullptr, "tri.x", 1, 1, 1, nullptr, 0, 0, nullptr));
  EXPECT_FALSE(mesh_.LoadFromFile(nullptr, "binary.x", 1, 1, 1, nullptr, 0, 0, nullptr));
  Rec().Clear();
  mesh_.Draw();
  EXPECT_TRUE(Rec().log.empty());
}

TEST_F(EngXfileTest, FolderPathsJoinWithASlash) {
  ASSERT_TRUE(std::filesystem::create_directory("models"));
  WriteFile("models/tri.x", kTriangle);
  WriteFile("models/tex.tga", ReadFile("tex.tga"));
  ASSERT_TRUE(mesh_.LoadFromFile("models", "tri.x", 1, 1, 1, nullptr, 0, 0, nullptr));
  // The material's picture is looked for beside the model.
  EXPECT_TRUE(mesh_.GetDX9().textures[0].IsLoaded());
}

}  // namespace
