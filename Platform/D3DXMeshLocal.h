// D3DXMeshLocal.h - what the mesh loader (D3DXMeshLoad.cpp) needs of the mesh
// object (D3DXMesh.cpp) beyond the public interface. Platform/ only.
#pragma once

#include <vector>

#include "Platform/D3DXMesh.h"

// Sets the attribute of every face (missing ones 0) of a mesh made by
// D3DXCreateMeshFVF and builds its attribute table from them.
void D3DXMeshSetAttributes(ID3DXMesh* mesh, const std::vector<DWORD>& attributes);
