#pragma once
// What every frame loop of the game shares: the pause while the game window is inactive, the
// game window's events, and the pointer in the 800 x 600 game space.
#include <cstdint>

#include "desktop/EventWatch.h"

namespace tessaly {

constexpr int32_t kGameWidth = 800, kGameHeight = 600;
constexpr const char* kCaption = "Tessaly";
constexpr const char* kPausedCaption = "Tessaly - PAUSED - Click On The Window To Continue";

// Returns at once while the game window is active; otherwise pauses the sound, shows the paused
// caption and waits until the window is active again or a close is requested, then resumes the
// sound, sets Delta to 0 and puts the caption back.
void PauseWhileInactive();

// The game's handlers of window events (the event watch calls them): a close of the game window
// becomes a quit request while closing is not allowed, a terminate signal a quit request that
// also ends the program, focus changes set WindowActive, and pointer moves set GameMouseX/Y.
void OnWindowEvent(const desktop::WindowEvent& event);

// Maps a pointer position in a window of inner size width x height into the game space. The frame
// fills the window with its aspect kept and centred, as the engine presents it, so in a window of
// the game's 4:3 shape this is 800 / width x X and 600 / height x Y. False, leaving gx and gy
// alone, for a window smaller than one pixel.
bool MapToGameSpace(float x, float y, int32_t width, int32_t height, float& gx, float& gy);

// Once a frame after Scene.Begin: the engine's pointer to Int of the game-space position, and
// MouseClicked latched from the left button's press.
void UpdateMouse();

}  // namespace tessaly
