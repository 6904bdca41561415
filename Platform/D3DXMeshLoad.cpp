// D3DXMeshLoad.cpp - D3DXLoadMeshFromX and D3DXLoadMeshFromXInMemory: a text
// ".x" file read by XFileText becomes a D3DX mesh with its materials and
// adjacency (see D3DXMesh.h for the rules).
//
// State: the reason of the last failed load.
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "Platform/D3DXMesh.h"
#include "Platform/D3DXMeshLocal.h"
#include "Platform/Files.h"
#include "Platform/XFileText.h"

namespace {

std::string g_lastMeshError;

constexpr DWORD kNoNeighbour = 0xFFFFFFFFu;

HRESULT Fail(HRESULT hr, std::string reason) {
  g_lastMeshError = std::move(reason);
  return hr;
}

struct Built {
  DWORD fvf = D3DFVF_XYZ;
  std::vector<float> vertices;       // packed in the format's layout
  std::vector<WORD> indices;         // 3 per triangle
  std::vector<DWORD> attributes;     // 1 per triangle
  std::vector<std::uint32_t> positionOf;  // per triangle corner: the file's position index
};

// Vertices, triangles and attributes of the file's mesh. False (with the
// reason stored) when the vertices do not fit 16-bit indices.
bool BuildTriangles(const XFileMesh& x, Built* out) {
  const bool normals = !x.normals.empty();
  const bool uvs = !x.texCoords.empty();
  out->fvf = D3DFVF_XYZ | (normals ? D3DFVF_NORMAL : 0u) | (uvs ? D3DFVF_TEX1 : 0u);
  const std::size_t floats = 3 + (normals ? 3 : 0) + (uvs ? 2 : 0);

  // A vertex per (position, normal) pair met, in order of first use; without
  // normals the vertices are the positions themselves.
  std::unordered_map<std::uint64_t, WORD> vertexOf;
  auto addVertex = [&](std::uint32_t position, std::uint32_t normal, WORD* index) {
    const std::uint64_t key = (static_cast<std::uint64_t>(position) << 32) | normal;
    if (auto it = vertexOf.find(key); it != vertexOf.end()) {
      *index = it->second;
      return true;
    }
    const std::size_t count = out->vertices.size() / floats;
    if (count >= kXFileMaxPositions) return false;
    const D3DVECTOR& p = x.positions[position];
    out->vertices.insert(out->vertices.end(), {p.x, p.y, p.z});
    if (normals) {
      const D3DVECTOR& n = x.normals[normal];
      out->vertices.insert(out->vertices.end(), {n.x, n.y, n.z});
    }
    if (uvs) out->vertices.insert(out->vertices.end(), {x.texCoords[position * 2], x.texCoords[position * 2 + 1]});
    *index = static_cast<WORD>(count);
    vertexOf.emplace(key, *index);
    return true;
  };
  if (!normals) {
    for (std::uint32_t p = 0; p < x.positions.size(); ++p) {
      WORD ignored;
      addVertex(p, 0, &ignored);
    }
  }

  for (std::size_t polygon = 0; polygon < x.polygonSizes.size(); ++polygon) {
    const std::uint32_t start = x.polygonStarts[polygon], size = x.polygonSizes[polygon];
    std::vector<WORD> corner(size);
    for (std::uint32_t k = 0; k < size; ++k) {
      const std::uint32_t position = x.corners[start + k];
      const std::uint32_t normal = normals ? x.normalCorners[start + k] : 0;
      if (!addVertex(position, normal, &corner[k])) {
        g_lastMeshError = "more than 65535 vertices once split by normals";
        return false;
      }
    }
    const DWORD attribute = x.polygonMaterials.empty() ? 0 : x.polygonMaterials[polygon];
    // A fan from the first corner, in the file's winding.
    for (std::uint32_t k = 1; k + 1 < size; ++k) {
      out->indices.insert(out->indices.end(), {corner[0], corner[k], corner[k + 1]});
      out->positionOf.insert(out->positionOf.end(), {x.corners[start], x.corners[start + k], x.corners[start + k + 1]});
      out->attributes.push_back(attribute);
    }
  }
  return true;
}

// For each triangle edge (corner k to k + 1) a triangle sharing it, by
// position.
std::vector<DWORD> Adjacency(const Built& built) {
  const DWORD faces = static_cast<DWORD>(built.attributes.size());
  std::vector<DWORD> adjacency(static_cast<std::size_t>(faces) * 3, kNoNeighbour);
  std::unordered_map<std::uint64_t, std::vector<DWORD>> edges;  // key: lower, higher position
  auto keyOf = [&](DWORD face, int k) {
    std::uint64_t a = built.positionOf[face * 3 + k], b = built.positionOf[face * 3 + (k + 1) % 3];
    if (a > b) std::swap(a, b);
    return (a << 32) | b;
  };
  for (DWORD f = 0; f < faces; ++f)
    for (int k = 0; k < 3; ++k) edges[keyOf(f, k)].push_back(f);
  for (DWORD f = 0; f < faces; ++f)
    for (int k = 0; k < 3; ++k)
      for (DWORD other : edges[keyOf(f, k)])
        if (other != f) {
          adjacency[f * 3 + k] = other;
          break;
        }
  return adjacency;
}

// The D3DXMATERIAL array with its texture names after it.
ID3DXBuffer* MaterialBuffer(const std::vector<XFileMaterial>& materials) {
  std::size_t size = materials.size() * sizeof(D3DXMATERIAL);
  for (const XFileMaterial& m : materials)
    if (!m.textureFile.empty()) size += m.textureFile.size() + 1;
  ID3DXBuffer* buffer = nullptr;
  D3DXCreateBuffer(static_cast<DWORD>(size), &buffer);
  auto* records = static_cast<D3DXMATERIAL*>(buffer->GetBufferPointer());
  char* names = reinterpret_cast<char*>(records + materials.size());
  for (std::size_t i = 0; i < materials.size(); ++i) {
    const XFileMaterial& m = materials[i];
    D3DXMATERIAL& r = records[i];
    r.MatD3D = {};
    r.MatD3D.Diffuse = m.faceColour;
    r.MatD3D.Specular = m.specular;
    r.MatD3D.Emissive = m.emissive;
    r.MatD3D.Power = m.power;
    r.pTextureFilename = nullptr;
    if (!m.textureFile.empty()) {
      std::memcpy(names, m.textureFile.c_str(), m.textureFile.size() + 1);
      r.pTextureFilename = names;
      names += m.textureFile.size() + 1;
    }
  }
  return buffer;
}

HRESULT LoadFromText(const char* data, std::size_t size, DWORD options, IDirect3DDevice9* device,
                     ID3DXBuffer** adjacency, ID3DXBuffer** materials, DWORD* numMaterials, ID3DXMesh** mesh) {
  XFileMesh x;
  std::string error;
  switch (XFileReadText(data, size, &x, &error)) {
    case XFileResult::kOk: break;
    case XFileResult::kNoMesh: return Fail(D3DXERR_LOADEDMESHHASNODATA, error);
    default: return Fail(D3DXERR_INVALIDDATA, error);
  }
  Built built;
  if (!BuildTriangles(x, &built)) return D3DXERR_INVALIDDATA;
  if (built.attributes.empty()) return Fail(D3DXERR_INVALIDDATA, "the mesh has no faces");
  if (x.materials.empty()) {
    XFileMaterial white;
    white.faceColour = {1.0f, 1.0f, 1.0f, 1.0f};
    x.materials.push_back(white);
  }

  const DWORD faces = static_cast<DWORD>(built.attributes.size());
  const DWORD stride = D3DXGetFVFVertexSize(built.fvf);
  const DWORD vertices = static_cast<DWORD>(built.vertices.size() * sizeof(float) / stride);
  ID3DXMesh* made = nullptr;
  if (HRESULT hr = D3DXCreateMeshFVF(faces, vertices, options, built.fvf, device, &made); hr != D3D_OK)
    return Fail(hr, "the mesh's buffers could not be made");
  void* to = nullptr;
  if (made->LockVertexBuffer(0, &to) == D3D_OK) {
    std::memcpy(to, built.vertices.data(), built.vertices.size() * sizeof(float));
    made->UnlockVertexBuffer();
  }
  if (made->LockIndexBuffer(0, &to) == D3D_OK) {
    std::memcpy(to, built.indices.data(), built.indices.size() * sizeof(WORD));
    made->UnlockIndexBuffer();
  }
  D3DXMeshSetAttributes(made, built.attributes);

  if (adjacency) {
    const std::vector<DWORD> table = Adjacency(built);
    D3DXCreateBuffer(static_cast<DWORD>(table.size() * sizeof(DWORD)), adjacency);
    std::memcpy((*adjacency)->GetBufferPointer(), table.data(), table.size() * sizeof(DWORD));
  }
  if (materials) *materials = MaterialBuffer(x.materials);
  if (numMaterials) *numMaterials = static_cast<DWORD>(x.materials.size());
  *mesh = made;
  g_lastMeshError.clear();
  return D3D_OK;
}

// Clears the outputs a caller gave; false for arguments no load can take.
bool StartLoad(IDirect3DDevice9* device, ID3DXBuffer** adjacency, ID3DXBuffer** materials,
               ID3DXBuffer** effectInstances, DWORD* numMaterials, ID3DXMesh** mesh) {
  if (adjacency) *adjacency = nullptr;
  if (materials) *materials = nullptr;
  if (effectInstances) *effectInstances = nullptr;
  if (numMaterials) *numMaterials = 0;
  if (mesh) *mesh = nullptr;
  return device && mesh && !effectInstances;
}

}  // namespace

const std::string& D3DXGetLastMeshError() { return g_lastMeshError; }

HRESULT D3DXLoadMeshFromX(const char* file, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                          ID3DXBuffer** materials, ID3DXBuffer** effectInstances, DWORD* numMaterials,
                          ID3DXMesh** mesh) {
  if (!StartLoad(device, adjacency, materials, effectInstances, numMaterials, mesh) || !file)
    return Fail(D3DERR_INVALIDCALL, "invalid arguments");
  std::FILE* stream = PlatformFileOpen(file, "rb");
  if (!stream) return Fail(E_FAIL, std::string("cannot open ") + file);
  std::string bytes;
  char chunk[16384];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof(chunk), stream)) > 0;) bytes.append(chunk, got);
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (failed) return Fail(E_FAIL, std::string("cannot read ") + file);
  return LoadFromText(bytes.data(), bytes.size(), options, device, adjacency, materials, numMaterials, mesh);
}

HRESULT D3DXLoadMeshFromXInMemory(const void* data, DWORD size, DWORD options, IDirect3DDevice9* device,
                                  ID3DXBuffer** adjacency, ID3DXBuffer** materials, ID3DXBuffer** effectInstances,
                                  DWORD* numMaterials, ID3DXMesh** mesh) {
  if (!StartLoad(device, adjacency, materials, effectInstances, numMaterials, mesh) || !data)
    return Fail(D3DERR_INVALIDCALL, "invalid arguments");
  return LoadFromText(static_cast<const char*>(data), size, options, device, adjacency, materials, numMaterials,
                      mesh);
}
