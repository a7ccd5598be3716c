#include "maps/PrimitiveProcs.h"

#include "core/DrawProcs.h"
#include "core/EngineState.h"

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
