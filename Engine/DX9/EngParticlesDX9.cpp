// EngParticlesDX9.cpp - the shared particle vertex buffer and the drawing of
// a system's particles (see EngParticlesDX9.h).
#include "Engine/DX9/EngParticlesDX9.h"

#include <cstring>

#include "Engine/DX9/EngDeviceDX9.h"
#include "Engine/DX9/EngUtilsDX9.h"
#include "Engine/DX9/EngVertexBufferDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngParticles.h"
#include "Engine/EngTexture.h"
#include "Platform/D3DXMath.h"

namespace {

struct ParticleVertex {
  float x, y, z;
  D3DCOLOR colour;
  float u, v;
};
static_assert(sizeof(ParticleVertex) == 24);

constexpr DWORD kParticleFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// The shared buffer, alive from CreateGraphics to DestroyGraphics.
IDirect3DVertexBuffer9* g_buffer = nullptr;

// The four corners of a particle's quad in strip order with their texture
// coordinates. With the depth test kept on: left top, right top, left
// bottom, right bottom; otherwise left top, left bottom, right top, right
// bottom.
void Corners(const EngParticle& q, bool depthTest, ParticleVertex* out) {
  const float s = q.size * 0.5f, x = q.position[0], y = q.position[1], z = q.position[2];
  const ParticleVertex leftTop{x - s, y + s, z, 0, 1, 0}, rightTop{x + s, y + s, z, 0, 0, 0};
  const ParticleVertex leftBottom{x - s, y - s, z, 0, 1, 1}, rightBottom{x + s, y - s, z, 0, 0, 1};
  if (depthTest) {
    out[0] = leftTop, out[1] = rightTop, out[2] = leftBottom, out[3] = rightBottom;
  } else {
    out[0] = leftTop, out[1] = leftBottom, out[2] = rightTop, out[3] = rightBottom;
  }
}

// The corners turned about the particle's centre by its spin times its age.
void Spin(const EngParticle& q, ParticleVertex* corners) {
  D3DXMATRIX rotation;
  D3DXMatrixRotationYawPitchRoll(&rotation, q.spin[0] * q.age, q.spin[1] * q.age, q.spin[2] * q.age);
  for (int i = 0; i < 4; ++i) {
    D3DXVECTOR3 offset(corners[i].x - q.position[0], corners[i].y - q.position[1], corners[i].z - q.position[2]);
    D3DXVec3TransformCoord(&offset, &offset, &rotation);
    corners[i].x = q.position[0] + offset.x;
    corners[i].y = q.position[1] + offset.y;
    corners[i].z = q.position[2] + offset.z;
  }
}

// Every channel clamped to 0..1 before it is packed: a fade-in may climb
// past 1 and an end alpha may be negative.
D3DCOLOR ColourOf(const EngParticleSystemParams& p, const EngParticle& q) {
  const float a = q.displayedAlpha;
  if (p.blendingKind == 1) return EngVertexBufferDX9_MakeColour(q.colour[0] * a, q.colour[1] * a, q.colour[2] * a, a);
  if (p.colourMode) return EngVertexBufferDX9_MakeColour(q.colour[0], q.colour[1], q.colour[2], a);
  return EngVertexBufferDX9_MakeColour(1.0f, 1.0f, 1.0f, a);
}

}  // namespace

bool EngParticleSystemCreateGraphics_DX9() {
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  if (!device) return false;
  EngParticleSystemDestroyGraphics_DX9();
  const HRESULT hr = device->CreateVertexBuffer(4 * sizeof(ParticleVertex), D3DUSAGE_WRITEONLY, kParticleFvf,
                                                D3DPOOL_MANAGED, &g_buffer, nullptr);
  if (!EngUtilsDX9_CheckResult("EngParticleSystemCreateGraphics", "CreateVertexBuffer", hr)) {
    g_buffer = nullptr;
    return false;
  }
  return true;
}

void EngParticleSystemDestroyGraphics_DX9() {
  if (g_buffer) g_buffer->Release();
  g_buffer = nullptr;
}

void EngParticleSystemRender_DX9(EngParticleSystem* system) {
  const char* where = "EngParticleSystemRender";
  IDirect3DDevice9* device = EngDeviceDX9GetD3DDevice();
  if (!device || !system || !system->created) return;
  if (!g_buffer) {
    DebugError(where, "No vertex buffer - need to add EngParticleSystem[Create/Destroy]Graphics() calls.");
    return;
  }
  const EngParticleSystemParams& p = system->params;
  const bool textured = p.texture && p.texture->IsLoaded();
  if (textured) p.texture->SetAsDeviceTexture();
  for (int i = 0; i < system->maxParticles; ++i) {
    EngParticle& q = system->particles[i];
    q.displayedAlpha = q.fadingIn ? q.fadeInTime : q.alpha;
    q.white[3] = q.displayedAlpha;
    if (q.age <= -1.0f) continue;
    ParticleVertex corners[4];
    Corners(q, p.depthTest != 0, corners);
    if (p.spinOn) Spin(q, corners);
    const D3DCOLOR colour = ColourOf(p, q);
    for (ParticleVertex& c : corners) c.colour = colour;
    void* data = nullptr;
    if (!EngUtilsDX9_CheckResult(where, "Lock", g_buffer->Lock(0, 0, &data, D3DLOCK_DISCARD))) break;
    std::memcpy(data, corners, sizeof(corners));
    g_buffer->Unlock();
    if (!EngUtilsDX9_CheckResult(where, "SetFVF", device->SetFVF(kParticleFvf)) ||
        !EngUtilsDX9_CheckResult(where, "SetStreamSource", device->SetStreamSource(0, g_buffer, 0, sizeof(ParticleVertex))) ||
        !EngUtilsDX9_CheckResult(where, "DrawPrimitive", device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)))
      break;
  }
  if (textured) device->SetTexture(0, nullptr);
}
