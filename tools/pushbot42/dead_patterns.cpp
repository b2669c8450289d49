// Box sets proved dead on their own (see dead_patterns.h).
#include "dead_patterns.h"

#include "search/breadth_fill.h"

namespace ruk::pushbot {

DeadPatterns::DeadPatterns(const LevelCells& level)
    : level_(level),
      words_((static_cast<std::size_t>(level.cells) + 63) / 64),
      firstEntry_(level.cells, NO_ENTRY),
      queue_(level.cells + 1) {
    boxes_.reserve(PATTERN_CAP * (PATTERN_BOXES + 1));
    regions_.reserve(PATTERN_CAP * words_);
    entrySet_.reserve(PATTERN_CAP * PATTERN_BOXES);
    nextEntry_.reserve(PATTERN_CAP * PATTERN_BOXES);
    board_.assign(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board_[c] = WALL;
}

void DeadPatterns::Add(const std::uint16_t* boxes, std::size_t n, int keeper) {
    if (count_ >= PATTERN_CAP || n == 0 || n > PATTERN_BOXES) return;
    const auto index = static_cast<std::uint32_t>(count_++);
    boxes_.push_back(static_cast<std::uint16_t>(n));
    boxes_.insert(boxes_.end(), boxes, boxes + n);
    boxes_.resize(static_cast<std::size_t>(count_) * (PATTERN_BOXES + 1), 0);
    for (std::size_t i = 0; i < n; ++i) {
        entrySet_.push_back(index);
        nextEntry_.push_back(firstEntry_[boxes[i]]);
        firstEntry_[boxes[i]] = static_cast<std::uint32_t>(entrySet_.size() - 1);
    }
    // The keeper's region with only these boxes on the board.
    for (std::size_t i = 0; i < n; ++i) board_[boxes[i]] = BOX;
    regions_.resize(regions_.size() + words_, 0);
    std::uint64_t* region = &regions_[static_cast<std::size_t>(index) * words_];
    marks_.NewStamp();
    MarkRegion(marks_, keeper, level_.step, queue_.data(),
               [&](int cell) { return board_[cell] == 0; });
    for (int c = 0; c < level_.cells; ++c)
        if (marks_.Marked(c)) region[c / 64] |= std::uint64_t{1} << (c % 64);
    for (std::size_t i = 0; i < n; ++i) board_[boxes[i]] = 0;
}

bool DeadPatterns::Dead(const std::uint32_t* board, int cell, int keeper) const {
    for (std::uint32_t e = firstEntry_[cell]; e != NO_ENTRY; e = nextEntry_[e]) {
        const std::uint32_t p = entrySet_[e];
        if (!InRegion(p, keeper)) continue;
        const std::uint16_t* set = &boxes_[static_cast<std::size_t>(p) * (PATTERN_BOXES + 1)];
        bool all = true;
        for (std::uint16_t i = 1; i <= set[0] && all; ++i) all = board[set[i]] == BOX;
        if (all) return true;
    }
    return false;
}

}  // namespace ruk::pushbot
