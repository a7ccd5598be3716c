#include "maps/PolySprite.h"

#include <string>

#include "core/DrawProcs.h"
#include "core/EngineLog.h"
#include "core/EngineState.h"
#include "core/TextureProcs.h"
#include "core/VectorProcs.h"
#include "maps/PrimitiveProcs.h"

namespace plm {

namespace {

// A table row is small, but a wrong total must not try to allocate gigabytes.
constexpr int32_t kMaxQuads = 65536;

bool IsCorner(int32_t quad) { return quad >= 1 && quad <= 4; }
size_t Corner(int32_t quad) { return static_cast<size_t>(quad - 1); }

// The point at (s, t) of the quad whose corner vertices are c: s runs from corner 1 towards
// corner 2 (and 3 towards 4), t from the first of those edges to the second. Positions and
// texture coordinates are interpolated alike; positions are not rounded.
platform::ScreenVertex GridPoint(const std::array<platform::ScreenVertex, 4>& c, float s, float t) {
    auto pos = [](const platform::ScreenVertex& v) { return Vec3{v.x, v.y, v.z}; };
    auto uv = [](const platform::ScreenVertex& v) { return Vec2{v.tu, v.tv}; };
    const Vec3 p = Vec3Lerp(Vec3Lerp(pos(c[0]), pos(c[1]), s), Vec3Lerp(pos(c[2]), pos(c[3]), s), t);
    const Vec2 q = Vec2Lerp(Vec2Lerp(uv(c[0]), uv(c[1]), s), Vec2Lerp(uv(c[2]), uv(c[3]), s), t);
    platform::ScreenVertex v;
    v.x = p.x, v.y = p.y, v.z = p.z, v.rhw = 1.0f;
    v.diffuse = c[0].diffuse;
    v.tu = q.x, v.tv = q.y;
    return v;
}

}  // namespace

void PolySprite::Init(int32_t Total) {
    if (Total > kMaxQuads) {
        WriteLog("Total passed to PolySprite.Init not between 1-" + std::to_string(kMaxQuads) + ".");
        return;
    }
    total_ = Total < 1 ? 1 : Total;
    quads_.resize(total_);  // fresh rows: opaque white, disabled, source alpha / inverse source alpha
}

void PolySprite::AddToPos(int32_t Index, float XDir, float YDir, bool WithDelta) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r) return;
    const float f = WithDelta ? State().Delta : 1.0f;
    for (size_t q = 0; q < 4; ++q) {
        r->X[q] += XDir * f;
        r->DrawXY[q].x = FloorToPixel(r->X[q]);
        r->Y[q] += YDir * f;
        r->DrawXY[q].y = FloorToPixel(r->Y[q]);
    }
}

float PolySprite::data(int32_t Index, int32_t id) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return (r && id >= 1 && id <= 10) ? r->Data[static_cast<size_t>(id - 1)] : 0;
}

void PolySprite::data(int32_t Index, int32_t id, float value) {
    PolySpriteRecord* r = quads_.find(Index);
    if (r && id >= 1 && id <= 10) r->Data[static_cast<size_t>(id - 1)] = value;
}

float PolySprite::Alpha(int32_t Index) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return r ? r->Alpha : 0;
}

void PolySprite::Alpha(int32_t Index, float value) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r) return;
    r->Alpha = value;
    r->Color = ColorFromParts(r->Alpha, r->Red, r->Green, r->Blue);
}

int32_t PolySprite::PolyQuality(int32_t Index) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return r ? r->PolyQuality : 0;
}

void PolySprite::PolyQuality(int32_t Index, int32_t value) {
    if (PolySpriteRecord* r = quads_.find(Index)) r->PolyQuality = value;
}

bool PolySprite::Enabled(int32_t Index) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return r && r->Enabled;
}

void PolySprite::Enabled(int32_t Index, bool value) {
    if (PolySpriteRecord* r = quads_.find(Index)) r->Enabled = value;
}

void PolySprite::SetRenderState(int32_t Index, int32_t SrcMode, int32_t DstMode) {
    if (PolySpriteRecord* r = quads_.find(Index)) r->SrcMode = SrcMode, r->DstMode = DstMode;
}

void PolySprite::SetRGB(int32_t Index, float Red, float Green, float Blue) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r) return;
    r->Red = Red, r->Green = Green, r->Blue = Blue;
    r->Color = ColorFromParts(r->Alpha, r->Red, r->Green, r->Blue);
}

float PolySprite::X(int32_t Index, int32_t Quad) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return (r && IsCorner(Quad)) ? r->X[Corner(Quad)] : 0;
}

void PolySprite::X(int32_t Index, int32_t Quad, float value) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r || !IsCorner(Quad)) return;
    r->X[Corner(Quad)] = value;
    r->DrawXY[Corner(Quad)].x = FloorToPixel(value);
}

float PolySprite::Y(int32_t Index, int32_t Quad) const {
    const PolySpriteRecord* r = quads_.find(Index);
    return (r && IsCorner(Quad)) ? r->Y[Corner(Quad)] : 0;
}

void PolySprite::Y(int32_t Index, int32_t Quad, float value) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r || !IsCorner(Quad)) return;
    r->Y[Corner(Quad)] = value;
    r->DrawXY[Corner(Quad)].y = FloorToPixel(value);
}

void PolySprite::SetXY(int32_t Index, int32_t Quad, float XPos, float Ypos) {
    X(Index, Quad, XPos);
    Y(Index, Quad, Ypos);
}

void PolySprite::SetTexture(int32_t Index, int32_t SrcTexture, int32_t SrcX, int32_t SrcY, int32_t Width,
                            int32_t Height, int32_t PolyQuality, bool Enabled) {
    PolySpriteRecord* r = quads_.find(Index);
    if (!r) return;
    r->Texture = SrcTexture;
    r->SrcX = SrcX, r->SrcY = SrcY, r->Width = Width, r->Height = Height;
    r->PolyQuality = PolyQuality;
    r->Enabled = Enabled;
}

void PolySprite::Render(int32_t Index) {
    const PolySpriteRecord* r = quads_.find(Index);
    if (!r || !r->Enabled || !State().D3DDevice) return;
    BeginPrimitives();
    DrawRecord(*r);
    EndPrimitives();
}

void PolySprite::RenderAll() {
    if (!State().D3DDevice) return;
    BeginPrimitives();
    for (const PolySpriteRecord& r : quads_)
        if (r.Enabled) DrawRecord(r);
    EndPrimitives();
}

void PolySprite::RenderQuad(int32_t TextureIndex, int32_t TextureSrcX, int32_t TextureSrcY, int32_t TextureWidth,
                            int32_t TextureHeight, float x1, float y1, float x2, float Y2, float X3, float Y3,
                            float X4, float Y4, float Alpha, float R, float G, float B, int32_t PolyQuality,
                            int32_t SourceMode, int32_t DestinationMode) {
    if (!State().D3DDevice) return;
    quadXY_ = {Vec2{FloorToPixel(x1), FloorToPixel(y1)}, Vec2{FloorToPixel(x2), FloorToPixel(Y2)}, Vec2{FloorToPixel(X3), FloorToPixel(Y3)},
               Vec2{FloorToPixel(X4), FloorToPixel(Y4)}};
    BeginPrimitives();
    DrawQuad(TextureIndex, TextureSrcX, TextureSrcY, TextureWidth, TextureHeight, quadXY_, ColorFromParts(Alpha, R, G, B),
             PolyQuality, SourceMode, DestinationMode);
    EndPrimitives();
}

void PolySprite::DrawRecord(const PolySpriteRecord& r) {
    DrawQuad(r.Texture, r.SrcX, r.SrcY, r.Width, r.Height, r.DrawXY, r.Color, r.PolyQuality, r.SrcMode, r.DstMode);
}

void PolySprite::DrawQuad(int32_t texture, int32_t srcX, int32_t srcY, int32_t width, int32_t height,
                          const std::array<platform::Vec2, 4>& corners, uint32_t color, int32_t quality,
                          int32_t srcMode, int32_t dstMode) {
    const platform::SurfaceId tex = TextureDrawSource(texture);
    int32_t tw = 0, th = 0;
    if (tex == platform::kNoSurface || !TextureSize(tex, tw, th)) return;
    SetBlend(srcMode, dstMode);
    platform::GraphicsDevice& d = *State().D3DDevice;
    d.SetTexture(0, tex);
    d.SetVertexShader(platform::kScreenVertexFormat);
    const TexEdges e = SourceEdges(srcX, srcY, width, height, tw, th);
    const float uv[4][2] = {{e.l, e.t}, {e.r, e.t}, {e.l, e.b}, {e.r, e.b}};
    for (size_t i = 0; i < 4; ++i) {
        platform::ScreenVertex& v = corner_[i];
        v.x = corners[i].x, v.y = corners[i].y, v.z = 0, v.rhw = 1.0f;
        v.diffuse = color;
        v.tu = uv[i][0], v.tv = uv[i][1];
    }
    RenderQuadGrid(quality);
}

void PolySprite::RenderQuadGrid(int32_t quality) {
    platform::GraphicsDevice& d = *State().D3DDevice;
    const float q = static_cast<float>(quality);
    for (int32_t i = 0; i < quality; ++i) {
        const float s0 = static_cast<float>(i) / q, s1 = static_cast<float>(i + 1) / q;
        for (int32_t j = 0; j < quality; ++j) {
            const float t0 = static_cast<float>(j) / q, t1 = static_cast<float>(j + 1) / q;
            cell_[0] = GridPoint(corner_, s0, t0);
            cell_[1] = GridPoint(corner_, s1, t0);
            cell_[2] = GridPoint(corner_, s0, t1);
            cell_[3] = GridPoint(corner_, s1, t1);
            d.DrawPrimitiveUP(platform::PrimitiveType::TriangleStrip, 2, cell_.data());
        }
    }
}

}  // namespace plm
