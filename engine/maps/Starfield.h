#pragma once
// The one star set: stars cut from a strip of frames in one texture, spread over a rectangle of
// the screen at 20 depth steps. Every frame they move by a common direction times their own
// speed, and a star that leaves the rectangle comes back in at the opposite side at a random
// place. Deeper stars move faster and are drawn larger. The set lives in the shared engine state
// (Stars), so every Starfield object sees the same stars; a star number outside 1..Total is
// ignored (reads give 0).
#include <cstdint>

namespace plm {

// The most stars one Init may ask for (20 x Total20). Init waits a millisecond a star, so the cap
// keeps a wrong total from allocating gigabytes or spinning for hours.
inline constexpr int32_t kMaxStarTotal20 = 3276;

class Starfield {
public:
    void Init(int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height, int32_t HowManyFrames,
              int32_t Total20, float XMin, float YMin, float XMax, float YMax, bool RandomRGB, bool RandomRotate);
    int32_t Total() const;

    // Move, wrap and draw every star: plain (each star its own rotation and spin), stretched
    // vertically and turned by Angle, or stretched and moved along Angle at Velocity.
    void Render(float XDir, float YDir, bool WithDelta);
    void RenderStretchDirection(float XDir, float YDir, float Angle, float StretchScale, bool WithDelta);
    void RenderStretchAngle(float Angle, float Velocity, float StretchScale, bool WithDelta);

    void Configure(int32_t Index, float Alpha, float rotationdir);
    void SetRenderState(int32_t SourceMode, int32_t DestinationMode);

    float X(int32_t StarIndex) const;
    void X(int32_t StarIndex, float value);
    float Y(int32_t StarIndex) const;
    void Y(int32_t StarIndex, float value);
    float Speed(int32_t StarIndex) const;
    void Speed(int32_t StarIndex, float value);
    float Scaled(int32_t StarIndex) const;
    void Scaled(int32_t StarIndex, float value);
    float Alpha(int32_t StarIndex) const;
    void Alpha(int32_t StarIndex, float value);
};

}  // namespace plm
