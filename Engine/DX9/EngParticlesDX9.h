// EngParticlesDX9.h - the Direct3D 9 side of the particle systems: the one
// shared vertex buffer (4 vertices of 24 bytes: position, diffuse colour,
// texture coordinates; write-only, managed) and the drawing of a system's
// live particles through it, one two-triangle strip each.
//
// State: the shared buffer (process-wide), from
// EngParticleSystemCreateGraphics_DX9 until
// EngParticleSystemDestroyGraphics_DX9, which the device's own destruction
// also runs.
#pragma once

struct EngParticleSystem;

// Makes the shared buffer (releasing one left from before). False without a
// device or when the buffer cannot be made ("CreateVertexBuffer").
bool EngParticleSystemCreateGraphics_DX9();
void EngParticleSystemDestroyGraphics_DX9();
// Draws the live particles with the render state already set; "No vertex
// buffer - need to add EngParticleSystem[Create/Destroy]Graphics() calls."
// without the shared buffer.
void EngParticleSystemRender_DX9(EngParticleSystem* system);
