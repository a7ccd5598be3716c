#pragma once
// The device side of the engine's lifetime: opening the display device from the Device settings,
// the default render states, and releasing textures and the device.
#include <cstdint>

namespace plm {

// Opens the display device (and its sprite batch) from the Device settings; false on failure,
// with the error block logged.
bool init_Device();
// Applies the default render states unless BypassRenderStateReset; forgets the blend caches.
void SetDefaultRenderStates();
// Releases every slot's texture and drops the back-buffer reference. The slots' other entries
// (loaded flag, file, key, size) stay, so that a device restore can refill them.
void ReleaseTextures();
// Releases the device (its sprite batch and fonts go with it) and the window it presents into,
// and forgets a render-to-texture bracket left open.
void ReleaseDirectX();
// The 25 warm-up frames of InitDevice (Scene.Begin, Scene.Render, a 25 ms wait each), with the
// information line off meanwhile.
void WarmUpFrames();

// Lets the target window process its pending events (nothing without a window).
void PumpWindowMessages();

// The creation flags for the adapter's device caps: 64 (hardware vertex processing) with
// hardware transform and lighting, 80 when it is also a pure device, else 32 (software); the
// hardware cases log their "...: Enabled" lines.
uint32_t VertexProcessingFlags(uint32_t devCaps);

// True when the device caps of the selected adapter hold flag.
bool HasDeviceCap(uint32_t flag);

// The full-screen back-buffer format of a colour depth: 16 R5G6B5 (23), 24 R8G8B8 (20),
// 32 X8R8G8B8 (22).
int32_t FullScreenFormat(int32_t colorBitDepth);

}  // namespace plm
