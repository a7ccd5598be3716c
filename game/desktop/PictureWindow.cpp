#include "PictureWindow.h"

#include <SDL.h>

namespace tessaly::desktop {

std::unique_ptr<PictureWindow> PictureWindow::Open(const std::string& caption, int width, int height,
                                                   const std::string& picture, int32_t owner, std::string& error) {
    std::unique_ptr<PictureWindow> p(new PictureWindow());
    p->width_ = width;
    p->height_ = height;
    int x = SDL_WINDOWPOS_CENTERED, y = SDL_WINDOWPOS_CENTERED;
    SDL_Window* ownerWindow = owner ? SDL_GetWindowFromID(static_cast<Uint32>(owner)) : nullptr;
    if (ownerWindow) {
        int ox = 0, oy = 0, ow = 0, oh = 0;
        SDL_GetWindowPosition(ownerWindow, &ox, &oy);
        SDL_GetWindowSize(ownerWindow, &ow, &oh);
        x = ox + (ow - width) / 2;
        y = oy + (oh - height) / 2;
    }
    p->window_ = SDL_CreateWindow(caption.c_str(), x, y, width, height, SDL_WINDOW_SHOWN);
    if (!p->window_) {
        error = SDL_GetError();
        return nullptr;
    }
    p->handle_ = static_cast<int32_t>(SDL_GetWindowID(p->window_));
    if (ownerWindow) SDL_SetWindowModalFor(p->window_, ownerWindow);  // where the window system can
    // A software renderer: two small pictures need no graphics driver.
    p->renderer_ = SDL_CreateRenderer(p->window_, -1, SDL_RENDERER_SOFTWARE);
    if (!p->renderer_) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_Surface* surface = SDL_LoadBMP(picture.c_str());
    if (!surface) {
        error = "Cannot read " + picture + ": " + SDL_GetError();
        return nullptr;
    }
    p->picture_ = SDL_CreateTextureFromSurface(p->renderer_, surface);
    SDL_FreeSurface(surface);
    if (!p->picture_) {
        error = SDL_GetError();
        return nullptr;
    }
    return p;
}

PictureWindow::~PictureWindow() {
    if (picture_) SDL_DestroyTexture(picture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

void PictureWindow::Draw(int sx, int sy, int w, int h, int dx, int dy) {
    const SDL_Rect src{sx, sy, w, h};
    const SDL_Rect dst{dx, dy, w, h};
    SDL_RenderCopy(renderer_, picture_, &src, &dst);
}

void PictureWindow::Present() { SDL_RenderPresent(renderer_); }

}  // namespace tessaly::desktop
