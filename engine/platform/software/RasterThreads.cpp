#include "platform/software/RasterThreads.h"

#include <chrono>
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

void RasterThreads::Start(const std::function<bool()>& task) {
    if (workers_.empty()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        task_ = &task;
        session_ = true;
        ++generation_;
    }
    wake_.notify_all();
}

void RasterThreads::Wake() {
    if (!session_) return;
    ++generation_;
    // Mid-frame the workers are mostly busy: then no lock and no system call.
    if (sleepers_ == 0) return;
    // A sleeper that saw the old generation holds the mutex until it waits: then it hears this.
    { std::lock_guard<std::mutex> lock(mutex_); }
    wake_.notify_all();
}

void RasterThreads::Finish(const std::function<bool()>& task, const std::function<bool()>& done) {
    while (!done()) {
        if (task()) continue;
        // Everything left is in other threads' hands: wait for one of them to finish a piece
        // (the timeout only covers a report that came between the two calls).
        std::unique_lock<std::mutex> lock(mutex_);
        progress_.wait_for(lock, std::chrono::microseconds(200));
    }
    std::unique_lock<std::mutex> lock(mutex_);
    session_ = false;
    progress_.wait(lock, [this] { return inside_ == 0; });
    task_ = nullptr;
}

void RasterThreads::Work() {
    unsigned seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ++sleepers_;
        wake_.wait(lock, [&] { return stop_ || (session_ && generation_ != seen); });
        --sleepers_;
        if (stop_) return;
        seen = generation_;
        const std::function<bool()>& task = *task_;
        ++inside_;
        lock.unlock();
        while (task()) progress_.notify_all();
        lock.lock();
        --inside_;
        progress_.notify_all();
    }
}

}  // namespace plm::platform
