// The open lists (see open_list.h).
#include "open_list.h"

#include <algorithm>
#include <bit>

namespace ruk::pushbot {

void OpenList::Clear(std::size_t featureCells) {
    single_ = {};
    advised_ = {};
    advisedTurn_ = false;
    byFeature_.assign(featureCells, {});
    nonempty_.assign((featureCells + 63) / 64, 0);
    count_ = 0;
    cursor_ = 0;
    dropped_ = false;
}

namespace {

std::uint64_t KeyOf(std::uint64_t priority, std::uint32_t depth) {
    return (priority << 24) | (0xffffffu - std::min<std::uint32_t>(depth, 0xffffffu));
}

}  // namespace

bool OpenList::PushAdvised(std::uint64_t priority, std::uint32_t depth, std::uint32_t position) {
    if (count_ >= maxEntries_) {
        dropped_ = true;
        return false;
    }
    ++count_;
    advised_.push({KeyOf(priority, depth), position});
    return true;
}

bool OpenList::Push(std::uint64_t priority, std::uint32_t depth, std::uint32_t position,
                    int feature) {
    const std::uint64_t key = KeyOf(priority, depth);
    if (count_ >= maxEntries_) {
        dropped_ = true;
        return false;
    }
    ++count_;
    if (byFeature_.empty())
        single_.push({key, position});
    else {
        byFeature_[feature].push({key, position});
        nonempty_[feature / 64] |= std::uint64_t{1} << (feature % 64);
    }
    return true;
}

bool OpenList::Pop(OpenEntry& top) {
    if (count_ == 0) return false;
    --count_;
    advisedTurn_ = !advisedTurn_;
    if (!advised_.empty() && (advisedTurn_ || count_ + 1 == advised_.size())) {
        top = advised_.top();
        advised_.pop();
        return true;
    }
    if (byFeature_.empty()) {
        top = single_.top();
        single_.pop();
        return true;
    }
    cursor_ = NextNonempty(cursor_);
    top = byFeature_[cursor_].top();
    byFeature_[cursor_].pop();
    if (byFeature_[cursor_].empty())
        nonempty_[cursor_ / 64] &= ~(std::uint64_t{1} << (cursor_ % 64));
    cursor_ = (cursor_ + 1) % byFeature_.size();
    return true;
}

// The first feature cell from cell on, wrapping round, with entries (there is one): a word of
// bits at a time, since most cells of a large feature space stay empty.
std::size_t OpenList::NextNonempty(std::size_t cell) const {
    std::size_t word = cell / 64;
    std::uint64_t bits = nonempty_[word] & (~std::uint64_t{0} << (cell % 64));
    while (bits == 0) {
        word = (word + 1) % nonempty_.size();
        bits = nonempty_[word];
    }
    return word * 64 + static_cast<std::size_t>(std::countr_zero(bits));
}

}  // namespace ruk::pushbot
