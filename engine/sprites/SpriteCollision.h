#pragma once
// The collision block of a sprite row: the collision box or circle and the movement box that
// the map's movement tests use.
#include "core/Records.h"

namespace plm {

struct SpriteCollision {
    bool CollideEnabled = false;
    float CollideXOffset = 0, CollideYOffset = 0;
    float CollideWidth = 0, CollideHeight = 0;
    float CollideRadius = 0;
    bool CollideIsCircle = false;
    PLMArea OkToMove;  // relative to the sprite's position
};

// The reset derives the sizes from the frame already in the row.
inline void ResetToDefaults(SpriteCollision& c, int32_t frameWidth, int32_t frameHeight) {
    c.CollideEnabled = true;
    c.CollideXOffset = 0;
    c.CollideYOffset = 0;
    c.CollideWidth = static_cast<float>(frameWidth);
    c.CollideHeight = static_cast<float>(frameHeight);
    c.CollideRadius = static_cast<float>(frameWidth) / 2.0f;
    c.CollideIsCircle = false;
    c.OkToMove = PLMArea{0, 0, static_cast<float>(frameWidth), static_cast<float>(frameHeight)};
}

}  // namespace plm
