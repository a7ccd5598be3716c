#pragma once
// The per-frame behaviour step of one sprite, called by the render loops of Sprite.

namespace plm {

// Steps an on sprite: its movement type, animation, scaling, X and Y scaling, rotation and
// alpha effect, in that order. Returns false when the step turned the sprite off (the turn-off
// routine has then already run its particles once for this frame).
bool StepSpriteBehaviour(int sprite);

// Counts an off sprite's start delay down by Delta; switches it on when the delay runs out.
void CountDownSpriteDelay(int sprite);

}  // namespace plm
