#pragma once
// Texture effects: up to 64 free-standing images, each a rectangle of a texture at a screen
// position, with scale, alpha and rotation effects that run on the frame time (the map cells'
// effect styles) and an optional drop shadow. An effect whose style ends by removing switches the
// whole image off. The images live in the shared engine state (TextureFxTable), so every
// TextureFx object sees the same ones. Configure and SetRenderState move an image number into
// 1..64; the other members ignore a number outside it (reads give 0).
#include <cstdint>

#include "core/Records.h"

namespace plm {

class TextureFx {
public:
    void Configure(int32_t Index, float XPos, float Ypos, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width,
                   int32_t Height, float Alpha, float Scaled, float XScale, float YScale, float Rotate,
                   bool OriginTopLeft, bool Enabled);
    void SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode);

    // A starting value of -1 or less keeps the current one. Alpha limits are held to 0..255 and
    // rotation limits to 0..719; scale limits are taken as given.
    void SetScaling(int32_t Index, float StartingScale, float StartingDir, float min, float max, float length,
                    float Style);
    void SetAlphaFading(int32_t Index, float StartingAlpha, float StartingDir, float min, float max, float length,
                        float Style);
    void SetRotating(int32_t Index, float StartingRotate, float StartingDir, float min, float max, float length,
                     int32_t Style);
    void SetShadow(int32_t Index, float Alpha, float XOffset, float YOffset, bool Enabled);

    float X(int32_t Index) const;
    void X(int32_t Index, float value);
    float Y(int32_t Index) const;
    void Y(int32_t Index, float value);
    void SetXY(int32_t Index, float XPos, float Ypos);
    PLMXY GetXY(int32_t Index) const;
    bool Enabled(int32_t Index) const;
    void Enabled(int32_t Index, bool value);
    bool IsScaling(int32_t Index) const;
    bool IsAlphaFading(int32_t Index) const;
    bool IsRotating(int32_t Index) const;

    // Runs the image's effects by Delta, then draws its shadow and the image.
    void Render(int32_t Index);
};

}  // namespace plm
