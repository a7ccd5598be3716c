#pragma once
// The window system's events as the game sees them. While the engine runs, its event pump stays
// the one reader of the queue, and the game's watch sees each event as it is queued and hands the
// few the game cares about to its handler as a plain record (handlers only set program-wide
// flags). Between sessions the launcher reads the queue itself with NextWindowEvent.
#include <cstdint>
#include <functional>

namespace tessaly::desktop {

enum class WindowEventKind {
    Quit,         // the program was asked to end (a terminate signal, the session ending)
    Close,        // the user tried to close the window
    FocusGained,
    FocusLost,
    Minimised,
    Restored,
    PointerMoved,     // X, Y: the pointer in the window's pixels; Width, Height: its inner size
    PointerPressed,   // the left button went down at X, Y
    PointerReleased,  // the left button came up at X, Y
    Confirm,          // Enter or Space
    Cancel,           // Escape
};

struct WindowEvent {
    WindowEventKind Kind = WindowEventKind::Quit;
    int32_t Window = 0;  // the SDL window id; 0 for Quit
    float X = 0, Y = 0;
    int32_t Width = 0, Height = 0;
};

// Takes the next event the game cares about from the queue, waiting up to waitMs for one; false
// when none came. Other events are dropped.
bool NextWindowEvent(WindowEvent& event, int waitMs);

class EventWatch {
public:
    using Handler = std::function<void(const WindowEvent&)>;
    // Watches from now on. Made before any renderer exists, so the pointer positions it sees are
    // the window's own pixels, not a renderer's logical ones.
    explicit EventWatch(Handler handler);
    ~EventWatch();
    EventWatch(const EventWatch&) = delete;
    EventWatch& operator=(const EventWatch&) = delete;

    // Hands a queued event to the handler (SDL calls it with an SDL_Event).
    void Deliver(const void* sdlEvent);

private:
    Handler handler_;
};

}  // namespace tessaly::desktop
