#pragma once
// Animation and sprite definitions, owned by the animation and definition classes.
#include <cstdint>
#include <string>
#include <vector>

namespace plm {

struct AnimationRecord {
    int32_t SrcX = 0, SrcY = 0, FrameWidth = 0, FrameHeight = 0, Frames = 0;
};

struct SpriteDefineRecord {
    std::string Name;
};

}  // namespace plm
