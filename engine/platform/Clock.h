#pragma once
// The millisecond clock, sleeping and the system timer resolution. The engine reads time only
// through this interface, so tests can drive frames with a clock of their own.
#include <cstdint>
#include <memory>

namespace plm::platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
    virtual uint32_t NowMs() = 0;
    virtual void SleepMs(uint32_t ms) = 0;
    // Raise / restore the system timer resolution (a no-op where the system has none to change).
    virtual void BeginPeriod(uint32_t /*ms*/) {}
    virtual void EndPeriod(uint32_t /*ms*/) {}
};

// The real clock: std::chrono::steady_clock.
std::shared_ptr<Clock> CreateSteadyClock();

// A clock for tests: time moves only when told to. Sleeping advances it, and every read can
// advance it by a fixed step so that spinning loops terminate.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0, uint32_t stepPerRead = 0) : now_(start), step_(stepPerRead) {}
    uint32_t NowMs() override {
        uint32_t t = now_;
        now_ += step_;
        return t;
    }
    void SleepMs(uint32_t ms) override { now_ += ms; }
    void Advance(uint32_t ms) { now_ += ms; }
    void Set(uint32_t ms) { now_ = ms; }
    void SetStepPerRead(uint32_t ms) { step_ = ms; }
    uint32_t Peek() const { return now_; }
    int periodDepth = 0;
    void BeginPeriod(uint32_t) override { ++periodDepth; }
    void EndPeriod(uint32_t) override { --periodDepth; }

private:
    uint32_t now_;
    uint32_t step_;
};

}  // namespace plm::platform
