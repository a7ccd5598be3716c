#include "FrameLoop.h"

#include <algorithm>
#include <cmath>

#include "GameState.h"
#include "core/Convert.h"
#include "desktop/Desktop.h"
#include "desktop/GameWindow.h"

namespace tessaly {
namespace {

bool GameWindowInactive() {
    const RunArea& run = Game().Run;
    return run.GameForm && (run.GameForm->IsMinimised() || !run.WindowActive);
}

}  // namespace

void PauseWhileInactive() {
    RunArea& run = Game().Run;
    if (!GameWindowInactive()) return;
    run.GameForm->SetCaption(kPausedCaption);
    E().Bass()->PauseAll();
    // A close request ends the wait too: a minimised window closed from the task bar, or a
    // terminate signal, must not leave the program waiting for a focus that never comes.
    while (GameWindowInactive() && !run.QuitRequested) {
        E().Lib()->GotoSleep(125);
        desktop::PumpDesktopEvents();
    }
    E().Bass()->ResumeAll();
    E().Delta(0);
    run.GameForm->SetCaption(kCaption);
}

void OnWindowEvent(const desktop::WindowEvent& event) {
    using desktop::WindowEventKind;
    RunArea& run = Game().Run;
    if (event.Kind == WindowEventKind::Quit) {
        run.QuitRequested = true;
        run.EndProgram = true;
        return;
    }
    if (!run.GameForm || event.Window != run.GameForm->Handle()) return;
    switch (event.Kind) {
    case WindowEventKind::Close:
        if (!run.CloseAllowed) run.QuitRequested = true;
        break;
    case WindowEventKind::FocusGained: run.WindowActive = true; break;
    case WindowEventKind::FocusLost: run.WindowActive = false; break;
    case WindowEventKind::PointerMoved:
        MapToGameSpace(event.X, event.Y, event.Width, event.Height, Game().Frame.GameMouseX, Game().Frame.GameMouseY);
        break;
    default: break;
    }
}

bool MapToGameSpace(float x, float y, int32_t width, int32_t height, float& gx, float& gy) {
    if (width < 1 || height < 1) return false;
    const double scale = std::min(static_cast<double>(width) / kGameWidth, static_cast<double>(height) / kGameHeight);
    // The frame's place in the window, in whole pixels as the presenter centres it.
    const int32_t shownWidth = static_cast<int32_t>(std::floor(kGameWidth * scale));
    const int32_t shownHeight = static_cast<int32_t>(std::floor(kGameHeight * scale));
    const int32_t left = plm::IntDiv(width - shownWidth, 2), top = plm::IntDiv(height - shownHeight, 2);
    gx = static_cast<float>((x - left) / scale);
    gy = static_cast<float>((y - top) / scale);
    return true;
}

void UpdateMouse() {
    FrameArea& frame = Game().Frame;
    // Windowed and full screen alike: the watch has mapped the pointer into the game space.
    E().Mouse()->X(static_cast<float>(plm::Int(frame.GameMouseX)));
    E().Mouse()->Y(static_cast<float>(plm::Int(frame.GameMouseY)));
    frame.MouseClicked = E().Mouse()->Button1PressedOnce();
}

}  // namespace tessaly
