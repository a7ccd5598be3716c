#pragma once
// The bitmap font table (entries 0..16; fonts are numbered 1..16), owned by Font and read by Gui
// and FontFader (ui/FontProcs.h has the glyph loop they share).
#include <array>
#include <cstdint>

#include "platform/GraphicsDevice.h"

namespace plm {

inline constexpr int32_t kLastFont = 16;
inline constexpr int32_t kGlyphSlots = 256;  // slots 0..255; a character's slot is its code - 31

// One font: where each glyph lies in the font's texture and the one glyph height.
struct FontGlyphTable {
    std::array<int32_t, kGlyphSlots> X{};
    std::array<int32_t, kGlyphSlots> Y{};
    std::array<int32_t, kGlyphSlots> Width{};
    int32_t TextureIndex = 0;
    int32_t Height = 0;

    bool operator==(const FontGlyphTable&) const = default;
};

using FontTableArray = std::array<FontGlyphTable, kLastFont + 1>;

// The two surfaces held by the font copy operation; dropped at shutdown and device restore.
struct FontSurfaces {
    platform::SurfaceId FontCopySrcSurface = platform::kNoSurface;
    platform::SurfaceId FontCopyDstSurface = platform::kNoSurface;
};

}  // namespace plm
