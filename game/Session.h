#pragma once
// One game: set up for the chosen mode and start level, run frame by frame by its state machine,
// level by level (a fresh board, or the next level on the same board) up to level 40, with the
// in-game menu box.
#include <cstdint>

namespace tessaly {

// GameState values.
enum GameStates : int32_t {
    kStatePlay = 0, kStateOpening = 2, kStateBoardClear = 3, kStateNextBoard = 4, kStateQuitting = 5, kStateMenu = 6
};

// Sets a game up for GameMode and StartLevel: level rows, background, quota, the opening banner
// and hold, the music and the fade in. True when the game is set up; false, before anything
// changes, when mode 1 cannot read the level file its rows come from (the session then ends with
// "Error during game init.").
bool InitGame();
// One frame of the state machine (after UpdateMouse).
void UpdateGame();
// Play-state input: the incoming row on a click in its strip, Space or the right button, and the
// click handed to the board; a cleared quota ends the level.
void HandlePlayInput();
// A fresh board for Level: background, walls, row interval, prefilled rows falling in, the first
// incoming row.
void NewBoard();
// Modes 3 and 4: the next level on the same board, with its banner; after level 40 the game is won.
void LevelUp();
// Modes 1, 2 and 5: the background of BackgroundWanted into texture slot 2 when it changed.
void LoadLevelBackground();
// The menu box: its picture and the leave and continue buttons, built anew in the engine's Gui.
void BuildGameGui();
// Escape or the menu box's leave button: the quitting state and a fade to black, after which the
// loop ends and the title follows.
void QuitToTitle();

}  // namespace tessaly
