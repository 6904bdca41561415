// EngDevice.h - the engine's graphics device as the platform-neutral code
// sees it, and the screen dimming.
//
// Every operation tests the main device type (1 = Direct3D 9, the only one)
// and forwards to the back-end object (Engine/DX9/EngDeviceDX9.h) while it
// exists; otherwise it does nothing and answers false, 0 or an empty result.
// The back-end object is made by Create and freed by Destroy.
//
// State: the created flag and the owning window of each EngDevice; the
// current-device pointer (set by a successful Create, cleared by Destroy).
#pragma once

#include "Engine/EngFrames.h"
#include "Platform/D3D9Types.h"

class EngWindow;
class EngDeviceDX9;
struct EngColour;
struct EngMatrix;

// The device's world-to-screen mapping at one moment (view x projection,
// and the viewport in back-buffer pixels), kept by whoever must tell later
// where something will be drawn. Not valid until filled.
struct EngDeviceProjection {
  float viewProjection[16] = {};
  int x = 0, y = 0, width = 0, height = 0;
  bool valid = false;
};

// The back-buffer pixels a quad covers: the quad lies in its own x-y plane,
// halfWidth and halfHeight about its origin, drawn with the world matrix
// under the projection; grown by margin pixels. False when the projection
// is not valid or a corner lies behind the eye.
bool EngDeviceScreenAreaOfQuad(const EngDeviceProjection& projection, const EngMatrix* world,
                               float halfWidth, float halfHeight, int margin, EngFramesArea* area);

class EngDevice {
 public:
  explicit EngDevice(EngWindow* window) : window_(window) {}
  ~EngDevice() { Destroy(); }
  EngDevice(const EngDevice&) = delete;
  EngDevice& operator=(const EngDevice&) = delete;

  // Clears the current-device pointer; false unless the main device type is
  // 1; makes the back-end object and creates the device; on success sets the
  // created flag and becomes the current device. On failure no back-end
  // object is left.
  bool Create(int windowed, int width, int height, int bitDepth, int aaEntry);
  // Destroys and frees the back-end object; clears the created flag and the
  // current-device pointer.
  void Destroy();
  bool IsCreated() const { return created_; }
  EngWindow* GetWindow() const { return window_; }
  EngDeviceDX9* GetBackEnd() const { return backEnd_; }

  // ---- Forwarders (see EngDeviceDX9.h for each) ----
  void UpdateFullScreenViewport();
  void SyncWithGPU();
  void SetViewportFullScreen();
  void SetViewportToViewportStruct(const D3DVIEWPORT9* viewport);
  void SetViewportToRect(float x, float y, float width, float height);
  void GetViewport(D3DVIEWPORT9* viewport);
  void SetPerspectiveFieldOfView(float degrees, bool apply);
  void SetPerspectiveAspect(float aspect, bool apply);
  void SetPerspectiveNearFar(float nearPlane, float farPlane, bool apply);
  void SetClearColourFromRecord(const EngColour* colour);
  void SetClearColour(float red, float green, float blue);
  void ClearScreenAndDepth();
  void ClearScreen();
  void ClearDepth();
  bool IsLightingOn();
  void EnableLighting();
  void DisableLighting();
  bool DisableLightingIfOn();
  void EnableDepthTest(bool on);
  void ResumeDepthTest();
  void SuspendDepthTest();
  bool SuspendDepthTestIfOn();
  void EnableBlendingType(int type);
  void EnableBlendingFactors(int source, int destination);
  void DisableBlending();
  bool GetBlendingState(bool* on, int* source, int* destination);
  void SetBlendingState(bool on, int source, int destination);
  bool SaveOrRestoreBlendingState(bool save);
  void PrepareFor2D(bool lightingOff);
  void RestoreAfter2D();
  bool IsIn2DMode();
  bool PrepareFor2DIfNotPrepared(bool lightingOff);
  bool PrepareFor2DIfNeeded(bool lightingOff);
  void PushTransformMatrix();
  void PopTransformMatrix();
  bool BeginRendering();
  void EndRendering();
  bool BeginRenderingIfNotRendering();
  // The world-space ray under a screen pixel: origin and direction, 3 floats
  // each.
  bool GetPickRay(float screenX, float screenY, float* origin3, float* direction3);
  // World x, y where the ray under a screen pixel meets the plane z.
  bool ScreenPointToPlaneZ(float screenX, float screenY, float planeZ, float* x, float* y);
  // The other way: the screen pixel where the world point (x, y, z) is
  // seen; false behind the eye or without a projection.
  bool WorldPointToScreen(float x, float y, float z, float* screenX, float* screenY);
  void SwapBuffers();
  // The mapping the device draws with now; false without a device.
  bool GetProjection(EngDeviceProjection* projection);
  // True when the device keeps its frame between presents, so that a frame
  // may redraw and present one area only (EngFrames.h).
  bool KeepsFrames();
  // Every draw and clear keeps to the area (cut to the back buffer); null
  // lifts the limit.
  void LimitDrawingTo(const EngFramesArea* area);
  // Presents the area only (null, or a device that does not keep its frame:
  // all of it).
  void SwapBuffersArea(const EngFramesArea* area);
  void SetWorldMatrixToIdentity();
  void SetWorldTranslation(float x, float y, float z);
  void SetWorldTranslationAndScale(float x, float y, float z, float sx, float sy, float sz);
  void SetWorldPositionRotationAndScaleFloats(float x, float y, float z, float rx, float ry, float rz, float sxz,
                                              float sy);
  // Vectors of 3 floats, each optional.
  void SetWorldPositionAndRotation(const float* position3, const float* rotation3);
  void SetWorldPositionRotationAndScale(const float* position3, const float* rotation3, const float* scale3);
  void SetWorldMatrix(const EngMatrix* matrix);
  void SetViewLookAt(const float* eye3, const float* target3);
  bool IsShowingTwoSidedPolygons();
  void ShowTwoSidedPolygons(bool on);

 private:
  EngDeviceDX9* Back() const;

  EngWindow* window_;
  EngDeviceDX9* backEnd_ = nullptr;
  bool created_ = false;
};

// The current device (null while none is created).
EngDevice* EngDeviceGetCurrent();

// Screen dimming: a black quad over the whole screen with the darkness (0..1,
// clamped) as alpha. Only while a device exists.
void EngDimDraw(float darkness);
void EngDimDestroy();
