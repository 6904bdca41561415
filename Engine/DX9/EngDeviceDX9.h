// EngDeviceDX9.h - the Direct3D 9 back end of the engine's graphics device.
//
// One object (made by EngDevice::Create, freed by EngDevice::Destroy) owns
// the device's life (Direct3D object, settings selection, creation, scenes,
// present, loss, teardown; EngDeviceDX9.cpp) and the engine's picture of the
// device state (viewport, clear colour, lighting, depth, culling, blending,
// filtering, texture-stage alpha, material, camera and matrix stacks, 2D
// mode; EngDeviceDX9State.cpp, EngDeviceDX9Matrices.cpp), kept beside the
// device so a state is only sent when it changes and is re-applied in one go
// after each creation. GPU synchronisation is in EngDeviceDX9Sync.cpp.
//
// The device is never reset in place: loss, resolution change and the
// window/full-screen toggle destroy the object and make a new one (the
// window's life cycle in Engine/EngWindow.cpp drives that).
//
// State: the object's fields (its life), the process-wide Direct3D object and
// device (set while a device exists), the device type and back-buffer format
// of the last creation, the blend-factor table, the GPU-sync objects.
#pragma once

#include <memory>

#include "Engine/DX9/DxutEnumeration.h"
#include "Platform/D3D9.h"
#include "Platform/D3DXMath.h"

class EngDevice;
struct EngColour;
struct EngMatrix;

// Engine blend factor 0-10 -> D3DBLEND code (ZERO, ONE, SRCCOLOR,
// INVSRCCOLOR, SRCALPHA, INVSRCALPHA, INVDESTCOLOR, INVDESTALPHA, DESTCOLOR,
// DESTALPHA, SRCALPHASAT).
extern DWORD g_engDeviceDX9BlendFactors[11];

class EngDeviceDX9 {
 public:
  // Takes the window handle from the owner's window; sets the render-state
  // defaults; no device yet.
  explicit EngDeviceDX9(EngDevice* owner);
  ~EngDeviceDX9();
  EngDeviceDX9(const EngDeviceDX9&) = delete;
  EngDeviceDX9& operator=(const EngDeviceDX9&) = delete;

  // ==== Life (EngDeviceDX9.cpp) ================================================
  // Creates the device for a mode and applies the default state. False
  // (reported, every partial object released) on failure.
  bool Create(int windowed, int width, int height, int bitDepth, int aaEntry);
  bool CreateDeviceForMode(int windowed, int width, int height, int bitDepth, int aaEntry);
  bool CreateD3DObject();
  bool DoChangeDevice(const DxutDeviceSettings& settings);
  bool Init3DEnvironment();
  void PrepareDevice();  // DXUTPrepareDevice
  // Releases the device once; a device released with live resources logs
  // "Graphics objects not released [%d]" with their count.
  void Cleanup3DEnvironment(bool freeSettings);
  void ReleaseAll();
  // GPU-sync objects, dimming, then ReleaseAll; not ready.
  void Destroy();

  // False without a device, while lost (asking for a re-creation once the
  // device can be reset), or when BeginScene fails. A scene already open is
  // reported ("Already rendering") and ended first.
  bool BeginRendering();
  // False when a scene was open already.
  bool BeginRenderingIfNotRendering();
  void EndRendering();
  bool IsRendering() const { return rendering_; }
  void SwapBuffers();
  // True when the device keeps its back buffer across presents (it was made
  // with D3DSWAPEFFECT_COPY and kept it): a frame may redraw and present a
  // part only.
  bool KeepsFrames() const;
  // Every draw and clear keeps to the rectangle (cut to the back buffer;
  // null: no limit).
  void LimitDrawingTo(const RECT* rect);
  // Presents the rectangle only (null: all); needs KeepsFrames for a part.
  void SwapBuffersPart(const RECT* rect);

  // Run-time loader stand-ins: always loaded here.
  static bool EnsureD3D9Loaded();
  static IDirect3D9* DynamicDirect3DCreate9(UINT sdkVersion);
  static void UnloadD3D9();

  const DxutDeviceSettings* GetSettings() const { return settings_.get(); }
  const D3DSURFACE_DESC& GetBackBufferDesc() const { return backBufferDesc_; }
  const D3DCAPS9& GetCaps() const { return caps_; }
  bool IsDeviceLost() const { return deviceLost_; }

  // ==== Render state (EngDeviceDX9State.cpp) ======================================
  void UpdateFullScreenViewport();
  void SetViewportFullScreen();
  void SetViewportToSize(int x, int y, int width, int height);
  // Virtual 640 x 480 rectangle.
  void SetViewportToRect(float x, float y, float width, float height);
  void SetViewportToViewportStruct(const D3DVIEWPORT9* viewport);
  void GetViewport(D3DVIEWPORT9* viewport) const;

  // Each channel clamped to 0..1, times 255, truncated.
  void SetClearColour(float red, float green, float blue);
  void SetClearColourFromRecord(const EngColour* colour);  // null: opaque black
  D3DCOLOR GetClearColour() const { return clearColour_; }
  void ClearScreenAndDepth();
  void ClearScreen();
  void ClearDepth();

  bool IsLightingOn() const { return lightingOn_; }
  void EnableLighting();
  void DisableLighting();
  bool DisableLightingIfOn();

  void EnableDepthTest(bool on);
  void SuspendDepthTest();
  void ResumeDepthTest();
  bool SuspendDepthTestIfOn();

  bool IsShowingTwoSidedPolygons() const { return twoSided_; }
  void ShowTwoSidedPolygons(bool on);

  // Type 0-17 ("Invalid Blending Type %d" otherwise).
  void EnableBlendingType(int type);
  void EnableBlendingFactors(int source, int destination);
  void DisableBlending();
  bool IsBlendingOn() const { return blendingOn_; }
  bool GetBlendingState(bool* on, int* source, int* destination) const;
  void SetBlendingState(bool on, int source, int destination);
  // One saved state: saving twice "Already saved", restoring unsaved
  // "Not saved" (false).
  bool SaveOrRestoreBlendingState(bool save);

  // Negative keeps the stored quality.
  void SetTextureQuality(int quality);
  void SetNoTexture();
  void EnableDiffuseAlphaModulation();
  void DisableDiffuseAlphaModulation();
  void EnableDiffuseAlphaModulationIfOff(bool* wasOff);
  void EnableSpecular(bool localViewer);
  void DisableSpecular();
  void SetMaterialToDefault();

  void SetDefaultDeviceState();

  // ==== Matrices, 2D, picking (EngDeviceDX9Matrices.cpp) ===========================
  // Field of view in degrees; refused (reported, old one kept) outside (0, 180).
  void SetPerspectiveFieldOfView(float degrees, bool apply);
  void SetPerspectiveAspect(float aspect, bool apply);
  // Equal planes are refused (reported, old ones kept).
  void SetPerspectiveNearFar(float nearPlane, float farPlane, bool apply);
  void SetProjectionMatrix(const EngMatrix* matrix);
  void SetProjectionMatrixToDxMatrix(const D3DXMATRIX* matrix);
  // Both points required; eye = target is refused (reported, old view kept).
  void SetViewLookAt(const D3DXVECTOR3* eye, const D3DXVECTOR3* target);
  void UpdateViewMatrix();
  void SetViewMatrix(const EngMatrix* matrix);
  void SetViewMatrixToDxMatrix(const D3DXMATRIX* matrix);
  void SetWorldMatrix(const EngMatrix* matrix);
  void SetWorldMatrixToDxMatrix(const D3DXMATRIX* matrix);
  void SetWorldMatrixToIdentity();
  void GetWorldMatrix(float* out16) const;
  void SetWorldTranslation(float x, float y, float z);
  void SetWorldTranslationAndScale(float x, float y, float z, float sx, float sy, float sz);
  void SetWorldPositionAndRotation(const D3DXVECTOR3* position, const D3DXVECTOR3* rotation);
  void SetWorldPositionRotationAndScale(const D3DXVECTOR3* position, const D3DXVECTOR3* rotation,
                                        const D3DXVECTOR3* scale);
  void SetWorldPositionRotationAndScaleFloats(float x, float y, float z, float rx, float ry, float rz, float sxz,
                                              float sy);
  static void BuildPositionRotationMatrix(D3DXMATRIX* out, const D3DXVECTOR3* position, const D3DXVECTOR3* rotation);
  const D3DXMATRIX& GetProjection() const { return projection_; }
  const D3DXMATRIX& GetView() const { return view_; }
  const D3DXMATRIX& GetWorld() const { return world_; }

  void PushAllMatrices();
  void PopAllMatrices();
  void PushTransformMatrix();
  void PopTransformMatrix();

  void PrepareFor2D(bool lightingOff);
  void RestoreAfter2D();
  bool PrepareFor2DIfNotPrepared(bool lightingOff);
  bool IsIn2DMode() const { return in2D_; }

  bool ScreenPointToPlaneZ(float screenX, float screenY, float planeZ, float* outX, float* outY) const;
  bool ScreenPointToPlaneZInViewport(const D3DVIEWPORT9* viewport, float screenX, float screenY, float planeZ,
                                     float* outX, float* outY) const;
  // The world-space ray through a screen pixel (origin, direction), false
  // when it cannot be built.
  bool GetPickRay(float screenX, float screenY, D3DXVECTOR3* origin, D3DXVECTOR3* direction) const;
  // The screen pixel a world point is seen at under the current view and
  // projection (the whole screen); false when it lies behind the eye or no
  // projection is set.
  bool WorldPointToScreen(const D3DXVECTOR3& point, float* screenX, float* screenY) const;

  // ==== GPU sync (EngDeviceDX9Sync.cpp) ===========================================
  void SyncWithGPU();
  bool DoSyncGpuWithCpu(int method, int cleanup);
  bool DoSyncGpuWithCpuUsingEvents(bool cleanup);
  bool DoSyncGpuWithCpuUsingLockedSurfaces(bool cleanup);

 private:
  void DoSetTransformMatrix(D3DTRANSFORMSTATETYPE state, const D3DXMATRIX& matrix);
  void ApplyProjection();
  void SetBlendFactorsInternal(int source, int destination);

  // ---- Life ----
  EngDevice* owner_;
  HWND window_ = nullptr;
  bool d3dReady_ = false;
  bool deviceLost_ = false;
  bool rendering_ = false;
  std::unique_ptr<DxutDeviceSettings> settings_;
  D3DSURFACE_DESC backBufferDesc_{};
  D3DCAPS9 caps_{};

  // ---- Render state (defaults set by the constructor) ----
  D3DVIEWPORT9 fullScreenViewport_{0, 0, 640, 480, 0.0f, 1.0f};
  RECT viewportRect_{0, 0, 640, 480};
  bool viewportIsFullScreen_ = true;
  D3DMATERIAL9 defaultMaterial_{};
  float fovDegrees_ = 45.0f;
  float fovRadians_ = 0.7853982f;
  float aspect_ = 1.0f;
  float inverseAspect_ = 1.0f;
  float nearPlane_ = 0.01f;
  float farPlane_ = 100.0f;
  bool depthTestWanted_ = true;
  bool specularOn_ = false;
  bool localViewer_ = true;
  bool diffuseAlphaModulation_ = false;
  int textureQuality_ = 1;
  bool in2D_ = false;
  bool lightingOn_ = true;
  bool depthTestOn_ = true;
  bool twoSided_ = false;
  D3DCOLOR clearColour_ = 0;
  bool blendingOn_ = false;
  int blendSource_ = -1;
  int blendDestination_ = -1;
  bool blendSaved_ = false;
  bool savedBlendOn_ = false;
  int savedBlendSource_ = -1;
  int savedBlendDestination_ = -1;
  D3DXMATRIX projection_, view_, world_, identity_;
  static constexpr int kStackDepth = 10;
  struct AllMatrices {
    D3DXMATRIX projection, view, world;
  };
  AllMatrices allStack_[kStackDepth];
  int allLevel_ = 0;
  D3DXMATRIX worldStack_[kStackDepth];
  int worldLevel_ = 0;
  bool lightingBefore2D_ = true;
};

// ---- Process-wide ----------------------------------------------------------------
// The Direct3D device (null while none exists).
IDirect3DDevice9* EngDeviceDX9GetD3DDevice();
// The one back-end object (null while none exists).
EngDeviceDX9* EngDeviceDX9GetCurrent();
// Forgets the renderer the log named, as at a fresh start.
void EngDeviceDX9ResetNotesForTests();
