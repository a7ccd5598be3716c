#include "maps/Shape.h"

#include <algorithm>
#include <cmath>

#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "core/VectorProcs.h"
#include "maps/PrimitiveProcs.h"

namespace plm {

namespace {

using platform::PrimitiveType;
using platform::ScreenVertex;

// Degrees between consecutive circle points by CircleQuality 1..22; every step divides 360.
constexpr std::array<int32_t, 22> kCircleSteps = {1,  2,  3,  4,  5,  6,  8,  9,  10, 12, 15,
                                                  18, 20, 24, 30, 36, 40, 45, 60, 72, 90, 120};
// Degrees to radians in single precision.
constexpr float kDegToRad = 0.0174532924f;

void Place(ScreenVertex& v, float x, float y, uint32_t color, float u, float tv) {
    v.x = x, v.y = y, v.z = 0, v.rhw = 1.0f;
    v.diffuse = color;
    v.tu = u, v.tv = tv;
}

// Unit normal of the line along d: the plane part of the cross product of (d, 0) and (d, 10),
// that is (d.y, -d.x) / |d|.
Vec2 GetLineNormal(Vec2 d) {
    const Vec3 n = Vec3Normalize(Vec3Cross({d.x, d.y, 0}, {d.x, d.y, 10}));
    return {n.x, n.y};
}

}  // namespace

Shape::Shape() {
    std::copy(kCircleSteps.begin(), kCircleSteps.end(), circleStepTable_.begin() + 1);
}

void Shape::CircleQuality(int32_t value) { circleQuality_ = std::clamp(value, 1, 22); }

void Shape::SetTexture(int32_t TextureIndex, int32_t SrcX, int32_t SrcY, int32_t Width, int32_t Height) {
    textureIndex_ = TextureIndex;
    srcX_ = SrcX, srcY_ = SrcY, width_ = Width, height_ = Height;
}

bool Shape::TextureSource(bool useTexture, platform::SurfaceId& texture, TexEdges& e) const {
    texture = platform::kNoSurface;
    e = TexEdges{};
    if (!State().D3DDevice) return false;
    if (!useTexture) return true;
    texture = TextureDrawSource(textureIndex_);
    int32_t tw = 0, th = 0;
    if (texture == platform::kNoSurface || !TextureSize(texture, tw, th)) return false;
    e = SourceEdges(srcX_, srcY_, width_, height_, tw, th);
    return true;
}

void Shape::ShapeStart(int32_t SourceMode, int32_t DestinationMode) {
    if (!State().D3DDevice) return;
    BeginPrimitives();
    SetBlend(SourceMode, DestinationMode);
}

void Shape::ShapeEnd() { EndPrimitives(); }

void Shape::RenderLineC(float x1, float y1, float x2, float Y2, float Width, int32_t ARGBColor, bool UseTexture) {
    DrawLine(x1, y1, x2, Y2, Width, static_cast<uint32_t>(ARGBColor), UseTexture);
}

void Shape::RenderLine(float x1, float y1, float x2, float Y2, float Width, float Alpha, float R, float G, float B,
                       bool UseTexture) {
    DrawLine(x1, y1, x2, Y2, Width, ColorFromParts(Alpha, R, G, B), UseTexture);
}

void Shape::DrawLine(float x1, float y1, float x2, float y2, float width, uint32_t color, bool useTexture) {
    platform::SurfaceId tex;
    TexEdges e;
    if (!TextureSource(useTexture, tex, e)) return;
    const Vec2 p1{FloorToPixel(x1), FloorToPixel(y1)}, p2{FloorToPixel(x2), FloorToPixel(y2)};
    if (width == 1.0f) {
        // A one-pixel line; a bound texture is sampled from corner to corner of the whole texture.
        Place(thinLine_[0], p1.x, p1.y, color, 0, 0);
        Place(thinLine_[1], p2.x, p2.y, color, 1, 1);
        DrawScreenPrimitive(tex, PrimitiveType::LineList, 1, thinLine_.data());
        return;
    }
    const Vec2 d{p2.x - p1.x, p2.y - p1.y};
    if (d.x == 0 && d.y == 0) return;  // no length, no direction to widen it across
    // A and B: half the width to either side; a negative width swaps the sides.
    const Vec2 n = GetLineNormal(d);
    const Vec2 a{n.x * width / 2, n.y * width / 2}, b{-a.x, -a.y};
    const Vec2 c[4] = {Vec2Add(p1, a), Vec2Add(p2, a), Vec2Add(p1, b), Vec2Add(p2, b)};
    Place(thickLine_[0], c[0].x, c[0].y, color, e.l, e.t);
    Place(thickLine_[1], c[1].x, c[1].y, color, e.r, e.t);
    Place(thickLine_[2], c[2].x, c[2].y, color, e.l, e.b);
    Place(thickLine_[3], c[3].x, c[3].y, color, e.r, e.b);
    DrawScreenPrimitive(tex, PrimitiveType::TriangleStrip, 2, thickLine_.data());
}

void Shape::RenderRectangle(float x1, float y1, float x2, float Y2, float Alpha, float R, float G, float B,
                            bool Filled, bool UseTexture) {
    platform::SurfaceId tex;
    TexEdges e;
    if (!TextureSource(UseTexture, tex, e)) return;
    const uint32_t color = ColorFromParts(Alpha, R, G, B);
    const float l = FloorToPixel(x1), t = FloorToPixel(y1), r = FloorToPixel(x2), b = FloorToPixel(Y2);
    if (!Filled) {
        Place(rectangle_[0], l, t, color, 0, 0);
        Place(rectangle_[1], r, t, color, 0, 0);
        Place(rectangle_[2], r, b, color, 0, 0);
        Place(rectangle_[3], l, b, color, 0, 0);
        Place(rectangle_[4], l, t, color, 0, 0);
        DrawScreenPrimitive(platform::kNoSurface, PrimitiveType::LineStrip, 4, rectangle_.data());
        return;
    }
    Place(rectangle_[0], l, t, color, e.l, e.t);
    Place(rectangle_[1], r, t, color, e.r, e.t);
    Place(rectangle_[2], l, b, color, e.l, e.b);
    Place(rectangle_[3], r, b, color, e.r, e.b);
    DrawScreenPrimitive(tex, PrimitiveType::TriangleStrip, 2, rectangle_.data());
}

void Shape::RenderCircle(float x1, float y1, float Radius, float Alpha, float R, float G, float B, bool Filled,
                         bool UseTexture) {
    platform::SurfaceId tex;
    TexEdges e;
    if (!TextureSource(UseTexture, tex, e)) return;
    const int32_t step = circleStepTable_[static_cast<size_t>(circleQuality_)];
    const int32_t rimPoints = 360 / step + 1;
    const uint32_t color = ColorFromParts(Alpha, R, G, B);
    const float cx = FloorToPixel(x1), cy = FloorToPixel(y1);
    auto rim = [&](ScreenVertex& v, int32_t degrees) {
        const float angle = static_cast<float>(degrees) * kDegToRad;
        const float cs = std::cos(angle), sn = std::sin(angle);
        float u = 0, tv = 0;
        if (UseTexture) u = e.l + (e.r - e.l) * (cs / 2 + 0.5f), tv = e.t + (e.b - e.t) * (sn / 2 + 0.5f);
        Place(v, cx + Radius * cs, cy + Radius * sn, color, u, tv);
    };
    if (!Filled) {
        // 0, step, ... 360: the last point lies on the first and closes the outline.
        for (int32_t i = 0; i < rimPoints; ++i) rim(circle_[static_cast<size_t>(i)], i * step);
        DrawScreenPrimitive(platform::kNoSurface, PrimitiveType::LineStrip, rimPoints - 1, circle_.data());
        return;
    }
    // The centre, then 1, 1 + step, ... 361 degrees round the rim: the fan closes on its first point.
    Place(circle_[0], cx, cy, color, (e.l + e.r) / 2, (e.t + e.b) / 2);
    for (int32_t i = 0; i < rimPoints; ++i) rim(circle_[static_cast<size_t>(i) + 1], 1 + i * step);
    DrawScreenPrimitive(tex, PrimitiveType::TriangleFan, rimPoints - 1, circle_.data());
}

}  // namespace plm
