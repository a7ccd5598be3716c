#pragma once
// The one tile map's shared state, owned by Map and read by sprite drawing, the mouse and the scene.
#include <cstdint>

#include "core/Table.h"

namespace plm {

// Where tile number n is cut from: its source corner in pixels and its texture slot.
struct MapTileSourceEntry {
    int32_t SrcX = 0, SrcY = 0, Texture = 0;
};

struct MapState {
    float MapX = 0, MapY = 0;              // camera, world pixels
    int32_t MapScreenX = 0, MapScreenY = 0;  // draw-area offset on screen
    int32_t MapTileWidth = 0, MapTileHeight = 0;
    Table<MapTileSourceEntry> MapTileSource;  // by tile number 1..TileSourceCount
    bool MapInitialised = false;
};

}  // namespace plm
