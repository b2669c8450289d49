// Cut cells of a free area (see side_groups.h).
#include "side_groups.h"

#include <limits>

namespace ruk::pushbot {

namespace {

constexpr int NONE = std::numeric_limits<int>::max();

}  // namespace

SideGroups::SideGroups(const LevelCells& level)
    : level_(level),
      seen_(level.cells, 0),
      order_(level.cells, 0),
      low_(level.cells, 0),
      last_(level.cells, 0),
      parent_(level.cells, -1),
      subMin_(level.cells, 0),
      cellAt_(level.cells, 0),
      before_(level.cells + 1, 0),
      after_(level.cells + 1, 0),
      stack_(level.cells + 1),
      nextDir_(level.cells, 0) {}

void SideGroups::Begin() {
    if (++stamp_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        stamp_ = 1;
    }
    entered_ = 0;
    top_ = 0;
}

void SideGroups::Enter(int cell, int parent) {
    seen_[cell] = stamp_;
    cellAt_[entered_] = cell;
    order_[cell] = low_[cell] = entered_++;
    parent_[cell] = parent;
    subMin_[cell] = cell;
    nextDir_[cell] = 0;
    stack_[top_++] = cell;
}

void SideGroups::Finish() {
    before_[0] = NONE;
    for (int e = 0; e < entered_; ++e) before_[e + 1] = std::min(before_[e], cellAt_[e]);
    after_[entered_] = NONE;
    for (int e = entered_ - 1; e >= 0; --e) after_[e] = std::min(after_[e + 1], cellAt_[e]);
}

int SideGroups::PieceOf(int cell, int x) const {
    if (order_[x] <= order_[cell] || order_[x] > last_[cell]) return -1;
    for (int d = 0; d < 4; ++d) {
        const int child = cell + level_.step[d];
        if (Built(child) && parent_[child] == cell && order_[child] <= order_[x] &&
            order_[x] <= last_[child])
            return low_[child] >= order_[cell] ? child : -1;
    }
    return -1;
}

int SideGroups::PieceMin(int cell, int piece) const {
    if (piece >= 0) return subMin_[piece];
    // The area outside cell's subtree, and the subtrees that reach past cell.
    int smallest = std::min(before_[order_[cell]], after_[last_[cell] + 1]);
    for (int d = 0; d < 4; ++d) {
        const int child = cell + level_.step[d];
        if (Built(child) && parent_[child] == cell && low_[child] < order_[cell])
            smallest = std::min(smallest, subMin_[child]);
    }
    return smallest;
}

std::uint32_t SideGroups::Sides(const std::uint32_t* board, int cell, int keeperSide) const {
    const int group = PieceOf(cell, cell + level_.step[keeperSide]);
    std::uint32_t sides = 0;
    for (int d = 0; d < 4; ++d) {
        const int next = cell + level_.step[d];
        if (board[next] == 0 && (d == keeperSide || PieceOf(cell, next) == group)) sides |= 1u << d;
    }
    return sides;
}

}  // namespace ruk::pushbot
