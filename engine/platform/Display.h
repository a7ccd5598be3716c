#pragma once
// Adapters and display modes, for the engine's device queries. The one adapter is the software
// rasteriser presenting through the window system's display.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/GraphicsDevice.h"

namespace plm::platform {

int32_t AdapterCount();
// adapter is 0-based; "" for an adapter that does not exist.
std::string AdapterDescription(int32_t adapter);

// The display modes of the adapter: the window system's when a real video driver can be started,
// else a fixed list of common modes (640 x 480 to 1920 x 1080) at 16 and at 32 bits.
std::vector<DisplayMode> ListDisplayModes(int32_t adapter);
// The desktop mode (its format is the windowed back-buffer format); 1024 x 768 X8R8G8B8 when the
// window system has no display.
DisplayMode CurrentDisplayMode(int32_t adapter);

// The capabilities the adapter reports before a device exists: full-screen gamma, no hardware
// transform and lighting (vertices are transformed on the CPU).
DeviceCaps AdapterCaps(int32_t adapter);

// Bits per pixel of a back-buffer format code: 16 for the 16-bit formats, 24 for R8G8B8, 32 for
// the 32-bit ones, 0 for an unknown code.
int32_t FormatBitDepth(int32_t format);

}  // namespace plm::platform
