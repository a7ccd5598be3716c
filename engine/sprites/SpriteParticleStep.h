#pragma once
// The particle step of one sprite's emitter: emits, moves and draws its particles. Called by the
// sprite drawing before the image (onTop false) or after it (onTop true), and for an off sprite
// whose particles are still finishing.

namespace plm {

void StepAndDrawParticles(int sprite, bool onTop);

}  // namespace plm
