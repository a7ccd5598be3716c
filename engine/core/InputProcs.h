#pragma once
// The input side of the engine's lifetime and frame: keyboard, mouse, game pads and timers.

namespace plm {

// Opens the keyboard, the mouse and up to two game pads; false on failure.
bool init_di();
// Releases the input devices.
void ReleaseInput();
// Scene.Begin's first steps: reads the keyboard into KeyState and the mouse into MouseState,
// moves MouseX/MouseY by the capped movement and limits them to the mouse boundary.
void ReadInputSnapshot();
// Scene.Begin's timer step: adds the milliseconds since the last advance to every timer.
void AdvanceTimers();
// Scene.Render's first step: draws the engine's own mouse pointer when it is enabled.
void RenderMousePointer();

}  // namespace plm
