// pfxsheet OUT.png PLMRES1.png [FIRST LAST [SIZE]]
//
// Renders the explosion presets FIRST..LAST (all 94 by default) on the software device: one row
// of three cells per preset, the burst 120, 450 and 900 ms after it started, drawn as the game
// draws its bursts (additive: source alpha over one) on a dark ground, with the style number.
// SIZE (default 1) is the size scale the bursts are started with.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/ImageCodec.h"
#include "platform/software/SoftwareDevice.h"
#include "sprites/ExplosionPresets.h"
#include "sprites/SpritePFX.h"

namespace {

namespace pf = plm::platform;

constexpr int kCell = 150;            // pixels of one moment
constexpr int kPerRow = 4;            // presets side by side
constexpr float kFrameMs = 1000.0f / 60.0f;
constexpr float kMoments[3] = {120, 450, 900};

// Steps a fresh preset `style` at (x, y) for `ms` without drawing, then draws one frame.
void DrawMoment(plm::SpritePFX& pfx, const std::shared_ptr<pf::GraphicsDevice>& device, int style, float size,
                float x, float y, float ms) {
    plm::EngineState& st = plm::State();
    pfx.Init(1, 1, 1);
    plm::RandomizeSeed(style * 7 + 1);
    pfx.Explosion(style, x, y, size, 1.0f, 0, 1, -1, -1, -1, plm::BlendSrcAlpha, plm::BlendOne);
    st.D3DDevice = nullptr;  // stepped, not drawn
    st.Delta = kFrameMs;
    for (float t = kFrameMs; t < ms; t += kFrameMs) pfx.RenderExplosions(1);
    st.D3DDevice = device;
    plm::ForgetBlend();
    pfx.RenderExplosions(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pfxsheet OUT.png PLMRES1.png [FIRST LAST [SIZE]]\n");
        return 2;
    }
    const int first = argc > 4 ? std::atoi(argv[3]) : 1;
    const int last = argc > 4 ? std::atoi(argv[4]) : plm::kExplosionPresets;
    const float size = argc > 5 ? static_cast<float>(std::atof(argv[5])) : 1.0f;
    if (first < 1 || last > plm::kExplosionPresets || first > last || !(size > 0 && size <= 8)) {
        std::fprintf(stderr, "pfxsheet: presets run from 1 to %d, sizes above 0 up to 8\n", plm::kExplosionPresets);
        return 2;
    }
    pf::Image res;
    std::string error;
    if (!pf::LoadImageFile(argv[2], res, error)) {
        std::fprintf(stderr, "pfxsheet: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    const int count = last - first + 1;
    const int rows = (count + kPerRow - 1) / kPerRow;
    pf::DeviceSettings settings;
    settings.width = kPerRow * 3 * kCell;
    settings.height = rows * kCell;
    plm::ResetState();
    plm::BuildAngleTables();
    std::shared_ptr<pf::GraphicsDevice> device = pf::CreateSoftwareDevice(settings);
    plm::EngineState& st = plm::State();
    st.D3DDevice = device;
    st.Textures.resize(1);
    st.Textures(1).Object = device->CreateTextureFromImage(res);
    st.Textures(1).Loaded = true;
    st.Textures(1).Width = res.width;
    st.Textures(1).Height = res.height;

    device->Clear(pf::ClearTarget, 0xFF0C1024u, 1, 0);
    device->BeginScene();
    plm::SpritePFX pfx;
    const pf::FontSpec font{"DejaVu Sans", 9, true, false};
    for (int style = first; style <= last; ++style) {
        const int k = style - first;
        const int cx = (k % kPerRow) * 3 * kCell, cy = (k / kPerRow) * kCell;
        for (int m = 0; m < 3; ++m) {
            const int x0 = cx + m * kCell;
            device->SpriteBegin();
            DrawMoment(pfx, device, style, size, static_cast<float>(x0 + kCell / 2),
                       static_cast<float>(cy + kCell / 2), kMoments[m]);
            device->SpriteEnd();
        }
        device->DrawText(font, std::to_string(style), pf::Rect{cx + 3, cy + 2, cx + 60, cy + 16}, pf::TextLeft,
                         0xFFB0B8D0u);
    }
    device->EndScene();
    pf::Image out;
    if (!device->ReadPixels(device->GetBackBuffer(), out) ||
        !pf::SaveImageFile(argv[1], out, pf::ImageFormat::Png, error)) {
        std::fprintf(stderr, "pfxsheet: cannot write %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::printf("%s: presets %d-%d, %d x %d\n", argv[1], first, last, out.width, out.height);
    return 0;
}
