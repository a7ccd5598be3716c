#include "platform/sdl/SdlEventHub.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

namespace plm::platform::sdl {
namespace {

std::map<Uint32, int>& Counts() {
    static std::map<Uint32, int> counts;
    return counts;
}

std::vector<std::pair<EventListener, void*>>& Listeners() {
    static std::vector<std::pair<EventListener, void*>> listeners;
    return listeners;
}

}  // namespace

bool InitSubsystem(Uint32 flags) {
    int& n = Counts()[flags];
    if (n == 0 && SDL_InitSubSystem(flags) != 0) return false;
    ++n;
    return true;
}

void QuitSubsystem(Uint32 flags) {
    int& n = Counts()[flags];
    if (n <= 0) return;
    if (--n == 0) SDL_QuitSubSystem(flags);
}

bool RealVideoDriver() {
    const char* name = SDL_GetCurrentVideoDriver();
    return name && std::strcmp(name, "dummy") != 0 && std::strcmp(name, "offscreen") != 0;
}

void AddEventListener(EventListener listener, void* user) { Listeners().emplace_back(listener, user); }

void RemoveEventListener(EventListener listener, void* user) {
    auto& l = Listeners();
    l.erase(std::remove(l.begin(), l.end(), std::make_pair(listener, user)), l.end());
}

void PumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        // A copy, so a listener may remove itself while it is being called.
        auto listeners = Listeners();
        for (auto& [fn, user] : listeners) fn(e, user);
    }
}

}  // namespace plm::platform::sdl
