// The progress writes of the window, run in order on a thread of their own with a connection of
// their own, so that a long game, a slow disk or another player's lock never holds the window.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "progress_store.h"

namespace ruk {

class ProgressWriter {
  public:
    // Runs on the writer's thread with its connection.
    using Job = std::function<void(ProgressStore&)>;

    ProgressWriter() = default;
    ~ProgressWriter() { Finish(); }
    ProgressWriter(const ProgressWriter&) = delete;
    ProgressWriter& operator=(const ProgressWriter&) = delete;

    // Starts the thread, which opens the store at path before its first job.
    void Start(const std::string& path, const ProgressStore::Options& options);
    bool Running() const { return thread_.joinable(); }
    // Queues job behind the others; dropped when the writer is not running.
    void Post(Job job);
    // Waits until every job posted so far has run.
    void WaitIdle();
    // Runs every job left, closes the connection (the log folded back into the file when it is
    // the last one) and ends the thread.
    void Finish();

  private:
    void Run(std::string path, ProgressStore::Options options);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool finishing_ = false;
    std::thread thread_;
};

}  // namespace ruk
