#pragma once
// The glyph loop of the bitmap fonts, shared by Font, FontFader and Gui: glyph slots, measuring and
// drawing a run of text from one entry of the font table.
#include <cstdint>
#include <string_view>

#include "ui/FontTable.h"

namespace plm {

// Entry `index` of the font table, or null when the index is outside 0..16.
const FontGlyphTable* FindFont(int32_t index);

// The glyph slot of a character (code - 31, 1..224), or 0 for codes below 32, which have none.
inline int32_t GlyphSlot(char c) {
    const int32_t code = static_cast<unsigned char>(c);
    return code >= 32 ? code - 31 : 0;
}

// The source rectangle of a glyph slot: left X, top Y, right X + Width, bottom Y + Height (right
// and bottom exclusive, limited to the 32-bit range); empty for a slot outside 0..255.
platform::Rect GlyphRect(const FontGlyphTable& font, int32_t slot);

// The width of text: the sum over its characters of (glyph width + spacing) x scale, in single
// precision from 0; the spacing follows the last glyph too. Characters without a glyph count 0.
float GlyphRunWidth(const FontGlyphTable& font, std::string_view text, float spacing, float scale);

// Draws text glyph by glyph through the sprite batch from the font's texture: each glyph's
// rectangle at (Int(pen x), y), scaled by (scaleX, scaleY) about its top-left corner, in color;
// the pen starts at x and advances by (glyph width + spacing) x scaleX. y is used as given (the
// callers floor it where they mean to). Characters without a glyph draw nothing and do not move
// the pen; an empty texture slot draws nothing. Blend factors are the caller's.
void DrawGlyphRun(const FontGlyphTable& font, std::string_view text, float x, float y, float spacing, float scaleX,
                  float scaleY, uint32_t color);

}  // namespace plm
