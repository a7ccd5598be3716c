#pragma once
// Text in an installed system font (by name, size, bold, italic) inside a rectangle, with an
// optional drop shadow. Meant for tools and diagnostics: a few lines a frame.
#include <cstdint>
#include <string>

#include "core/Records.h"

namespace plm {

class Text {
public:
    // Draws Text in Color into the rectangle, aligned by FormatStyle (PLMTextFormat), with the blend
    // factors source alpha / inverse source alpha. A shadow is drawn first when an offset is not 0,
    // in ShadowColor (0 means opaque black).
    void Render(float Left, float top, float Width, float Height, const std::string& Text, int32_t FormatStyle,
                int32_t Color, const std::string& FontStr, int32_t FontSize, bool FontBold, bool FontItalic,
                float ShadowXOffset, float ShadowYOffset, int32_t ShadowColor);
};

}  // namespace plm
