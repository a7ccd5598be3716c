#include "GameWindow.h"

#include <SDL.h>

#include <algorithm>

namespace tessaly::desktop {

std::unique_ptr<GameWindow> GameWindow::Open(bool fullScreen, int clientWidth, int clientHeight,
                                             const std::string& caption, std::string& error) {
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    SDL_Window* w = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth,
                                     clientHeight, flags);
    if (!w) {
        error = SDL_GetError();
        return nullptr;
    }
    return std::unique_ptr<GameWindow>(new GameWindow(w, fullScreen));
}

GameWindow::GameWindow(SDL_Window* window, bool fullScreen)
    : window_(window), handle_(static_cast<int32_t>(SDL_GetWindowID(window))), fullScreen_(fullScreen) {}

GameWindow::~GameWindow() { SDL_DestroyWindow(window_); }

void GameWindow::Show() { SDL_ShowWindow(window_); }
void GameWindow::Hide() { SDL_HideWindow(window_); }
bool GameWindow::Visible() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) != 0; }
void GameWindow::SetCaption(const std::string& caption) { SDL_SetWindowTitle(window_, caption.c_str()); }
std::string GameWindow::Caption() const { return SDL_GetWindowTitle(window_); }
bool GameWindow::IsMinimised() const { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0; }

int32_t GameWindow::InnerWidth() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return w;
}

int32_t GameWindow::InnerHeight() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return h;
}

void GameWindow::Borders(int& top, int& left, int& bottom, int& right) const {
    top = left = bottom = right = 0;
    // No frame (full screen, or no window manager): the outer size is the inner size.
    if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0) top = left = bottom = right = 0;
}

int32_t GameWindow::OuterWidth() const {
    int t, l, b, r;
    Borders(t, l, b, r);
    return InnerWidth() + l + r;
}

int32_t GameWindow::OuterHeight() const {
    int t, l, b, r;
    Borders(t, l, b, r);
    return InnerHeight() + t + b;
}

void GameWindow::ResizeCentred(int32_t outerWidth, int32_t outerHeight) {
    if (fullScreen_) return;
    int t, l, b, r;
    Borders(t, l, b, r);
    SDL_SetWindowSize(window_, std::max(1, outerWidth - l - r), std::max(1, outerHeight - t - b));
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

}  // namespace tessaly::desktop
