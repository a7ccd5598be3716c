#pragma once
// The shake block of a sprite row: a jitter of the drawn position, started by SpriteEngine.Shake.
namespace plm {

struct SpriteShake {
    float ShakeRadius = 0;
    float ShakeInterval = 0;  // ms between new offsets
    float ShakeTimer = 0;
    float ShakeTimeLeft = 0;  // ms
    bool ShakeOn = false;
};

inline void ResetToDefaults(SpriteShake& s) { s.ShakeOn = false; }

}  // namespace plm
