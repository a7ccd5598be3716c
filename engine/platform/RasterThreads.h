#pragma once
// Internal to SoftwareDevice: a small pool of worker threads that runs the bands of a frame's
// drawing. Run(jobs, fn) calls fn(0) .. fn(jobs - 1), the calling thread taking a share, and
// returns when all are done; nothing outside the device ever sees a thread.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace plm::platform {

class RasterThreads {
public:
    explicit RasterThreads(int threads);  // threads counts the caller; 1 runs everything inline
    ~RasterThreads();
    RasterThreads(const RasterThreads&) = delete;
    RasterThreads& operator=(const RasterThreads&) = delete;

    int Threads() const { return int(workers_.size()) + 1; }
    void Run(int jobs, const std::function<void(int)>& fn);

private:
    void Work();
    bool TakeJob(int& job);

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    const std::function<void(int)>* fn_ = nullptr;
    int jobs_ = 0, next_ = 0, finished_ = 0;
    unsigned generation_ = 0;
    bool stop_ = false;
};

}  // namespace plm::platform
