#pragma once
// The click rules of the special gems (kinds 7..18), called by ClickBoard. Each marks a fixed
// pattern of cells around the clicked gem; unless probing it then fires its explosions, shake and
// sounds and hands the marked cells to the common clear. With Probe true a rule marks the same
// cells, draws them as the hover preview and changes nothing else.
#include <cstdint>

namespace tessaly {

// The bomb (kind 7): the blast mask's diamond around the bomb, cut off by the walls.
void ClickBomb(float X, float Y, float Kind, bool Probe);
// A colour bomb of Colour 1..6 (kinds 8..13): itself and every colour gem of that colour.
void ClickColorBomb(float X, float Y, float Colour, bool Probe);
// Line gems: every gem of the whole row, column, both (column first) or both diagonals.
void ClickRowGem(float X, float Y, float Kind, bool Probe);
void ClickColumnGem(float X, float Y, float Kind, bool Probe);
void ClickCrossGem(float X, float Y, float Kind, bool Probe);
void ClickDiagonalGem(float X, float Y, float Kind, bool Probe);
// The shuffle gem (kind 18) vanishes and swaps every gem with a random playfield cell.
void ClickShuffleGem(float X, float Y, float Kind, bool Probe);

// Explosion tint of colour 1..6 ({-1, -1, -1}, the style's own, outside).
struct Tint {
    int32_t Red, Green, Blue;
};
Tint ColourTint(int32_t colour);

}  // namespace tessaly
