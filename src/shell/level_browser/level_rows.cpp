// The level browser's shared rows (see level_rows.h).
#include "level_browser/level_rows.h"

namespace ruk {

void LevelRows::Reset(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    count_ = count > 0 ? count : 0;
    chunks_.clear();
    chunks_.resize(static_cast<std::size_t>((count_ + CHUNK - 1) / CHUNK));
    chunks_.shrink_to_fit();
    reached_ = 0;
    restUnreadable_ = false;
}

BrowserRow* LevelRows::Find(int number) const {
    if (number < 1 || number > count_) return nullptr;
    const std::unique_ptr<BrowserRow[]>& chunk =
        chunks_[static_cast<std::size_t>((number - 1) / CHUNK)];
    return chunk ? &chunk[static_cast<std::size_t>((number - 1) % CHUNK)] : nullptr;
}

BrowserRow& LevelRows::Make(int number) {
    std::unique_ptr<BrowserRow[]>& chunk = chunks_[static_cast<std::size_t>((number - 1) / CHUNK)];
    if (!chunk) chunk = std::make_unique<BrowserRow[]>(CHUNK);
    return chunk[static_cast<std::size_t>((number - 1) % CHUNK)];
}

int LevelRows::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return count_;
}

int LevelRows::Reached() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reached_;
}

BrowserRow LevelRows::Row(int number) const {
    std::lock_guard<std::mutex> lock(mutex_);
    const BrowserRow* row = Find(number);
    if (row && row->state != RowState::UNREAD) return *row;
    BrowserRow unread;
    if (restUnreadable_ && number >= 1 && number <= count_) unread.state = RowState::UNREADABLE;
    return unread;
}

void LevelRows::Set(const std::vector<std::pair<int, BrowserRow>>& rows) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [number, row] : rows) {
        if (number < 1 || number > count_) continue;
        BrowserRow& target = Make(number);
        if (target.state == RowState::UNREAD && row.state != RowState::UNREAD) ++reached_;
        target = row;
    }
}

void LevelRows::MarkUnreadUnreadable() {
    std::lock_guard<std::mutex> lock(mutex_);
    restUnreadable_ = true;
    reached_ = count_;
}

void LevelRows::SetProgress(const std::vector<int>& numbers,
                            const std::vector<LevelRecord>& summaries) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < numbers.size() && i < summaries.size(); ++i) {
        BrowserRow* row = Find(numbers[i]);
        if (row && row->state == RowState::READ) SetRowProgress(*row, summaries[i]);
    }
}

}  // namespace ruk
