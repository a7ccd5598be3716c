#include "sprites/SpriteAnimate.h"

#include "core/EngineState.h"
#include "sprites/SpriteProcs.h"

namespace plm {

void SpriteAnimate::SetFrame(int32_t sprite, int32_t Texture, int32_t SrcX, int32_t SrcY, int32_t Width,
                             int32_t Height, int32_t XFrame, int32_t YFrame) {
    if (SpriteRecord* r = State().SpriteTable.find(sprite)) StoreFrame(*r, Texture, SrcX, SrcY, Width, Height, XFrame, YFrame);
}

}  // namespace plm
