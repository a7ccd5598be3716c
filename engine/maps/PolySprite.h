#pragma once
// Textured quadrilaterals: each quad has four free corners, a source rectangle of a texture, a
// colour with alpha, blend factors and a subdivision count, and is drawn straight through the
// device (outside the sprite batch) as a PolyQuality x PolyQuality grid of cells whose points are
// interpolated between the four corners, positions and texture coordinates alike. The quads live
// in this object's own table, made by Init; RenderQuad draws one quad from its arguments alone.
#include <array>
#include <cstdint>

#include "core/Table.h"
#include "platform/GraphicsDevice.h"

namespace plm {

// One quad. The defaults are what Init leaves: opaque white, disabled, source alpha / inverse
// source alpha. Corner 1 takes the source's top-left, 2 its top-right, 3 its bottom-left and 4
// its bottom-right (strip order, not round the edge).
struct PolySpriteRecord {
    int32_t Texture = 0;
    int32_t SrcX = 0, SrcY = 0, Width = 0, Height = 0;
    float Alpha = 255;
    float Red = 255, Green = 255, Blue = 255;
    uint32_t Color = 0xFFFFFFFFu;  // the four above, packed
    int32_t PolyQuality = 0;       // grid cells per side; below 1 draws nothing
    bool Enabled = false;
    std::array<float, 4> X{}, Y{};            // corners as set
    std::array<platform::Vec2, 4> DrawXY{};  // corners rounded toward minus infinity: these are drawn
    std::array<float, 10> Data{};            // the caller's own values
    int32_t SrcMode = 5, DstMode = 6;        // blend factors
};

class PolySprite {
public:
    // Moves the four corners by (XDir, YDir), per millisecond with WithDelta, else once.
    void AddToPos(int32_t Index, float XDir, float YDir, bool WithDelta);
    // The caller's values 1..10 of a quad (0 outside).
    float data(int32_t Index, int32_t id) const;
    void data(int32_t Index, int32_t id, float value);
    // Draws one quad from the arguments, without the table (works before Init).
    void RenderQuad(int32_t TextureIndex, int32_t TextureSrcX, int32_t TextureSrcY, int32_t TextureWidth,
                    int32_t TextureHeight, float x1, float y1, float x2, float Y2, float X3, float Y3, float X4,
                    float Y4, float Alpha, float R, float G, float B, int32_t PolyQuality, int32_t SourceMode,
                    int32_t DestinationMode);
    // A fresh table of Total quads (at least 1); a total above 65536 is refused and logged, and
    // the table stays as it was.
    void Init(int32_t Total);
    float Alpha(int32_t Index) const;
    void Alpha(int32_t Index, float value);
    int32_t PolyQuality(int32_t Index) const;
    void PolyQuality(int32_t Index, int32_t value);
    bool Enabled(int32_t Index) const;
    void Enabled(int32_t Index, bool value);
    void SetRenderState(int32_t Index, int32_t SrcMode, int32_t DstMode);
    void SetRGB(int32_t Index, float Red, float Green, float Blue);
    // Corner Quad (1..4) as set; corners outside 1..4 read 0 and are not written.
    float X(int32_t Index, int32_t Quad) const;
    void X(int32_t Index, int32_t Quad, float value);
    void SetXY(int32_t Index, int32_t Quad, float XPos, float Ypos);
    void Y(int32_t Index, int32_t Quad, float value);
    float Y(int32_t Index, int32_t Quad) const;
    // Texture, source rectangle, quality and Enabled; colour, alpha and corners stay.
    void SetTexture(int32_t Index, int32_t SrcTexture, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height,
                    int32_t PolyQuality, bool Enabled);
    // Every enabled quad in index order, inside one pause of the sprite batch.
    void RenderAll();
    // One quad, if it is enabled.
    void Render(int32_t Index);

private:
    // Steps of one quad's draw: blend factors, texture, corner vertices, grid. A texture slot
    // without a texture draws nothing.
    void DrawQuad(int32_t texture, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                  const std::array<platform::Vec2, 4>& corners, uint32_t color, int32_t quality, int32_t srcMode,
                  int32_t dstMode);
    void DrawRecord(const PolySpriteRecord& r);
    // Q x Q cells, each one strip of two triangles, interpolated from the corner vertices.
    void RenderQuadGrid(int32_t quality);

    int32_t total_ = 0;
    Table<PolySpriteRecord> quads_;
    // Working vertices and corners, reused by every draw.
    std::array<platform::ScreenVertex, 4> corner_{};
    std::array<platform::ScreenVertex, 4> cell_{};
    std::array<platform::Vec2, 4> quadXY_{};
};

}  // namespace plm
