// The level browser's rows of one file, shared by the reader that fills them and the window
// that lists them: the count is known at once, each row as the reader reaches it.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "level_browser/browser_row.h"

namespace ruk {

class LevelRows {
  public:
    // count unread rows (none for a count under 1); a new file's rows replace the old ones.
    void Reset(int count);
    int Count() const;
    // Rows read so far (unreadable ones included).
    int Reached() const;
    // Row number (from 1); an unread row for a number out of range.
    BrowserRow Row(int number) const;
    // The rows, numbered, replacing the rows of those numbers that are still of this count.
    void Set(const std::vector<std::pair<int, BrowserRow>>& rows);
    // Marks every row not read yet as unreadable.
    void MarkUnreadUnreadable();
    // The progress of the rows of numbers, in the order of summaries.
    void SetProgress(const std::vector<int>& numbers, const std::vector<LevelRecord>& summaries);

  private:
    // Rows are kept in chunks made as the reader reaches them, so that a file of many levels
    // lists at once and holds only what was read.
    static constexpr int CHUNK = 1024;
    BrowserRow* Find(int number) const;
    BrowserRow& Make(int number);

    mutable std::mutex mutex_;
    int count_ = 0;
    std::vector<std::unique_ptr<BrowserRow[]>> chunks_;
    int reached_ = 0;
    bool restUnreadable_ = false;  // rows never reached count as unreadable
};

}  // namespace ruk
