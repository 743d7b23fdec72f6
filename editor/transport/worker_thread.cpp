#include "editor/transport/worker_thread.h"

#include <QThread>

#include <exception>
#include <utility>

namespace zub {

WorkerThread::~WorkerThread() {
    if (!thread_) return;
    thread_->wait();
    delete thread_;
}

void WorkerThread::run(std::function<void()> job, Done done) {
    if (thread_) return;
    failure_.clear();
    thread_ = QThread::create([this, job = std::move(job)] {
        try {
            job();
        } catch (const std::exception& e) {
            failure_ = e.what();
        }
    });
    // The thread object lives on this thread, so done runs here once the job has ended.
    QObject::connect(thread_, &QThread::finished, thread_, [this, done = std::move(done)] {
        thread_->deleteLater();
        thread_ = nullptr;
        done(std::exchange(failure_, {}));
    });
    thread_->start();
}

}  // namespace zub
