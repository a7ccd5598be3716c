#pragma once
// Rows of the sprite table. The sprite classes own these records; the map, the scene and the
// mouse read them directly.
#include <array>
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

struct SpriteRecord {
    int32_t SrcBlend = 0;
    int32_t DestBlend = 0;
    int32_t On = 0;
    float X = 0, Y = 0;
    int32_t Zorder = 0;
    bool OriginTopLeft = false;
    float XScaled = 0, YScaled = 0, Scaled = 0;
    int32_t Texture = 0, SrcX = 0, SrcY = 0, XFrame = 0, YFrame = 0, Width = 0, Height = 0;
    int32_t EngineType = 0, EngineTypeAfterDelay = 0, EngineDelay = 0;
    PLMArea OkToMove;
    int32_t ID1 = 0, ID2 = 0;
};

struct SpriteDataRecord {
    std::array<float, 10> data{};
    std::array<std::string, 10> DataString{};
};

}  // namespace plm
