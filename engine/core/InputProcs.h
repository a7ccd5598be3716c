#pragma once
// The input side of the engine's lifetime: keyboard, mouse and game pads.

namespace plm {

// Opens the keyboard, the mouse and up to two game pads; false on failure.
bool init_di();
// Releases the input devices.
void ReleaseInput();

}  // namespace plm
