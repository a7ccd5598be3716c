#pragma once
// The particle step of one sprite's emitter: emits, moves and draws its particles. Called by the
// sprite drawing before the image or after it (the emitter's OnTop), and for an off sprite whose
// particles are still finishing.

#include <cstdint>

namespace plm {

struct SpriteParticles;

// The particles the step runs over: rounded ParticleTotal, kept inside 0..100.
int32_t ParticlesInUse(const SpriteParticles& p);

// One frame of sprite s's particles: a new one is emitted while the sprite is on; the living
// ones move, fade and are drawn. Nothing for a number outside the table or an emitter that is off.
void StepAndDrawParticles(int32_t sprite);

}  // namespace plm
