// The text ".x" reader: what it takes from a well-formed file (materials by
// name and inline, short material lists, frame matrices, normals, texture
// coordinates, skipped templates and objects) and the files it refuses,
// each with its reason, without reading past the data it was given.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Platform/XFileText.h"

namespace {

const std::string kHeader = "xof 0303txt 0032\n";

// A unit square as one quad (positions 0-3) and, when asked, a triangle.
const std::string kSquare =
    "Mesh Square {\n"
    "  4;\n"
    "  0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;\n"
    "  1;\n"
    "  4;0,1,2,3;;\n"
    "}\n";

XFileResult Read(const std::string& text, XFileMesh* mesh, std::string* error) {
  // A copy of exactly the bytes, so a read past the end is caught by the
  // address checker.
  std::vector<char> bytes(text.begin(), text.end());
  return XFileReadText(bytes.data(), bytes.size(), mesh, error);
}

TEST(XFileText, ReadsPositionsPolygonsNormalsCoordinatesAndMaterials) {
  const std::string text = kHeader +
      "// comments and templates are skipped\n"
      "template Unused { <11111111-2222-3333-4444-555555555555> DWORD x; [...] }\n"
      "# a comment of the other kind\n"
      "Header { 1; 0; 1; }\n"
      "Material Red { 1.0;0.0;0.0;0.5;; 8.0; 0.1;0.2;0.3;; 0.0;0.0;0.25;; TextureFilename { \"red.bmp\"; } }\n"
      "Mesh {\n"
      "  5;\n"
      "  0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 2;2;2;;\n"
      "  2;\n"
      "  4;0,1,2,3;,\n"
      "  3;0,2,4;;\n"
      "  MeshNormals { 2; 0;0;-1;, 1;0;0;; 2; 4;0,0,0,0;, 3;1,1,0;; }\n"
      "  MeshTextureCoords { 5; 0;0;, 1;0;, 1;1;, 0;1;, 0.5;0.5;; }\n"
      "  MeshVertexColors { 1; 0; 1;1;1;1;;; }\n"
      "  MeshMaterialList { 2; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } {Red} }\n"
      "}\n";
  XFileMesh mesh;
  std::string error;
  ASSERT_EQ(Read(text, &mesh, &error), XFileResult::kOk) << error;
  ASSERT_EQ(mesh.positions.size(), 5u);
  EXPECT_FLOAT_EQ(mesh.positions[4].z, 2.0f);
  EXPECT_EQ(mesh.polygonSizes, (std::vector<std::uint32_t>{4, 3}));
  EXPECT_EQ(mesh.polygonStarts, (std::vector<std::uint32_t>{0, 4}));
  EXPECT_EQ(mesh.corners, (std::vector<std::uint32_t>{0, 1, 2, 3, 0, 2, 4}));
  ASSERT_EQ(mesh.normals.size(), 2u);
  EXPECT_EQ(mesh.normalCorners, (std::vector<std::uint32_t>{0, 0, 0, 0, 1, 1, 0}));
  ASSERT_EQ(mesh.texCoords.size(), 10u);
  EXPECT_FLOAT_EQ(mesh.texCoords[8], 0.5f);
  ASSERT_EQ(mesh.materials.size(), 2u);
  EXPECT_EQ(mesh.materials[0].textureFile, "");
  EXPECT_EQ(mesh.materials[1].name, "Red");
  EXPECT_EQ(mesh.materials[1].textureFile, "red.bmp");
  EXPECT_FLOAT_EQ(mesh.materials[1].faceColour.a, 0.5f);
  EXPECT_FLOAT_EQ(mesh.materials[1].power, 8.0f);
  EXPECT_FLOAT_EQ(mesh.materials[1].specular.g, 0.2f);
  EXPECT_FLOAT_EQ(mesh.materials[1].emissive.b, 0.25f);
  // One index given for two polygons: the second takes the last one.
  EXPECT_EQ(mesh.polygonMaterials, (std::vector<std::uint32_t>{1, 1}));
}

TEST(XFileText, FrameMatricesApplyInnermostFirst) {
  // Inner frame: move by (1, 0, 0); outer frame: scale by 2 and turn a
  // quarter about z (x -> y).
  const std::string text = kHeader +
      "Frame Outer {\n"
      "  FrameTransformMatrix { 0,2,0,0, -2,0,0,0, 0,0,2,0, 0,0,0,1;; }\n"
      "  Frame Inner {\n"
      "    FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,0,0,1;; }\n"
      "    Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
      "      MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; } }\n"
      "  }\n"
      "}\n";
  XFileMesh mesh;
  std::string error;
  ASSERT_EQ(Read(text, &mesh, &error), XFileResult::kOk) << error;
  // (0,0,0) -> (1,0,0) -> (0,2,0); (1,0,0) -> (2,0,0) -> (0,4,0).
  EXPECT_NEAR(mesh.positions[0].x, 0.0f, 1e-6);
  EXPECT_NEAR(mesh.positions[0].y, 2.0f, 1e-6);
  EXPECT_NEAR(mesh.positions[1].y, 4.0f, 1e-6);
  // The normal turns with the frame and stays of length 1.
  EXPECT_NEAR(mesh.normals[0].x, 0.0f, 1e-6);
  EXPECT_NEAR(mesh.normals[0].y, 1.0f, 1e-6);
}

TEST(XFileText, RefusesFilesItCannotOrMustNotRead) {
  std::string hugePositions = kHeader + "Mesh { 65536;";
  for (int i = 0; i < 65536 * 3; ++i) hugePositions += "0;";
  hugePositions += " 1; 3;0,1,2;; }";
  std::string deepFrames = kHeader;
  for (int i = 0; i < 100; ++i) deepFrames += "Frame {";
  deepFrames += kSquare;
  for (int i = 0; i < 100; ++i) deepFrames += "}";

  const struct {
    const char* what;
    std::string text;
    XFileResult result;
    const char* reason;
  } cases[] = {
      {"binary", "xof 0303bin 0032\x01\x02\x03\x04", XFileResult::kNotText, "binary"},
      {"compressed", "xof 0303tzip0032\x01\x02\x03\x04", XFileResult::kNotText, "compressed"},
      {"not an x file", "hello, this is not a mesh", XFileResult::kNotXFile, "header"},
      {"short header", "xof 0303", XFileResult::kNotXFile, "header"},
      {"no mesh", kHeader + "Header { 1; 0; 1; }", XFileResult::kNoMesh, "no mesh"},
      {"two meshes", kHeader + kSquare + kSquare, XFileResult::kBadData, "more than one mesh"},
      {"two meshes in frames", kHeader + "Frame {" + kSquare + "} Frame {" + kSquare + "}", XFileResult::kBadData,
       "more than one mesh"},
      {"count beyond the file", kHeader + "Mesh { 4000000000; 0;0;0;; 1; 3;0,0,0;; }", XFileResult::kBadData,
       "larger than the file"},
      {"polygon count beyond the file", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 99999; 3;0,1,2;; }",
       XFileResult::kBadData, "larger than the file"},
      {"more than 65535 positions", hugePositions, XFileResult::kBadData, "65535"},
      {"position index out of range", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,3;; }",
       XFileResult::kBadData, "position index out of range"},
      {"negative index", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,-1,2;; }", XFileResult::kBadData,
       "position index"},
      {"polygon of two corners", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 2;0,1;; }", XFileResult::kBadData,
       "fewer than 3"},
      {"not a number", kHeader + "Mesh { 3; nan;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; }", XFileResult::kBadData,
       "expected a number"},
      {"infinite number", kHeader + "Mesh { 3; 1e999;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; }", XFileResult::kBadData,
       "bad number"},
      {"float beyond a float", kHeader + "Mesh { 3; 1e300;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; }",
       XFileResult::kBadData, "out of range"},
      {"fractional count", kHeader + "Mesh { 3.5; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; }", XFileResult::kBadData,
       "expected position count"},
      {"unterminated string",
       kHeader + "Material M { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"abc; } }" + kSquare,
       XFileResult::kBadData, "unterminated string"},
      {"missing close brace", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;;", XFileResult::kBadData,
       "'}'"},
      {"unterminated skipped object", kHeader + kSquare + "AnimationSet { Animation { ", XFileResult::kBadData,
       "missing '}'"},
      {"normal index out of range",
       kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }",
       XFileResult::kBadData, "normal index"},
      {"normal polygons differ",
       kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }",
       XFileResult::kBadData, "normal polygon size"},
      {"coordinates for other positions",
       kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshTextureCoords { 2; 0;0;, 1;1;; } }",
       XFileResult::kBadData, "texture coordinates"},
      {"material index out of range",
       kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;; "
                 "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
       XFileResult::kBadData, "material index"},
      {"unknown material", kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 0;; {Nope} } }",
       XFileResult::kBadData, "unknown material <Nope>"},
      {"fewer materials than counted",
       kHeader + "Mesh { 3; 0;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 2; 1; 0;; "
                 "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }",
       XFileResult::kBadData, "material count"},
      {"frames nested too deep", deepFrames, XFileResult::kBadData, "nested too deep"},
      {"frame matrix beyond a float", kHeader + "Frame { FrameTransformMatrix { 1e30,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }" +
                                          "Mesh { 3; 1e30;0;0;,1;0;0;,0;1;0;; 1; 3;0,1,2;; } }",
       XFileResult::kBadData, "out of range after a frame matrix"},
  };
  for (const auto& c : cases) {
    XFileMesh mesh;
    std::string error;
    EXPECT_EQ(Read(c.text, &mesh, &error), c.result) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
    EXPECT_TRUE(mesh.positions.empty() && mesh.corners.empty()) << c.what;
  }
}

TEST(XFileText, EveryCutOfAGoodFileIsRefusedCleanly) {
  // A truncated file never reads past its end and never passes as a mesh.
  const std::string text = kHeader +
      "Material Red { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"red.bmp\"; } }\n"
      "Frame { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }\n"
      "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
      "  MeshNormals { 1; 0;0;-1;; 1; 3;0,0,0;; }\n"
      "  MeshTextureCoords { 3; 0;0;, 1;0;, 0;1;; }\n"
      "  MeshMaterialList { 1; 1; 0;; {Red} } } }\n";
  XFileMesh mesh;
  std::string error;
  ASSERT_EQ(Read(text, &mesh, &error), XFileResult::kOk) << error;
  // Cutting inside the trailing whitespace leaves a whole file.
  const std::size_t whole = text.find_last_of('}') + 1;
  for (std::size_t size = 0; size < whole; ++size) {
    EXPECT_NE(Read(text.substr(0, size), &mesh, &error), XFileResult::kOk) << size;
  }
}

}  // namespace
