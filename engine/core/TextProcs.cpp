#include "core/TextProcs.h"

#include "core/Convert.h"
#include "core/EngineState.h"
#include "core/Records.h"

namespace plm {

int32_t TextFormatFlags(int32_t formatStyle) {
    switch (formatStyle) {
    case AlignRight: return platform::TextRight;
    case AlignCenter: return platform::TextCenter;
    default: return platform::TextLeft;
    }
}

void DrawSystemText(float Left, float top, float Width, float Height, const std::string& text, int32_t formatStyle,
                    uint32_t color, const std::string& fontName, int32_t fontSize, bool bold, bool italic,
                    float shadowXOffset, float shadowYOffset, uint32_t shadowColor) {
    platform::GraphicsDevice* d = State().D3DDevice.get();
    if (!d) return;
    platform::FontSpec font;
    font.name = fontName;
    font.size = static_cast<float>(fontSize);
    font.bold = bold;
    font.italic = italic;
    const int32_t flags = TextFormatFlags(formatStyle);
    const int32_t right = RoundHalfEven(static_cast<double>(Left) + Width);
    const int32_t bottom = RoundHalfEven(static_cast<double>(top) + Height);
    if (shadowXOffset != 0 || shadowYOffset != 0) {
        const platform::Rect shadow{RoundHalfEven(static_cast<double>(Left) + shadowXOffset),
                                    RoundHalfEven(static_cast<double>(top) + shadowYOffset), right, bottom};
        d->DrawText(font, text, shadow, flags, shadowColor);
    }
    d->DrawText(font, text, platform::Rect{RoundHalfEven(Left), RoundHalfEven(top), right, bottom}, flags, color);
}

}  // namespace plm
