// EngParticles.h - particle systems: an emitter described by one parameter
// record emits particles at a rate from a point that may move, gives each a
// random start within configurable ranges (emission shape, direction cone,
// speed, colour, alpha, size, life), moves, turns, attracts, fades and
// resizes them every update, and draws them as textured quads facing the z
// axis through one shared vertex buffer with a chosen blending kind.
//
// Users fill an EngParticleSystemParams, create a system, update it with the
// system's own age in seconds (0 at its start) and render it. Randoms come
// from the engine's C runtime generator (EngMisc), so a seeded run repeats.
//
// State: the systems are the callers' records (no allocation after
// creation: each owns a fixed particle array); the shared vertex buffer is
// process-wide, made by EngParticleSystemCreateGraphics after each device
// creation and released by EngParticleSystemDestroyGraphics (also run when
// the device goes, so it never outlives its device).
#pragma once

#include <cstdint>

#include "Engine/EngMath.h"

class EngTexture;

// Emission modes.
constexpr std::uint8_t kEngParticlesEmitOnly = 0;        // emits, never ages its particles
constexpr std::uint8_t kEngParticlesFirstEmission = 1;   // emits at the first update only
constexpr std::uint8_t kEngParticlesUpdateAndEmit = 2;   // every update ages and may emit

// Wobble functions per axis.
enum EngParticlesWobble : std::uint8_t {
  kEngWobbleNone = 0,
  kEngWobbleSin = 1,
  kEngWobbleCos = 2,
  kEngWobbleTan = 3,
  kEngWobbleSinSquared = 4,
  kEngWobbleMinusSinSquared = 5,
};

// The emitter's description, copied whole into the system at creation. A
// "range" is in use when some (minimum, maximum) pair other than (0, 0) has
// maximum >= minimum (EngMathIsRangeSet).
struct EngParticleSystemParams {
  std::int32_t firstEmission;       // particles emitted by the first update
  std::int32_t laterEmission;       // particles added to every later emission
  std::uint8_t emissionMode;        // kEngParticles* above
  EngTexture* texture;              // every quad's texture (null: untextured; not owned)
  std::uint8_t colourMode;          // not 0: vertex colour from the particle's colour and alpha
  std::uint8_t fadeIn;              // particles start transparent and gain 1 alpha a second up to startAlpha
  std::uint8_t blendingKind;        // 0-5, see EngParticleSystemRender
  std::uint32_t emissionRate;       // particles per second
  float minEmissionInterval;        // least time between two emissions, seconds
  float lifeMin, lifeMax;           // seconds
  float lastBaseLife;               // written by the system: the last base life drawn
  float speed;
  std::uint8_t attractionOn;        // particles are pulled toward the emitter point
  std::int32_t attractAxis[3];      // 0: that axis is not attracted
  float attractionMin, attractionMax;
  float startColour[3];             // red, green, blue (minimum when startColourIsRange)
  float endColour[3];               // (minimum when endColourIsRange)
  float startColourMax[3];
  float endColourMax[3];
  std::int32_t startColourIsRange;
  std::int32_t endColourIsRange;
  float startAlpha, endAlpha;
  float startSize, endSize;         // quad edge length
  std::uint8_t shape;               // emission shape 0-8, see EngParticlesCreate
  float spreadFactor;               // divides every shape offset; must be above 0
  float shapeMin, shapeMax;
  float directionCone;              // largest angle from the x axis, degrees
  float emitter[3];                 // emitter point (users move it between updates)
  std::uint8_t speedScaleOn;        // written at creation from the range
  EngMathRange speedScale;          // per-axis scale of the direction; without it no motion of their own
  std::uint8_t accelerationOn;
  EngMathRange acceleration;
  std::uint8_t orbitOn;
  EngMathRange orbit;               // turning of the position about the origin (yaw, pitch, roll a second)
  std::uint8_t spinOn;
  EngMathRange spin;                // turning of the quad about its centre (yaw, pitch, roll a second of age)
  std::uint8_t turningOn;
  EngMathRange turning;             // turning of the velocity (yaw, pitch, roll a second)
  std::uint8_t wobbleOn;            // written at creation: some axis has a wobble function
  std::uint8_t wobbleFunction[3];   // EngParticlesWobble per axis
  float wobbleSpeed[3];             // angle speed, radians a second
  float wobbleAmplitude[3];
  float wobbleAngle[3];             // start angles, turned by the system
  std::uint8_t depthTest;           // depth test kept on while drawing (also the corner order)
  std::uint8_t twoSided;            // draw both sides of the quads
  std::int32_t spreadEntryCount;    // shape 8: at least 2
  const std::int32_t* spreadEntries;  // shape 8: pairs (x, y); not owned
  std::int32_t spreadOriginX, spreadExtentX;
  std::int32_t spreadOriginY, spreadExtentY;
};

// One particle slot (age -1: free).
struct EngParticle {
  float previousPosition[3];
  float position[3];
  float velocity[3];
  float acceleration[3];
  float speedScale[3];
  float colour[3];
  float displayedAlpha;
  float white[4];                   // (1, 1, 1, displayed alpha)
  float colourChange[3];            // per second
  std::uint8_t fadingIn;
  float fadeInTime;
  float alpha;
  float alphaChange;                // per second
  float size;
  float sizeChange;                 // per second
  float age;                        // seconds; -1 = free slot
  float life;                       // seconds
  float attraction;
  float orbit[3];                   // yaw, pitch, roll a second
  float turning[3];                 // yaw, pitch, roll a second
  float spin[3];                    // yaw, pitch, roll a second of age
};

// A system: zeroed on release.
struct EngParticleSystem {
  std::int32_t maxParticles;
  EngParticleSystemParams params;
  EngParticle* particles;           // maxParticles slots, owned
  bool created;
  bool emissionSuspended;           // no emission; the due amount keeps accumulating
  std::int32_t liveCount;
  float lastUpdateTime;
  float lastEmissionTime;
  float emissionRemainder;          // the fraction of a particle carried to the next emission
  // Random extras: each adds EngMiscRandFloat(extra) to its base (0 after
  // creation; the users' business).
  float lifeExtra, redExtra, greenExtra, blueExtra, alphaExtra, sizeExtra;
  float previousEmitter[3];
  float speedExtra;
};

// Creates system from params with room for maxParticles. A created system is
// released first with replace, else refused ("System already created").
// False (reported) for no system or parameters, a maximum below 1, no memory.
bool EngParticleSystemCreate(int maxParticles, const EngParticleSystemParams* params, bool replace,
                             EngParticleSystem* system);
// Frees the particles and zeroes the record.
void EngParticleSystemRelease(EngParticleSystem* system);
// Advances the system to its own time (seconds): -1 for a system that is
// not created, 0 when no particle is alive after updating, 1 running. The
// first update of a system passes first = true.
int EngParticleSystemUpdate(EngParticleSystem* system, float time, bool first);
// Draws the live particles (nothing without a device or for a system that is
// not created). Blending kinds (source, destination factor): 0 SRCALPHA,
// ONE; 1 DESTCOLOR, ONE (colours premultiplied by alpha); 2 INVDESTCOLOR,
// SRCCOLOR; 3 ZERO, INVSRCCOLOR; 4 SRCALPHA, INVSRCALPHA; 5 SRCALPHASAT,
// INVSRCALPHA; another kind is refused by the device.
void EngParticleSystemRender(EngParticleSystem* system);
// The square (in the system's own units, x and y) that every live
// particle's quad lies in as it is drawn; false when none is alive.
bool EngParticleSystemBounds(const EngParticleSystem* system, float* left, float* bottom, float* right, float* top);
// The shared vertex buffer: made after each device creation (true at once
// for other device types, false without a device), released with the other
// graphics objects.
bool EngParticleSystemCreateGraphics();
void EngParticleSystemDestroyGraphics();

// ---- Steps of the update (used by EngParticleSystemUpdate) ----
// Marks every slot free ("System not ok" for a system that is not created).
void EngParticlesInit(EngParticleSystem* system);
// Starts a particle in a slot for an emission dt seconds after the last.
// False (reported) for a null particle, a system that is not created, a
// spread factor not above 0, dt not above 0.
bool EngParticlesCreate(EngParticleSystem* system, float dt, EngParticle* particle);
// Moves a particle on by dt; false when it died (its slot is then free).
bool EngParticlesUpdate(EngParticleSystem* system, EngParticle* particle, float dt);
// "No spread entries" is reported at most 3 times a run; tests start afresh.
void EngParticlesResetReportsForTests();
