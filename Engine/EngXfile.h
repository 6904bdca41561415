// EngXfile.h - the engine's mesh: a ".x" model loaded with load-time
// corrections and drawn with its materials. The front-end owns its Direct3D
// 9 record (Engine/DX9/EngXfileDX9.h, made at construction), whose owner it
// is; every operation forwards unchanged while the main device type is 1
// and otherwise does nothing and answers false.
//
// State: the record. A loaded mesh belongs to the device: destroy it with
// the other graphics objects and load it again after a new device.
#pragma once

#include <cstdint>

class EngXfile;
class EngXfileDX9;

// Load-time corrections (every switch a byte, 0 = off).
struct EngXfileTransform {
  std::uint8_t negateNormal[3];    // x, y, z
  std::uint8_t negatePosition[3];  // x, y, z
  std::uint8_t rotationOrder;      // 0: X, then Y, then Z; else Z, then Y, then X
  float rotation[3];               // radians about X, Y, Z; 0 = none
  std::uint8_t swapPositionYZ;
  std::uint8_t swapNormalYZ;
  std::uint8_t swapUV;             // textured format only
  std::uint8_t flipU;              // u = 1 - u (textured format only)
  std::uint8_t flipV;              // v = 1 - v (textured format only)
  std::uint8_t flipWinding;        // second and third index of every triangle exchanged
};

// The texture-name hook: (owner, material number, mesh folder or null, the
// material's texture file name) -> a file to load instead, or null for the
// default path.
using EngXfileTextureFilenameCB = const char* (*)(EngXfile* owner, int material, const char* folder,
                                                 const char* textureFile);


class EngXfile {
 public:
  EngXfile();
  ~EngXfile();
  EngXfile(const EngXfile&) = delete;
  EngXfile& operator=(const EngXfile&) = delete;

  // The record's fields cleared (nothing freed).
  void Clear();
  // Loads folder/name (or name alone without a folder), scaled by (x, y, z)
  // and corrected by the record when one is given; textures get withAlpha
  // and alphaKind, their names through the hook when one is given. False
  // (reported) when the mesh cannot be loaded; see EngXfileDX9::LoadFromFile.
  bool LoadFromFile(const char* folder, const char* name, float scaleX, float scaleY, float scaleZ,
                    const EngXfileTransform* transform, int withAlpha, int alphaKind, EngXfileTextureFilenameCB hook);
  // Gives a material the texture of a picture file; see
  // EngXfileDX9::SetMaterialTextureFromFile.
  bool SetMaterialTextureFromFile(int material, const char* file, int withAlpha, int alphaKind, int onlyIfTextured);
  void Draw();
  void Destroy();

  bool IsCreated() const;
  int GetMaterialCount() const;
  EngXfileDX9& GetDX9() { return *dx9_; }

 private:
  EngXfileDX9* dx9_;
};
