#pragma once
// Interval timers 1 to 100 counting milliseconds; Scene.Begin adds the time since its last
// advance to every timer (AdvanceTimers).
#include <cstdint>

namespace plm {

class Timer {
public:
    // Sizes the table to TotalTimers (limited to 0..100), every timer cleared, and takes the
    // current time as the base of the next advance.
    void Init(int32_t TotalTimers);
    // Index limited to 1..count: elapsed 0, the interval and the enabled flag set. The other
    // timers keep the time that passed since the last advance. Nothing on an empty table.
    void Configure(int32_t Index, int32_t IntervalMS, bool Enabled);
    // True when the timer is enabled and its elapsed time has reached its interval; the elapsed
    // time then starts again from 0. False for an index outside the table.
    bool Check(int32_t Index);
};

}  // namespace plm
