#pragma once
// The title screen. For now a stand-in that sets nothing up and chooses to quit at once, so a
// session runs from the launcher through its set-up to its shutdown.

namespace tessaly {

// Sets the title screen up; false when it cannot be.
bool InitTitle();
// Runs the title screen until the player starts a game (GameMode 1..5) or leaves (below 1).
void RunTitle();

}  // namespace tessaly
