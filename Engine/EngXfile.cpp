// EngXfile.cpp - the mesh front-end: forwards to the Direct3D 9 record while
// the main device type is 1.
#include "Engine/EngXfile.h"

#include "Engine/DX9/EngXfileDX9.h"
#include "Engine/EngProgram.h"

namespace {

bool Direct3D() { return EngProgramGetMainDeviceType() == 1; }

}  // namespace

EngXfile::EngXfile() : dx9_(new EngXfileDX9) { dx9_->owner = this; }

EngXfile::~EngXfile() { delete dx9_; }

bool EngXfile::IsCreated() const { return dx9_->created; }

int EngXfile::GetMaterialCount() const { return static_cast<int>(dx9_->materialCount); }

void EngXfile::Clear() {
  if (Direct3D()) dx9_->Clear();
}

bool EngXfile::LoadFromFile(const char* folder, const char* name, float scaleX, float scaleY, float scaleZ,
                            const EngXfileTransform* transform, int withAlpha, int alphaKind,
                            EngXfileTextureFilenameCB hook) {
  return Direct3D() &&
         dx9_->LoadFromFile(folder, name, scaleX, scaleY, scaleZ, transform, withAlpha, alphaKind, hook);
}

bool EngXfile::SetMaterialTextureFromFile(int material, const char* file, int withAlpha, int alphaKind,
                                          int onlyIfTextured) {
  return Direct3D() && dx9_->SetMaterialTextureFromFile(material, file, withAlpha, alphaKind, onlyIfTextured);
}

void EngXfile::Draw() {
  if (Direct3D()) dx9_->Draw();
}

void EngXfile::Destroy() {
  // The record's own resources are freed whatever the device type: the
  // destructor must not leak them.
  dx9_->Destroy();
}
