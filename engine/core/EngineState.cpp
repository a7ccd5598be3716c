#include "core/EngineState.h"

namespace plm {

namespace {
EngineState& Instance() {
    static EngineState state = [] {
        EngineState s;
        s.Clock = platform::CreateSteadyClock();
        return s;
    }();
    return state;
}
}  // namespace

EngineState& State() { return Instance(); }

void ResetState() {
    Instance() = EngineState{};
    Instance().Clock = platform::CreateSteadyClock();
}

}  // namespace plm
