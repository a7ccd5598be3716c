#pragma once
// The bitmap font table (fonts 1..16), owned by Font and read by Gui and FontFader.
#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace plm {

struct FontGlyphTable {
    int32_t Texture = 0;
    int32_t Height = 0;
};

// The two surfaces held by the font copy operation; dropped at shutdown and device restore.
struct FontSurfaces {
    platform::SurfaceId FontCopySrcSurface = platform::kNoSurface;
    platform::SurfaceId FontCopyDstSurface = platform::kNoSurface;
};

}  // namespace plm
