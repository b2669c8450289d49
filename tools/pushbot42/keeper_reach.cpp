// The keeper's region and its anchor (see keeper_reach.h).
#include "keeper_reach.h"

#include <algorithm>

#include "search/breadth_fill.h"

namespace ruk::pushbot {

KeeperReach::KeeperReach(const LevelCells& level)
    : level_(level), queue_(level.cells + 1), area_(level.cells, 0) {}

int KeeperReach::Mark(const std::uint32_t* board, int keeper) {
    reach_.NewStamp();
    areas_.NewStamp();
    return MarkRegion(reach_, keeper, level_.step, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

int KeeperReach::AreaMin(const std::uint32_t* board, int cell, int from, int to) {
    if (!areas_.Marked(cell)) {
        // The fill's cells stand in queue_ afterwards, the start first.
        int count = 1;
        const int smallest = MarkRegion(areas_, cell, level_.step, queue_.data(), [&](int c) {
            const bool free = c == to || (c != from && board[c] == 0);
            if (!free || Reached(c) || areas_.Marked(c)) return false;
            ++count;
            return true;
        });
        for (int i = 0; i < count; ++i) area_[queue_[i]] = smallest;
    }
    return area_[cell];
}

int KeeperReach::ChildAnchor(const std::uint32_t* board, int parentAnchor, int from, int to,
                             int length, int keeper) {
    if (to != parentAnchor) {
        // The keeper only ever walks the region, the box's old cell and the areas beside it;
        // they lose to, which splits nothing off when the cells around it stay joined.
        int anchor = std::min(parentAnchor, from);
        bool opened = false, known = true;
        for (int d = 0; d < 4 && known; ++d) {
            const int n = from + level_.step[d];
            if (board[n] != 0 || Reached(n)) continue;
            opened = true;
            const int smallest = AreaMin(board, n, from, to);
            known = smallest != to;
            anchor = std::min(anchor, smallest);
        }
        // One push into an area that the keeper does not enter.
        if (known && length == 1 && !opened && !Reached(to)) return anchor;
        if (known && FreeAroundJoined(level_, board, to)) {
            if (Reached(to)) return anchor;
            const int smallest = AreaMin(board, to, from, to);
            if (smallest != to) return std::min(anchor, smallest);
        }
    }
    child_.NewStamp();
    return MarkRegion(child_, keeper, level_.step, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

}  // namespace ruk::pushbot
