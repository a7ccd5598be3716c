#pragma once
// The effect blocks of a sprite row: uniform, horizontal and vertical scaling, alpha, and
// rotation. The reset clears each block's on-flag (and puts Alpha and Rotate back); the
// parameters of an effect stay until its setter writes them again.
#include <cstdint>

namespace plm {

// One scaling effect (uniform, horizontal or vertical).
struct SpriteScalingEffect {
    bool On = false;
    float Dir = 0;  // change per ms
    float Min = 0, Max = 0;
    float Length = 0;  // time left in ms for the timed styles
    float Param1 = 0, Param2 = 0;  // style 10: phase; styles 11, 12: the point measured from
    int32_t Style = 0;
    float MinDistance = 0, MaxDistance = 0;  // styles 11, 12
    int32_t Target = 0;                      // style 12: the sprite measured from
};

struct SpriteEffects {
    SpriteScalingEffect Scaling;   // on Scaled
    SpriteScalingEffect XScaling;  // on XScaled
    SpriteScalingEffect YScaling;  // on YScaled

    // Alpha.
    float Alpha = 0;  // 0..255 when drawn; stored as set
    bool AlphaFadeOn = false;
    float AlphaDir = 0;  // change per ms
    float AlphaMin = 0, AlphaMax = 0;
    float AlphaLength = 0;
    int32_t AlphaStyle = 0;
    bool AlphaFlag2 = false;

    // Rotation.
    float Rotate = 0;  // degrees clockwise, 0 = up; stored as set
    bool RotatingOn = false;
    float RotateDir = 0;
    float RotateMin = 0, RotateMax = 0;
    float RotateLength = 0;
    int32_t RotateStyle = 0;
    int32_t RotateTarget = 0;  // sprite turned to or with
    float RotateLastX = 0, RotateLastY = 0;
    float RotateStep = 0;  // style 9: ms until the speed is drawn again
    float RotateSpeedMin = 0, RotateSpeedMax = 0;  // style 9
};

inline void ResetToDefaults(SpriteEffects& e) {
    e.Scaling.On = false;
    e.XScaling.On = false;
    e.YScaling.On = false;
    e.Alpha = 255;
    e.AlphaFadeOn = false;
    e.AlphaFlag2 = false;
    e.Rotate = 0;
    e.RotatingOn = false;
    e.RotateTarget = 0;
}

}  // namespace plm
