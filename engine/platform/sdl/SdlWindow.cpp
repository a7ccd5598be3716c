#include "platform/sdl/SdlWindow.h"

#include <cstring>
#include <map>
#include <memory>

#include "platform/sdl/SdlEventHub.h"

namespace plm::platform {
namespace {

// Windows by handle. The registry lives here, with the windows, so the engine can find the
// window a game names by the handle it stored in its device settings.
std::map<int32_t, std::weak_ptr<Window>>& Registry() {
    static std::map<int32_t, std::weak_ptr<Window>> windows;
    return windows;
}

// Headless windows have no SDL id; their handles lie far above any SDL window id (SDL counts its
// ids up from 1 and never reuses one), so the two kinds never share a handle.
int32_t NextHeadlessHandle() {
    static int32_t next = 0x40000000;
    return ++next;  // never 0, never reused
}

void OnSdlEvent(const SDL_Event& event, void* user) { static_cast<SdlWindow*>(user)->HandleEvent(event); }

}  // namespace

SdlWindow::SdlWindow(const WindowSettings& settings, int32_t headlessHandle)
    : headless_(settings.headless),
      handle_(headlessHandle),
      width_(settings.width),
      height_(settings.height),
      fullScreen_(settings.fullScreen),
      caption_(settings.caption) {
    if (headless_) {
        ok_ = true;
        return;
    }
    if (!sdl::InitSubsystem(SDL_INIT_VIDEO)) return;
    videoUp_ = true;
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (fullScreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(caption_.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_, height_, flags);
    if (!window_) return;
    handle_ = static_cast<int32_t>(SDL_GetWindowID(window_));
    if (!OpenRenderer()) return;
    sdl::AddEventListener(&OnSdlEvent, this);
    ok_ = true;
}

SdlWindow::SdlWindow(SDL_Window* adopted) : adopted_(true) {
    if (!adopted || !sdl::InitSubsystem(SDL_INIT_VIDEO)) return;
    videoUp_ = true;
    window_ = adopted;
    handle_ = static_cast<int32_t>(SDL_GetWindowID(adopted));
    const Uint32 flags = SDL_GetWindowFlags(adopted);
    fullScreen_ = (flags & SDL_WINDOW_FULLSCREEN) != 0;
    minimised_ = (flags & SDL_WINDOW_MINIMIZED) != 0;
    SDL_GetWindowSize(adopted, &width_, &height_);
    caption_ = SDL_GetWindowTitle(adopted);
    // The renderer waits for the first frame: a window looked up only for its state gets none.
    sdl::AddEventListener(&OnSdlEvent, this);
    ok_ = true;
}

SdlWindow::~SdlWindow() {
    Registry().erase(handle_);
    if (!videoUp_) return;
    sdl::RemoveEventListener(&OnSdlEvent, this);
    if (LiveWindow()) {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        if (window_ && !adopted_) SDL_DestroyWindow(window_);
    } else if (renderer_) {
        // An adopted window its owner has destroyed took the renderer's textures and innards with
        // it; the renderer itself is still ours to free.
        SDL_DestroyRenderer(renderer_);
    }
    sdl::QuitSubsystem(SDL_INIT_VIDEO);
}

SDL_Window* SdlWindow::LiveWindow() const {
    if (!window_ || !adopted_) return window_;
    return SDL_GetWindowFromID(static_cast<Uint32>(handle_)) == window_ ? window_ : nullptr;
}

bool SdlWindow::OpenRenderer() {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return false;
    // Frames are scaled into the client area with their aspect kept (full screen letterboxes).
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    if (vsync_) SDL_RenderSetVSync(renderer_, 1);
    return true;
}

void SdlWindow::PumpMessages() {
    if (videoUp_) sdl::PumpEvents();
}

void SdlWindow::HandleEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        closeRequested_ = true;
        return;
    }
    // Compared by id: the window itself may already be gone (an adopted window its owner closed).
    if (event.type != SDL_WINDOWEVENT || !window_ || event.window.windowID != static_cast<Uint32>(handle_)) return;
    switch (event.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED: focused_ = true; break;
    case SDL_WINDOWEVENT_FOCUS_LOST: focused_ = false; break;
    case SDL_WINDOWEVENT_MINIMIZED: minimised_ = true; break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_SHOWN:
        minimised_ = false;
        shownStale_ = true;
        break;
    case SDL_WINDOWEVENT_CLOSE: closeRequested_ = true; break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED: shownStale_ = true; break;
    default: break;
    }
}

void SdlWindow::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (SDL_Window* w = LiveWindow()) SDL_SetWindowTitle(w, caption_.c_str());
}

void SdlWindow::ShowCursor(bool show) {
    if (videoUp_) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::CursorPosition(int32_t& x, int32_t& y) const {
    int gx = 0, gy = 0;
    if (videoUp_) SDL_GetGlobalMouseState(&gx, &gy);
    x = gx;
    y = gy;
}

void SdlWindow::SetVsync(bool on) {
    vsync_ = on;
    // A renderer that cannot wait for the blank (the software one) just presents at once.
    if (renderer_ && LiveWindow()) SDL_RenderSetVSync(renderer_, on ? 1 : 0);
}

int32_t SdlWindow::ClientWidth() const {
    int w = width_, h = height_;
    if (SDL_Window* live = LiveWindow()) SDL_GetWindowSize(live, &w, &h);
    return w;
}

int32_t SdlWindow::ClientHeight() const {
    int w = width_, h = height_;
    if (SDL_Window* live = LiveWindow()) SDL_GetWindowSize(live, &w, &h);
    return h;
}

void SdlWindow::PresentFrame(const uint32_t* argb, int32_t width, int32_t height) {
    if (!argb || width <= 0 || height <= 0) return;
    if (headless_) {
        ++framesPresented_;
        return;
    }
    if (!LiveWindow()) return;
    // The same frame again (the engine's warm-up frames, a still screen) is already on the window:
    // sending it costs a full upload and a round trip to the window system for nothing. With
    // vertical sync on, every frame still goes, as the wait for the blank paces the loop.
    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (!vsync_ && !shownStale_ && shown_.size() == pixels && textureWidth_ == width && textureHeight_ == height &&
        std::memcmp(shown_.data(), argb, pixels * 4) == 0) {
        ++framesPresented_;
        return;
    }
    if (!renderer_ && (!adopted_ || !OpenRenderer())) return;
    if (!texture_ || textureWidth_ != width || textureHeight_ != height) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_) return;
        textureWidth_ = width;
        textureHeight_ = height;
        scaleModeSet_ = false;
        SDL_RenderSetLogicalSize(renderer_, width, height);
    }
    // Shown at its own size the frame needs no filtering: texel for pixel, the nearest texel is the
    // same picture as the linear blend and cheaper to draw. Scaled, it is filtered.
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    const bool oneToOne = outW == width && outH == height;
    if (oneToOne != oneToOne_ || !scaleModeSet_) {
        SDL_SetTextureScaleMode(texture_, oneToOne ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
        oneToOne_ = oneToOne;
        scaleModeSet_ = true;
    }
    if (SDL_UpdateTexture(texture_, nullptr, argb, width * 4) != 0) return;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    shown_.assign(argb, argb + pixels);
    shownStale_ = false;
    ++framesPresented_;
}

std::shared_ptr<Window> CreateWindow(const WindowSettings& settings) {
    auto window = std::make_shared<SdlWindow>(settings, settings.headless ? NextHeadlessHandle() : 0);
    if (!window->Ok()) return nullptr;
    Registry()[window->Handle()] = window;
    return window;
}

std::shared_ptr<Window> FindWindow(int32_t handle) {
    if (handle == 0) return nullptr;
    auto it = Registry().find(handle);
    if (it != Registry().end()) {
        if (auto window = it->second.lock()) return window;
    }
    // Not one of ours: a window someone else opened over SDL, named by its SDL window id.
    if (handle < 0 || !SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    SDL_Window* sdlWindow = SDL_GetWindowFromID(static_cast<Uint32>(handle));
    if (!sdlWindow) return nullptr;
    auto window = std::make_shared<SdlWindow>(sdlWindow);
    if (!window->Ok()) return nullptr;
    Registry()[handle] = window;
    return window;
}

}  // namespace plm::platform
