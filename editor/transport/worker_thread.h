// One job at a time on a worker thread, its end reported on the GUI thread.
// The job may touch only what it captured and what its owner keeps for it
// (atomics, or fields read only once the job is done). The destructor waits for
// a job still running: an owner declares its WorkerThread after every field the
// job writes, so that it is destroyed (and waits) first.
#pragma once

#include <functional>
#include <string>

class QThread;

namespace zub {

class WorkerThread {
public:
    // done receives "" when the job returned, else the line of the exception it threw.
    using Done = std::function<void(const std::string& failure)>;

    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // run(job, done): job() on a new thread, then done(...) on the calling
    // thread's event loop, which may run the next job. Nothing while a job runs.
    void run(std::function<void()> job, Done done);
    bool running() const { return thread_ != nullptr; }

private:
    QThread* thread_ = nullptr;
    std::string failure_;  // written by the job's thread, read after it finished
};

}  // namespace zub
