#pragma once
// Backdrops: large pictures put together from a grid of equally sized textures (a background cut
// into pieces loaded into consecutive texture slots), drawn as one unit, scaled per axis and
// slanted horizontally, centred on a point or placed by their top-left corner. The 64 backdrops
// live in the shared engine state (BackDropTable), so every BackDrop object sees the same ones.
// A backdrop number outside 1..64 is ignored (reads give 0).
#include <cstdint>

#include "core/Records.h"

namespace plm {

class BackDrop {
public:
    // Takes the piece size from the texture in slot Texture; an empty slot is refused with the
    // error block and changes nothing. The position is kept.
    void Configure(int32_t Index, int32_t Texture, int32_t across, int32_t Down, float Alpha, float R, float G,
                   float B, float XScale, float YScale, float XSkew, bool OriginTopLeft, int32_t AddAmount);
    void Render(int32_t Index);
    void SetRenderState(int32_t Index, int32_t SourceMode, int32_t DestinationMode);

    void SetRGB(int32_t Index, float R, float G, float B);
    PLMRGB GetRGB(int32_t Index) const;
    float Alpha(int32_t Index) const;
    void Alpha(int32_t Index, float value);

    float X(int32_t Index) const;
    void X(int32_t Index, float value);
    float Y(int32_t Index) const;
    void Y(int32_t Index, float value);
    void SetXY(int32_t Index, float XPos, float Ypos);
    float XScaled(int32_t Index) const;
    void XScaled(int32_t Index, float value);  // a negative scale is stored as 0
    float YScaled(int32_t Index) const;
    void YScaled(int32_t Index, float value);
    float XSkew(int32_t Index) const;
    void XSkew(int32_t Index, float value);

    // The picture's unscaled size in pixels.
    int32_t Width(int32_t Index) const;
    int32_t Height(int32_t Index) const;
};

}  // namespace plm
