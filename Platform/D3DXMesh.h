// D3DXMesh.h - the D3DX mesh library calls the engine uses: a triangle mesh
// with its vertex, index and attribute buffers, loaded from a text ".x" file
// (Platform/XFileText.h), converted, optimised and drawn subset by subset.
// Our own declarations with the D3DX numeric values.
//
// Implements: ID3DXBuffer; ID3DXMesh with 16-bit indices (GetFVF,
// GetNumVertices, GetNumFaces, GetOptions, Get/Lock vertex and index
// buffers, LockAttributeBuffer, GetAttributeTable, CloneMeshFVF, Optimize,
// DrawSubset); D3DXLoadMeshFromX and D3DXLoadMeshFromXInMemory (materials,
// adjacency; no effect instances), D3DXComputeNormals,
// D3DXComputeBoundingSphere, D3DXGetFVFVertexSize.
// How a file becomes a mesh: positions as the file gives them (frame
// matrices applied); a corner whose normal index differs from another
// corner's on the same position becomes a vertex of its own; polygons are
// fanned into triangles from their first corner, keeping the file's winding;
// the vertex format is XYZ plus NORMAL when the file has normals plus TEX1
// when it has texture coordinates. A file without a material list gets one
// white material.
// Optimize: every form sorts the faces by attribute (stable) and builds the
// attribute table; the vertex-cache and strip forms also renumber the
// vertices in first-use order and drop unused ones.
// Does not implement: 32-bit meshes, skinning, progressive meshes, binary
// or compressed files, effect instances.
//
// Buffers are made on the given device (so its live counters see them) in
// the pool the options ask for. A mesh does not hold its device alive; once
// the device is gone DrawSubset refuses (D3DERR_INVALIDCALL).
#pragma once

#include <string>

#include "Platform/D3D9.h"

// ---- Options and flags ------------------------------------------------------------
constexpr DWORD D3DXMESH_32BIT = 0x001;
constexpr DWORD D3DXMESH_VB_SYSTEMMEM = 0x010;
constexpr DWORD D3DXMESH_VB_MANAGED = 0x020;
constexpr DWORD D3DXMESH_VB_WRITEONLY = 0x040;
constexpr DWORD D3DXMESH_IB_SYSTEMMEM = 0x100;
constexpr DWORD D3DXMESH_IB_MANAGED = 0x200;
constexpr DWORD D3DXMESH_IB_WRITEONLY = 0x400;
constexpr DWORD D3DXMESH_SYSTEMMEM = 0x110;
constexpr DWORD D3DXMESH_MANAGED = 0x220;
constexpr DWORD D3DXMESH_WRITEONLY = 0x440;

constexpr DWORD D3DXMESHOPT_COMPACT = 0x01000000;
constexpr DWORD D3DXMESHOPT_ATTRSORT = 0x02000000;
constexpr DWORD D3DXMESHOPT_VERTEXCACHE = 0x04000000;
constexpr DWORD D3DXMESHOPT_STRIPREORDER = 0x08000000;
constexpr DWORD D3DXMESHOPT_IGNOREVERTS = 0x10000000;
constexpr DWORD D3DXMESHOPT_DONOTSPLIT = 0x20000000;

// ---- Records ---------------------------------------------------------------------------

// A material as a file gives it; the name points into the same buffer.
struct D3DXMATERIAL {
  D3DMATERIAL9 MatD3D;
  char* pTextureFilename;  // null when the material names no texture
};

// One subset: faces FaceStart .. + FaceCount, using vertices VertexStart ..
// + VertexCount.
struct D3DXATTRIBUTERANGE {
  DWORD AttribId;
  DWORD FaceStart;
  DWORD FaceCount;
  DWORD VertexStart;
  DWORD VertexCount;
};

struct D3DXVECTOR3;

// ---- Interfaces --------------------------------------------------------------------------

// A block of bytes handed out by the loaders (materials, adjacency).
class ID3DXBuffer {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
  virtual void* GetBufferPointer() = 0;
  virtual DWORD GetBufferSize() = 0;

 protected:
  virtual ~ID3DXBuffer() = default;
};

class ID3DXMesh {
 public:
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

  virtual DWORD GetFVF() = 0;
  virtual DWORD GetNumVertices() = 0;
  virtual DWORD GetNumFaces() = 0;
  virtual DWORD GetNumBytesPerVertex() = 0;
  virtual DWORD GetOptions() = 0;
  // The buffers, each with one more reference for the caller to release.
  virtual HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) = 0;
  virtual HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) = 0;
  virtual HRESULT LockVertexBuffer(DWORD flags, void** data) = 0;
  virtual HRESULT UnlockVertexBuffer() = 0;
  virtual HRESULT LockIndexBuffer(DWORD flags, void** data) = 0;
  virtual HRESULT UnlockIndexBuffer() = 0;
  // One DWORD per face.
  virtual HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) = 0;
  virtual HRESULT UnlockAttributeBuffer() = 0;
  // With table null, size gets the entry count; otherwise up to *size
  // entries are copied (size may be null: the whole table).
  virtual HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) = 0;

  // A copy in another vertex format (parts both formats have are copied,
  // new parts are zero) and other options, on a device.
  virtual HRESULT CloneMeshFVF(DWORD options, DWORD fvf, IDirect3DDevice9* device, ID3DXMesh** clone) = 0;
  // An optimised copy (see the file head). adjacencyIn may be null; the
  // remaps and adjacencyOut may be null (filled when given).
  virtual HRESULT Optimize(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut, DWORD* faceRemap,
                           ID3DXBuffer** vertexRemap, ID3DXMesh** optimised) = 0;
  // Draws the faces of one attribute (nothing for an attribute without
  // faces).
  virtual HRESULT DrawSubset(DWORD attribId) = 0;

 protected:
  virtual ~ID3DXMesh() = default;
};

// ---- Calls ------------------------------------------------------------------------------

HRESULT D3DXCreateBuffer(DWORD size, ID3DXBuffer** buffer);

// An empty mesh of faces triangles and vertices vertices (16-bit; at most
// 65535 vertices) in a vertex format with an XYZ position.
HRESULT D3DXCreateMeshFVF(DWORD faces, DWORD vertices, DWORD options, DWORD fvf, IDirect3DDevice9* device,
                          ID3DXMesh** mesh);

// Loads the one mesh of a text .x file (a game path) or of a memory image.
// adjacency (3 DWORDs per face, 0xFFFFFFFF = no neighbour), materials (an
// array of D3DXMATERIAL) and the count are filled when asked for;
// effectInstances must be null. Results: D3D_OK; D3DERR_INVALIDCALL for bad
// arguments; E_FAIL for a file that cannot be read; D3DXERR_INVALIDDATA for
// binary, compressed, malformed or multi-mesh files (the reason in
// D3DXGetLastMeshError); D3DXERR_LOADEDMESHHASNODATA for a file without a
// mesh; the device's result when a buffer cannot be made.
HRESULT D3DXLoadMeshFromX(const char* file, DWORD options, IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                          ID3DXBuffer** materials, ID3DXBuffer** effectInstances, DWORD* numMaterials,
                          ID3DXMesh** mesh);
HRESULT D3DXLoadMeshFromXInMemory(const void* data, DWORD size, DWORD options, IDirect3DDevice9* device,
                                  ID3DXBuffer** adjacency, ID3DXBuffer** materials, ID3DXBuffer** effectInstances,
                                  DWORD* numMaterials, ID3DXMesh** mesh);
// Why the last load failed ("" after a success).
const std::string& D3DXGetLastMeshError();

// Vertex normals: the sum of the normals (v1 - v0) x (v2 - v0) of the faces
// that use each vertex (weighted by their areas), normalised. The mesh's
// format must have D3DFVF_NORMAL. adjacency is accepted and not used, so
// split vertices (a seam) keep their own normals.
HRESULT D3DXComputeNormals(ID3DXMesh* mesh, const DWORD* adjacency);
// Centre = the mean of the positions, radius = the largest distance from it.
HRESULT D3DXComputeBoundingSphere(const D3DXVECTOR3* firstPosition, DWORD numVertices, DWORD stride,
                                  D3DXVECTOR3* centre, float* radius);
// Bytes of one vertex of a format.
UINT D3DXGetFVFVertexSize(DWORD fvf);
