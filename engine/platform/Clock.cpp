#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace plm::platform {
namespace {

class SteadyClock : public Clock {
public:
    uint32_t NowMs() override {
        using namespace std::chrono;
        auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
        return static_cast<uint32_t>(ms);
    }
    void SleepMs(uint32_t ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

}  // namespace

std::shared_ptr<Clock> CreateSteadyClock() { return std::make_shared<SteadyClock>(); }

}  // namespace plm::platform
