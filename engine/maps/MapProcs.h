#pragma once
// Procedures the tile map's members share, and what the frame's information line asks of the map.
#include <cstdint>

#include "core/Records.h"
#include "maps/MapState.h"

namespace plm {

// The value of the layer-1 map cell under the mouse pointer; 0 while that cell awaits removal,
// -1 when the pointer is off the map's draw window.
int32_t InfoTileUnderMouse();

// The tile a read of the cell gives: 0 while its removal is pending.
inline float CellReading(const MapCell& c) { return c.RemovePending ? 0.0f : static_cast<float>(c.Value); }

// The cell a member addresses: column and row rounded to the nearest whole number, halves to even.
// nullptr when outside the grid.
MapCell* CellAt(float XPos, float Ypos, int32_t Layer);

// Whether Map.Init may build grids of width x height cells (with the spare column and row) for
// that many buffers and layers (each 1 or more): larger grids are refused rather than left to
// exhaust memory.
bool MapGridsFit(int64_t width, int64_t height, int64_t buffers, int64_t layers);

// Int(a / b) for a tile size b of 1 or more: the whole part toward minus infinity.
int32_t FloorDiv(int64_t a, int32_t b);

// Writes the cell as a fresh tile: the value, alpha, rotation, scale 1.0, every effect and a pending
// removal stopped. The tags and the effect parameters stay.
void PutTile(MapCell& c, int32_t value, float alpha, float rotate);

}  // namespace plm

namespace plm {

// Where a draw pass starts, worked out from a camera pixel (xi, yi): the first drawn column and
// row, and the screen position of the first tile's centre (Centred) or top-left corner.
struct DrawOrigin {
    int32_t StartTileX = 0, StartTileY = 0;
    int32_t StartScreenX = 0, StartScreenY = 0;
};
DrawOrigin OriginAt(int32_t xi, int32_t yi, bool Centred);

// Places the camera with clamping at the map's edges (SetXY); the flags say which edges pushed it.
PLMRect PlaceCamera(float XPos, float Ypos);
// Moves the camera by (dx, dy) with the clamping of MoveBy.
PLMRect MoveCamera(float dx, float dy);
// Places the camera on the camera sprite, when there is one.
void FollowCameraSprite();

// Runs the cell's effects for one frame, in the order scale, rotation, alpha, animation. The cell
// is drawn at column k and row r of the pass o (a face-the-sprite rotation needs its place).
// False when an effect emptied the cell: nothing more of it is done or drawn this frame.
bool RunCellEffects(MapCell& c, const DrawOrigin& o, int32_t k, int32_t r);

// Draws the layer's cells in the draw window through the sprite batch, the camera at (xi, yi):
// each non-empty cell with its scale, rotation, alpha and shake, after running its effects when
// RunEffects. Cells of the window outside the grid, and tiles without a texture, are skipped.
void DrawLayerWindow(int32_t Layer, bool RunEffects, int32_t xi, int32_t yi);

// Draws the window flat, the camera at (xi, yi): every non-zero tile number of layer (or buffer,
// when FromBuffer) Index at natural size without rotation, in Color when OneColor, else in white
// with the cell's alpha. Runs no effect and consults no pending removal.
void DrawFlatWindow(int32_t xi, int32_t yi, bool FromBuffer, int32_t Index, bool OneColor, uint32_t Color);

}  // namespace plm
