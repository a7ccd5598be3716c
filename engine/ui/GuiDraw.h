#pragma once
// The GUI's drawing primitives and text measures: texture images through the sprite batch (blend
// factors source alpha / inverse source alpha), bitmap-font strings, and word wrap.
#include <cstdint>
#include <string>

namespace plm {

// One image (texture slot, source rectangle) at scales (xScale, yScale) and colour ARGB(alpha, red,
// green, blue), whole parts. With topLeft the image's corner lands on (Int(x), Int(y)); otherwise it
// is centred there: Int(x - CLng(w x xScale) \ 2), Int(y - CLng(h x yScale) \ 2). An empty texture
// slot draws nothing and sends no blend factors.
void DrawGuiImage(int32_t texture, int32_t srcX, int32_t srcY, int32_t w, int32_t h, float x, float y, float alpha,
                  float xScale, float yScale, bool topLeft, float red, float green, float blue);

// A string in bitmap font `font` with its pen starting at x, glyphs at (Int(pen x), y) with y as
// given, the pen advancing by (glyph width + spacing) x scale.
void GuiRenderText(int32_t font, const std::string& text, float x, float y, float spacing, float alpha, float scale,
                   float red, float green, float blue);

// Width of a string at a spacing and scale (the spacing follows every glyph, the last included),
// and the font's height at a scale.
float GuiStringWidth(int32_t font, const std::string& text, float spacing, float scale);
float GuiFontHeight(int32_t font, float scale);

// The text broken into lines no wider than `width` where it can be, lines separated by Chr(13):
// words (split at single spaces) move whole to a new line, a word wider than the width stays whole
// on a line of its own, and a kept space follows each word.
std::string WrapGuiText(int32_t font, const std::string& text, float spacing, float scale, float width);

}  // namespace plm
