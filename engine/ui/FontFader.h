#pragma once
// Short-lived texts in a bitmap font: each fades in, holds, fades out, and meanwhile may grow or
// shrink and drift with an accelerating velocity, centred on its position. A fixed ring of slots:
// each Add takes the next slot, overwriting the oldest. Times are in ms, stepped by Delta.
#include <cstdint>
#include <string>

#include "core/Table.h"

namespace plm {

// One fading text, as Add fills it.
struct FontFadeRecord {
    float X = 0, Y = 0;  // centre, pixels
    bool Active = false;
    int32_t FontIndex = 0;
    std::string Text;
    float Scale = 0;
    float ScaleDirection = 0;       // scale change per ms
    float FadeInSpeed = 0;          // alpha gained per ms while fading in
    float PauseAfterFadeIn = 0;     // ms at full alpha
    float PauseBeforeMovement = 0;  // ms before scaling and moving start
    bool FadingIn = false;
    float Alpha = 0;
    float FadeOutSpeed = 0;         // alpha lost per ms while fading out
    float Spacing = 0;              // extra pixels after each glyph, before scaling
    float Red = 0, Green = 0, Blue = 0;
    float XDir = 0, YDir = 0;              // pixels per ms
    float XDirThrust = 0, YDirThrust = 0;  // change of velocity per ms
};

class FontFader {
public:
    // Makes MaxFades empty slots (at least 1, at most 65536) and sets the blend factors to source
    // alpha / inverse source alpha. Add and Render do nothing before Init.
    void Init(int32_t MaxFades);
    // Starts a text in the slot after the last one written (slot 1 after the last slot).
    void Add(int32_t FontIndex, const std::string& Text, float X, float Y, float Spacing, float StartingScaleSize,
             float ScaleDirection, float FadeInSpeed, float FadeOutSpeed, float PauseAfterFadeInMS, float XDir,
             float YDir, float XDirThrust, float YDirThrust, float PauseBeforeMovement, float Red, float Green,
             float Blue);
    // Steps and draws every active text once; a text that faded out is drawn once more at alpha 0.
    void Render();
    // The blend factors the next Render uses.
    void SetRenderState(int32_t SourceMode, int32_t DestinationMode);

private:
    int32_t sourceMode_ = 5, destinationMode_ = 6;
    int32_t lastSlot_ = 0;
    Table<FontFadeRecord> fades_;
};

}  // namespace plm
