// The software drawing device against two ceilings:
//  1. clear + present of 800 x 600 frames per second, beside a plain memcpy of the same bytes;
//  2. the sprite batch: N rotated, tinted, alpha-blended 32 x 32 draws into 800 x 600 per frame,
//     point-sampled and bilinear, on 1 and on 8 drawing threads, and the same scene with the same
//     filter through SDL2's software renderer (SDL_RenderCopyEx into a surface) and its OpenGL
//     renderer (batching on; Mesa's CPU rasteriser here), skipped when SDL cannot make that
//     renderer. Ours and SDL's OpenGL take turns frame by frame, so a busy machine slows them
//     alike; then ours on 1 thread and on 8 threads alone, each frame after frame, whose data
//     stays in the caches where a turn of SDL's OpenGL (on every core too) pushes it out, so the
//     scaling from 1 to 8 threads is given both ways; SDL's software renderer last (its long
//     single-threaded frames, taken in turn, left the other processes of a busy machine on the
//     cores the next frame wanted). Each figure is the median of the timed frames, after a few
//     untimed ones. A checksum of our frame on 1 and on 8 threads shows the pixels stay the same
//     when the rasteriser changes.
// Run by hand: bin/plm_bench_graphics [frames [sprites]] (sprites: one count instead of 100,
// 1000 and 10000)
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "SdlBench.h"
#include "platform/software/SoftwareDevice.h"

namespace pp = plm::platform;

namespace {

constexpr int kW = 800, kH = 600, kSprite = 32;

double Now() { return plmbench::NowMs() / 1000.0; }

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

// One drawing path of the comparison: draws one whole frame of the scene, finished when it returns.
struct Contender {
    const char* name;
    std::function<void()> frame;
    std::vector<double> ms;
};

class OurDevice {
public:
    OurDevice(int threads, bool linear) : dev_(Settings()) {
        dev_.SetThreads(threads);
        tex_ = dev_.CreateTextureFromImage(pp::Image{kSprite, kSprite, SpriteImage()});
        int32_t filter = linear ? pp::FilterLinear : pp::FilterPoint;
        dev_.SetRenderState(pp::RsAlphaBlendEnable, 1);
        dev_.SetTextureStageState(0, pp::TssMagFilter, filter);
        dev_.SetTextureStageState(0, pp::TssMinFilter, filter);
    }
    void Frame(const std::vector<SpriteSpec>& scene) {
        dev_.Clear(pp::ClearTarget, 0xFF203040, 1, 0);
        dev_.BeginScene();
        dev_.SpriteBegin();
        for (const auto& sp : scene) {
            uint32_t color = uint32_t(sp.a) << 24 | uint32_t(sp.r) << 16 | uint32_t(sp.g) << 8 | sp.b;
            dev_.SpriteDraw(tex_, nullptr, {1, 1}, {16, 16}, sp.angle * 3.14159265f / 180.0f, {sp.x, sp.y}, color);
        }
        dev_.SpriteEnd();
        dev_.EndScene();
        dev_.Present();
    }
    // FNV-1a over the last presented frame's pixels.
    uint32_t Checksum() const {
        pp::Image frame;
        if (!dev_.ReadPresentedFrame(frame)) return 0;
        uint32_t h = 2166136261u;
        for (uint32_t px : frame.pixels)
            for (int shift = 0; shift < 32; shift += 8) h = (h ^ ((px >> shift) & 0xFF)) * 16777619u;
        return h;
    }

private:
    static pp::DeviceSettings Settings() {
        pp::DeviceSettings s;
        s.width = kW, s.height = kH;
        return s;
    }
    pp::SoftwareDevice dev_;
    pp::SurfaceId tex_ = pp::kNoSurface;
};

SDL_Texture* SdlTexture(SDL_Renderer* r, bool linear) {
    auto px = SpriteImage();
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kSprite, kSprite);
    if (!t) return nullptr;
    SDL_UpdateTexture(t, nullptr, px.data(), kSprite * 4);
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
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
    plmbench::FinishSdlFrame(r);
    SDL_RenderPresent(r);
}

// SDL2's software renderer drawing into a plain surface.
class SdlSoftware {
public:
    SdlSoftware() {
        surface_ = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = surface_ ? SDL_CreateSoftwareRenderer(surface_) : nullptr;
    }
    ~SdlSoftware() {
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (surface_) SDL_FreeSurface(surface_);
    }
    SDL_Renderer* Renderer() const { return renderer_; }

private:
    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

struct Row {
    double one, eight, oneAlone, eightAlone, sw, gl;
};

void PrintRow(int n, const char* filter, const Row& r, uint32_t sumOne, uint32_t sumEight) {
    std::printf("%6d %9s %9.2f %9.2f %7.2fx %9.2f %9.2f %7.2fx %10.2f %7.2fx", n, filter, r.one, r.eight,
                r.one / r.eight, r.oneAlone, r.eightAlone, r.oneAlone / r.eightAlone, r.sw, r.sw / r.eight);
    if (r.gl > 0)
        std::printf(" %10.2f %7.2fx", r.gl, r.gl / r.eight);
    else
        std::printf(" %10s %8s", "-", "-");
    std::printf("  %08x%s\n", sumOne, sumOne == sumEight ? "" : " (8 threads differ!)");
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    const int only = argc > 2 ? std::max(1, std::atoi(argv[2])) : 0;
    const int warmUp = 3;
    ClearPresent(std::max(frames * 10, 300));

    plmbench::SdlOpenGl gl(kW, kH);
    SdlSoftware sw;
    std::printf("sprite batch: N rotated, tinted, alpha-blended 32x32 draws into 800x600, ms per frame, the median\n"
                "of %d frames after %d untimed; the x columns are speed-ups (1 thread / 8 threads, in turn with SDL GL\n"
                "and alone; SDL / ours on 8 in turn); the checksum is of our frame\n",
                frames, warmUp);
    std::printf("SDL OpenGL: %s\n", gl.Renderer() ? gl.Description().c_str() : ("unavailable: " + gl.Description()).c_str());
    std::printf("%6s %9s %9s %9s %8s %9s %9s %8s %10s %8s %10s %8s  %s\n", "N", "filter", "ours/1", "ours/8", "scaling",
                "1 alone", "8 alone", "alone", "SDL soft", "soft/8", "SDL GL", "GL/8", "checksum");
    std::vector<int> counts = {100, 1000, 10000};
    if (only) counts = {only};
    for (int n : counts) {
        auto scene = Scene(n);
        for (bool linear : {false, true}) {
            OurDevice one(1, linear), eight(8, linear);
            SDL_Texture* swTex = sw.Renderer() ? SdlTexture(sw.Renderer(), linear) : nullptr;
            SDL_Texture* glTex = gl.Renderer() ? SdlTexture(gl.Renderer(), linear) : nullptr;
            std::vector<Contender> all;
            all.push_back({"ours/1", [&] { one.Frame(scene); }, {}});
            all.push_back({"ours/8", [&] { eight.Frame(scene); }, {}});
            all.push_back({"1 alone", [&] { one.Frame(scene); }, {}});
            all.push_back({"8 alone", [&] { eight.Frame(scene); }, {}});
            if (glTex) all.push_back({"gl", [&] { SdlFrame(gl.Renderer(), glTex, scene); }, {}});
            if (swTex) all.push_back({"soft", [&] { SdlFrame(sw.Renderer(), swTex, scene); }, {}});
            // The contenders named take turns frame by frame.
            auto turns = [&](std::vector<const char*> names) {
                for (int f = 0; f < warmUp + frames; ++f)
                    for (Contender& c : all)
                        for (const char* name : names)
                            if (std::strcmp(c.name, name) == 0) {
                                double t0 = plmbench::NowMs();
                                c.frame();
                                if (f >= warmUp) c.ms.push_back(plmbench::NowMs() - t0);
                            }
            };
            turns({"ours/1", "ours/8", "gl"});
            // Ours frame after frame, as a game draws: on 1 thread, then on 8.
            turns({"1 alone"});
            turns({"8 alone"});
            turns({"soft"});
            auto median = [&](const char* name) {
                for (const Contender& c : all)
                    if (std::strcmp(c.name, name) == 0) return plmbench::Median(c.ms);
                return -1.0;
            };
            Row row{median("ours/1"), median("ours/8"), median("1 alone"), median("8 alone"), median("soft"),
                    median("gl")};
            PrintRow(n, linear ? "bilinear" : "point", row, one.Checksum(), eight.Checksum());
            if (swTex) SDL_DestroyTexture(swTex);
            if (glTex) SDL_DestroyTexture(glTex);
        }
    }
    return 0;
}
