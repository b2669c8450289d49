// The open lists (see open_list.h).
#include "open_list.h"

#include <algorithm>

namespace ruk::pushbot {

void OpenList::Clear(std::size_t featureCells) {
    single_ = {};
    byFeature_.assign(featureCells, {});
    count_ = 0;
    cursor_ = 0;
    dropped_ = false;
}

bool OpenList::Push(std::uint64_t priority, std::uint32_t depth, std::uint32_t position,
                    int feature) {
    const std::uint64_t key =
        (priority << 24) | (0xffffffu - std::min<std::uint32_t>(depth, 0xffffffu));
    if (count_ >= maxEntries_) {
        dropped_ = true;
        return false;
    }
    ++count_;
    if (byFeature_.empty())
        single_.push({key, position});
    else
        byFeature_[feature].push({key, position});
    return true;
}

bool OpenList::Pop(OpenEntry& top) {
    if (count_ == 0) return false;
    --count_;
    if (byFeature_.empty()) {
        top = single_.top();
        single_.pop();
        return true;
    }
    while (byFeature_[cursor_].empty()) cursor_ = (cursor_ + 1) % byFeature_.size();
    top = byFeature_[cursor_].top();
    byFeature_[cursor_].pop();
    cursor_ = (cursor_ + 1) % byFeature_.size();
    return true;
}

}  // namespace ruk::pushbot
