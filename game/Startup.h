#pragma once
// The spine of the program: the launcher cycle, one play session from the settings to the
// engine's shutdown, the engine's set-up for the game window, the splash picture, and the
// start-up failure report.
#include <string>

namespace tessaly {

// The program: the launcher, a session when Play was chosen (again at once while a session asks
// for a restart), the launcher again, until the launcher closes without Play or the program is
// asked to end. Returns the exit code: 0, or 1 when no window could be opened at all or another
// copy runs from the program's folder (said in a message box; no file is touched).
int Main();

// One session: settings, game window, engine, GameMain, settings saved, engine shut down, then
// the session's error message, if any.
void RunSession();

// Creates and starts the engine for the session's game window; true when the display device
// was created.
bool InitEngine();
// Stops sound and the engine, releases it, and hides and destroys the game window.
void ShutdownEngine();
// One session after a successful InitEngine: tables, splash, high scores, media, then the title
// and games in turn; high scores saved and the unpacked media deleted at the end.
void GameMain();
// The five high-score tables from "scores.dat"; every place the file does not hold whole holds
// the game's default row. A damaged file is kept beside it as "scores.dat.damaged" and its
// tables ranked again.
void LoadHighScores();
// The session's tables after the splash: the high scores (LoadHighScores), the diamond mask, the
// window's base size, the explosion and rising-text pools.
void SetUpSessionTables();

// The optional splash picture ("affimage.jpg" beside the program), faded in and out.
void ShowSplashLogo();
// One frame of the splash; false when the splash is over.
bool SplashFrame();

// A failure that keeps the program from starting: written to standard error and to the engine's
// log in the program's folder.
void ReportStartFailure(const std::string& text);

}  // namespace tessaly
