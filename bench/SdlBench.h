#pragma once
// What the drawing benchmarks share: a millisecond clock, the median of per-frame times, and
// SDL2's OpenGL renderer opened without a display, so each run can set SDL's drawing beside ours.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace plmbench {

inline double NowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The median frame: one slow frame (another process took the core) moves it far less than a mean.
inline double Median(std::vector<double> ms) {
    if (ms.empty()) return -1;
    std::sort(ms.begin(), ms.end());
    size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

// Waits until the renderer has done all it queued: the one-pixel read-back cannot return before
// the frame is finished, so a GPU (or Mesa's CPU rasteriser threads) is counted in the frame.
inline void FinishSdlFrame(SDL_Renderer* r) {
    uint32_t pixel = 0;
    SDL_Rect one{0, 0, 1, 1};
    SDL_RenderReadPixels(r, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
}

// SDL's OpenGL renderer on a hidden window. Without a display the offscreen video driver gives
// it an EGL context (Mesa's llvmpipe, the CPU rasteriser, here). The driver is picked by its index
// rather than through SDL_HINT_RENDER_DRIVER, and batching is asked for: naming the driver in
// the hint turns SDL's batching off, which would make SDL slower than in any real program.
class SdlOpenGl {
public:
    SdlOpenGl(int width, int height) {
        if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 0);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            why_ = SDL_GetError();
            return;
        }
        video_ = true;
        SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
        SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
        window_ = SDL_CreateWindow("bench", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (!window_) {
            why_ = SDL_GetError();
            return;
        }
        int index = -1;
        for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
            SDL_RendererInfo info{};
            if (SDL_GetRenderDriverInfo(i, &info) == 0 && std::strcmp(info.name, "opengl") == 0) index = i;
        }
        if (index < 0) {
            why_ = "SDL has no opengl render driver";
            return;
        }
        renderer_ = SDL_CreateRenderer(window_, index, SDL_RENDERER_ACCELERATED);
        if (!renderer_) {
            why_ = SDL_GetError();
            return;
        }
        using GetString = const unsigned char* (*)(unsigned);
        auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
        const unsigned kGlRenderer = 0x1F01;
        const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
        why_ = std::string("opengl on ") + (name ? reinterpret_cast<const char*>(name) : "unknown GL") + ", " +
               SDL_GetCurrentVideoDriver() + " video driver";
    }
    ~SdlOpenGl() {
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_) SDL_DestroyWindow(window_);
        if (video_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    SdlOpenGl(const SdlOpenGl&) = delete;
    SdlOpenGl& operator=(const SdlOpenGl&) = delete;

    SDL_Renderer* Renderer() const { return renderer_; }
    // The GL renderer and video driver in use, or why there is none.
    const std::string& Description() const { return why_; }

private:
    bool video_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    std::string why_;
};

}  // namespace plmbench
