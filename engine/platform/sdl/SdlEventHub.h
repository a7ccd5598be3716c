#pragma once
// Internal to the SDL backends (window, input, audio): SDL start-up by subsystem with reference
// counts, and one event pump whose events every interested backend sees. Include only from
// engine/platform/*.cpp.
#include <SDL.h>

namespace plm::platform::sdl {

// Starts an SDL subsystem (SDL_INIT_VIDEO, SDL_INIT_AUDIO, SDL_INIT_GAMECONTROLLER, ...) once per
// matching Quit; false when SDL cannot start it.
bool InitSubsystem(Uint32 flags);
void QuitSubsystem(Uint32 flags);

// True when SDL video runs on a driver with a real display: not the dummy or offscreen driver
// (whose single mode and absent input say nothing), and not before video is started.
bool RealVideoDriver();

// Backends that need events (window: focus, close; input: wheel, focus, controllers) listen
// here; PumpEvents hands every event it takes from SDL to each listener, in order of registration.
using EventListener = void (*)(const SDL_Event& event, void* user);
void AddEventListener(EventListener listener, void* user);
void RemoveEventListener(EventListener listener, void* user);

// Takes every pending event from SDL and hands each to the listeners. The window's message pump
// and the input's Pump both call it: whichever runs first in a frame delivers to both.
void PumpEvents();

}  // namespace plm::platform::sdl
