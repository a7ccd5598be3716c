#pragma once
// The one tile map's shared state, owned by Map and read by sprite drawing, the mouse and the scene.
// Cells and buffers are grids with one column and one row more than the map (indexes 0..MapWidth,
// 0..MapHeight): the draw window covers one tile more each way, and the spare column and row keep
// it inside the grids when the camera stands at the map's right or bottom edge.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Table.h"

namespace plm {

// Where tile number n is cut from: its source corner in pixels and its texture slot.
struct MapTileSourceEntry {
    int32_t SrcX = 0, SrcY = 0, Texture = 0;
};

// One cell of a layer: its tile number and its own drawing state and effects.
struct MapCell {
    int32_t Value = 0;  // tile number; 0 = empty (not drawn, no effects run)
    float Scaled = 0;
    bool IsScaling = false;
    float ScaleDir = 0, ScaleMin = 0, ScaleMax = 0;
    float ScaleLength = 0;
    int32_t ScaleStyle = 0;
    float Alpha = 0;
    bool IsAlphaFading = false;
    float AlphaDir = 0, AlphaMin = 0, AlphaMax = 0;
    float AlphaLength = 0;
    int32_t AlphaStyle = 0;
    float Rotate = 0;  // degrees
    bool IsRotating = false;
    float RotateDir = 0, RotateMin = 0, RotateMax = 0;
    float RotateLength = 0;  // in style 9 the number of the sprite to face
    int32_t RotateStyle = 0;
    float AnimValue = 0;  // running tile number
    bool IsAnimating = false;
    float AnimDir = 0, AnimStart = 0, AnimEnd = 0;
    float AnimLength = 0;
    int32_t AnimStyle = 0;
    bool RemovePending = false;  // reads of the tile give 0 until the ending effect empties the cell
    float ShakeVelocity = 0;     // pixels a jump
    float ShakeSpeedMS = 0;      // ms between jumps
    float ShakeTimer = 0;
    float ShakeLength = 0;  // remaining ms; 0 or less = endless
    bool IsShaking = false;
    int32_t ID1 = 0, ID2 = 0;  // the caller's tags
};

struct MapState {
    float MapX = 0, MapY = 0;                // camera, world pixels
    int32_t MapScreenX = 0, MapScreenY = 0;  // draw-area offset on screen
    int32_t MapTileWidth = 0, MapTileHeight = 0;
    int32_t MapWidth = 0, MapHeight = 0;                  // columns and rows
    int32_t MapPixelWidth = 0, MapPixelHeight = 0;        // the map in world pixels
    int32_t MapTexturesWidth = 0, MapTexturesHeight = 0;  // only reported back and saved
    int32_t SourceTilesAcross = 0, SourceTilesDown = 0, TilesPerTexture = 0;
    int32_t MapTextureCount = 0, TileSourceCount = 0;
    int32_t MapLayers = 0, MapBufferIndexes = 0;
    int32_t MapTilesAcrossToDraw = 0, MapTilesDownToDraw = 0;  // the draw window in tiles
    int32_t CameraSprite = -1;                                 // 0 or less: none
    int32_t MapBlendSrc = 5, MapBlendDest = 6;
    Table<MapTileSourceEntry> MapTileSource;  // by tile number 1..TileSourceCount
    bool MapInitialised = false;

    // Layer by layer, column by column, row by row: (layer - 1, column, row) of the grid.
    std::vector<MapCell> MapCells;
    std::vector<int32_t> MapBuffers;  // buffer by buffer, the same grid of tile numbers

    // The cell, or nullptr when the layer, column or row lies outside the grid (or there is none).
    MapCell* FindCell(int32_t layer, int32_t column, int32_t row) {
        const ptrdiff_t i = GridIndex(layer, MapLayers, column, row);
        return i < 0 ? nullptr : &MapCells[static_cast<size_t>(i)];
    }
    const MapCell* FindCell(int32_t layer, int32_t column, int32_t row) const {
        const ptrdiff_t i = GridIndex(layer, MapLayers, column, row);
        return i < 0 ? nullptr : &MapCells[static_cast<size_t>(i)];
    }
    // The buffer entry, or nullptr when outside the buffers.
    int32_t* FindBufferEntry(int32_t index, int32_t column, int32_t row) {
        const ptrdiff_t i = GridIndex(index, MapBufferIndexes, column, row);
        return i < 0 ? nullptr : &MapBuffers[static_cast<size_t>(i)];
    }

private:
    ptrdiff_t GridIndex(int32_t plane, int32_t planes, int32_t column, int32_t row) const {
        if (!MapInitialised || plane < 1 || plane > planes || column < 0 || column > MapWidth || row < 0 ||
            row > MapHeight)
            return -1;
        const ptrdiff_t across = static_cast<ptrdiff_t>(MapWidth) + 1, down = static_cast<ptrdiff_t>(MapHeight) + 1;
        return ((plane - 1) * across + column) * down + row;
    }
};

}  // namespace plm
