#include "core/DrawProcs.h"

#include "core/Convert.h"
#include "core/EngineState.h"

namespace plm {

void SetBlend(int32_t src, int32_t dest) {
    EngineState& s = State();
    if (src != s.BlendSrcCache) {
        s.BlendSrcCache = src;
        if (s.D3DDevice) s.D3DDevice->SetRenderState(platform::RsSrcBlend, src);
    }
    if (dest != s.BlendDestCache) {
        s.BlendDestCache = dest;
        if (s.D3DDevice) s.D3DDevice->SetRenderState(platform::RsDestBlend, dest);
    }
}

void ForgetBlend() {
    State().BlendSrcCache = -1;
    State().BlendDestCache = -1;
}

float DegreeToRad(float degrees) {
    const EngineState& s = State();
    int32_t i = Int(degrees);
    const int32_t last = static_cast<int32_t>(s.DegreeToRadTable.size()) - 1;
    if (i < 0 || i > last) i = ModPositive(i, 360);
    return s.DegreeToRadTable[static_cast<size_t>(i)];
}

}  // namespace plm
