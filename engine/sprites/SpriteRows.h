#pragma once
// Rows of the sprite table by sprite number, for the sprite classes' members: a number outside
// the table finds no row, reads the value's default and writes nothing.
#include <cstdint>

#include "core/EngineState.h"
#include "sprites/SpriteRecord.h"

namespace plm {

inline SpriteRecord* SpriteRow(int32_t sprite) { return State().SpriteTable.find(sprite); }

// get(row) of sprite s, or T{} when s is outside the table.
template <typename T, typename Get>
T ReadSprite(int32_t sprite, Get get) {
    const SpriteRecord* r = SpriteRow(sprite);
    return r ? get(*r) : T{};
}

// set(row) of sprite s when s is in the table.
template <typename Set>
void WriteSprite(int32_t sprite, Set set) {
    if (SpriteRecord* r = SpriteRow(sprite)) set(*r);
}

}  // namespace plm
