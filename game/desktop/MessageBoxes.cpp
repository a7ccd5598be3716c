#include "MessageBoxes.h"

#include <SDL.h>

#include <cstdio>

#include "Desktop.h"

namespace tessaly::desktop {

void ShowMessageBox(const std::string& title, const std::string& text, DesktopRecorder* recorder) {
    if (recorder) {
        recorder->Boxes.push_back({title, text});
        return;
    }
    if (HasDisplay() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), text.c_str(), nullptr) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

}  // namespace tessaly::desktop
