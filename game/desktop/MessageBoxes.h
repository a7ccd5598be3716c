#pragma once
// Modal message boxes with an OK button. With no display (no video driver, or SDL's dummy or
// offscreen one) the text goes to standard error instead, so a headless run never waits on a box
// nobody can see.
#include <string>

#include "DesktopRecorder.h"

namespace tessaly::desktop {

// Shows the box and returns when it is closed; with a recorder, records it and returns at once.
void ShowMessageBox(const std::string& title, const std::string& text, DesktopRecorder* recorder);

}  // namespace tessaly::desktop
