#pragma once
// The incoming row: the level's next row of 12 gems is announced gem by gem on the row timer as
// preview sprites over row 1, and once complete drops into the board when the top playfield row
// is free and no gem still falls near the top. A gem in the top row at that moment ends the game.
namespace tessaly {

// Loads the level's next row (after the 250th, the first again) into the slots; no preview shown.
void ResetIncomingRow();
// Once a frame in play: the next preview on the timer, or the drop of a complete row.
void HandleIncomingRow();
// Shows the whole row at once at full size; it drops at the next HandleIncomingRow that may.
void HandleIncomingRowInstant();
// Whether a gem lies in the playfield's top row (row 3); also stored in TopRowFull.
bool IsTopRowOccupied();

}  // namespace tessaly
