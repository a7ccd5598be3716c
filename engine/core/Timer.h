#pragma once
#include <cstdint>

namespace plm {

class Timer {
public:
    // Empties the timer table and sizes it to count timers.
    void Init(int32_t count);
};

}  // namespace plm
