// EngDevice.cpp - the graphics device front-end: device type test and
// forwarding to the Direct3D 9 back end (see EngDevice.h).
#include "Engine/EngDevice.h"

#include <cmath>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngResModesDX9.h"
#include "Engine/EngMath.h"
#include "Engine/EngProgram.h"

namespace {
EngDevice* g_currentDevice = nullptr;

D3DXVECTOR3 Vec(const float* v) { return D3DXVECTOR3(v[0], v[1], v[2]); }
RECT RectOf(const EngFramesArea& a) { return RECT{a.left, a.top, a.right, a.bottom}; }
}  // namespace

EngDevice* EngDeviceGetCurrent() { return g_currentDevice; }

bool EngDevice::Create(int windowed, int width, int height, int bitDepth, int aaEntry) {
  g_currentDevice = nullptr;
  if (EngProgramGetMainDeviceType() != 1) return false;
  if (!backEnd_) backEnd_ = new EngDeviceDX9(this);
  if (!backEnd_->Create(windowed, width, height, bitDepth, aaEntry)) {
    // No half-made device stays behind.
    backEnd_->Destroy();
    delete backEnd_;
    backEnd_ = nullptr;
    created_ = false;
    return false;
  }
  created_ = true;
  g_currentDevice = this;
  return true;
}

void EngDevice::Destroy() {
  if (backEnd_) {
    backEnd_->Destroy();
    delete backEnd_;
    backEnd_ = nullptr;
  }
  created_ = false;
  if (g_currentDevice == this) g_currentDevice = nullptr;
}

EngDeviceDX9* EngDevice::Back() const { return EngProgramGetMainDeviceType() == 1 ? backEnd_ : nullptr; }

// ---- Forwarders ----------------------------------------------------------------------

void EngDevice::UpdateFullScreenViewport() {
  if (auto* b = Back()) b->UpdateFullScreenViewport();
}
void EngDevice::SyncWithGPU() {
  if (auto* b = Back()) b->SyncWithGPU();
}
void EngDevice::SetViewportFullScreen() {
  if (auto* b = Back()) b->SetViewportFullScreen();
}
void EngDevice::SetViewportToViewportStruct(const D3DVIEWPORT9* viewport) {
  if (auto* b = Back()) b->SetViewportToViewportStruct(viewport);
}
void EngDevice::SetViewportToRect(float x, float y, float width, float height) {
  if (auto* b = Back()) b->SetViewportToRect(x, y, width, height);
}
void EngDevice::GetViewport(D3DVIEWPORT9* viewport) {
  if (auto* b = Back()) b->GetViewport(viewport);
}
void EngDevice::SetPerspectiveFieldOfView(float degrees, bool apply) {
  if (auto* b = Back()) b->SetPerspectiveFieldOfView(degrees, apply);
}
void EngDevice::SetPerspectiveAspect(float aspect, bool apply) {
  if (auto* b = Back()) b->SetPerspectiveAspect(aspect, apply);
}
void EngDevice::SetPerspectiveNearFar(float nearPlane, float farPlane, bool apply) {
  if (auto* b = Back()) b->SetPerspectiveNearFar(nearPlane, farPlane, apply);
}
void EngDevice::SetClearColourFromRecord(const EngColour* colour) {
  if (auto* b = Back()) b->SetClearColourFromRecord(colour);
}
void EngDevice::SetClearColour(float red, float green, float blue) {
  if (auto* b = Back()) b->SetClearColour(red, green, blue);
}
void EngDevice::ClearScreenAndDepth() {
  if (auto* b = Back()) b->ClearScreenAndDepth();
}
void EngDevice::ClearScreen() {
  if (auto* b = Back()) b->ClearScreen();
}
void EngDevice::ClearDepth() {
  if (auto* b = Back()) b->ClearDepth();
}
bool EngDevice::IsLightingOn() {
  auto* b = Back();
  return b && b->IsLightingOn();
}
void EngDevice::EnableLighting() {
  if (auto* b = Back()) b->EnableLighting();
}
void EngDevice::DisableLighting() {
  if (auto* b = Back()) b->DisableLighting();
}
bool EngDevice::DisableLightingIfOn() {
  auto* b = Back();
  return b && b->DisableLightingIfOn();
}
void EngDevice::EnableDepthTest(bool on) {
  if (auto* b = Back()) b->EnableDepthTest(on);
}
void EngDevice::ResumeDepthTest() {
  if (auto* b = Back()) b->ResumeDepthTest();
}
void EngDevice::SuspendDepthTest() {
  if (auto* b = Back()) b->SuspendDepthTest();
}
bool EngDevice::SuspendDepthTestIfOn() {
  auto* b = Back();
  return b && b->SuspendDepthTestIfOn();
}
void EngDevice::EnableBlendingType(int type) {
  if (auto* b = Back()) b->EnableBlendingType(type);
}
void EngDevice::EnableBlendingFactors(int source, int destination) {
  if (auto* b = Back()) b->EnableBlendingFactors(source, destination);
}
void EngDevice::DisableBlending() {
  if (auto* b = Back()) b->DisableBlending();
}
bool EngDevice::GetBlendingState(bool* on, int* source, int* destination) {
  auto* b = Back();
  return b && b->GetBlendingState(on, source, destination);
}
void EngDevice::SetBlendingState(bool on, int source, int destination) {
  if (auto* b = Back()) b->SetBlendingState(on, source, destination);
}
bool EngDevice::SaveOrRestoreBlendingState(bool save) {
  auto* b = Back();
  return b && b->SaveOrRestoreBlendingState(save);
}
void EngDevice::PrepareFor2D(bool lightingOff) {
  if (auto* b = Back()) b->PrepareFor2D(lightingOff);
}
void EngDevice::RestoreAfter2D() {
  if (auto* b = Back()) b->RestoreAfter2D();
}
bool EngDevice::IsIn2DMode() {
  auto* b = Back();
  return b && b->IsIn2DMode();
}
bool EngDevice::PrepareFor2DIfNotPrepared(bool lightingOff) {
  auto* b = Back();
  return b && b->PrepareFor2DIfNotPrepared(lightingOff);
}
bool EngDevice::PrepareFor2DIfNeeded(bool lightingOff) { return PrepareFor2DIfNotPrepared(lightingOff); }
void EngDevice::PushTransformMatrix() {
  if (auto* b = Back()) b->PushTransformMatrix();
}
void EngDevice::PopTransformMatrix() {
  if (auto* b = Back()) b->PopTransformMatrix();
}
bool EngDevice::BeginRendering() {
  auto* b = Back();
  return b && b->BeginRendering();
}
void EngDevice::EndRendering() {
  if (auto* b = Back()) b->EndRendering();
}
bool EngDevice::BeginRenderingIfNotRendering() {
  auto* b = Back();
  return b && b->BeginRenderingIfNotRendering();
}
bool EngDevice::GetPickRay(float screenX, float screenY, float* origin3, float* direction3) {
  auto* b = Back();
  D3DXVECTOR3 origin, direction;
  if (!b || !b->GetPickRay(screenX, screenY, &origin, &direction)) return false;
  if (origin3) {
    origin3[0] = origin.x;
    origin3[1] = origin.y;
    origin3[2] = origin.z;
  }
  if (direction3) {
    direction3[0] = direction.x;
    direction3[1] = direction.y;
    direction3[2] = direction.z;
  }
  return true;
}
bool EngDevice::ScreenPointToPlaneZ(float screenX, float screenY, float planeZ, float* x, float* y) {
  auto* b = Back();
  return b && b->ScreenPointToPlaneZ(screenX, screenY, planeZ, x, y);
}
bool EngDevice::WorldPointToScreen(float x, float y, float z, float* screenX, float* screenY) {
  auto* b = Back();
  return b && b->WorldPointToScreen(D3DXVECTOR3(x, y, z), screenX, screenY);
}
void EngDevice::SwapBuffers() {
  if (auto* b = Back()) b->SwapBuffers();
}
bool EngDevice::GetProjection(EngDeviceProjection* projection) {
  auto* b = Back();
  *projection = EngDeviceProjection();
  if (!b) return false;
  const D3DXMATRIX both = b->GetView() * b->GetProjection();
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 4; ++col) projection->viewProjection[row * 4 + col] = both.m[row][col];
  }
  D3DVIEWPORT9 viewport{};
  b->GetViewport(&viewport);
  projection->x = static_cast<int>(viewport.X);
  projection->y = static_cast<int>(viewport.Y);
  projection->width = static_cast<int>(viewport.Width);
  projection->height = static_cast<int>(viewport.Height);
  projection->valid = viewport.Width > 0 && viewport.Height > 0;
  return projection->valid;
}

bool EngDeviceScreenAreaOfQuad(const EngDeviceProjection& projection, const EngMatrix* world,
                               float halfWidth, float halfHeight, int margin, EngFramesArea* area) {
  if (!projection.valid || !world) return false;
  // Row vectors, as Direct3D: the corner through the world matrix, then
  // through view x projection.
  const float* w = world->m;
  const float* p = projection.viewProjection;
  float left = 0, top = 0, right = 0, bottom = 0;
  for (int corner = 0; corner < 4; ++corner) {
    const float cx = corner & 1 ? halfWidth : -halfWidth;
    const float cy = corner & 2 ? halfHeight : -halfHeight;
    float v[4];
    for (int k = 0; k < 4; ++k) v[k] = cx * w[k] + cy * w[4 + k] + w[12 + k];
    float clip[4];
    for (int k = 0; k < 4; ++k) clip[k] = v[0] * p[k] + v[1] * p[4 + k] + v[2] * p[8 + k] + v[3] * p[12 + k];
    if (clip[3] <= 1e-6f) return false;
    const float sx = static_cast<float>(projection.x) + (clip[0] / clip[3] + 1) * 0.5f * static_cast<float>(projection.width);
    const float sy = static_cast<float>(projection.y) + (1 - clip[1] / clip[3]) * 0.5f * static_cast<float>(projection.height);
    if (corner == 0 || sx < left) left = sx;
    if (corner == 0 || sx > right) right = sx;
    if (corner == 0 || sy < top) top = sy;
    if (corner == 0 || sy > bottom) bottom = sy;
  }
  *area = EngFramesArea{static_cast<int>(std::floor(left)) - margin, static_cast<int>(std::floor(top)) - margin,
                        static_cast<int>(std::ceil(right)) + margin, static_cast<int>(std::ceil(bottom)) + margin};
  return true;
}

bool EngDevice::KeepsFrames() {
  auto* b = Back();
  return b && b->KeepsFrames();
}
void EngDevice::LimitDrawingTo(const EngFramesArea* area) {
  auto* b = Back();
  if (!b) return;
  if (!area) {
    b->LimitDrawingTo(nullptr);
    return;
  }
  const RECT r = RectOf(*area);
  b->LimitDrawingTo(&r);
}
void EngDevice::SwapBuffersArea(const EngFramesArea* area) {
  auto* b = Back();
  if (!b) return;
  if (!area) {
    b->SwapBuffers();
    return;
  }
  const RECT r = RectOf(*area);
  b->SwapBuffersPart(&r);
}
void EngDevice::SetWorldMatrixToIdentity() {
  if (auto* b = Back()) b->SetWorldMatrixToIdentity();
}
void EngDevice::SetWorldTranslation(float x, float y, float z) {
  if (auto* b = Back()) b->SetWorldTranslation(x, y, z);
}
void EngDevice::SetWorldTranslationAndScale(float x, float y, float z, float sx, float sy, float sz) {
  if (auto* b = Back()) b->SetWorldTranslationAndScale(x, y, z, sx, sy, sz);
}
void EngDevice::SetWorldPositionRotationAndScaleFloats(float x, float y, float z, float rx, float ry, float rz,
                                                       float sxz, float sy) {
  if (auto* b = Back()) b->SetWorldPositionRotationAndScaleFloats(x, y, z, rx, ry, rz, sxz, sy);
}
void EngDevice::SetWorldPositionAndRotation(const float* position3, const float* rotation3) {
  auto* b = Back();
  if (!b) return;
  const D3DXVECTOR3 p = position3 ? Vec(position3) : D3DXVECTOR3();
  const D3DXVECTOR3 r = rotation3 ? Vec(rotation3) : D3DXVECTOR3();
  b->SetWorldPositionAndRotation(position3 ? &p : nullptr, rotation3 ? &r : nullptr);
}
void EngDevice::SetWorldPositionRotationAndScale(const float* position3, const float* rotation3,
                                                 const float* scale3) {
  auto* b = Back();
  if (!b) return;
  const D3DXVECTOR3 p = position3 ? Vec(position3) : D3DXVECTOR3();
  const D3DXVECTOR3 r = rotation3 ? Vec(rotation3) : D3DXVECTOR3();
  const D3DXVECTOR3 s = scale3 ? Vec(scale3) : D3DXVECTOR3();
  b->SetWorldPositionRotationAndScale(position3 ? &p : nullptr, rotation3 ? &r : nullptr, scale3 ? &s : nullptr);
}
void EngDevice::SetWorldMatrix(const EngMatrix* matrix) {
  if (auto* b = Back()) b->SetWorldMatrix(matrix);
}
void EngDevice::SetViewLookAt(const float* eye3, const float* target3) {
  auto* b = Back();
  if (!b) return;
  const D3DXVECTOR3 eye = eye3 ? Vec(eye3) : D3DXVECTOR3();
  const D3DXVECTOR3 target = target3 ? Vec(target3) : D3DXVECTOR3();
  b->SetViewLookAt(eye3 ? &eye : nullptr, target3 ? &target : nullptr);
}
bool EngDevice::IsShowingTwoSidedPolygons() {
  auto* b = Back();
  return b && b->IsShowingTwoSidedPolygons();
}
void EngDevice::ShowTwoSidedPolygons(bool on) {
  if (auto* b = Back()) b->ShowTwoSidedPolygons(on);
}

// ---- Dimming -----------------------------------------------------------------------------

void EngDimDraw(float darkness) {
  if (EngProgramGetMainDeviceType() == 1) EngDimDraw_DX9(darkness);
}

void EngDimDestroy() {
  if (EngProgramGetMainDeviceType() == 1) EngDimDestroy_DX9();
}
