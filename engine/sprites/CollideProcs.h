#pragma once
// The collision shapes of sprites and the tests between them, shared by SpriteCollide, Zone and
// the sprite queries. Boxes follow the whole-pixel rule of BoxesOverlap (a box covers position
// .. position + size - 1; touching pixels overlap); circles meet when the radius sum reaches the
// centre distance.
#include <cstdint>

#include "core/Records.h"

namespace plm {

struct SpriteRecord;

// Which shape a test gives each sprite: its own (CollideIsCircle), or a box or a circle for all.
enum class CollideShape { Own, Box, Circle };

// A placed shape: a box (left, top, width, height) or a circle (centre, radius), turned by
// Rotate degrees (clockwise, about the box's centre) in the rotated tests.
struct PlacedShape {
    bool IsCircle = false;
    float X = 0, Y = 0;  // box: left, top; circle: centre
    float Width = 0, Height = 0;
    float Radius = 0;
    float Rotate = 0;
};

// The collision area of a sprite, scaled by XScaled / YScaled and Scaled. A box of a centred
// sprite is placed from the frame's top-left corner (position less half the scaled frame), a
// circle's centre is the position plus the scaled offset; the radius scales by Scaled alone.
PlacedShape PlaceShape(const SpriteRecord& r, CollideShape shape);
// The same as the published record (a circle has width and height 0, a box radius 0).
PLMCollideArea ToCollideArea(const PlacedShape& s);

// An upright box (left, top, width, height) and a circle (centre, radius).
PlacedShape BoxShape(float x, float y, float width, float height);
PlacedShape CircleShape(float x, float y, float radius);

// True when the two shapes overlap. Rotated: each shape is turned by its Rotate; without it (or
// when both are upright) the upright rules apply exactly.
bool ShapesOverlap(const PlacedShape& a, const PlacedShape& b, bool rotated);

// True when sprite s takes part in collision tests: on and its collision enabled.
bool TakesPartInCollision(const SpriteRecord& r);

}  // namespace plm
