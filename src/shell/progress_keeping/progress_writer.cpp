// The writer thread (see progress_writer.h).
#include "progress_keeping/progress_writer.h"

#include <utility>

namespace ruk {

void ProgressWriter::Start(const std::string& path, const ProgressStore::Options& options) {
    Finish();
    finishing_ = false;
    thread_ = std::thread([this, path, options] { Run(path, options); });
}

void ProgressWriter::Post(Job job) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!thread_.joinable() || finishing_) return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void ProgressWriter::WaitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return (jobs_.empty() && !busy_) || !thread_.joinable(); });
}

void ProgressWriter::Finish() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!thread_.joinable()) return;
        finishing_ = true;
    }
    wake_.notify_one();
    thread_.join();
    idle_.notify_all();
}

void ProgressWriter::Run(std::string path, ProgressStore::Options options) {
    ProgressStore store;
    store.Open(path, options);
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !jobs_.empty() || finishing_; });
        if (jobs_.empty()) break;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        // A file that could not be opened for writing (held by another program, say) is tried
        // again for each job rather than given up for the session.
        if (store.State() != ProgressState::READY) store.Open(path, options);
        job(store);
        lock.lock();
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
    lock.unlock();
    store.Close();
}

}  // namespace ruk
