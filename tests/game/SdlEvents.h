#pragma once
// Queues window-system events for the game's desktop tests (SDL's dummy driver has no pointer or
// keyboard of its own). The game's event watch sees each as it is queued.
#include <SDL.h>

#include <cstdint>

namespace plmtest {

inline void PushWindowEvent(int32_t window, Uint8 what) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = static_cast<Uint32>(window);
    e.window.event = what;
    SDL_PushEvent(&e);
}

inline void PushMotion(int32_t window, int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = static_cast<Uint32>(window);
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

// The left button going down (or up) at (x, y).
inline void PushButton(int32_t window, bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = static_cast<Uint32>(window);
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

inline void PushKey(int32_t window, SDL_Scancode code) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.windowID = static_cast<Uint32>(window);
    e.key.keysym.scancode = code;
    SDL_PushEvent(&e);
}

inline void PushQuit() {
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
}

}  // namespace plmtest
