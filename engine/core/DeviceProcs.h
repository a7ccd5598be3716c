#pragma once
// The device side of the engine's lifetime: opening the display device from the Device settings,
// the default render states, and releasing textures and the device.

namespace plm {

// Opens the display device (and its sprite batch) from the Device settings; false on failure,
// with the error block logged.
bool init_Device();
// Applies the default render states unless BypassRenderStateReset; forgets the blend caches.
void SetDefaultRenderStates();
// Empties every texture slot and drops the back-buffer reference.
void ReleaseTextures();
// Releases the sprite batch, the fonts and the device.
void ReleaseDirectX();
// The 25 warm-up frames of InitDevice (Scene.Begin, Scene.Render, a 25 ms wait each).
void WarmUpFrames();

}  // namespace plm
