// Fills a LevelRows from its file on a thread of its own, through the same fixed sliding window
// the player uses: the levels around the one shown first, then on to the file's end, then from
// its start. The store is asked in batches; a row's progress can be asked again later (after a
// solve) while the thread lives.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "board/level_set.h"
#include "level_browser/level_rows.h"

namespace ruk {

class RowsReader {
  public:
    // Rows first … last (numbers) changed; called on the reader's thread.
    using Changed = std::function<void(int first, int last)>;

    RowsReader() = default;
    ~RowsReader() { Stop(); }
    RowsReader(const RowsReader&) = delete;
    RowsReader& operator=(const RowsReader&) = delete;

    // Stops a reader still running, resets rows to set's count and reads set's file (positioned
    // at its current level) into them. storePath "" reads no progress.
    void Start(const LevelSet& set, const std::string& storePath, LevelRows& rows, Changed changed);
    // Reads the progress of row number again (once it is read).
    void Refresh(int number);
    // Stops the thread and waits for it.
    void Stop();
    // The reading and every refresh asked for so far are done (for tests and benchmarks).
    bool Idle() const;

  private:
    struct Work;
    void Run(std::unique_ptr<LevelSet> set, std::string storePath, LevelRows* rows,
             Changed changed);
    void ReadAll(Work& work);
    void ServeRefreshes(Work& work);
    void ServeNumbers(Work& work, const std::vector<int>& numbers);

    std::atomic<bool> stop_{false};
    std::atomic<bool> reading_{false};
    std::atomic<int> unserved_{0};  // refreshes asked for and not yet done
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<int> refreshes_;
    std::thread thread_;
};

}  // namespace ruk
