#pragma once
// The window backend over SDL2, and the headless window (no SDL at all) that tests use. A window
// the engine opens is its own; a window a game opened itself is adopted: the engine presents into
// it and follows its events, but never destroys it. SDL's types are only named here; the SDL
// header stays in the .cpp.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Window.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace plm::platform {

class SdlWindow : public Window {
public:
    // Opens the window (or, with settings.headless, nothing); Ok() tells whether it worked.
    // headlessHandle is the handle of a headless window; a window over SDL takes its SDL id.
    SdlWindow(const WindowSettings& settings, int32_t headlessHandle);
    // Adopts a window someone else opened; its handle is its SDL window id.
    explicit SdlWindow(SDL_Window* adopted);
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    bool Ok() const { return ok_; }

    void PumpMessages() override;
    bool IsActive() const override { return focused_ && !minimised_; }
    bool IsMinimised() const override { return minimised_; }
    bool CloseRequested() const override { return closeRequested_; }
    void ClearCloseRequest() override { closeRequested_ = false; }
    void SetCaption(const std::string& caption) override;
    void ShowCursor(bool show) override;
    int32_t ClientWidth() const override;
    int32_t ClientHeight() const override;
    bool IsFullScreen() const override { return fullScreen_; }
    void PresentFrame(const uint32_t* argb, int32_t width, int32_t height) override;
    int32_t Handle() const override { return handle_; }
    void SetVsync(bool on) override;
    bool Vsync() const { return vsync_; }
    int64_t FramesPresented() const override { return framesPresented_; }
    void CursorPosition(int32_t& x, int32_t& y) const override;

    // Window events of the SDL event hub; events of other windows are ignored.
    void HandleEvent(const SDL_Event& event);

private:
    // The adopted window, or null once its owner has destroyed it.
    SDL_Window* LiveWindow() const;
    // Creates the renderer frames are presented with; false when SDL has none for the window.
    bool OpenRenderer();

    bool ok_ = false;
    bool headless_ = false;
    bool adopted_ = false;
    bool videoUp_ = false;
    int32_t handle_ = 0;
    int32_t width_ = 0, height_ = 0;
    bool fullScreen_ = false;
    bool focused_ = true;
    bool minimised_ = false;
    bool closeRequested_ = false;
    bool vsync_ = false;
    int64_t framesPresented_ = 0;
    std::string caption_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;  // the streaming texture each frame is copied into
    int32_t textureWidth_ = 0, textureHeight_ = 0;
    bool scaleModeSet_ = false, oneToOne_ = false;  // the texture's filter, nearest when 1:1
    // The frame the window shows, kept to skip sending the same one again; stale after the
    // window was exposed or resized, when the next frame is sent whatever it holds.
    std::vector<uint32_t> shown_;
    bool shownStale_ = true;
};

}  // namespace plm::platform
