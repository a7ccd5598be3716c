#pragma once
// What closes a stretch of play, one board row every 100 ms: the board-clear sweep that ends a
// level in modes 1, 2 and 5, and the game-over sequence of every game, ending in the score's
// entry into the mode's high-score table.
namespace tessaly {

// From play when the quota is cleared: previews off, the banner, state 3.
void StartBoardClear();
// One frame of state 3: falling gems land first, then a row is turned into checker tiles every
// 100 ms, its colour gems paying half their points; after row 27 the next board is held.
void UpdateBoardClear();
// The game-over sequence's own loop: rows burst from the bottom up, the banner, the fade; the
// score is recorded on every way out.
void RunGameOver();
// One frame of it; false when it is over (the score not yet recorded).
bool GameOverFrame();
// Enters Score into GameMode's table under the player's name with the level reached; sets
// NewHighScoreMode and NewHighScorePosition (0 and 0 when it did not enter).
void RecordHighScore();

}  // namespace tessaly
