#pragma once
// The one tile map's shared state, owned by Map and read by sprite drawing, the mouse and the scene.
#include <cstdint>

namespace plm {

struct MapState {
    float MapX = 0, MapY = 0;              // camera, world pixels
    int32_t MapScreenX = 0, MapScreenY = 0;  // draw-area offset on screen
    int32_t MapTileWidth = 0, MapTileHeight = 0;
    int32_t MapTileSource = 0;
    bool MapInitialised = false;
};

}  // namespace plm
