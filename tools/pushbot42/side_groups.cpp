// Cut cells of a free area (see side_groups.h).
#include "side_groups.h"

#include <algorithm>

namespace ruk::pushbot {

SideGroups::SideGroups(const LevelCells& level)
    : level_(level),
      seen_(level.cells, 0),
      order_(level.cells, 0),
      low_(level.cells, 0),
      last_(level.cells, 0),
      parent_(level.cells, -1),
      stack_(level.cells + 1),
      nextDir_(level.cells, 0) {}

void SideGroups::Build(const std::uint32_t* board, int start) {
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    const std::int32_t* step = level_.step;
    int entered = 0, top = 0;
    auto enter = [&](int cell, int parent) {
        seen_[cell] = stamp_;
        order_[cell] = low_[cell] = entered++;
        parent_[cell] = parent;
        nextDir_[cell] = 0;
        stack_[top++] = cell;
    };
    enter(start, -1);
    while (top > 0) {
        const int cell = stack_[top - 1];
        if (nextDir_[cell] < 4) {
            const int next = cell + step[nextDir_[cell]++];
            if (board[next] != 0) continue;
            if (Built(next))
                low_[cell] = std::min(low_[cell], order_[next]);
            else
                enter(next, cell);
            continue;
        }
        // Done with cell: its subtree ends with the latest entry so far.
        last_[cell] = entered - 1;
        --top;
        if (parent_[cell] >= 0) low_[parent_[cell]] = std::min(low_[parent_[cell]], low_[cell]);
    }
}

int SideGroups::GroupOf(int cell, int next) const {
    if (order_[next] < order_[cell]) return -1;  // its parent or an earlier cell: the rest
    int child = next;
    if (parent_[next] != cell) {
        // A later cell joined to cell by a back step lies in one of cell's child subtrees.
        for (int d = 0; d < 4; ++d) {
            const int c = cell + level_.step[d];
            if (Built(c) && parent_[c] == cell && order_[c] <= order_[next] &&
                order_[next] <= last_[c])
                child = c;
        }
    }
    return low_[child] >= order_[cell] ? child : -1;
}

std::uint32_t SideGroups::Sides(const std::uint32_t* board, int cell, int keeperSide) const {
    const int group = GroupOf(cell, cell + level_.step[keeperSide]);
    std::uint32_t sides = 0;
    for (int d = 0; d < 4; ++d) {
        const int next = cell + level_.step[d];
        if (board[next] == 0 && (d == keeperSide || GroupOf(cell, next) == group)) sides |= 1u << d;
    }
    return sides;
}

}  // namespace ruk::pushbot
