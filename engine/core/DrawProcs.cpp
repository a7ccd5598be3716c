#include "core/DrawProcs.h"

#include "core/Convert.h"
#include "core/EngineProcs.h"
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

uint32_t DrawColor(float alpha, float red, float green, float blue) {
    auto whole = [](float v) { return static_cast<float>(Int(v)); };
    return MakeColorARGB(whole(alpha), whole(red), whole(green), whole(blue));
}

float DegreeToRad(float degrees) {
    const EngineState& s = State();
    int32_t i = Int(degrees);
    const int32_t last = static_cast<int32_t>(s.DegreeToRadTable.size()) - 1;
    if (i < 0 || i > last) i = ModPositive(i, 360);
    return s.DegreeToRadTable[static_cast<size_t>(i)];
}

}  // namespace plm
