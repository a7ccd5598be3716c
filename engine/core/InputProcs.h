#pragma once
// The input side of the engine's lifetime and frame: keyboard, mouse, game pads and timers.
#include <cstdint>
#include <memory>

#include "platform/Input.h"

namespace plm {

// Installs the input devices init_di opens (tests give a ScriptedInput); they are kept across
// ReleaseInput and a device restore. Null goes back to the input of the running program.
void SetInputBackend(std::shared_ptr<platform::Input> input);

// Opens the keyboard, the mouse and up to two game pads; false on failure. Uses the installed
// input, else SDL's when a real display runs, else a headless input that reads nothing.
bool init_di();
// Releases the input devices.
void ReleaseInput();
// Scene.Begin's first steps: reads the keyboard into KeyState and the mouse into MouseState,
// moves MouseX/MouseY by the capped movement and limits them to the mouse boundary.
void ReadInputSnapshot();
// Reads the keyboard into KeyState. A failed read re-acquires and reads once more; when that
// fails too, KeyState is cleared (no key counts as held) and the result is false.
bool ReadKeyboardSnapshot();
// Reads game pad 1 or 2 the same way; a pad that cannot be read gives a cleared state.
bool ReadPadSnapshot(int32_t pad, platform::PadReading& state);

// The press latch of Key.PressedOnce and the mouse buttons: true when held and not yet latched;
// a release (seen while not held) opens the latch again.
inline bool LatchPress(bool held, bool& latched) {
    bool fresh = held && !latched;
    latched = held;
    return fresh;
}

// Scene.Begin's timer step: adds the milliseconds since the last advance to every timer.
void AdvanceTimers();
// Scene.Render's first step: draws the engine's own mouse pointer when it is enabled.
void RenderMousePointer();

}  // namespace plm
