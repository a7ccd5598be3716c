#pragma once
// Tilers fill a rectangle of the screen with copies of one texture rectangle laid edge to edge,
// scroll the pattern with a seamless wrap, fade it in or out and tint it: scrolling backgrounds.
// The 64 tilers live in the engine state (TilerTable), so every Tiler object sees the same ones.
// An index outside 1..64 does nothing, and its gets answer 0.
#include <cstdint>

#include "core/Records.h"

namespace plm {

class Tiler {
public:
    // Texture slot, source rectangle, the area filled (its top-left is also the wrap anchor and
    // the pattern's origin), opacity and tint; blend factors source alpha / inverse source alpha.
    // A running fade goes on.
    void Configure(int32_t Index, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                   float DestX, float DestY, int32_t DestWidth, int32_t DestHeight, float AlphaValue, float RedValue,
                   float GreenValue, float BlueValue);
    // Advances a running fade by the frame time, moves the pattern by (XDir, YDir) (per
    // millisecond with WithDelta, else per frame), wraps it and draws every copy that shows, each
    // trimmed to the area. A tiler without a size or a texture draws nothing.
    void Render(int32_t Index, float XDir, float YDir, bool WithDelta);
    // Alpha from 0 up to Target, Speed per millisecond.
    void FadeIn(int32_t Index, float Speed, float Target);
    // Alpha from where it is down to Target.
    void FadeOut(int32_t Index, float Speed, float Target);
    float Alpha(int32_t Index) const;
    void Alpha(int32_t Index, float value);
    void SetRGB(int32_t Index, float RedValue, float GreenValue, float BlueValue);
    PLMRGB GetRGB(int32_t Index) const;
    void SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode);
    // Moves the pattern's origin and the area; the wrap anchor moves too only with ResetCurrentXY,
    // otherwise the next Render wraps the origin back into the old anchor's band.
    void SetXY(int32_t Index, float DestX, float DestY, int32_t DestWidth, int32_t DestHeight, bool ResetCurrentXY);
};

}  // namespace plm
