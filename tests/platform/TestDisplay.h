#pragma once
// The Xvfb display of the test script (PLM_XDISPLAY): tests that open real windows use it and
// skip when it is not set.
#include <cstdlib>

namespace plmtest {

// Points SDL and X clients (xdotool) at the test display; false when there is none.
inline bool UseTestDisplay() {
    const char* display = std::getenv("PLM_XDISPLAY");
    if (!display || !*display) return false;
    setenv("DISPLAY", display, 1);
    setenv("SDL_VIDEODRIVER", "x11", 1);
    return true;
}

}  // namespace plmtest
