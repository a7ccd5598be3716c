// Particle benchmark on the software device, 800 x 600, Delta fixed at 60 frames a second:
//   trails     - 100 moving sprites, each trailing 100 live particles (emitter style 1, one
//                particle a frame), stepped and drawn by Sprite.Render;
//   explosions - 300 explosions running at once in one group (presets 1-94 in turn, each ended
//                one started again), stepped and drawn by RenderExplosions;
//   both       - the two together, as a busy game frame.
// Prints milliseconds per frame (best of three runs) and how many images each frame drew.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "BenchEngine.h"
#include "platform/software/SoftwareDevice.h"
#include "sprites/ExplosionPresets.h"
#include "sprites/ParticleSheet.h"
#include "sprites/Sprite.h"
#include "sprites/SpritePFX.h"

namespace {

namespace pf = plm::platform;

constexpr int kScreenW = 800, kScreenH = 600;
constexpr int kSprites = 100, kExplosions = 300;
constexpr float kDelta = 1000.0f / 60.0f;

// A 512 x 512 particle texture with a soft white dot in every image place the presets use.
pf::Image ParticleTexture() {
    pf::Image img;
    img.width = img.height = 512;
    img.pixels.assign(512 * 512, 0);
    auto dot = [&](plm::sheet::Rect r) {
        for (int y = 0; y < r.h; ++y)
            for (int x = 0; x < r.w; ++x) {
                const float d = std::hypot((x + 0.5f) / r.w - 0.5f, (y + 0.5f) / r.h - 0.5f) * 2;
                const uint32_t a = d >= 1 ? 0 : static_cast<uint32_t>(255 * (1 - d) * (1 - d));
                img.pixels[static_cast<size_t>((r.y + y) * 512 + r.x + x)] = (a << 24) | 0xFFFFFFu;
            }
    };
    for (plm::sheet::Rect r : {plm::sheet::kParticleGlow, plm::sheet::kParticleStar, plm::sheet::kParticleFlameUp,
                               plm::sheet::kParticleFlare, plm::sheet::kParticleSpark, plm::sheet::kParticleRing})
        dot(r);
    for (int i = 0; i < plm::sheet::kExplosionImages; ++i) {
        dot(plm::sheet::ExplosionImageLarge(i));
        dot(plm::sheet::ExplosionImageSmall(i));
    }
    return img;
}

struct Scene {
    std::shared_ptr<pf::GraphicsDevice> device;
    plm::Sprite sprite;
    plm::SpritePFX pfx;
    int nextStyle = 1;
};

void Setup(Scene& s) {
    s.device = plmbench::StartBenchEngine(kScreenW, kScreenH, kDelta);
    plm::EngineState& st = plm::State();
    st.Textures.resize(3);
    st.Textures(3).Object = s.device->CreateTextureFromImage(ParticleTexture());
    st.Textures(3).Loaded = true;
    st.Textures(1).Object = st.Textures(3).Object;  // the sprites show a glow too
    st.Textures(1).Loaded = true;
    s.sprite.Init(kSprites);
    s.pfx.Init(3, kExplosions, 1);
}

void StartTrails(Scene& s) {
    for (int i = 1; i <= kSprites; ++i) {
        s.sprite.Activate(i, plm::RandomNumber() * kScreenW, plm::RandomNumber() * kScreenH, 1, 67, 47, 0, 0, 20, 20,
                          false, true);
        // One particle a frame, alpha 100 fading 0.05 per ms: 120 frames of life, so all 100
        // slots are alive once the trail has filled.
        s.pfx.ParticleOn(i, 1, 0, 0, false, 1.0f, 100, 0, 0.5f, 0.1f, 1, 1, true, 0.5f, 0, 0, 0, 0, false, 255, 200,
                         120, plm::BlendSrcAlpha, plm::BlendOne);
    }
}

// Keeps every slot of the group running: each explosion that ended is started again.
void TopUpExplosions(Scene& s) {
    for (int slot = 1; slot <= kExplosions; ++slot) {
        if (plm::State().Explosions.ExplosionTable(slot).Running) continue;
        const float x = 50 + plm::RandomNumber() * (kScreenW - 100);
        const float y = 50 + plm::RandomNumber() * (kScreenH - 100);
        s.pfx.Explosion(s.nextStyle, x, y, 0.5f, 1.0f, 0, 1, -1, -1, -1, plm::BlendSrcAlpha, plm::BlendOne);
        s.nextStyle = s.nextStyle % plm::kExplosionPresets + 1;
    }
}

void MoveSprites(Scene& s, int frame) {
    for (int i = 1; i <= kSprites; ++i) {
        const float a = static_cast<float>(i * 37 + frame);
        s.sprite.AddToPosWrap(i, std::sin(a * 0.01f) * 2, std::cos(a * 0.013f) * 2, 0, 0, kScreenW, kScreenH, false);
    }
}

void Frame(Scene& s, bool trails, bool explosions, int frame) {
    pf::GraphicsDevice& d = *s.device;
    d.Clear(pf::ClearTarget, 0xFF000000u, 1, 0);
    d.BeginScene();
    d.SpriteBegin();
    plm::ForgetBlend();
    if (explosions) {
        TopUpExplosions(s);
        s.pfx.RenderExplosions(1);
    }
    if (trails) {
        MoveSprites(s, frame);
        s.sprite.Render();
    }
    d.SpriteEnd();
    d.EndScene();
}

size_t CountImages(bool trails, bool explosions) {
    size_t n = 0;
    if (trails)
        for (int i = 1; i <= kSprites; ++i)
            for (int k = 1; k <= 100; ++k) n += plm::State().SpriteTable(i).Particle[static_cast<size_t>(k)].Alpha > 0;
    if (explosions)
        for (int slot = 1; slot <= kExplosions; ++slot) {
            const plm::ExplosionRecord& r = plm::State().Explosions.ExplosionTable(slot);
            if (!r.Running) continue;
            for (int k = 1; k <= static_cast<int>(r.NodeCount); ++k)
                n += r.Nodes[static_cast<size_t>(k)].Alive && r.Nodes[static_cast<size_t>(k)].StartDelay <= 0;
        }
    return n;
}

double Run(const char* name, bool trails, bool explosions) {
    Scene s;
    Setup(s);
    if (trails) StartTrails(s);
    int frame = 0;
    for (; frame < 150; ++frame) Frame(s, trails, explosions, frame);  // fill trails, mix the explosions
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        constexpr int kFrames = 60;
        for (int f = 0; f < kFrames; ++f) Frame(s, trails, explosions, frame++);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, ms / kFrames);
    }
    std::printf("%-11s %8.2f ms/frame  %6zu images a frame\n", name, best, CountImages(trails, explosions));
    return best;
}

}  // namespace

int main() {
    std::printf("particles on the software device, %d x %d\n", kScreenW, kScreenH);
    Run("trails", true, false);
    Run("explosions", false, true);
    Run("both", true, true);
    return 0;
}
