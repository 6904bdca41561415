// EngParticlesRender.cpp - drawing a particle system: the render state
// around it (depth test, lighting, two-sided quads, the blending kind) and
// the shared vertex buffer's life, forwarded to the Direct3D 9 side
// (Engine/DX9/EngParticlesDX9.h) while the main device type is 1; and the
// square the live particles are drawn in.
#include <algorithm>

#include "Engine/DX9/EngParticlesDX9.h"
#include "Engine/EngDevice.h"
#include "Engine/EngParticles.h"
#include "Engine/EngProgram.h"
#include "Platform/D3D9Types.h"

namespace {

bool Direct3D() { return EngProgramGetMainDeviceType() == 1; }

// (source, destination) factors of the blending kinds 0-5.
constexpr DWORD kBlendingKinds[6][2] = {
    {D3DBLEND_SRCALPHA, D3DBLEND_ONE},         {D3DBLEND_DESTCOLOR, D3DBLEND_ONE},
    {D3DBLEND_INVDESTCOLOR, D3DBLEND_SRCCOLOR}, {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}, {D3DBLEND_SRCALPHASAT, D3DBLEND_INVSRCALPHA},
};

// A kind outside the table, passed on as a blending type the device refuses.
constexpr int kRefusedBlendingType = 99;

}  // namespace

void EngParticleSystemRender(EngParticleSystem* system) {
  EngDevice* device = EngDeviceGetCurrent();
  if (!device || !system || !system->created) return;
  const EngParticleSystemParams& p = system->params;

  // 1-2. State.
  const bool depthSuspended = !p.depthTest && device->SuspendDepthTestIfOn();
  const bool lightingSwitchedOff = device->DisableLightingIfOn();
  const bool twoSidedBefore = device->IsShowingTwoSidedPolygons();
  const bool twoSided = p.twoSided != 0;
  if (twoSided != twoSidedBefore) device->ShowTwoSidedPolygons(twoSided);
  if (p.blendingKind < 6)
    device->EnableBlendingFactors(static_cast<int>(kBlendingKinds[p.blendingKind][0]),
                                  static_cast<int>(kBlendingKinds[p.blendingKind][1]));
  else
    device->EnableBlendingType(kRefusedBlendingType);

  // 3. Draw.
  if (Direct3D()) EngParticleSystemRender_DX9(system);

  // 4. Restore.
  if (twoSided != twoSidedBefore) device->ShowTwoSidedPolygons(twoSidedBefore);
  device->DisableBlending();
  if (depthSuspended) device->ResumeDepthTest();
  if (lightingSwitchedOff) device->EnableLighting();
}

bool EngParticleSystemBounds(const EngParticleSystem* system, float* left, float* bottom, float* right, float* top) {
  if (!system || !system->created || !system->particles) return false;
  // A quad is its size across about the particle; a spinning one turns
  // within the circle through its corners.
  const float reach = system->params.spinOn ? 0.7072f : 0.5f;
  bool any = false;
  for (int i = 0; i < system->maxParticles; ++i) {
    const EngParticle& q = system->particles[i];
    if (q.age <= -1.0f) continue;
    const float r = q.size * reach;
    const float l = q.position[0] - r, b = q.position[1] - r, rt = q.position[0] + r, t = q.position[1] + r;
    *left = any ? std::min(*left, l) : l;
    *bottom = any ? std::min(*bottom, b) : b;
    *right = any ? std::max(*right, rt) : rt;
    *top = any ? std::max(*top, t) : t;
    any = true;
  }
  return any;
}

bool EngParticleSystemCreateGraphics() {
  if (!Direct3D()) return true;
  return EngParticleSystemCreateGraphics_DX9();
}

void EngParticleSystemDestroyGraphics() {
  if (Direct3D()) EngParticleSystemDestroyGraphics_DX9();
}
