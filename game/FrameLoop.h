#pragma once
// What every frame loop of the game shares: the pause while the game window is inactive, the
// game window's events, and the pointer in the 800 x 600 game space.
#include <cstdint>
#include <span>

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
// MouseClicked latched from the left button's press. MapPointer is the first half alone.
void UpdateMouse();
void MapPointer();
// S pressed once: a numbered screenshot of the frame just shown.
void HandleScreenshotKey();

// A close request seen by a loop: closing is allowed now, the game window is hidden and the
// window messages run once.
void UnloadGameForm();

// The head every game frame shares: a quit request or a failed device restore sets AbortSession
// and returns false (the loop ends); else the pause while inactive, the clear flags after a
// restored device, and Scene.Begin.
bool BeginGameFrame();

// Runs a game set up by InitGame until Escape and its fade, the end of the game (then the
// game-over sequence), a quit request or a failed device restore; stops every sound at the end.
void RunGameLoop();
// One frame of the game loop; false when the loop is over.
bool GameFrame();

// One drawing layer of a game frame (some also step what they draw). `play` is false in the
// game-over sequence, whose frame leaves out the layers only a running game shows.
struct FrameLayer {
    const char* Name;
    void (*Draw)(bool play);
};
// The layers of RenderGame and RenderGameOver, back to front.
std::span<const FrameLayer> GameFrameLayers();

// The frame of a running game, back to front; RenderGameOver is the same without the idle
// sparkle, the hover preview, the cursor and the menu box.
void RenderGame();
void RenderGameOver();
// The level's background picture over the whole screen and the lit strip and menu button.
void RenderPanels();
// Level, the counting score and the gems left, centred in the left panel.
void RenderHud();

}  // namespace tessaly
