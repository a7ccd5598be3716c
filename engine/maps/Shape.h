#pragma once
// Lines, rectangles and circles in screen pixels, flat-coloured or textured, drawn straight
// through the device rather than through the sprite batch. A run of shapes is bracketed by
// ShapeStart (ends the batch, sets the blend factors, modulates alpha) and ShapeEnd (restores the
// stage and begins the batch again); each draw in between is one draw call.
#include <array>
#include <cstdint>

#include "maps/PrimitiveProcs.h"
#include "platform/GraphicsDevice.h"

namespace plm {

class Shape {
public:
    Shape();

    // A line from (x1, y1) to (x2, Y2): Width exactly 1 draws a one-pixel line, any other width a
    // band of that width (two triangles). ARGBColor is a packed colour, used as it is.
    void RenderLineC(float x1, float y1, float x2, float Y2, float Width, int32_t ARGBColor, bool UseTexture);
    // The same with the colour given as parts 0..255.
    void RenderLine(float x1, float y1, float x2, float Y2, float Width, float Alpha, float R, float G, float B,
                    bool UseTexture);
    // An axis-aligned rectangle with corners (x1, y1) and (x2, Y2), outlined or filled. An outline
    // is never textured.
    void RenderRectangle(float x1, float y1, float x2, float Y2, float Alpha, float R, float G, float B, bool Filled,
                         bool UseTexture);
    // The texture source of later draws with UseTexture: a rectangle of a texture slot.
    void SetTexture(int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height);
    // Angular step of circles, 1 (1 degree) to 22 (120 degrees); stored limited to 1..22.
    int32_t CircleQuality() const { return circleQuality_; }
    void CircleQuality(int32_t value);
    void ShapeStart(int32_t SourceMode, int32_t DestinationMode);
    void ShapeEnd();
    // A circle about (x1, y1), outlined (never textured) or filled (a textured disc takes the
    // ellipse inscribed in the source rectangle).
    void RenderCircle(float x1, float y1, float Radius, float Alpha, float R, float G, float B, bool Filled,
                      bool UseTexture);

private:
    // Without UseTexture: no texture and the unit square. With it: the slot's texture and the
    // source rectangle's edges; false when the slot holds no texture (nothing is then drawn).
    bool TextureSource(bool useTexture, platform::SurfaceId& texture, TexEdges& e) const;
    void DrawLine(float x1, float y1, float x2, float y2, float width, uint32_t color, bool useTexture);

    int32_t circleQuality_ = 5;
    std::array<int32_t, 23> circleStepTable_{};  // degrees between circle points; entry 0 unused
    int32_t textureIndex_ = 0, srcX_ = 0, srcY_ = 0, width_ = 0, height_ = 0;

    // Vertex arrays, reused by every draw.
    std::array<platform::ScreenVertex, 2> thinLine_{};
    std::array<platform::ScreenVertex, 4> thickLine_{};
    std::array<platform::ScreenVertex, 5> rectangle_{};
    std::array<platform::ScreenVertex, 362> circle_{};  // centre and up to 361 rim points
};

}  // namespace plm
