#pragma once
// Animation and sprite definitions, owned by the animation and definition classes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plm {

// The most frames one animation holds.
inline constexpr int32_t kMaxAnimationFrames = 64;
// The most rows the animation table may grow to. An index or a file count above it is refused:
// a record is about 800 bytes, and a damaged file or a wrong index must not allocate gigabytes.
inline constexpr int32_t kMaxAnimationTotal = 16384;

// One animation: up to 64 frames cut from textures. Frame k (1..Length) is drawn from texture
// Texture[k], source left = (FrameWidth + 1) * XFrame[k] + SrcX, top = (FrameHeight + 1) *
// YFrame[k] + SrcY: frames sit in a grid with a one-pixel gutter. Slot 0 of the arrays is unused.
struct AnimationRecord {
    std::string Name;  // given by SpriteAnimateDefine.Add; "" otherwise
    bool Defined = false;
    int32_t SrcX = 0, SrcY = 0;
    int32_t FrameWidth = 0, FrameHeight = 0;
    int32_t Length = 0;  // frames, 1..64
    std::array<int32_t, kMaxAnimationFrames + 1> Texture{};
    std::array<int32_t, kMaxAnimationFrames + 1> XFrame{};
    std::array<int32_t, kMaxAnimationFrames + 1> YFrame{};
};

// The frame slot an animation position shows, kept inside 1..64 so that a position set by a
// caller (or a blank record) never reads outside the arrays.
inline int32_t FrameSlot(int32_t k) { return k < 1 ? 1 : (k > kMaxAnimationFrames ? kMaxAnimationFrames : k); }

// A named sprite template: the image a sprite takes when SpriteDefine.Activate starts it.
struct SpriteDefineRecord {
    std::string Name;
    int32_t Texture = 0;
    int32_t SrcX = 0, SrcY = 0;
    int32_t XFrame = 0, YFrame = 0;
    int32_t Width = 0, Height = 0;
    bool OriginTopLeft = false;
};

}  // namespace plm
