// The level browser's reader (see rows_reader.h).
#include "level_browser/rows_reader.h"

#include <algorithm>
#include <cstring>

#include "core_door.h"
#include "level_key.h"
#include "progress_store.h"

namespace ruk {

namespace {

// Rows read before the shown level, so that the rows around it come first.
constexpr int ROWS_BEFORE_SHOWN = 50;
// Rows published together: a small first batch shows the first screen soon.
constexpr std::size_t FIRST_BATCH = 40;
constexpr std::size_t BATCH = 500;

BrowserRow RowOfLevel(const CoreState& core) {
    const Board& board = door::ReadBoard(core);
    BrowserRow row;
    row.state = RowState::READ;
    row.status = board.status;
    row.cols = board.width;
    row.rows = board.height;
    row.boxes = board.boxCount;
    row.fileStart = door::Levels(core).window.levelStart;
    const std::string key = LevelKey(board);
    std::memcpy(row.key.data(), key.data(), std::min(key.size(), row.key.size() - 1));
    row.title = door::Title(core);
    return row;
}

}  // namespace

struct RowsReader::Work {
    CoreState* core;
    ProgressStore& store;
    LevelRows& rows;
    const Changed& changed;
    std::vector<std::pair<int, BrowserRow>> batch;
    std::size_t batchSize = FIRST_BATCH;

    // The batch's progress asked in one go, then the rows published.
    void Flush() {
        if (batch.empty()) return;
        std::vector<std::string> keys;
        keys.reserve(batch.size());
        for (const auto& entry : batch) keys.emplace_back(entry.second.key.data());
        if (const auto summaries = store.SummariesOf(keys)) {
            for (std::size_t i = 0; i < batch.size(); ++i)
                SetRowProgress(batch[i].second, (*summaries)[i]);
        }
        int first = batch.front().first;
        int last = first;
        for (const auto& entry : batch) {
            first = std::min(first, entry.first);
            last = std::max(last, entry.first);
        }
        rows.Set(batch);
        batch.clear();
        batchSize = BATCH;
        if (changed) changed(first, last);
    }

    // Level n read (by read), or the reading ends here.
    bool Take(int n, bool read) {
        if (!read) return false;
        batch.emplace_back(n, RowOfLevel(*core));
        if (batch.size() >= batchSize) Flush();
        return true;
    }
};

void RowsReader::Start(const LevelSet& set, const std::string& storePath, LevelRows& rows,
                       Changed changed) {
    Stop();
    stop_ = false;
    reading_ = true;
    rows.Reset(set.fromFile ? set.count : 0);
    auto copy = std::make_unique<LevelSet>(set);
    thread_ = std::thread(
        [this, copy = std::move(copy), storePath, &rows, changed = std::move(changed)]() mutable {
            Run(std::move(copy), storePath, &rows, std::move(changed));
        });
}

void RowsReader::Run(std::unique_ptr<LevelSet> set, std::string storePath, LevelRows* rows,
                     Changed changed) {
    // A state and a connection of its own: the window's are not touched from here.
    const std::unique_ptr<CoreState> core = door::CreateState();
    ProgressStore store;
    ProgressStore::Options options;
    options.readOnly = true;
    if (!storePath.empty()) store.Open(storePath, options);
    Work work{core.get(), store, *rows, changed, {}, FIRST_BATCH};
    if (core && rows->Count() > 0) {
        door::AdoptLevelSet(*core, *set);
        set.reset();
        ReadAll(work);
    }
    reading_ = false;
    while (!stop_) {
        ServeRefreshes(work);
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || !refreshes_.empty(); });
    }
}

void RowsReader::ReadAll(Work& work) {
    CoreState& core = *work.core;
    const int count = work.rows.Count();
    const int shown = std::clamp(door::Levels(core).current, 1, count);
    const int before = std::max(1, shown - ROWS_BEFORE_SHOWN);
    // The state holds the window's file but not its Board: the shown level is read afresh.
    const std::int64_t shownStart =
        shown == door::Levels(core).current ? door::Levels(core).window.levelStart : 0;
    bool whole = work.Take(shown, door::ReadLevelAfter(core, shown, shownStart - 1));
    const std::int64_t shownEnd = door::Levels(core).window.levelEnd;
    for (int n = shown - 1; whole && n >= before && !stop_; --n)
        whole = work.Take(n, door::ReadLevel(core, n));
    if (whole && shown < count && !stop_)
        whole = work.Take(shown + 1, door::ReadLevelAfter(core, shown + 1, shownEnd));
    for (int n = shown + 2; whole && n <= count && !stop_; ++n) {
        whole = work.Take(n, door::ReadLevel(core, n));
        if (work.batch.empty()) ServeRefreshes(work);
    }
    if (whole && before > 1 && !stop_) whole = work.Take(1, door::ReadLevelAfter(core, 1, -1));
    for (int n = 2; whole && n < before && !stop_; ++n)
        whole = work.Take(n, door::ReadLevel(core, n));
    work.Flush();
    // A file changed or removed under the reader: what was not read stays unreadable.
    if (!whole && !stop_) {
        work.rows.MarkUnreadUnreadable();
        if (work.changed) work.changed(1, count);
    }
}

void RowsReader::ServeRefreshes(Work& work) {
    std::vector<int> numbers;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        numbers.swap(refreshes_);
    }
    const int served = static_cast<int>(numbers.size());
    ServeNumbers(work, numbers);
    unserved_ -= served;
}

void RowsReader::ServeNumbers(Work& work, const std::vector<int>& numbers) {
    std::vector<int> known;
    std::vector<std::string> keys;
    for (const int number : numbers) {
        const BrowserRow row = work.rows.Row(number);
        if (row.state != RowState::READ) continue;
        known.push_back(number);
        keys.emplace_back(row.key.data());
    }
    if (known.empty()) return;
    if (const auto summaries = work.store.SummariesOf(keys)) {
        work.rows.SetProgress(known, *summaries);
        for (const int number : known)
            if (work.changed) work.changed(number, number);
    }
}

void RowsReader::Refresh(int number) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        refreshes_.push_back(number);
        ++unserved_;
    }
    wake_.notify_one();
}

bool RowsReader::Idle() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !reading_ && unserved_ == 0;
}

void RowsReader::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
}

}  // namespace ruk
