#pragma once
// Procedures on sprite rows that several sprite classes, the map and the mouse share.
#include <cstdint>

#include "core/Records.h"

namespace plm {

struct SpriteRecord;

// Stores every reset default in row s and clears its data record (see ResetToDefaults in
// SpriteRecord.h). A number outside the table does nothing.
void ResetSpriteRecord(int32_t sprite);

// Stores the image of a row: texture slot, grid origin, frame size, frame column and row.
void StoreFrame(SpriteRecord& r, int32_t texture, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                int32_t xFrame, int32_t yFrame);

// The point that distances and angles between sprites are measured from: (X, Y), or the middle of
// the frame when the sprite is placed by its top-left corner.
PLMXY SpriteCentre(const SpriteRecord& r);

// Adds to (x, y) an offset that turns with a heading of rotate degrees (0 up, clockwise): left
// pixels to the left of the heading, then behind pixels behind it (negative values go right and
// ahead). Each part goes through DirectionFromAngle, so Rx, Ry hold the second part afterwards.
void AddTurnedOffset(float rotate, float left, float behind, float& x, float& y);

// True when sprite s is on, its collision is enabled and its collision box (or circle) overlaps
// the box (bx, by, bw, bh).
bool IsSpriteOverBox(int32_t sprite, float bx, float by, float bw, float bh);

// Draws one sprite as Sprite.Render does: particles behind, blend modes, shake, shadow, image,
// particles in front. Does nothing for a number outside the table; without a device or a texture
// in the sprite's slot nothing is drawn, but the particles and the shake still run.
void DrawSprite(int32_t sprite);

// Draws sprite s's shadow and image as if it stood at (x, y); the row is not changed.
void DrawSpriteCopy(int32_t sprite, float x, float y);

}  // namespace plm
