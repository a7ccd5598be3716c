#pragma once
// The behaviour block of a sprite row: the current movement type, its start delay, velocity,
// bounds and timer, the per-behaviour parameter slots, and the input-driven (key, button) fields.
// The behaviour step reads and writes these; the setters of SpriteEngine store them.
#include <array>
#include <cstdint>

namespace plm {

struct SpriteBehaviourState {
    int32_t EngineType = 0;            // current behaviour, 0 = none
    int32_t EngineTypeAfterDelay = 0;  // behaviour taken up when the start delay runs out
    int32_t EngineDelay = 0;           // start delay in ms; an off sprite with a delay is busy
    int32_t OffWhenTimedMoveEnds = 0;  // 1: a timed movement ends by turning the sprite off

    float XDir = 0, YDir = 0;  // velocity per ms
    float HoldTimer = 0;       // billboard hold countdown
    float MoveTimer = 0;       // remaining time of a timed movement; 0 or less = untimed
    float XMin = 0, XMax = 0, YMin = 0, YMax = 0;

    // Per-behaviour parameter slots and option flags; each behaviour says what they hold.
    float Param1 = 0, Param2 = 0, Param3 = 0, Param4 = 0, Param5 = 0, Param6 = 0, Param7 = 0, Param8 = 0;
    bool Option1 = false, Option2 = false, Option3 = false;
    float TargetX = 0, TargetY = 0;
    float MoveToSpeed = 0;  // speed of MoveToXY
    float ThrustX = 0, ThrustY = 0;  // acceleration per ms
    float BounceMode = 0;            // 1.0 or 0
    bool RepeatWrap = false;
    int32_t EndFlag = 0;  // billboard phase: 0 flying in, 1 flying out

    // JumpAndMove: the movement taken up after landing.
    float XDirAfterJump = 0, YDirAfterJump = 0;
    float XMinAfterJump = 0, YMinAfterJump = 0, XMaxAfterJump = 0, YMaxAfterJump = 0;

    int32_t FrameMoveStart = 0;  // frame-move start direction 0..7 (FrameMoveStartDirection)
    std::array<int32_t, 9> DirAnim{};  // animation per direction code 0..8 (direction animation)
    std::array<int32_t, 9> DirSpeed{};
    int32_t DirectionCode = 0;  // 0 up, clockwise to 7; 8 none
    int32_t StartDirection = 0;
    float SplineXOffset = 0, SplineYOffset = 0;
    float CentreX = 0, CentreY = 0;  // second position: centre of orbits and waves

    // Latching.
    int32_t LatchSprite = 0;
    float LatchXOffset = 0, LatchYOffset = 0;

    // Input-driven behaviours.
    bool BillboardWaiting = false;
    int32_t KeyLeft = 0, KeyRight = 0, KeyUp = 0, KeyDown = 0;  // scan codes of KeyMove
    int32_t ButtonState = 0;
    bool ButtonClicked = false;
    uint8_t ButtonSoundUp = 0, ButtonSoundOver = 0, ButtonSoundDown = 0;  // sound channels
    bool ButtonUp = false, ButtonOver = false, ButtonDown = false;
};

// The reset of a sprite row: no behaviour, no pending delay, buttons idle. Velocities, bounds
// and the parameter slots stay as they were.
inline void ResetToDefaults(SpriteBehaviourState& b) {
    b.EngineType = 0;
    b.EngineTypeAfterDelay = 0;
    b.EngineDelay = 0;
    b.OffWhenTimedMoveEnds = 0;
    b.ButtonState = 0;
    b.ButtonClicked = false;
    b.ButtonSoundUp = b.ButtonSoundOver = b.ButtonSoundDown = 0;
    b.ButtonUp = b.ButtonOver = b.ButtonDown = false;
}

}  // namespace plm
