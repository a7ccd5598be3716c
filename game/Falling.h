#pragma once
// Gravity. Gems never slide inside the map: StartFall lifts every gem that has a hole below it
// into a falling sprite (21..224), and UpdateFallingGems moves those sprites down, keeps them from
// overlapping and writes each back into the map once the cell under it is occupied. A gem is
// always either in the map or in a sprite, never both.
#include <cstdint>

namespace tessaly {

// Lifts every gem above an empty cell, scanning rows FromRow up to 2 (each gem lifted from a
// higher row accelerates less). With FadeIn the lifted gems fade in.
void StartFall(float FromRow, bool FadeIn);
// Once a frame during play: moves, stacks and lands the falling gems, in sprite order.
void UpdateFallingGems();
// Whether a falling gem's top edge is still above the playfield (pixel row 96).
bool IsGemFallingNearTop();
// Whether a falling gem overlaps the 32 x 32 cell whose top-left corner is (PixelX, PixelY).
bool IsFallingGemOverCell(float PixelX, float PixelY);

}  // namespace tessaly
