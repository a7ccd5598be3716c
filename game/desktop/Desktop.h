#pragma once
// The game's hold on the window system: SDL video for the launcher, the about box and the game
// window, started once for the program's run.
#include <cstdint>
#include <string>

namespace tessaly::desktop {

// Starts SDL video; false, with SDL's reason in `error`, when there is no window system to use.
bool StartDesktop(std::string& error);
void StopDesktop();

// Lets the window system deliver what it has pending: the event watch sees each event as it is
// queued. The queue itself is left to the engine's pump.
void PumpDesktopEvents();

// Milliseconds since the desktop started (for the launcher's tooltip delay).
uint32_t DesktopTicks();

// True when SDL video runs on a driver that shows windows to a person (not the dummy or
// offscreen driver of a headless run).
bool HasDisplay();

}  // namespace tessaly::desktop
