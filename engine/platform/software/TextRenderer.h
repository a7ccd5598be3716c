#pragma once
// Internal to SoftwareDevice: system-font text through FreeType, the font chosen by fontconfig
// from its name (DejaVu Sans when nothing matches). Sizes are points at 96 dpi. Rendered glyphs are
// kept in a cache by face, pixel size and character, so a line drawn every frame costs only the
// blending of its coverage.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/GraphicsDevice.h"
#include "platform/software/Rasterizer.h"

namespace plm::platform {

class TextRenderer {
public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws text (Windows-1252 bytes; "\n" starts a line) inside rect, placed by the format bits
    // 1 centre, 2 right, 4 vertical centre, 8 bottom (TextFormat names the values the engine
    // passes), blended by the colour's alpha, into the target; nothing lands outside the target's
    // clip box.
    void Draw(const raster::Target& target, const FontSpec& font, const std::string& text, const Rect& rect,
              int32_t format, uint32_t color);

    // The size text would take: width of the widest line, height of all lines.
    bool Measure(const FontSpec& font, const std::string& text, int32_t& width, int32_t& height);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace plm::platform
