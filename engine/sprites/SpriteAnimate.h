#pragma once
// Per-sprite animation: each member writes the animation fields of one sprite's row.
#include <cstdint>

namespace plm {

class SpriteAnimate {
public:
    // Shows one frame: the texture, the grid origin, the frame size and the column and row.
    void SetFrame(int32_t sprite, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                  int32_t XFrame, int32_t YFrame);
};

}  // namespace plm
