#include "Desktop.h"

#include <SDL.h>

#include <cstring>

namespace tessaly::desktop {

bool StartDesktop(std::string& error) {
    // Closing the last window is a close request of that window, not the end of the program: only
    // a terminate signal or the desktop's own quit reaches the game as a quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

void StopDesktop() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

void PumpDesktopEvents() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_PumpEvents();
}

uint32_t DesktopTicks() { return SDL_GetTicks(); }

bool HasDisplay() {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    const char* name = SDL_GetCurrentVideoDriver();
    return name && std::strcmp(name, "dummy") != 0 && std::strcmp(name, "offscreen") != 0;
}

}  // namespace tessaly::desktop
