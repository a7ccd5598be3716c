#include "maps/PrimitiveProcs.h"

#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineState.h"
#include "core/VectorProcs.h"

namespace plm {

void BeginPrimitives() {
    platform::GraphicsDevice* d = State().D3DDevice.get();
    if (!d) return;
    d->SpriteEnd();
    ForgetBlend();
    d->SetTextureStageState(0, platform::TssAlphaOp, platform::TopModulate);
}

void EndPrimitives() {
    platform::GraphicsDevice* d = State().D3DDevice.get();
    if (!d) return;
    d->SetTextureStageState(0, platform::TssAlphaOp, platform::TopSelectArg1);
    d->SpriteBegin();
    ForgetBlend();
}

float FloorToPixel(float v) { return static_cast<float>(Int(v)); }

uint32_t ColorFromParts(float alpha, float red, float green, float blue) {
    return ColorFromFractions(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}

TexEdges SourceEdges(int32_t srcX, int32_t srcY, int32_t width, int32_t height, int32_t tw, int32_t th) {
    // The far edges are summed in 64 bits: a rectangle reaching past the 32-bit range still maps
    // where it points.
    const float w = static_cast<float>(tw), h = static_cast<float>(th);
    return {static_cast<float>(srcX) / w, static_cast<float>(srcY) / h, static_cast<float>(int64_t(srcX) + width) / w,
            static_cast<float>(int64_t(srcY) + height) / h};
}

bool TextureSize(platform::SurfaceId texture, int32_t& width, int32_t& height) {
    width = height = 0;
    platform::SurfaceDesc desc;
    const EngineState& s = State();
    if (!s.D3DDevice || !s.D3DDevice->GetSurfaceDesc(texture, desc)) return false;
    width = desc.width;
    height = desc.height;
    return width > 0 && height > 0;
}

void DrawScreenPrimitive(platform::SurfaceId texture, platform::PrimitiveType type, int32_t count,
                         const platform::ScreenVertex* vertices) {
    platform::GraphicsDevice* d = State().D3DDevice.get();
    if (!d) return;
    d->SetTexture(0, texture);
    d->SetVertexShader(platform::kScreenVertexFormat);
    d->DrawPrimitiveUP(type, count, vertices);
}

}  // namespace plm
