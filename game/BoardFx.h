#pragma once
// Effects of the running game's board: backing plates under lying and falling gems, the board
// shake, the fireworks, and the wipe that lays a fresh board's walls and floor.

namespace tessaly {

// A plate under every gem of kinds 1..19 in rows 2..17 of the board; drawn before the board map.
void RenderCellMarks();
// A plate under every falling gem (an enabled sprite of 21..224 with ID2 0) of kinds 1..19, at the
// sprite's alpha; drawn after the board map and before the sprites.
void RenderSpriteMarks();
// While ShakeTimer runs: moves the board's draw area to a random place within 2 pixels of its
// rest position each frame, and puts it back at rest when the timer ends.
void ShakeBoard();
// While FireworksTimer runs: a burst at a random place every 0..500 ms, with the two fireworks
// samples in turn.
void RenderFireworks();
// Empties board layer 1 (every cell effect off) and lays the walls (columns 5 and 18, rows 0..16)
// and the floor (row 18, columns 6..17).
void WipeBoard();

}  // namespace tessaly
