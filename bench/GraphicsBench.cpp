// The software drawing device against two ceilings:
//  1. clear + present of 800 x 600 frames per second, beside a plain memcpy of the same bytes;
//  2. the sprite batch: N rotated, tinted, alpha-blended 32 x 32 draws into 800 x 600 per frame,
//     and the same scene through SDL2's software renderer (SDL_RenderCopyEx into a surface) and
//     its OpenGL renderer (the offscreen video driver; Mesa on the CPU here), skipped when SDL
//     cannot make that renderer.
// Run by hand: bin/plm_bench_graphics [frames]
#include <SDL.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/SoftwareDevice.h"

namespace pp = plm::platform;

namespace {

constexpr int kW = 800, kH = 600, kSprite = 32;

double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A soft disc with a ring, alpha falling to 0 at the edge.
std::vector<uint32_t> SpriteImage() {
    std::vector<uint32_t> px(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            double dx = x + 0.5 - kSprite / 2.0, dy = y + 0.5 - kSprite / 2.0;
            double r = std::sqrt(dx * dx + dy * dy) / (kSprite / 2.0);
            uint32_t a = r >= 1 ? 0 : uint32_t(255 * (1 - r * r));
            uint32_t c = (x / 4 + y / 4) % 2 ? 0xFFE0A0 : 0x80C0FF;
            px[size_t(y) * kSprite + x] = (a << 24) | c;
        }
    return px;
}

struct SpriteSpec {
    float x, y, angle;
    uint8_t r, g, b, a;
};

std::vector<SpriteSpec> Scene(int n) {
    std::vector<SpriteSpec> s(static_cast<size_t>(n));
    uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
    for (auto& sp : s) {
        sp.x = float(next() % (kW - kSprite));
        sp.y = float(next() % (kH - kSprite));
        sp.angle = float(next() % 3600) / 10.0f;
        sp.r = uint8_t(128 + next() % 128), sp.g = uint8_t(128 + next() % 128), sp.b = uint8_t(128 + next() % 128);
        sp.a = uint8_t(160 + next() % 96);
    }
    return s;
}

void ClearPresent(int frames) {
    pp::DeviceSettings s;
    s.width = kW, s.height = kH;
    pp::SoftwareDevice dev(s);
    double t0 = Now();
    for (int f = 0; f < frames; ++f) {
        dev.Clear(pp::ClearTarget, 0xFF000000u | uint32_t(f), 1, 0);
        dev.Present();
    }
    double ours = frames / (Now() - t0);
    std::vector<uint32_t> a(size_t(kW) * kH, 1), b(size_t(kW) * kH);
    t0 = Now();
    for (int f = 0; f < frames; ++f) {
        a[size_t(f) % a.size()] = uint32_t(f);
        std::memcpy(b.data(), a.data(), a.size() * 4);
    }
    double mem = frames / (Now() - t0);
    std::printf("clear + present 800x600: %.0f frames/s; memcpy of the frame: %.0f /s; ratio %.2f\n", ours, mem,
                ours / mem);
    if (b[0] == 12345) std::printf(" ");
}

double OurFrameMs(const std::vector<SpriteSpec>& scene, int frames, int threads) {
    pp::DeviceSettings s;
    s.width = kW, s.height = kH;
    pp::SoftwareDevice dev(s);
    if (threads > 0) dev.SetThreads(threads);
    pp::SurfaceId tex = dev.CreateTextureFromImage(pp::Image{kSprite, kSprite, SpriteImage()});
    dev.SetRenderState(pp::RsAlphaBlendEnable, 1);
    dev.SetTextureStageState(0, pp::TssMagFilter, pp::FilterLinear);
    dev.SetTextureStageState(0, pp::TssMinFilter, pp::FilterLinear);
    double t0 = Now();
    for (int f = 0; f < frames; ++f) {
        dev.Clear(pp::ClearTarget, 0xFF203040, 1, 0);
        dev.BeginScene();
        dev.SpriteBegin();
        for (const auto& sp : scene) {
            uint32_t color = uint32_t(sp.a) << 24 | uint32_t(sp.r) << 16 | uint32_t(sp.g) << 8 | sp.b;
            dev.SpriteDraw(tex, nullptr, {1, 1}, {16, 16}, sp.angle * 3.14159265f / 180.0f, {sp.x, sp.y}, color);
        }
        dev.SpriteEnd();
        dev.EndScene();
        dev.Present();
    }
    return (Now() - t0) * 1000.0 / frames;
}

SDL_Texture* SdlTexture(SDL_Renderer* r) {
    auto px = SpriteImage();
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kSprite, kSprite);
    if (!t) return nullptr;
    SDL_UpdateTexture(t, nullptr, px.data(), kSprite * 4);
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return t;
}

void SdlFrame(SDL_Renderer* r, SDL_Texture* t, const std::vector<SpriteSpec>& scene) {
    SDL_SetRenderDrawColor(r, 0x20, 0x30, 0x40, 0xFF);
    SDL_RenderClear(r);
    for (const auto& sp : scene) {
        SDL_SetTextureColorMod(t, sp.r, sp.g, sp.b);
        SDL_SetTextureAlphaMod(t, sp.a);
        SDL_FRect dst{sp.x, sp.y, float(kSprite), float(kSprite)};
        // SDL turns clockwise for a positive angle; ours turns counter-clockwise: same scene.
        SDL_RenderCopyExF(r, t, nullptr, &dst, -double(sp.angle), nullptr, SDL_FLIP_NONE);
    }
}

double SdlSoftwareFrameMs(const std::vector<SpriteSpec>& scene, int frames) {
    SDL_Surface* surf = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* r = surf ? SDL_CreateSoftwareRenderer(surf) : nullptr;
    SDL_Texture* t = r ? SdlTexture(r) : nullptr;
    double ms = -1;
    if (t) {
        double t0 = Now();
        for (int f = 0; f < frames; ++f) {
            SdlFrame(r, t, scene);
            SDL_RenderPresent(r);
        }
        ms = (Now() - t0) * 1000.0 / frames;
    }
    if (t) SDL_DestroyTexture(t);
    if (r) SDL_DestroyRenderer(r);
    if (surf) SDL_FreeSurface(surf);
    return ms;
}

double SdlOpenGlFrameMs(const std::vector<SpriteSpec>& scene, int frames, std::string& why) {
    SDL_Window* w = SDL_CreateWindow("bench", 0, 0, kW, kH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!w) {
        why = SDL_GetError();
        return -1;
    }
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_Renderer* r = SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED);
    if (!r) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengles2");
        r = SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED);
    }
    SDL_RendererInfo info{};
    if (!r || SDL_GetRendererInfo(r, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) {
        why = r ? std::string("renderer is ") + info.name : SDL_GetError();
        if (r) SDL_DestroyRenderer(r);
        SDL_DestroyWindow(w);
        return -1;
    }
    why = info.name;
    SDL_Texture* t = SdlTexture(r);
    uint32_t pixel = 0;
    SDL_Rect one{0, 0, 1, 1};
    // Reading a pixel back makes every frame finish before the clock is read.
    SdlFrame(r, t, scene);
    SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    double t0 = Now();
    for (int f = 0; f < frames; ++f) {
        SdlFrame(r, t, scene);
        SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
        SDL_RenderPresent(r);
    }
    double ms = (Now() - t0) * 1000.0 / frames;
    SDL_DestroyTexture(t);
    SDL_DestroyRenderer(r);
    SDL_DestroyWindow(w);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    ClearPresent(std::max(frames * 10, 300));

    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    bool video = SDL_Init(SDL_INIT_VIDEO) == 0;
    std::printf("sprite batch, 32x32 rotated tinted alpha-blended draws into 800x600, ms per frame:\n");
    pp::SoftwareDevice probe(pp::DeviceSettings{});
    std::printf("(ours: %d threads; ours/1: one thread)\n", probe.Threads());
    std::printf("%7s %10s %10s %14s %12s %14s %12s\n", "N", "ours/1", "ours", "SDL software", "ratio", "SDL OpenGL",
                "ratio");
    for (int n : {100, 1000, 10000}) {
        auto scene = Scene(n);
        int f = n >= 10000 ? std::max(3, frames / 3) : frames;
        double single = OurFrameMs(scene, f, 1);
        double ours = OurFrameMs(scene, f, 0);
        double sw = SdlSoftwareFrameMs(scene, f);
        std::string why;
        double gl = video ? SdlOpenGlFrameMs(scene, f, why) : -1;
        std::printf("%7d %10.2f %10.2f %14.2f %11.2fx", n, single, ours, sw, sw > 0 ? sw / ours : 0.0);
        if (gl > 0)
            std::printf(" %14.2f %11.2fx  (%s)\n", gl, gl / ours, why.c_str());
        else
            std::printf(" %14s %12s  (OpenGL renderer unavailable: %s)\n", "-", "-", video ? why.c_str() : SDL_GetError());
    }
    std::printf("(ratio = SDL time / our time: above 1 means the software device is faster)\n");
    if (video) SDL_Quit();
    return 0;
}
