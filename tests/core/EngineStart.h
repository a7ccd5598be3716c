#pragma once
// Starts a root object the way the game does: Initialize, an 800 x 600 windowed device into the
// given window (0: headless), no logo.
#include <string>

#include "core/PelmarEngine.h"

namespace plmtest {

inline bool StartWindowedEngine(plm::PelmarEngine& e, const std::string& path, int32_t window = 0) {
    e.Path(path);
    e.Initialize();
    auto d = e.Device();
    d->ScreenWidth(800);
    d->ScreenHeight(600);
    d->Windowed(true);
    d->ShowLogo(false);
    d->TargethWnd(window);
    d->FormhWnd(window);
    return e.InitDevice();
}

}  // namespace plmtest
