#pragma once
// The particle step of one sprite's emitter: emits, moves and draws its particles. Called by the
// sprite drawing before the image (onTop false) or after it (onTop true), and for an off sprite
// whose particles are still finishing.

#include <cstdint>

namespace plm {

struct SpriteParticles;

// The particles the step runs over: rounded ParticleTotal, kept inside 0..100.
int32_t ParticlesInUse(const SpriteParticles& p);

void StepAndDrawParticles(int sprite, bool onTop);

}  // namespace plm
