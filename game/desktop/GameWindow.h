#pragma once
// The game window: an SDL window of the game's own with no renderer. The engine is handed its
// SDL window id and presents into it; the game shows, hides, captions, resizes and finally
// destroys it. Windowed it has an 800 x 600 client centred on the screen; full screen it covers
// the desktop and the engine letterboxes the frame into it.
#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;

namespace tessaly::desktop {

class GameWindow {
public:
    // Opens the window hidden; null (with `error` set) when the window system cannot.
    static std::unique_ptr<GameWindow> Open(bool fullScreen, int clientWidth, int clientHeight,
                                            const std::string& caption, std::string& error);
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // The SDL window id: the handle the engine's device fields take.
    int32_t Handle() const { return handle_; }
    bool FullScreen() const { return fullScreen_; }
    void Show();
    void Hide();
    bool Visible() const;
    void SetCaption(const std::string& caption);
    std::string Caption() const;
    bool IsMinimised() const;
    int32_t InnerWidth() const;
    int32_t InnerHeight() const;
    // The size with the window frame's borders (equal to the inner size where there is no frame).
    int32_t OuterWidth() const;
    int32_t OuterHeight() const;
    // Gives the window this outer size and centres it on its display (windowed only).
    void ResizeCentred(int32_t outerWidth, int32_t outerHeight);

private:
    GameWindow(SDL_Window* window, bool fullScreen);
    void Borders(int& top, int& left, int& bottom, int& right) const;

    SDL_Window* window_ = nullptr;
    int32_t handle_ = 0;
    bool fullScreen_ = false;
};

}  // namespace tessaly::desktop
