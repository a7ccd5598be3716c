#include "core/Timer.h"

#include <algorithm>

#include "core/EngineProcs.h"
#include "core/EngineState.h"
#include "core/InputProcs.h"

namespace plm {

constexpr int32_t kMaxTimers = 100;

void Timer::Init(int32_t TotalTimers) {
    EngineState& s = State();
    s.Timers.resize(std::clamp(TotalTimers, 0, kMaxTimers));
    s.TimerLastTick = GetTickMs();
}

void Timer::Configure(int32_t Index, int32_t IntervalMS, bool Enabled) {
    EngineState& s = State();
    if (s.Timers.empty()) return;
    // Move the base to now by advancing every timer, so none loses the time since the last
    // advance (resetting the base alone would).
    AdvanceTimers();
    TimerRecord& t = s.Timers(std::clamp(Index, 1, s.Timers.size()));
    t.Elapsed = 0;
    t.Interval = IntervalMS;
    t.Enabled = Enabled;
}

bool Timer::Check(int32_t Index) {
    TimerRecord* t = State().Timers.find(Index);
    if (!t || !t->Enabled || static_cast<int64_t>(t->Elapsed) < t->Interval) return false;
    t->Elapsed = 0;
    return true;
}

}  // namespace plm
