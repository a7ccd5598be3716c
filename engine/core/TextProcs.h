#pragma once
// System-font text into a rectangle: shared by Text.Render and the frame's information line.
#include <cstdint>
#include <string>

namespace plm {

// Draws text in the named system font (size in points) into the rectangle Left, top, Left + Width,
// top + Height (each edge rounded, halves to even), clipped to it, aligned by a PLMTextFormat
// (left and top; right; centred both ways; any other value left). When either shadow offset is
// not 0 the text is first drawn in shadowColor with only the left and top edges moved by the
// offsets, so a right-aligned shadow moves only down and a centred one by half the amounts.
void DrawSystemText(float Left, float top, float Width, float Height, const std::string& text, int32_t formatStyle,
                    uint32_t color, const std::string& fontName, int32_t fontSize, bool bold, bool italic,
                    float shadowXOffset, float shadowYOffset, uint32_t shadowColor);

// The device's text format for a PLMTextFormat: AlignLeft 0, AlignRight 2, AlignCenter 5.
int32_t TextFormatFlags(int32_t formatStyle);

}  // namespace plm
