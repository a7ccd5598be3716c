#include "ui/Text.h"

#include "core/DrawProcs.h"
#include "core/TextProcs.h"

namespace plm {

void Text::Render(float Left, float top, float Width, float Height, const std::string& Text, int32_t FormatStyle,
                  int32_t Color, const std::string& FontStr, int32_t FontSize, bool FontBold, bool FontItalic,
                  float ShadowXOffset, float ShadowYOffset, int32_t ShadowColor) {
    SetBlend(BlendSrcAlpha, BlendInvSrcAlpha);
    const uint32_t shadow = (ShadowColor == 0) ? 0xFF000000u : static_cast<uint32_t>(ShadowColor);
    DrawSystemText(Left, top, Width, Height, Text, FormatStyle, static_cast<uint32_t>(Color), FontStr, FontSize,
                   FontBold, FontItalic, ShadowXOffset, ShadowYOffset, shadow);
}

}  // namespace plm
