#pragma once
// The board-clear effects: when a board is complete, whatever lies in its playfield (rows 3..17,
// columns 6..17) leaves the screen with one of ten effects taken in a fixed cycle, and the sweep
// before it pops gems one by one.
#include <cstdint>

namespace tessaly {

// Advances BoardClearEffect (1..10, on across boards and games) and runs its effect: thrust on
// the odd ones, then explode (with the "pop" sound), scatter, trails, shrink flat, shrink narrow.
void RunBoardClearEffect();

// The tiles become sprites of the falling-gem range (ID2 1, no collision) that fall by their
// column's thrust, are thrown up, are thrown down with particle trails, or shrink where they lie
// (Horizontal: narrower, else flatter). With no free sprite a tile simply vanishes.
void ClearBoardThrust();
void ClearBoardScatter();
void ClearBoardScatterTrails();
void ClearBoardShrink(bool Horizontal);
// Every playfield tile bursts into particles where it lies, row by row.
void ClearBoardExplode();
void ExplodeTile(int32_t X, int32_t Y);

// Empties board cell (X, Y) with a burst of Nodes quarter-size pieces of its image and, for a
// colour gem, a shower of bouncing chips of its colour. A value without a tile image is logged and
// ends the running game.
void PopMapTile(int32_t X, int32_t Y, int32_t Nodes);

}  // namespace tessaly
