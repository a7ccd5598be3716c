#pragma once
// Board decorations that change nothing on the board, drawn once a frame by the game's render
// pass: the pulsing cursor box on the playfield cell under the pointer, the hover preview that
// lights what a click would clear, and the idle sparkle that now and then makes a colour gem glint.
namespace tessaly {

// The cursor box around the playfield cell under the pointer; its alpha pulses between 150 and
// 255 while the pointer is over the playfield, and nothing is drawn elsewhere.
void DrawCursor();
// Runs the click under the pointer in probe mode: its rule lights the cells it would clear.
void UpdateHoverPreview();
// Lights every cell of the marked-cell list (an additive light over each) and clears their mark
// flags; the list itself is left for the caller to empty.
void DrawMatchPreview();
// Counts the sparkle timer down; when it runs out, the next cell of the shuffled sparkle list
// glints (a fading bright copy of its gem) or bursts, if it holds a colour gem.
void UpdateIdleSparkle();

}  // namespace tessaly
