// The level browser's shared rows (see level_rows.h).
#include "level_browser/level_rows.h"

namespace ruk {

void LevelRows::Reset(int count) {
    std::lock_guard<std::mutex> lock(mutex_);
    rows_.assign(static_cast<std::size_t>(count > 0 ? count : 0), BrowserRow{});
    rows_.shrink_to_fit();
    reached_ = 0;
}

int LevelRows::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(rows_.size());
}

int LevelRows::Reached() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reached_;
}

BrowserRow LevelRows::Row(int number) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (number < 1 || number > static_cast<int>(rows_.size())) return BrowserRow{};
    return rows_[static_cast<std::size_t>(number - 1)];
}

void LevelRows::Set(const std::vector<std::pair<int, BrowserRow>>& rows) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [number, row] : rows) {
        if (number < 1 || number > static_cast<int>(rows_.size())) continue;
        BrowserRow& target = rows_[static_cast<std::size_t>(number - 1)];
        if (target.state == RowState::UNREAD && row.state != RowState::UNREAD) ++reached_;
        target = row;
    }
}

void LevelRows::MarkUnreadUnreadable() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (BrowserRow& row : rows_) {
        if (row.state != RowState::UNREAD) continue;
        row.state = RowState::UNREADABLE;
        ++reached_;
    }
}

void LevelRows::SetProgress(const std::vector<int>& numbers,
                            const std::vector<LevelRecord>& summaries) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < numbers.size() && i < summaries.size(); ++i) {
        const int number = numbers[i];
        if (number < 1 || number > static_cast<int>(rows_.size())) continue;
        SetRowProgress(rows_[static_cast<std::size_t>(number - 1)], summaries[i]);
    }
}

}  // namespace ruk
