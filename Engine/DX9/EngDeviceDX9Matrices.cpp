// EngDeviceDX9Matrices.cpp - camera, world matrices, the two matrix stacks
// (depth 10), the 2D bracket and picking (see EngDeviceDX9.h).
//
//   PrepareFor2D      push all matrices, remember lighting, identity
//                     projection/view/world, lighting off (when asked),
//                     depth test suspended, 2D on
//   RestoreAfter2D    depth test resumed, pop all matrices, lighting as
//                     remembered, 2D off
// A camera that would make a degenerate matrix (look-at with eye = target, a
// field of view outside (0, 180) degrees, equal near and far planes) is
// refused and the old one kept.
#include <cmath>
#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngMath.h"
#include "Engine/EngWindow.h"

namespace {

IDirect3DDevice9* Dev() { return EngDeviceDX9GetD3DDevice(); }

D3DXMATRIX FromEngMatrix(const EngMatrix* matrix) {
  D3DXMATRIX out;
  if (!matrix) return *D3DXMatrixIdentity(&out);
  return D3DXMATRIX(matrix->m);
}

D3DXMATRIX FromDx(const D3DXMATRIX* matrix) {
  D3DXMATRIX out;
  if (!matrix) return *D3DXMatrixIdentity(&out);
  return *matrix;
}

}  // namespace

void EngDeviceDX9::DoSetTransformMatrix(D3DTRANSFORMSTATETYPE state, const D3DXMATRIX& matrix) {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::DoSetTransformMatrix", "SetTransform", Dev()->SetTransform(state, &matrix));
}

// ---- Projection -------------------------------------------------------------------

void EngDeviceDX9::ApplyProjection() {
  D3DXMatrixPerspectiveFovRH(&projection_, fovRadians_, aspect_, nearPlane_, farPlane_);
  DoSetTransformMatrix(D3DTS_PROJECTION, projection_);
}

void EngDeviceDX9::SetPerspectiveFieldOfView(float degrees, bool apply) {
  if (!(degrees > 0.0f && degrees < 180.0f)) {
    DebugError("EngDeviceDX9::SetPerspectiveFieldOfView", "Bad Field Of View [%6.3f]", degrees);
    return;
  }
  fovDegrees_ = degrees;
  fovRadians_ = static_cast<float>(degrees * 0.01745329238474369);
  if (apply) ApplyProjection();
}

void EngDeviceDX9::SetPerspectiveAspect(float aspect, bool apply) {
  if (!(aspect > 0.0f)) {
    DebugError("EngDeviceDX9::SetPerspectiveAspect", "Bad Aspect [%6.3f]", aspect);
    return;
  }
  aspect_ = aspect;
  inverseAspect_ = 1.0f / aspect;
  if (apply) ApplyProjection();
}

void EngDeviceDX9::SetPerspectiveNearFar(float nearPlane, float farPlane, bool apply) {
  if (!(nearPlane != farPlane)) {  // equal (or NaN) planes would divide by 0
    DebugError("EngDeviceDX9::SetPerspectiveNearFar", "Bad Near/Far [%6.3f,%6.3f]", nearPlane, farPlane);
    return;
  }
  nearPlane_ = nearPlane;
  farPlane_ = farPlane;
  if (apply) ApplyProjection();
}

void EngDeviceDX9::SetProjectionMatrix(const EngMatrix* matrix) {
  projection_ = FromEngMatrix(matrix);
  DoSetTransformMatrix(D3DTS_PROJECTION, projection_);
}

void EngDeviceDX9::SetProjectionMatrixToDxMatrix(const D3DXMATRIX* matrix) {
  projection_ = FromDx(matrix);
  DoSetTransformMatrix(D3DTS_PROJECTION, projection_);
}

// ---- View ----------------------------------------------------------------------------

void EngDeviceDX9::SetViewLookAt(const D3DXVECTOR3* eye, const D3DXVECTOR3* target) {
  const char* where = "EngDeviceDX9::SetViewLookAt";
  if (!eye || !target) {
    DebugError(where, "Invalid parameters");
    return;
  }
  if (eye->x == target->x && eye->y == target->y && eye->z == target->z) {
    DebugError(where, "Eye and target are the same point [%6.3f,%6.3f,%6.3f]", eye->x, eye->y, eye->z);
    return;
  }
  const D3DXVECTOR3 up(0.0f, 0.0f, 1.0f);
  D3DXMatrixLookAtRH(&view_, eye, target, &up);
  UpdateViewMatrix();
}

void EngDeviceDX9::UpdateViewMatrix() { DoSetTransformMatrix(D3DTS_VIEW, view_); }

void EngDeviceDX9::SetViewMatrix(const EngMatrix* matrix) {
  view_ = FromEngMatrix(matrix);
  UpdateViewMatrix();
}

void EngDeviceDX9::SetViewMatrixToDxMatrix(const D3DXMATRIX* matrix) {
  view_ = FromDx(matrix);
  UpdateViewMatrix();
}

// ---- World ------------------------------------------------------------------------------

void EngDeviceDX9::SetWorldMatrix(const EngMatrix* matrix) {
  world_ = FromEngMatrix(matrix);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::SetWorldMatrixToDxMatrix(const D3DXMATRIX* matrix) {
  world_ = FromDx(matrix);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::SetWorldMatrixToIdentity() {
  world_ = identity_;
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::GetWorldMatrix(float* out16) const {
  if (out16) std::memcpy(out16, &world_.m[0][0], 16 * sizeof(float));
}

void EngDeviceDX9::SetWorldTranslation(float x, float y, float z) {
  D3DXMatrixTranslation(&world_, x, y, z);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::SetWorldTranslationAndScale(float x, float y, float z, float sx, float sy, float sz) {
  D3DXMATRIX scale, translation;
  D3DXMatrixScaling(&scale, sx, sy, sz);
  D3DXMatrixTranslation(&translation, x, y, z);
  world_ = scale * translation;
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::BuildPositionRotationMatrix(D3DXMATRIX* out, const D3DXVECTOR3* position,
                                               const D3DXVECTOR3* rotation) {
  D3DXMatrixIdentity(out);
  if (rotation) {
    D3DXMATRIX rx, ry, rz;
    D3DXMatrixRotationX(&rx, rotation->x);
    D3DXMatrixRotationY(&ry, rotation->y);
    D3DXMatrixRotationZ(&rz, rotation->z);
    *out = rx * ry * rz;
  }
  if (position) {
    D3DXMATRIX translation;
    D3DXMatrixTranslation(&translation, position->x, position->y, position->z);
    *out = *out * translation;
  }
}

void EngDeviceDX9::SetWorldPositionAndRotation(const D3DXVECTOR3* position, const D3DXVECTOR3* rotation) {
  BuildPositionRotationMatrix(&world_, position, rotation);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::SetWorldPositionRotationAndScale(const D3DXVECTOR3* position, const D3DXVECTOR3* rotation,
                                                    const D3DXVECTOR3* scale) {
  D3DXMATRIX placed;
  BuildPositionRotationMatrix(&placed, position, rotation);
  if (scale) {
    D3DXMATRIX s;
    D3DXMatrixScaling(&s, scale->x, scale->y, scale->z);
    world_ = s * placed;
  } else {
    world_ = placed;
  }
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::SetWorldPositionRotationAndScaleFloats(float x, float y, float z, float rx, float ry, float rz,
                                                          float sxz, float sy) {
  const D3DXVECTOR3 position(x, y, z), rotation(rx, ry, rz), scale(sxz, sy, sxz);
  SetWorldPositionRotationAndScale(&position, &rotation, &scale);
}

// ---- Stacks --------------------------------------------------------------------------------

void EngDeviceDX9::PushAllMatrices() {
  const char* where = "PushAllMatrices";
  if (worldLevel_ != 0) DebugError(where, "Transform matrix stack level not 0 (%d)", worldLevel_);
  if (allLevel_ < 0) {
    DebugError(where, "Stack level %d", allLevel_);
    allLevel_ = 0;
  }
  if (allLevel_ >= kStackDepth) {
    DebugError(where, "Too many pushes");
    return;
  }
  allStack_[allLevel_] = {projection_, view_, world_};
  ++allLevel_;
}

void EngDeviceDX9::PopAllMatrices() {
  const char* where = "PopAllMatrices";
  if (allLevel_ < 1) {
    DebugError(where, "Not pushed");
    allLevel_ = 0;
    return;
  }
  if (worldLevel_ != 0) DebugError(where, "Transform matrix stack level not 0 (%d)", worldLevel_);
  --allLevel_;
  projection_ = allStack_[allLevel_].projection;
  view_ = allStack_[allLevel_].view;
  world_ = allStack_[allLevel_].world;
  DoSetTransformMatrix(D3DTS_PROJECTION, projection_);
  DoSetTransformMatrix(D3DTS_VIEW, view_);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

void EngDeviceDX9::PushTransformMatrix() {
  const char* where = "PushTransformMatrix";
  if (worldLevel_ < 0) {
    DebugError(where, "Stack level %d", worldLevel_);
    worldLevel_ = 0;
  }
  if (worldLevel_ >= kStackDepth) {
    DebugError(where, "Too many pushes");
    return;
  }
  worldStack_[worldLevel_++] = world_;
}

void EngDeviceDX9::PopTransformMatrix() {
  if (worldLevel_ < 1) {
    DebugError("PopTransformMatrix", "Not pushed");
    worldLevel_ = 0;
    return;
  }
  world_ = worldStack_[--worldLevel_];
  DoSetTransformMatrix(D3DTS_WORLD, world_);
}

// ---- 2D bracket ----------------------------------------------------------------------------

void EngDeviceDX9::PrepareFor2D(bool lightingOff) {
  if (in2D_) {
    DebugError("PrepareFor2D", "Already Called");
    return;
  }
  PushAllMatrices();
  lightingBefore2D_ = lightingOn_;
  projection_ = view_ = world_ = identity_;
  DoSetTransformMatrix(D3DTS_PROJECTION, projection_);
  DoSetTransformMatrix(D3DTS_VIEW, view_);
  DoSetTransformMatrix(D3DTS_WORLD, world_);
  if (lightingOff) DisableLighting();
  SuspendDepthTest();
  in2D_ = true;
}

void EngDeviceDX9::RestoreAfter2D() {
  if (!in2D_) {
    DebugError("RestoreAfter2D", "Not prepared");
    return;
  }
  ResumeDepthTest();
  PopAllMatrices();
  if (lightingBefore2D_)
    EnableLighting();
  else
    DisableLighting();
  in2D_ = false;
}

bool EngDeviceDX9::PrepareFor2DIfNotPrepared(bool lightingOff) {
  if (in2D_) return false;
  PrepareFor2D(lightingOff);
  return true;
}

// ---- Picking --------------------------------------------------------------------------------

bool EngDeviceDX9::GetPickRay(float screenX, float screenY, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  const float width = static_cast<float>(mode.width), height = static_cast<float>(mode.height);
  if (width < 1.0f || height < 1.0f || projection_._11 == 0.0f || projection_._22 == 0.0f) return false;
  const D3DXVECTOR3 viewDir(((2.0f * screenX / width) - 1.0f) / projection_._11,
                            -((2.0f * screenY / height) - 1.0f) / projection_._22, -1.0f);
  D3DXMATRIX inverse;
  if (!D3DXMatrixInverse(&inverse, nullptr, &view_)) return false;
  const D3DXVECTOR3 zero(0.0f, 0.0f, 0.0f);
  D3DXVECTOR3 o, d;
  D3DXVec3TransformCoord(&o, &zero, &inverse);
  D3DXVec3TransformNormal(&d, &viewDir, &inverse);
  if (origin) *origin = o;
  if (direction) *direction = d;
  return true;
}

bool EngDeviceDX9::WorldPointToScreen(const D3DXVECTOR3& point, float* screenX, float* screenY) const {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  const float width = static_cast<float>(mode.width), height = static_cast<float>(mode.height);
  if (width < 1.0f || height < 1.0f || projection_._11 == 0.0f || projection_._22 == 0.0f) return false;
  const D3DXMATRIX both = view_ * projection_;
  D3DXVECTOR4 clip;
  D3DXVec3Transform(&clip, &point, &both);
  if (!(clip.w > 0.0f)) return false;
  if (screenX) *screenX = (clip.x / clip.w + 1.0f) * 0.5f * width;
  if (screenY) *screenY = (1.0f - clip.y / clip.w) * 0.5f * height;
  return true;
}

bool EngDeviceDX9::ScreenPointToPlaneZ(float screenX, float screenY, float planeZ, float* outX, float* outY) const {
  return ScreenPointToPlaneZInViewport(nullptr, screenX, screenY, planeZ, outX, outY);
}

bool EngDeviceDX9::ScreenPointToPlaneZInViewport(const D3DVIEWPORT9* viewport, float screenX, float screenY,
                                                 float planeZ, float* outX, float* outY) const {
  float px = screenX, py = screenY, width, height;
  if (viewport) {
    const float left = static_cast<float>(viewport->X), top = static_cast<float>(viewport->Y);
    width = static_cast<float>(viewport->Width);
    height = static_cast<float>(viewport->Height);
    if (screenX < left || screenX > left + width || screenY < top || screenY > top + height) return false;
    px -= left;
    py -= top;
  } else {
    width = static_cast<float>(EngWindowGetScreenMode().width);
    height = static_cast<float>(EngWindowGetScreenMode().height);
  }
  if (width < 1.0f || height < 1.0f || projection_._11 == 0.0f || projection_._22 == 0.0f) return false;
  const D3DXVECTOR3 viewDir(((2.0f * px / width) - 1.0f) / projection_._11,
                            -((2.0f * py / height) - 1.0f) / projection_._22, -1.0f);
  D3DXMATRIX inverse;
  if (!D3DXMatrixInverse(&inverse, nullptr, &view_)) return false;
  const D3DXVECTOR3 zero(0.0f, 0.0f, 0.0f);
  D3DXVECTOR3 origin, direction;
  D3DXVec3TransformCoord(&origin, &zero, &inverse);
  D3DXVec3TransformNormal(&direction, &viewDir, &inverse);
  if (direction.z == 0.0f) return false;
  const float t = (planeZ - origin.z) / direction.z;
  if (outX) *outX = origin.x + t * direction.x;
  if (outY) *outY = origin.y + t * direction.y;
  return true;
}
