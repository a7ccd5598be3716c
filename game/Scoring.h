#pragma once
// What follows a click that marked cells: the cells are emptied with a burst of particles, the
// clear is scored with the combo multiplier and announced by a coloured rising number, and a
// once-a-frame timer closes the chain 1800 ms after its last scoring clear, paying a bonus for
// chains of five clears or more.
#include <cstdint>

namespace tessaly {

// Empties every cell of the marked-cell list, each with its burst. With Force false a list of
// fewer than three entries is left alone. MarkedCount is left for the caller.
void PopMarkedCells(bool Force);
// Scores a clear of Count cells made by a click on cell (X, Y); fewer than three score nothing.
void ScoreMatch(float X, float Y, float Count);
// Once a frame while a game is drawn: counts the combo window down and ends the chain.
void UpdateComboTimer();
// Empties one cell with a burst in a random colour (the game-over sweep).
void PopCell(int32_t X, int32_t Y, int32_t Unused);
// The common end of a click that marked cells: pop them, score them, empty the list and let the
// gems above the holes fall.
void ClearMarkedCells(float X, float Y, bool Force);

}  // namespace tessaly
