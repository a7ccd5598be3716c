#pragma once
// A small fixed-size desktop window drawn from one picture file: the launcher and the about box.
// The window has its own renderer; the game copies parts of the picture into it and presents.
#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace tessaly::desktop {

class PictureWindow {
public:
    // Opens a shown window with a client of width x height, centred on the screen, or on the
    // window `owner` (an SDL window id) when that is not 0, and loads the BMP picture. Null, with
    // `error` set, when the window or the picture cannot be had.
    static std::unique_ptr<PictureWindow> Open(const std::string& caption, int width, int height,
                                               const std::string& picture, int32_t owner, std::string& error);
    ~PictureWindow();
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    int32_t Handle() const { return handle_; }
    // Copies the picture's rectangle (sx, sy, w, h) to (dx, dy) in the window.
    void Draw(int sx, int sy, int w, int h, int dx, int dy);
    void Present();
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    PictureWindow() = default;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* picture_ = nullptr;
    int32_t handle_ = 0;
    int width_ = 0, height_ = 0;
};

}  // namespace tessaly::desktop
