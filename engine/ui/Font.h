#pragma once
// Bitmap fonts: up to sixteen fonts whose glyphs are rectangles cut from a texture of the texture
// table. Font loads font files into the shared font table, measures strings, and draws them
// glyph by glyph through the sprite batch, or into another texture.
//
// Fonts are numbered 1..16 (entry 0 of the table exists too and may be filled by a file). An index
// outside 0..16 draws nothing and measures 0; characters below code 32 have no glyph: they draw
// nothing and measure 0. The font's texture must be loaded before anything is drawn with it.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Records.h"
#include "platform/GraphicsDevice.h"

namespace plm {

class Font {
public:
    // Reads a multi-font file (EnginePath + FileNameOnly): the font count, then per font its
    // index, texture, offsets, height and rows of glyphs. The file is read whole before anything
    // is stored: a damaged file logs its error block, returns false and leaves every font as it
    // was. A missing or one-byte file returns false with nothing logged.
    bool Init(const std::string& FileNameOnly);
    // Reads a single-font file into font Index (1..16) on texture TextureIndex: the height (0 first
    // when the rows carry their own top edges), the row count, and per row its glyph count and
    // glyphs, from the space upwards. Offsets are added to every glyph, rounded halves to even.
    bool InitV231(int32_t Index, const std::string& FileNameOnly, int32_t TextureIndex, float XOffset, float YOffset);

    // Draws Text with its top-left corner at (XPos, Int(Ypos)), each glyph on a whole pixel, scaled
    // by Scaled x XScaled and Scaled x YScaled, in the colour (Alpha, Red, Green, Blue).
    void Render(int32_t Index, const std::string& Text, float XPos, float Ypos, float Spacing, float Alpha,
                float Scaled, float XScaled, float YScaled, float Red, float Green, float Blue, int32_t SourceMode,
                int32_t DestinationMode);
    // Render at natural size in opaque white.
    void RenderFast(int32_t Index, const std::string& Text, float XPos, float Ypos, float Spacing, int32_t SourceMode,
                    int32_t DestinationMode);
    // Render into texture TextureIndex, blended over what it holds. Call it inside a frame: it ends
    // the frame's batch and scene, draws through a temporary render target and starts them again.
    void RenderToTexture(int32_t TextureIndex, int32_t Index, const std::string& Text, float XPos, float Ypos,
                         float Spacing, float Alpha, float Scaled, float XScaled, float YScaled, float R, float G,
                         float B, int32_t SourceMode, int32_t DestinationMode);
    // Copies the glyphs' texels unblended into texture TextureIndex at natural size, each glyph at
    // its pen position rounded halves to even.
    void CopyToTexture(int32_t TextureIndex, int32_t Index, const std::string& Text, float XPos, float Ypos,
                       float Spacing);

    float GetStringWidth(int32_t Index, const std::string& Text, float Spacing, float Scaled, float XScaled) const;
    float GetHeight(int32_t Index, float Scaled, float YScaled) const;
    PLMFontStringSize GetStringSize(int32_t Index, const std::string& Text, float Spacing, float Scaled, float XScaled,
                                    float YScaled) const;
    // The glyph of character code CharAscii (slot CharAscii - 31, 0 when that is negative); a code
    // beyond the table gives the font's texture and height with an empty rectangle.
    PLMFontCharRect GetCharRect(int32_t Index, int32_t CharAscii) const;

private:
    // CopyToTexture's glyph rectangles and destination points, reused from call to call.
    struct CopyPoint {
        int32_t X = 0, Y = 0;
    };
    std::vector<platform::Rect> copyRects_;
    std::vector<CopyPoint> copyPoints_;
};

}  // namespace plm
