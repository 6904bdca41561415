// EngDeviceDX9State.cpp - the render-state half of the device: viewports,
// clearing, lighting, depth, culling, blending, filtering, texture-stage
// alpha, specular, material, and the default state applied after every
// creation (see EngDeviceDX9.h).
//
// Render states are sent only when the cached flag says they change; the
// flags answer queries without touching the device. Every operation does
// nothing without a device unless said otherwise.
#include <algorithm>

#include "Engine/DX9/ComDxWin.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngLightsDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngColour.h"
#include "Engine/EngMath.h"
#include "Engine/EngWindow.h"
#include "Platform/Window.h"

namespace {

IDirect3DDevice9* Dev() { return EngDeviceDX9GetD3DDevice(); }

// The (source, destination) factors of the 18 blending types.
constexpr DWORD kBlendTypes[18][2] = {
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},    // 0
    {D3DBLEND_SRCALPHA, D3DBLEND_SRCALPHA},       // 1
    {D3DBLEND_SRCALPHA, D3DBLEND_DESTCOLOR},      // 2
    {D3DBLEND_ONE, D3DBLEND_SRCALPHA},            // 3
    {D3DBLEND_SRCCOLOR, D3DBLEND_SRCALPHA},       // 4
    {D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCCOLOR},    // 5
    {D3DBLEND_INVSRCCOLOR, D3DBLEND_INVSRCCOLOR}, // 6
    {D3DBLEND_ONE, D3DBLEND_INVSRCALPHA},         // 7
    {D3DBLEND_SRCALPHA, D3DBLEND_ONE},            // 8
    {D3DBLEND_SRCCOLOR, D3DBLEND_INVSRCALPHA},    // 9
    {D3DBLEND_ONE, D3DBLEND_ONE},                 // 10
    {D3DBLEND_INVSRCALPHA, D3DBLEND_ONE},         // 11
    {D3DBLEND_INVSRCCOLOR, D3DBLEND_ONE},         // 12
    {D3DBLEND_SRCCOLOR, D3DBLEND_ONE},            // 13
    {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},        // 14
    {D3DBLEND_INVSRCALPHA, D3DBLEND_SRCALPHA},    // 15
    {D3DBLEND_SRCCOLOR, D3DBLEND_ONE},            // 16
    {D3DBLEND_ONE, D3DBLEND_INVSRCCOLOR},         // 17
};

// True in windowed mode with a system window; the client rectangle then.
bool WindowedClient(RECT* client) {
  EngWindow* window = EngWindowGetCurrent();
  if (!EngWindowGetScreenMode().windowed || !window || !window->Win().handle) return false;
  return GetClientRect(window->Win().handle, client) != FALSE;
}

}  // namespace

// ---- Viewports -----------------------------------------------------------------------

void EngDeviceDX9::UpdateFullScreenViewport() {
  const EngScreenMode& mode = EngWindowGetScreenMode();
  RECT client;
  if (WindowedClient(&client)) {
    fullScreenViewport_ = {static_cast<DWORD>(client.left), static_cast<DWORD>(client.top),
                           static_cast<DWORD>(client.right - client.left), static_cast<DWORD>(client.bottom - client.top),
                           0.0f, 1.0f};
  } else if (EngWindowGetCurrent()) {
    fullScreenViewport_ = {0, 0, static_cast<DWORD>(mode.width), static_cast<DWORD>(mode.height), 0.0f, 1.0f};
  } else {
    fullScreenViewport_ = {0, 0, 640, 480, 0.0f, 1.0f};
  }
}

void EngDeviceDX9::SetViewportFullScreen() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetViewportFullScreen", "SetViewport", Dev()->SetViewport(&fullScreenViewport_));
  viewportRect_ = {static_cast<LONG>(fullScreenViewport_.X), static_cast<LONG>(fullScreenViewport_.Y),
                   static_cast<LONG>(fullScreenViewport_.X + fullScreenViewport_.Width),
                   static_cast<LONG>(fullScreenViewport_.Y + fullScreenViewport_.Height)};
  viewportIsFullScreen_ = true;
}

void EngDeviceDX9::SetViewportToSize(int x, int y, int width, int height) {
  if (!Dev()) return;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  RECT client;
  if (WindowedClient(&client) && mode.width >= 1 && mode.height >= 1) {
    x += client.left;
    y += client.top;
    width = static_cast<int>(static_cast<long long>(width) * (client.right - client.left) / mode.width);
    height = static_cast<int>(static_cast<long long>(height) * (client.bottom - client.top) / mode.height);
  }
  const D3DVIEWPORT9 vp{static_cast<DWORD>(std::max(x, 0)), static_cast<DWORD>(std::max(y, 0)),
                        static_cast<DWORD>(std::max(width, 0)), static_cast<DWORD>(std::max(height, 0)), 0.0f, 1.0f};
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetViewportToSize", "SetViewport", Dev()->SetViewport(&vp));
  viewportRect_ = {x, y, x + width, y + height};
  viewportIsFullScreen_ = false;
}

void EngDeviceDX9::SetViewportToRect(float x, float y, float width, float height) {
  if (!Dev()) return;
  const EngScreenMode& mode = EngWindowGetScreenMode();
  SetViewportToSize(EngMathRound(x * mode.xScale), EngMathRound(y * mode.yScale), EngMathRound(width * mode.xScale),
                    EngMathRound(height * mode.yScale));
}

void EngDeviceDX9::SetViewportToViewportStruct(const D3DVIEWPORT9* viewport) {
  if (!Dev() || !viewport) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetViewportToViewportStruct", "SetViewport", Dev()->SetViewport(viewport));
  viewportRect_ = {static_cast<LONG>(viewport->X), static_cast<LONG>(viewport->Y),
                   static_cast<LONG>(viewport->X + viewport->Width), static_cast<LONG>(viewport->Y + viewport->Height)};
  viewportIsFullScreen_ = false;
}

void EngDeviceDX9::GetViewport(D3DVIEWPORT9* viewport) const {
  if (!viewport) return;
  if (viewportIsFullScreen_) {
    *viewport = fullScreenViewport_;
    return;
  }
  *viewport = {static_cast<DWORD>(viewportRect_.left), static_cast<DWORD>(viewportRect_.top),
               static_cast<DWORD>(viewportRect_.right - viewportRect_.left),
               static_cast<DWORD>(viewportRect_.bottom - viewportRect_.top), 0.0f, 1.0f};
}

// ---- Clearing --------------------------------------------------------------------------

void EngDeviceDX9::SetClearColour(float red, float green, float blue) {
  clearColour_ = EngVertexBufferDX9_MakeColour(red, green, blue, 1.0f);
}

void EngDeviceDX9::SetClearColourFromRecord(const EngColour* colour) {
  if (!colour) {
    clearColour_ = 0xFF000000u;
    return;
  }
  SetClearColour(colour->r, colour->g, colour->b);
}

void EngDeviceDX9::ClearScreenAndDepth() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::ClearScreenAndDepth", "Clear",
                          Dev()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, clearColour_, 1.0f, 0));
}

void EngDeviceDX9::ClearScreen() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::ClearScreen", "Clear",
                          Dev()->Clear(0, nullptr, D3DCLEAR_TARGET, clearColour_, 1.0f, 0));
}

void EngDeviceDX9::ClearDepth() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::ClearDepth", "Clear", Dev()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0));
}

// ---- Lighting and depth ------------------------------------------------------------------

void EngDeviceDX9::EnableLighting() {
  if (!Dev() || lightingOn_) return;
  Dev()->SetRenderState(D3DRS_LIGHTING, TRUE);
  lightingOn_ = true;
}

void EngDeviceDX9::DisableLighting() {
  if (!Dev() || !lightingOn_) return;
  Dev()->SetRenderState(D3DRS_LIGHTING, FALSE);
  lightingOn_ = false;
}

bool EngDeviceDX9::DisableLightingIfOn() {
  if (!Dev() || !lightingOn_) return false;
  DisableLighting();
  return true;
}

void EngDeviceDX9::EnableDepthTest(bool on) {
  if (!Dev()) return;
  Dev()->SetRenderState(D3DRS_ZENABLE, on ? D3DZB_TRUE : D3DZB_FALSE);
  depthTestWanted_ = on;
  depthTestOn_ = on;
}

void EngDeviceDX9::SuspendDepthTest() {
  if (!Dev() || !depthTestWanted_ || !depthTestOn_) return;
  Dev()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
  depthTestOn_ = false;
}

void EngDeviceDX9::ResumeDepthTest() {
  if (!Dev() || !depthTestWanted_ || depthTestOn_) return;
  Dev()->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
  depthTestOn_ = true;
}

bool EngDeviceDX9::SuspendDepthTestIfOn() {
  if (!Dev() || !depthTestWanted_ || !depthTestOn_) return false;
  SuspendDepthTest();
  return true;
}

void EngDeviceDX9::ShowTwoSidedPolygons(bool on) {
  if (!Dev()) return;
  if (on == twoSided_) {
    DebugError("EngDeviceDX9::ShowTwoSidedPolygons", "Flag already set to %d", on ? 1 : 0);
    return;
  }
  Dev()->SetRenderState(D3DRS_CULLMODE, on ? D3DCULL_NONE : D3DCULL_CCW);
  twoSided_ = on;
}

// ---- Blending ---------------------------------------------------------------------------

void EngDeviceDX9::EnableBlendingType(int type) {
  if (!Dev()) return;
  if (type < 0 || type > 17) {
    DebugError("EngDeviceDX9::EnableBlendingType", "Invalid Blending Type %d", type);
    return;
  }
  EnableBlendingFactors(static_cast<int>(kBlendTypes[type][0]), static_cast<int>(kBlendTypes[type][1]));
}

void EngDeviceDX9::EnableBlendingFactors(int source, int destination) {
  if (!Dev()) return;
  if (source != blendSource_) Dev()->SetRenderState(D3DRS_SRCBLEND, static_cast<DWORD>(source));
  if (destination != blendDestination_) Dev()->SetRenderState(D3DRS_DESTBLEND, static_cast<DWORD>(destination));
  blendSource_ = source;
  blendDestination_ = destination;
  if (!blendingOn_) {
    Dev()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    blendingOn_ = true;
  }
}

void EngDeviceDX9::DisableBlending() {
  if (!Dev() || !blendingOn_) return;
  Dev()->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  blendingOn_ = false;
}

bool EngDeviceDX9::GetBlendingState(bool* on, int* source, int* destination) const {
  if (on) *on = blendingOn_;
  if (source) *source = blendSource_;
  if (destination) *destination = blendDestination_;
  return blendingOn_;
}

void EngDeviceDX9::SetBlendingState(bool on, int source, int destination) {
  if (on)
    EnableBlendingFactors(source, destination);
  else
    DisableBlending();
}

bool EngDeviceDX9::SaveOrRestoreBlendingState(bool save) {
  const char* where = "EngDeviceDX9::SaveOrRestoreBlendingState";
  if (save) {
    if (blendSaved_) {
      DebugError(where, "Already saved");
      return false;
    }
    GetBlendingState(&savedBlendOn_, &savedBlendSource_, &savedBlendDestination_);
    blendSaved_ = true;
    return true;
  }
  if (!blendSaved_) {
    DebugError(where, "Not saved");
    return false;
  }
  blendSaved_ = false;
  SetBlendingState(savedBlendOn_, savedBlendSource_, savedBlendDestination_);
  return true;
}

// ---- Textures, specular, material ---------------------------------------------------------

void EngDeviceDX9::SetTextureQuality(int quality) {
  if (quality >= 0) textureQuality_ = quality;
  if (!Dev()) return;
  const DWORD filter = textureQuality_ ? D3DTEXF_LINEAR : D3DTEXF_POINT;
  Dev()->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetTextureQuality", "SetSamplerState",
                          Dev()->SetSamplerState(0, D3DSAMP_MINFILTER, filter));
}

void EngDeviceDX9::SetNoTexture() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetNoTexture", "SetTexture", Dev()->SetTexture(0, nullptr));
}

void EngDeviceDX9::EnableDiffuseAlphaModulation() {
  if (!Dev()) return;
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
  Dev()->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  diffuseAlphaModulation_ = true;
}

void EngDeviceDX9::DisableDiffuseAlphaModulation() {
  if (!Dev()) return;
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_BLENDTEXTUREALPHA);
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
  Dev()->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TEXTURE);
  Dev()->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
  diffuseAlphaModulation_ = false;
}

void EngDeviceDX9::EnableDiffuseAlphaModulationIfOff(bool* wasOff) {
  const bool off = !diffuseAlphaModulation_;
  if (wasOff) *wasOff = off;
  if (off) EnableDiffuseAlphaModulation();
}

void EngDeviceDX9::EnableSpecular(bool localViewer) {
  if (!Dev()) return;
  Dev()->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
  Dev()->SetRenderState(D3DRS_LOCALVIEWER, localViewer ? TRUE : FALSE);
  specularOn_ = true;
  localViewer_ = localViewer;
}

void EngDeviceDX9::DisableSpecular() {
  if (!Dev()) return;
  Dev()->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
  Dev()->SetRenderState(D3DRS_LOCALVIEWER, TRUE);
  specularOn_ = false;
}

void EngDeviceDX9::SetMaterialToDefault() {
  if (!Dev()) return;
  EngUtilsDX9_CheckResult("EngDeviceDX9::SetMaterialToDefault", "SetMaterial", Dev()->SetMaterial(&defaultMaterial_));
}

// ---- Default state after each creation --------------------------------------------------------

void EngDeviceDX9::SetDefaultDeviceState() {
  // 1. Flags and the default material.
  defaultMaterial_ = {};
  defaultMaterial_.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
  defaultMaterial_.Ambient = {1.0f, 1.0f, 1.0f, 1.0f};
  in2D_ = false;
  twoSided_ = false;
  rendering_ = false;
  allLevel_ = 0;
  worldLevel_ = 0;
  lightingOn_ = true;
  depthTestOn_ = true;
  viewportIsFullScreen_ = true;
  D3DXMatrixIdentity(&identity_);
  if (!Dev()) return;
  // 2. View and projection.
  D3DXMatrixIdentity(&view_);
  DoSetTransformMatrix(D3DTS_VIEW, view_);
  ApplyProjection();
  DoSetTransformMatrix(D3DTS_WORLD, world_);
  // 3. Material, no texture, filtering.
  SetMaterialToDefault();
  SetNoTexture();
  SetTextureQuality(-1);
  // 4. Lighting: the device's own default (on) stands.
  EnableLighting();
  // 5. Viewport record and depth test.
  UpdateFullScreenViewport();
  EnableDepthTest(depthTestWanted_);
  // 6. Specular.
  if (specularOn_)
    EnableSpecular(localViewer_);
  else
    DisableSpecular();
  // 7. Diffuse-alpha modulation.
  if (diffuseAlphaModulation_)
    EnableDiffuseAlphaModulation();
  else
    DisableDiffuseAlphaModulation();
  // 8. Blending: sent again in full.
  if (blendingOn_) {
    const int source = blendSource_, destination = blendDestination_;
    blendSource_ = blendDestination_ = -1;
    blendingOn_ = false;
    EnableBlendingFactors(source, destination);
  } else {
    blendingOn_ = true;
    DisableBlending();
    blendSource_ = blendDestination_ = -1;
  }
  // 9. The player's lights: a new device starts without them.
  EngLightsSetupLights_DX9();
}
