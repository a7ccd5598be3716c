#pragma once
// The tiler table's rows, owned by Tiler: one texture rectangle repeated edge to edge over a
// rectangle of the screen, its scroll position, fade and tint.
#include <cstdint>

namespace plm {

inline constexpr int32_t kTilerCount = 64;

struct TilerRecord {
    int32_t Texture = 0;             // texture slot
    int32_t SrcX = 0, SrcY = 0;      // source rectangle in the texture
    int32_t Width = 0, Height = 0;   // size of the source and of every copy
    float X = 0, Y = 0;              // pattern origin, moved by Render
    float DestX = 0, DestY = 0;      // wrap anchor: X stays in [DestX - Width, DestX], Y alike
    int32_t DestWidth = 0, DestHeight = 0;
    int32_t ClipLeft = 0, ClipTop = 0, ClipRight = 0, ClipBottom = 0;  // the filled area; right, bottom exclusive
    float Alpha = 0;
    bool IsFading = false;
    float FadeSpeed = 0;   // alpha per millisecond
    float FadeTarget = 0;
    int32_t FadeMode = 0;  // 1 in (rising), 2 out (falling)
    float Red = 0, Green = 0, Blue = 0;
    uint32_t Color = 0;  // ARGB of the whole parts of Alpha, Red, Green, Blue
    int32_t SourceMode = 0, DestinationMode = 0;  // blend factors
};

}  // namespace plm
