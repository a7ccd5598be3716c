#pragma once
// A window of the window system: caption, client size, windowed or full screen, focus,
// minimised and close-request events, the cursor, a message pump, and presentation of a finished
// 32-bit ARGB frame. A headless window (no display) serves tests.
#include <cstdint>
#include <memory>
#include <string>

namespace plm::platform {

struct WindowSettings {
    std::string caption = "plm232";
    int32_t width = 800, height = 600;  // client area
    bool fullScreen = false;
    bool headless = false;  // no display: events and presentation go nowhere
};

class Window {
public:
    virtual ~Window() = default;
    // Processes the pending events of the window system; returns at once.
    virtual void PumpMessages() = 0;
    virtual bool IsActive() const = 0;  // has the input focus and is not minimised
    virtual bool IsMinimised() const = 0;
    virtual bool CloseRequested() const = 0;
    virtual void ClearCloseRequest() = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void ShowCursor(bool show) = 0;
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t ClientHeight() const = 0;
    virtual bool IsFullScreen() const = 0;
    // Shows a frame of width x height ARGB pixels, scaled to the client area.
    virtual void PresentFrame(const uint32_t* argb, int32_t width, int32_t height) = 0;
    // The window's identity for the engine's 32-bit handle fields (never 0 for a real window).
    virtual int32_t Handle() const = 0;
    // Whether PresentFrame waits for the display's vertical blank (off when the window opens).
    virtual void SetVsync(bool /*on*/) {}
    // Frames shown so far by PresentFrame.
    virtual int64_t FramesPresented() const { return 0; }
    // The system pointer's position in desktop pixels; (0, 0) where there is no pointer.
    virtual void CursorPosition(int32_t& x, int32_t& y) const {
        x = 0;
        y = 0;
    }
};

// Opens a window over the window system (SDL2), or a headless one when settings.headless is set;
// null when the window system cannot open one. The window is known by its Handle() until it is
// destroyed; handles are never reused within a process. A window over SDL has its SDL window id
// as its handle.
std::shared_ptr<Window> CreateWindow(const WindowSettings& settings);

// The live window with that handle; null for 0, an unknown handle or a window already destroyed.
// A handle that names an SDL window the engine did not open (a game's own window, by its SDL
// window id) adopts that window: frames are presented into it and its events followed, and it is
// never destroyed by the engine. The adoption lasts while someone holds the returned pointer.
std::shared_ptr<Window> FindWindow(int32_t handle);

}  // namespace plm::platform
