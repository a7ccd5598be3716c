#pragma once
// Internal to SoftwareDevice: a small pool of worker threads for the drawing of a frame. The
// device opens a session with a task function that does one piece of work and says whether it
// found any; each worker calls it until it finds none, then sleeps until the device reports more
// work (Wake) or ends the session (Finish), in which the calling thread works too until all is
// done. Nothing outside the device ever sees a thread.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace plm::platform {

class RasterThreads {
public:
    explicit RasterThreads(int threads);  // threads counts the caller; 1: no workers
    ~RasterThreads();
    RasterThreads(const RasterThreads&) = delete;
    RasterThreads& operator=(const RasterThreads&) = delete;

    int Threads() const { return int(workers_.size()) + 1; }

    // Opens a session: the workers call task() while it returns true. task stays in use until
    // Finish returns.
    void Start(const std::function<bool()>& task);
    // There is new work for the session's task (from any thread).
    void Wake();
    // The caller calls task() too until done() holds, then ends the session; returns once no
    // worker is inside task() any more. Also without a session: the caller does it all.
    void Finish(const std::function<bool()>& task, const std::function<bool()>& done);

private:
    void Work();

    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_, progress_;
    const std::function<bool()>* task_ = nullptr;
    // Moves on with every Start and Wake. Wake changes it without the mutex and takes the mutex
    // to notify only when a worker sleeps: a worker counts itself a sleeper before it checks the
    // generation, so either the worker sees the new generation or Wake sees the sleeper.
    std::atomic<unsigned> generation_ = 0;
    std::atomic<int> sleepers_ = 0;
    std::atomic<bool> session_ = false;
    int inside_ = 0;  // workers inside task()
    bool stop_ = false;
};

}  // namespace plm::platform
