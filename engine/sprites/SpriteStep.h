#pragma once
// The per-frame behaviour step of one sprite, called by the render loops of Sprite.

namespace plm {

// Steps an on sprite: its movement type, animation, scaling, X and Y scaling, rotation and
// alpha effect, in that order. Returns false when the step turned the sprite off (the turn-off
// routine has then already run its particles once for this frame). Way points (type 46) move
// only in the frame pass of Sprite.Render; the other render loops pass withWayPoints false.
bool StepSpriteBehaviour(int sprite, bool withWayPoints = true);

// Counts an off sprite's start delay down by Delta; switches it on when the delay runs out.
void CountDownSpriteDelay(int sprite);

}  // namespace plm
