// The keeper's region and its anchor (see keeper_reach.h).
#include "keeper_reach.h"

#include <algorithm>

#include "search/breadth_fill.h"

namespace ruk::pushbot {

KeeperReach::KeeperReach(const LevelCells& level) : level_(level), queue_(level.cells + 1) {}

int KeeperReach::Mark(const std::uint32_t* board, int keeper) {
    reach_.NewStamp();
    return MarkRegion(reach_, keeper, level_.step, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

bool KeeperReach::OneArc(const std::uint32_t* board, int cell) const {
    const std::int32_t* ring = level_.ring;
    int start = -1;
    for (int i = 0; i < 8 && start < 0; ++i)
        if (board[cell + ring[i]] != 0) start = i;
    if (start < 0) return true;
    int arcs = 0;
    bool inArc = false, counted = false;
    for (int j = 1; j <= 8; ++j) {
        const int i = (start + j) & 7;
        if (board[cell + ring[i]] != 0) {
            inArc = false;
            continue;
        }
        if (!inArc) {
            inArc = true;
            counted = false;
        }
        if ((i & 1) == 0 && !counted) {  // a side neighbour
            counted = true;
            ++arcs;
        }
    }
    return arcs <= 1;
}

int KeeperReach::ChildAnchor(const std::uint32_t* board, int parentAnchor, int from, int to,
                             int length, int keeper) {
    if (length == 1 && to != parentAnchor) {
        bool local = true;
        for (int d = 0; d < 4 && local; ++d) {
            const int n = from + level_.step[d];
            if (board[n] == 0 && !Reached(n)) local = false;
        }
        if (local && (!Reached(to) || OneArc(board, to))) return std::min(parentAnchor, from);
    }
    child_.NewStamp();
    return MarkRegion(child_, keeper, level_.step, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

}  // namespace ruk::pushbot
