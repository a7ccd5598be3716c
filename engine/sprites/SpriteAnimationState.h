#pragma once
// The animation block of a sprite row: which animation plays, how, and where it stands.
#include <cstdint>
#include <string>

namespace plm {

struct SpriteAnimationState {
    int32_t AnimMode = 0;        // 0 none, 1 Repeat ... 8 RepeatRoboMove
    int32_t PausedAnimMode = 0;  // mode saved by a pause
    int32_t AnimIndex = 0;       // index into Animations
    float AnimPosition = 0;      // current frame; the frame shown is Int(AnimPosition)
    float AnimSpeed = 0;         // frames per ms
    std::string AnimName;
    int32_t HitNextAnim = 0;  // taken up when a Hit animation ends
    float HitNextSpeed = 0;
    int32_t LastDirectionCode = 0;  // direction for which the current animation was picked
    float RoboTimer = 0, RoboInterval = 0;
};

inline void ResetToDefaults(SpriteAnimationState& a) {
    a.AnimMode = 0;
    a.AnimIndex = 0;
    a.AnimName.clear();
}

}  // namespace plm
