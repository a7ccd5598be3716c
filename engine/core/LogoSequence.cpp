#include "core/LogoSequence.h"

#include "core/Records.h"
#include "core/Texture.h"

namespace plm {

bool LogoFrame(Texture& texture, LogoSequence& seq, float cx, float cy, float delta) {
    if (seq.Phase > 4) return false;
    texture.Render(kLogoSlot, 0, 0, kLogoWidth, kLogoHeight, cx, cy, seq.Alpha, 0, 1, 1, false, 0, 0, 0, 1, 1, 0,
                   255, 255, 255, BlendSrcAlpha, BlendInvSrcAlpha);
    auto drawLight = [&] {
        // Multiplies the picture by (1 + light): black leaves it, white doubles it.
        texture.Render(kLogoSlot, kLightX, kLightY, kLightSize, kLightSize, seq.X, cy, 255, 0, kLightScale,
                       kLightScale, false, 0, 0, 0, 1, 1, 0, 255, 255, 255, BlendDestColor, BlendDestAlpha);
    };
    switch (seq.Phase) {
        case 1:
            seq.Alpha += delta * kFadeInRate;
            if (seq.Alpha > 255) {
                seq.Alpha = 255;
                seq.X = cx - kSweepHalfWidth;
                seq.Phase = 2;
            }
            break;
        case 2:
            drawLight();
            seq.X += delta * kSweepRate;
            if (seq.X > cx + kSweepHalfWidth) {
                seq.X = cx + kSweepHalfWidth;
                seq.Phase = 3;
            }
            break;
        case 3:
            drawLight();
            seq.X -= delta * kSweepRate;
            if (seq.X < cx - kSweepHalfWidth) seq.Phase = 4;
            break;
        default:
            seq.Alpha -= delta * kFadeOutRate;
            if (seq.Alpha < 0) {
                seq.Alpha = 0;
                seq.Phase = 5;
            }
            break;
    }
    return seq.Phase <= 4;
}

}  // namespace plm
