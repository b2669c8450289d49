// The open file's solved count, worked out on a thread of its own so that a file of any size
// opens at once; the answer is handed to a callback on that thread.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "file_solved_count.h"

namespace ruk {

class SolvedCountTask {
  public:
    using Done = std::function<void(const std::string& levelPath, const FileSolvedCount&)>;

    SolvedCountTask() = default;
    ~SolvedCountTask() { Stop(); }
    SolvedCountTask(const SolvedCountTask&) = delete;
    SolvedCountTask& operator=(const SolvedCountTask&) = delete;

    // Stops a count still running, then counts levelPath's solved levels in the store at
    // storePath (opened for reading, apart from the caller's) and calls done with the answer.
    void Start(const std::string& storePath, const std::string& levelPath, Done done);
    // Stops a running count and waits for its thread; its answer is dropped.
    void Stop();

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace ruk
