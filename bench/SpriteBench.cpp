// Sprite benchmark: moving, rotating, alpha-blended 32 x 32 sprites on an 800 x 600 frame.
//
// For 1 000 and 10 000 sprites it times one frame four ways and prints them side by side, each the
// median of the timed frames after a few untimed ones; all draw point-sampled (the device's and
// SDL's default filter):
//   table    - the sprite table: moves and turns through Sprite members, drawn by Sprite.Render
//              on the software device;
//   direct   - the same draws made straight through the software device's sprite batch, from a
//              plain array (the table's overhead is table / direct);
//   sdl-soft - SDL2's software renderer drawing the same sprites (SDL_RenderCopyExF);
//   sdl-gl   - SDL2's OpenGL renderer (on a display when DISPLAY names one, else offscreen).
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "SdlBench.h"
#include "core/Convert.h"
#include "core/DrawProcs.h"
#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "platform/software/SoftwareDevice.h"
#include "sprites/Sprite.h"

namespace {

namespace pf = plm::platform;

constexpr int kScreenW = 800, kScreenH = 600, kFrame = 32;

// A round, soft-edged 32 x 32 image in the first frame of a 64 x 64 texture.
pf::Image SpriteImage() {
    pf::Image img;
    img.width = img.height = 64;
    img.pixels.assign(64 * 64, 0);
    for (int y = 0; y < kFrame; ++y)
        for (int x = 0; x < kFrame; ++x) {
            float d = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
            uint32_t a = d >= 1 ? 0 : static_cast<uint32_t>(255 * (1 - d * d));
            img.pixels[static_cast<size_t>(y * 64 + x)] = (a << 24) | (uint32_t(40 + x * 6) << 16) | (uint32_t(200 - y * 4) << 8) | 180u;
        }
    return img;
}

// One sprite's motion, the same for every path.
struct Mover {
    float x, y, dx, dy, rotate, spin;
};

std::vector<Mover> MakeMovers(int n) {
    plm::RandomizeSeed(7);
    std::vector<Mover> m(static_cast<size_t>(n));
    for (Mover& v : m) {
        v.x = plm::RandomNumber() * kScreenW;
        v.y = plm::RandomNumber() * kScreenH;
        v.dx = plm::RandomNumber() * 4 - 2;
        v.dy = plm::RandomNumber() * 4 - 2;
        v.rotate = plm::RandomNumber() * 360;
        v.spin = plm::RandomNumber() * 6 - 3;
    }
    return m;
}

float Wrap(float v, float hi) { return v < 0 ? hi : (v > hi ? 0 : v); }

void Step(Mover& v) {
    v.x = Wrap(v.x + v.dx, kScreenW);
    v.y = Wrap(v.y + v.dy, kScreenH);
    v.rotate = std::fmod(v.rotate + v.spin + 360.0f, 360.0f);
}

// Milliseconds per frame: the median of `frames` frames after three untimed ones.
double TimeFrames(int frames, const std::function<void()>& frame) {
    for (int f = 0; f < 3; ++f) frame();
    std::vector<double> ms;
    for (int f = 0; f < frames; ++f) {
        double t0 = plmbench::NowMs();
        frame();
        ms.push_back(plmbench::NowMs() - t0);
    }
    return plmbench::Median(ms);
}

struct EngineScene {
    std::shared_ptr<pf::GraphicsDevice> device;
    pf::SurfaceId texture = pf::kNoSurface;
};

EngineScene MakeEngineScene() {
    plm::ResetState();
    plm::BuildAngleTables();
    pf::DeviceSettings settings;
    settings.width = kScreenW;
    settings.height = kScreenH;
    EngineScene s;
    s.device = pf::CreateSoftwareDevice(settings);
    s.texture = s.device->CreateTextureFromImage(SpriteImage());
    plm::EngineState& st = plm::State();
    st.D3DDevice = s.device;
    st.Textures.resize(1);
    st.Textures(1).Object = s.texture;
    st.Textures(1).Loaded = true;  // Sprite.Render draws only from loaded slots
    return s;
}

void BeginFrame(pf::GraphicsDevice& d) {
    d.Clear(pf::ClearTarget, 0xFF000000u, 1, 0);
    d.BeginScene();
    d.SpriteBegin();
    plm::ForgetBlend();
}

// Presenting runs the frame's queued draws, so each timed frame holds its own drawing.
void EndFrame(pf::GraphicsDevice& d) {
    d.SpriteEnd();
    d.EndScene();
    d.Present();
}

// The table's frames and the direct draws' frames take turns on one device, so a busy machine
// slows both alike and the ratio between them holds; each is the median of `frames` frames
// after three untimed ones.
void TableAndDirectMs(int n, int frames, double& tableMs, double& directMs) {
    EngineScene scene = MakeEngineScene();
    std::vector<Mover> movers = MakeMovers(n);
    plm::Sprite sprite;
    sprite.Init(n);
    for (int s = 1; s <= n; ++s) {
        const Mover& v = movers[static_cast<size_t>(s - 1)];
        sprite.Activate(s, v.x, v.y, 1, 0, 0, 0, 0, kFrame, kFrame, false, true);
        sprite.Alpha(s, 160);
        sprite.Rotate(s, v.rotate);
    }
    auto table = [&] {
        for (int s = 1; s <= n; ++s) {
            const Mover& v = movers[static_cast<size_t>(s - 1)];
            sprite.AddToPosWrap(s, v.dx, v.dy, 0, 0, kScreenW, kScreenH, false);
            sprite.Rotate(s, std::fmod(sprite.Rotate(s) + v.spin + 360.0f, 360.0f));
        }
        BeginFrame(*scene.device);
        sprite.Render();
        EndFrame(*scene.device);
    };
    std::vector<Mover> direct = MakeMovers(n);
    const pf::Rect src{0, 0, kFrame, kFrame};
    const uint32_t color = plm::MakeColorARGB(160, 255, 255, 255);
    auto straight = [&] {
        for (Mover& v : direct) Step(v);
        BeginFrame(*scene.device);
        plm::SetBlend(plm::BlendSrcAlpha, plm::BlendInvSrcAlpha);
        for (const Mover& v : direct) {
            pf::Vec2 at{static_cast<float>(plm::Int(v.x - kFrame / 2)), static_cast<float>(plm::Int(v.y - kFrame / 2))};
            scene.device->SpriteDraw(scene.texture, &src, {1, 1}, {kFrame / 2, kFrame / 2}, plm::DegreeToRad(v.rotate),
                                     at, color);
        }
        EndFrame(*scene.device);
    };
    std::vector<double> tableTimes, directTimes;
    for (int f = 0; f < 3 + frames; ++f) {
        double t0 = plmbench::NowMs();
        table();
        double t1 = plmbench::NowMs();
        straight();
        double t2 = plmbench::NowMs();
        if (f >= 3) tableTimes.push_back(t1 - t0), directTimes.push_back(t2 - t1);
    }
    tableMs = plmbench::Median(tableTimes);
    directMs = plmbench::Median(directTimes);
}

// SDL2's own renderer (software, or OpenGL on a window) drawing the same sprites.
double SdlFrameMs(SDL_Renderer* r, int n, int frames) {
    pf::Image img = SpriteImage();
    SDL_Surface* surf = SDL_CreateRGBSurfaceWithFormatFrom(img.pixels.data(), img.width, img.height, 32,
                                                           img.width * 4, SDL_PIXELFORMAT_ARGB8888);
    SDL_Texture* tex = SDL_CreateTextureFromSurface(r, surf);
    SDL_FreeSurface(surf);
    if (!tex) return -1;
    SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(tex, 160);
    std::vector<Mover> movers = MakeMovers(n);
    const SDL_Rect src{0, 0, kFrame, kFrame};
    const SDL_FPoint centre{kFrame / 2, kFrame / 2};
    double ms = TimeFrames(frames, [&] {
        for (Mover& v : movers) Step(v);
        SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
        SDL_RenderClear(r);
        for (const Mover& v : movers) {
            SDL_FRect dst{std::floor(v.x - kFrame / 2), std::floor(v.y - kFrame / 2), kFrame, kFrame};
            SDL_RenderCopyExF(r, tex, &src, &dst, v.rotate, &centre, SDL_FLIP_NONE);
        }
        plmbench::FinishSdlFrame(r);
    });
    SDL_DestroyTexture(tex);
    return ms;
}

double SdlSoftwareFrameMs(int n, int frames) {
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* r = target ? SDL_CreateSoftwareRenderer(target) : nullptr;
    double ms = r ? SdlFrameMs(r, n, frames) : -1;
    if (r) SDL_DestroyRenderer(r);
    if (target) SDL_FreeSurface(target);
    return ms;
}

double SdlOpenGlFrameMs(int n, int frames) {
    plmbench::SdlOpenGl gl(kScreenW, kScreenH);
    return gl.Renderer() ? SdlFrameMs(gl.Renderer(), n, frames) : -1;
}

void PrintMs(const char* name, double ms) {
    if (ms < 0)
        std::printf("  %-9s   (not available here)\n", name);
    else
        std::printf("  %-9s %9.3f ms/frame\n", name, ms);
}

}  // namespace

int main() {
    std::printf("Sprites: moving, rotating, alpha-blended, 32 x 32, on 800 x 600\n");
    for (int n : {1000, 10000}) {
        const int frames = 30;
        std::printf("%d sprites\n", n);
        double table = 0, direct = 0;
        TableAndDirectMs(n, frames, table, direct);
        PrintMs("table", table);
        PrintMs("direct", direct);
        std::printf("  table / direct = %.3f\n", table / direct);
        PrintMs("sdl-soft", SdlSoftwareFrameMs(n, frames));
        PrintMs("sdl-gl", SdlOpenGlFrameMs(n, frames));
    }
    plm::ResetState();
    return 0;
}
