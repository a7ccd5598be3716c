#include "platform/RasterThreads.h"

#include <exception>

namespace plm::platform {

RasterThreads::RasterThreads(int threads) {
    // A system that refuses another thread leaves fewer workers, not an exception from the
    // device's constructor (and the started workers joinable in a half-built object).
    try {
        for (int i = 1; i < threads; ++i) workers_.emplace_back([this] { Work(); });
    } catch (const std::exception&) {
    }
}

RasterThreads::~RasterThreads() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    for (auto& t : workers_) t.join();
}

bool RasterThreads::TakeJob(int& job) {
    if (!fn_ || next_ >= jobs_) return false;
    job = next_++;
    return true;
}

void RasterThreads::Run(int jobs, const std::function<void(int)>& fn) {
    if (jobs <= 0) return;
    if (workers_.empty() || jobs == 1) {
        for (int j = 0; j < jobs; ++j) fn(j);
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    fn_ = &fn;
    jobs_ = jobs;
    next_ = 0;
    finished_ = 0;
    ++generation_;
    wake_.notify_all();
    int job = 0;
    while (TakeJob(job)) {
        lock.unlock();
        fn(job);
        lock.lock();
        ++finished_;
    }
    done_.wait(lock, [this] { return finished_ == jobs_; });
    fn_ = nullptr;
}

void RasterThreads::Work() {
    unsigned seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stop_ || (generation_ != seen && fn_); });
        if (stop_) return;
        seen = generation_;
        int job = 0;
        while (TakeJob(job)) {
            const auto* fn = fn_;
            lock.unlock();
            (*fn)(job);
            lock.lock();
            if (++finished_ == jobs_) done_.notify_all();
        }
    }
}

}  // namespace plm::platform
