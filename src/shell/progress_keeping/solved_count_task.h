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
    // storePath (a connection apart from the caller's) and calls done with the answer. With
    // readSolutions the solutions the file carries are offered to the store first (the store is
    // then opened for writing); without, it is only read.
    void Start(const std::string& storePath, const std::string& levelPath, Done done,
               bool readSolutions = false);
    // Stops a running count and waits for its thread; its answer is dropped.
    void Stop();

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace ruk
