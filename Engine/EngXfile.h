// EngXfile.h - the engine's mesh: a ".x" model loaded with load-time
// corrections and drawn with its materials. The front-end holds its Direct3D
// 9 record (Engine/DX9/EngXfileDX9.h), whose owner it is; every operation
// forwards unchanged while the main device type is 1 and otherwise does
// nothing and answers false.
//
// State: the record. A loaded mesh belongs to the device: destroy it with
// the other graphics objects and load it again after a new device.
#pragma once

#include "Engine/DX9/EngXfileDX9.h"

class EngXfile {
 public:
  EngXfile() { dx9_.owner = this; }
  ~EngXfile() { Destroy(); }
  EngXfile(const EngXfile&) = delete;
  EngXfile& operator=(const EngXfile&) = delete;

  // The record's fields cleared (nothing freed).
  void Clear();
  // See EngXfileDX9::LoadFromFile.
  bool LoadFromFile(const char* folder, const char* name, float scaleX, float scaleY, float scaleZ,
                    const EngXfileTransform* transform, int withAlpha, int alphaKind, EngXfileTextureFilenameCB hook);
  // See EngXfileDX9::SetMaterialTextureFromFile.
  bool SetMaterialTextureFromFile(int material, const char* file, int withAlpha, int alphaKind, int onlyIfTextured);
  void Draw();
  void Destroy();

  bool IsCreated() const { return dx9_.created; }
  int GetMaterialCount() const { return static_cast<int>(dx9_.materialCount); }
  EngXfileDX9& GetDX9() { return dx9_; }

 private:
  EngXfileDX9 dx9_;
};
