#include "core/DeviceProcs.h"

#include "core/EngineState.h"

namespace plm {

bool init_Device() { return false; }

void SetDefaultRenderStates() {
    State().BlendSrcCache = -1;
    State().BlendDestCache = -1;
}

void ReleaseTextures() {
    EngineState& s = State();
    for (TextureSlot& slot : s.Textures) {
        if (s.D3DDevice && slot.Object != platform::kNoSurface) s.D3DDevice->ReleaseSurface(slot.Object);
        slot.Object = platform::kNoSurface;
    }
    s.BackBuffer = platform::kNoSurface;
}

void ReleaseDirectX() { State().D3DDevice.reset(); }

void WarmUpFrames() {}

}  // namespace plm
