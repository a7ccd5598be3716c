#pragma once
// What the frame's information line asks of the tile map.
#include <cstdint>

namespace plm {

// The value of the layer-1 map cell under the mouse pointer; 0 while that cell awaits removal.
int32_t InfoTileUnderMouse();

}  // namespace plm
