#include "EventWatch.h"

#include <SDL.h>

#include <utility>

namespace tessaly::desktop {
namespace {

// The record of an SDL event the game cares about; false for any other event.
bool Translate(const SDL_Event& e, WindowEvent& w) {
    switch (e.type) {
    case SDL_QUIT: w.Kind = WindowEventKind::Quit; return true;
    case SDL_MOUSEMOTION:
        w.Kind = WindowEventKind::PointerMoved;
        w.Window = static_cast<int32_t>(e.motion.windowID);
        w.X = static_cast<float>(e.motion.x);
        w.Y = static_cast<float>(e.motion.y);
        if (SDL_Window* window = SDL_GetWindowFromID(e.motion.windowID)) SDL_GetWindowSize(window, &w.Width, &w.Height);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT) return false;
        w.Kind = e.type == SDL_MOUSEBUTTONDOWN ? WindowEventKind::PointerPressed : WindowEventKind::PointerReleased;
        w.Window = static_cast<int32_t>(e.button.windowID);
        w.X = static_cast<float>(e.button.x);
        w.Y = static_cast<float>(e.button.y);
        return true;
    case SDL_KEYDOWN:
        w.Window = static_cast<int32_t>(e.key.windowID);
        switch (e.key.keysym.scancode) {
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
        case SDL_SCANCODE_SPACE: w.Kind = WindowEventKind::Confirm; return true;
        case SDL_SCANCODE_ESCAPE: w.Kind = WindowEventKind::Cancel; return true;
        default: return false;
        }
    case SDL_WINDOWEVENT:
        w.Window = static_cast<int32_t>(e.window.windowID);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: w.Kind = WindowEventKind::Close; return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED: w.Kind = WindowEventKind::FocusGained; return true;
        case SDL_WINDOWEVENT_FOCUS_LOST: w.Kind = WindowEventKind::FocusLost; return true;
        case SDL_WINDOWEVENT_MINIMIZED: w.Kind = WindowEventKind::Minimised; return true;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN: w.Kind = WindowEventKind::Restored; return true;
        default: return false;
        }
    default: return false;
    }
}

int OnEvent(void* user, SDL_Event* event) {
    static_cast<EventWatch*>(user)->Deliver(event);
    return 1;
}

}  // namespace

bool NextWindowEvent(WindowEvent& event, int waitMs) {
    SDL_Event e;
    while (waitMs > 0 ? SDL_WaitEventTimeout(&e, waitMs) : SDL_PollEvent(&e)) {
        event = WindowEvent{};
        if (Translate(e, event)) return true;
    }
    return false;
}

EventWatch::EventWatch(Handler handler) : handler_(std::move(handler)) { SDL_AddEventWatch(&OnEvent, this); }

EventWatch::~EventWatch() { SDL_DelEventWatch(&OnEvent, this); }

void EventWatch::Deliver(const void* sdlEvent) {
    WindowEvent w;
    if (handler_ && Translate(*static_cast<const SDL_Event*>(sdlEvent), w)) handler_(w);
}

}  // namespace tessaly::desktop
