// EngParticles.cpp - particle systems: creation, release, the update with
// its emission, and each particle's start and motion (see EngParticles.h;
// drawing is in EngParticlesRender.cpp).
#include "Engine/EngParticles.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "Engine/Debug.h"
#include "Engine/EngMisc.h"
#include "Platform/D3DXMath.h"

namespace {

constexpr float kTwoPi = 6.2831855f;
constexpr float kDegreesToRadians = 0.01745329238474369f;
constexpr int kMaxSpreadEntryReports = 3;

// Reports of "No spread entries" in this run.
int g_spreadEntryReports = 0;

float E(float maximum) { return EngMiscRandFloat(maximum, false); }
float R(float minimum, float maximum, bool randomSign = false) {
  return EngMiscRandFloatInRange(minimum, maximum, randomSign);
}

void RandomOrZero(bool inUse, const EngMathRange& range, float* out3) {
  if (inUse) {
    EngMathRandVectorInRange(out3, &range);
  } else {
    out3[0] = out3[1] = out3[2] = 0.0f;
  }
}

float WobbleOf(std::uint8_t function, float angle) {
  switch (function) {
    case kEngWobbleSin: return std::sin(angle);
    case kEngWobbleCos: return std::cos(angle);
    case kEngWobbleTan: return std::tan(angle);
    case kEngWobbleSinSquared: return std::sin(angle) * std::sin(angle);
    case kEngWobbleMinusSinSquared: return -std::sin(angle) * std::sin(angle);
    default: return 0.0f;
  }
}

// v turned by the yaw-pitch-roll rotation of (yaw, pitch, roll) x dt; as a
// point (position) or a direction.
void Turn(float* v3, const float* speeds3, float dt, bool point) {
  D3DXMATRIX rotation;
  D3DXMatrixRotationYawPitchRoll(&rotation, speeds3[0] * dt, speeds3[1] * dt, speeds3[2] * dt);
  D3DXVECTOR3 v(v3[0], v3[1], v3[2]);
  if (point)
    D3DXVec3TransformCoord(&v, &v, &rotation);
  else
    D3DXVec3TransformNormal(&v, &v, &rotation);
  v3[0] = v.x;
  v3[1] = v.y;
  v3[2] = v.z;
}

// The start colour (or end colour) of a channel.
float ColourChannel(bool isRange, float low, float high, float extra) {
  const float base = isRange ? R(std::min(low, high), std::max(low, high)) : low;
  return base + E(extra);
}

// Offset of the emission shape, added to position.
void ShapeOffset(const EngParticleSystemParams& p, float* position) {
  const float m = p.shapeMin, M = p.shapeMax, f = p.spreadFactor;
  switch (p.shape) {
    case 0:
      for (int k = 0; k < 3; ++k) position[k] += R(m, M) / f;
      break;
    case 1:
    case 2: {
      const float a = E(kTwoPi);
      const float r = p.shape == 1 ? E((M - m) / f) : (M - m) / f;
      position[0] += std::cos(a) * r;
      position[1] += std::sin(a) * r;
      break;
    }
    case 3: {
      const int side = std::min(3, static_cast<int>(E(4.0f)));
      const float along = R(m, M) / f;
      if (side == 0) position[0] += m / f, position[1] += along;
      if (side == 1) position[0] += M / f, position[1] += along;
      if (side == 2) position[0] += along, position[1] += m / f;
      if (side == 3) position[0] += along, position[1] += M / f;
      break;
    }
    case 4: position[0] += R(m, M, true) / f; break;
    case 5: position[1] += R(m, M, true) / f; break;
    case 6: {
      const float d = R(m, M, true) / f;
      position[0] += d;
      position[2] += d;
      break;
    }
    case 7: {
      const float d = R(m, M, true) / f;
      position[1] += d;
      position[2] += d;
      break;
    }
    case 8: {
      if (p.spreadEntryCount < 2 || !p.spreadEntries || p.spreadExtentX < 1 || p.spreadExtentY < 1) {
        if (g_spreadEntryReports < kMaxSpreadEntryReports) {
          ++g_spreadEntryReports;
          DebugError("EngParticlesCreate", "No spread entries");
        }
        break;
      }
      const int e = std::min(p.spreadEntryCount - 1, static_cast<int>(E(static_cast<float>(p.spreadEntryCount))));
      const float x = static_cast<float>(p.spreadEntries[e * 2] - p.spreadOriginX) / static_cast<float>(p.spreadExtentX);
      const float y = static_cast<float>(p.spreadEntries[e * 2 + 1] - p.spreadOriginY) / static_cast<float>(p.spreadExtentY);
      position[0] += (x * (M - m) + m) / f;
      position[1] += (y * (M - m) + m) / f;
      break;
    }
    default: break;
  }
}

}  // namespace

// ---- Systems -----------------------------------------------------------------------------

bool EngParticleSystemCreate(int maxParticles, const EngParticleSystemParams* params, bool replace,
                             EngParticleSystem* system) {
  const char* where = "EngParticleSystemCreate";
  if (!system || !params) {
    DebugError(where, "No system or no parameters");
    return false;
  }
  if (maxParticles < 1) {
    DebugError(where, "Bad num max particles [%d]", maxParticles);
    return false;
  }
  if (system->created) {
    if (!replace) {
      DebugError(where, "System already created");
      return false;
    }
    EngParticleSystemRelease(system);
  }
  *system = EngParticleSystem{};
  system->params = *params;
  system->maxParticles = maxParticles;
  for (int k = 0; k < 3; ++k) system->previousEmitter[k] = params->emitter[k];
  system->particles = new (std::nothrow) EngParticle[static_cast<std::size_t>(maxParticles)];
  if (!system->particles) {
    DebugError(where, "No memory for particles");
    *system = EngParticleSystem{};
    return false;
  }
  system->created = true;
  EngParticlesInit(system);
  // The in-use flags follow from the ranges.
  EngParticleSystemParams& p = system->params;
  p.speedScaleOn = EngMathIsRangeSet(&p.speedScale);
  p.accelerationOn = EngMathIsRangeSet(&p.acceleration);
  p.orbitOn = EngMathIsRangeSet(&p.orbit);
  p.spinOn = EngMathIsRangeSet(&p.spin);
  p.turningOn = EngMathIsRangeSet(&p.turning);
  p.wobbleOn = p.wobbleFunction[0] > 0 || p.wobbleFunction[1] > 0 || p.wobbleFunction[2] > 0;
  return true;
}

void EngParticleSystemRelease(EngParticleSystem* system) {
  if (!system) return;
  if (!system->created && system->particles) DebugError("EngParticleSystemRelease", "EngParticles exist, but not created");
  delete[] system->particles;
  *system = EngParticleSystem{};
}

void EngParticlesInit(EngParticleSystem* system) {
  if (!system || !system->created) {
    DebugError("EngParticlesInit", "System not ok");
    return;
  }
  for (int i = 0; i < system->maxParticles; ++i) {
    system->particles[i] = EngParticle{};
    system->particles[i].age = -1.0f;
  }
}

int EngParticleSystemUpdate(EngParticleSystem* system, float now, bool first) {
  if (!system || !system->created || !system->particles) return -1;
  EngParticleSystemParams& p = system->params;
  const float dt = now - system->lastUpdateTime;

  // Wobble angles turn, kept within one turn.
  for (int k = 0; k < 3; ++k) {
    if (p.wobbleFunction[k] == 0) continue;
    float& angle = p.wobbleAngle[k];
    angle += p.wobbleSpeed[k] * dt;
    if (angle > kTwoPi) angle -= kTwoPi;
    if (angle < 0.0f) angle += kTwoPi;
  }

  if (!first) {
    if (p.emissionMode == kEngParticlesFirstEmission || p.emissionMode == kEngParticlesUpdateAndEmit) {
      system->lastUpdateTime = now;
      int alive = 0;
      for (int i = 0; i < system->maxParticles; ++i) {
        EngParticle& particle = system->particles[i];
        if (particle.age > -1.0f && EngParticlesUpdate(system, &particle, dt)) ++alive;
      }
      system->liveCount = alive;
      if (alive == 0) return 0;
    }
    if (p.emissionMode != kEngParticlesEmitOnly && p.emissionMode != kEngParticlesUpdateAndEmit) return 1;
  }

  // Emission.
  if (system->lastEmissionTime > 0.0f && now - system->lastEmissionTime < p.minEmissionInterval) return 1;
  system->lastEmissionTime = now;
  float amount = static_cast<float>(p.emissionRate) * dt + system->emissionRemainder +
                 static_cast<float>(first ? p.firstEmission : p.laterEmission);
  amount = std::min(amount, static_cast<float>(system->maxParticles));
  const int n = static_cast<int>(amount);
  if (system->emissionSuspended) {
    system->emissionRemainder = amount;
  } else {
    system->emissionRemainder = amount - static_cast<float>(n);
    if (n != 0) {
      int started = 0;
      for (int i = 0; i < system->maxParticles && started < n; ++i) {
        EngParticle& particle = system->particles[i];
        if (particle.age > -1.0f) continue;
        if (EngParticlesCreate(system, dt, &particle)) ++started;
      }
      system->liveCount += started;
      return 1;
    }
  }
  for (int k = 0; k < 3; ++k) system->previousEmitter[k] = p.emitter[k];
  return 1;
}

void EngParticlesResetReportsForTests() { g_spreadEntryReports = 0; }

// ---- Particles ----------------------------------------------------------------------------

bool EngParticlesCreate(EngParticleSystem* system, float dt, EngParticle* particle) {
  const char* where = "EngParticlesCreate";
  if (!particle) {
    DebugError(where, "No EngParticle");
    return false;
  }
  if (!system || !system->created) {
    DebugError(where, "Bad Parent");
    return false;
  }
  EngParticleSystemParams& p = system->params;
  if (!(p.spreadFactor > 0.0f)) {
    DebugError(where, "Parent spread factor <= 0");
    return false;
  }
  if (!(dt > 0.0f)) {
    DebugError(where, "time counter<= 0");
    return false;
  }
  EngParticle& q = *particle;
  q = EngParticle{};

  // 1. Age and life.
  q.age = 0.0f;
  p.lastBaseLife = R(p.lifeMin, p.lifeMax);
  q.life = E(system->lifeExtra) + p.lastBaseLife;
  q.life = q.life > 0.0f ? std::clamp(q.life, 0.001f, 10000.0f) : 0.01f;

  // 2. The motions of the ranges in use.
  RandomOrZero(p.accelerationOn, p.acceleration, q.acceleration);
  RandomOrZero(p.speedScaleOn, p.speedScale, q.speedScale);
  RandomOrZero(p.orbitOn, p.orbit, q.orbit);
  RandomOrZero(p.turningOn, p.turning, q.turning);
  RandomOrZero(p.spinOn, p.spin, q.spin);

  // 3. Colours.
  const float colourExtra[3] = {system->redExtra, system->greenExtra, system->blueExtra};
  q.displayedAlpha = 1.0f;
  for (float& w : q.white) w = 1.0f;
  for (int k = 0; k < 3; ++k) {
    const float start = std::clamp(
        ColourChannel(p.startColourIsRange != 0, p.startColour[k], p.startColourMax[k], colourExtra[k]), 0.0f, 1.0f);
    const float end = std::clamp(
        ColourChannel(p.endColourIsRange != 0, p.endColour[k], p.endColourMax[k], colourExtra[k]), 0.0f, 1.0f);
    q.colour[k] = start;
    q.colourChange[k] = (end - start) / q.life;
  }

  // 4. Alpha and size.
  q.alpha = std::clamp(E(system->alphaExtra) + p.startAlpha, 0.0f, 1.0f);
  q.alphaChange = (p.endAlpha - q.alpha) / q.life;
  q.size = std::clamp(E(system->sizeExtra) + p.startSize, 0.0001f, 10000.0f);
  q.sizeChange = (p.endSize - q.size) / q.life;

  // 5-6. Position: along the emitter's path since the last emission, then
  // the shape's offset.
  const float along = E(dt) / dt;
  for (int k = 0; k < 3; ++k)
    q.position[k] = system->previousEmitter[k] + along * (p.emitter[k] - system->previousEmitter[k]);
  ShapeOffset(p, q.position);
  for (int k = 0; k < 3; ++k) system->previousEmitter[k] = p.emitter[k];

  // 7. Velocity: a direction within the cone about the x axis.
  const float phi = E(kTwoPi);
  const float theta = E(p.directionCone) * kDegreesToRadians;
  const float speed = std::clamp(E(system->speedExtra) + p.speed, 0.001f, 10000.0f);
  q.velocity[0] = std::cos(theta) * q.speedScale[0] * speed;
  q.velocity[1] = std::cos(phi) * std::sin(theta) * q.speedScale[1] * speed;
  q.velocity[2] = std::sin(phi) * std::sin(theta) * q.speedScale[2] * speed;

  // 8-10.
  q.attraction = R(p.attractionMin, p.attractionMax);
  if (p.wobbleOn)
    for (int k = 0; k < 3; ++k)
      if (p.wobbleFunction[k] > 0) q.position[k] += p.wobbleAmplitude[k] * WobbleOf(p.wobbleFunction[k], p.wobbleAngle[k]);
  for (int k = 0; k < 3; ++k) q.previousPosition[k] = q.position[k];
  q.fadingIn = p.fadeIn;
  q.fadeInTime = 0.0f;
  return true;
}

bool EngParticlesUpdate(EngParticleSystem* system, EngParticle* particle, float dt) {
  if (!system || !system->created) {
    DebugError("EngParticlesUpdate", "Bad Parent");
    return false;
  }
  const EngParticleSystemParams& p = system->params;
  EngParticle& q = *particle;

  // 1. Age.
  q.age += dt;
  if (q.age >= q.life) {
    q.age = -1.0f;
    return false;
  }
  // 2. Motion.
  for (int k = 0; k < 3; ++k) {
    q.previousPosition[k] = q.position[k];
    q.position[k] += q.velocity[k] * dt;
    q.velocity[k] += q.acceleration[k] * dt;
  }
  // 3. Attraction toward the emitter point on the attracted axes.
  if (p.attractionOn) {
    float d[3];
    for (int k = 0; k < 3; ++k) d[k] = p.attractAxis[k] != 0 ? p.emitter[k] - q.position[k] : 0.0f;
    EngMathNormaliseVector(d);
    for (int k = 0; k < 3; ++k) q.velocity[k] += d[k] * q.attraction * dt;
  }
  // 4. Orbit about the origin and turning of the velocity.
  if (p.orbitOn) Turn(q.position, q.orbit, dt, true);
  if (p.turningOn) Turn(q.velocity, q.turning, dt, false);
  // 5. Colour and size.
  for (int k = 0; k < 3; ++k) q.colour[k] += q.colourChange[k] * dt;
  q.size += q.sizeChange * dt;
  // 6. Alpha: a fade-in climbs at 1 a second to the start alpha, then the
  // alpha runs on to the end alpha over the rest of the life.
  if (q.fadingIn) {
    q.fadeInTime += dt;
    if (q.fadeInTime >= p.startAlpha) {
      q.fadingIn = 0;
      q.alpha = q.fadeInTime;
      if (q.age < q.life) q.alphaChange = (p.endAlpha - q.fadeInTime) / (q.life - q.age);
    }
    q.displayedAlpha = q.fadeInTime;
  } else {
    q.alpha += q.alphaChange * dt;
    q.displayedAlpha = q.alpha;
  }
  q.white[3] = q.displayedAlpha;
  // 7.
  for (float& c : q.colour) c = std::max(c, 0.0f);
  return true;
}
