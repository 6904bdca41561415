// XFileText.h - the reader of DirectX ".x" mesh files in their text form:
// the one mesh of a file as the file states it, before it becomes a drawable
// mesh (Platform/D3DXMesh.h builds that).
//
// Reads: the 16-byte header "xof 03xxtxt 0032" (or 0064); templates (skipped);
// top-level and inline Material objects (named ones can be referenced from a
// material list); Frame hierarchies with their FrameTransformMatrix (the
// matrices are applied to the mesh, innermost first); exactly one Mesh with
// its polygons, MeshMaterialList, MeshNormals and MeshTextureCoords. Any other
// object is skipped whole.
// Refuses (false, with a reason): binary and compressed files, a second mesh,
// counts larger than the rest of the file could hold, indices out of range,
// polygons of fewer than 3 corners, numbers that are not finite (also once
// the frame matrices are applied), more than 65535 positions, unbalanced
// braces, unterminated strings.
//
// Pure: no device, no files; safe on any bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "Platform/D3D9Types.h"

struct XFileMaterial {
  std::string name;           // "" for an unnamed inline material
  D3DCOLORVALUE faceColour{};  // the diffuse colour with its alpha
  float power = 0.0f;
  D3DCOLORVALUE specular{};    // alpha 0
  D3DCOLORVALUE emissive{};    // alpha 0
  std::string textureFile;     // "" when the material names none
};

struct XFileMesh {
  // Positions with the frame matrices applied.
  std::vector<D3DVECTOR> positions;
  // Polygons: polygon p has polygonSizes[p] corners starting at
  // polygonStarts[p] in corners (position indices).
  std::vector<std::uint32_t> polygonStarts;
  std::vector<std::uint32_t> polygonSizes;
  std::vector<std::uint32_t> corners;
  // Normals (turned by the frame matrices) and their index per corner, in
  // the same shape as corners; both empty when the file has none.
  std::vector<D3DVECTOR> normals;
  std::vector<std::uint32_t> normalCorners;
  // One (u, v) per position; empty when the file has none.
  std::vector<float> texCoords;
  // Materials and the material of each polygon; both empty without a
  // material list.
  std::vector<XFileMaterial> materials;
  std::vector<std::uint32_t> polygonMaterials;
};

// The largest position count a mesh may have (16-bit indices).
constexpr std::size_t kXFileMaxPositions = 65535;

enum class XFileResult {
  kOk,
  kNotText,     // binary or compressed: valid, but not read here
  kNotXFile,    // no ".x" header
  kBadData,     // a text file that breaks the rules above
  kNoMesh,      // a well-formed file without a mesh
};

// Reads the mesh of size bytes at data. On kOk the mesh is filled; otherwise
// error holds a one-line reason (the mesh is left empty).
XFileResult XFileReadText(const char* data, std::size_t size, XFileMesh* mesh, std::string* error);
