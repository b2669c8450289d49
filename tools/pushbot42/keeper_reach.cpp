// The keeper's region and its anchor (see keeper_reach.h).
#include "keeper_reach.h"

#include <algorithm>

#include "search/breadth_fill.h"

namespace ruk::pushbot {

KeeperReach::KeeperReach(const LevelCells& level)
    : level_(level), queue_(level.cells + 1), area_(level.cells, 0), cuts_(level) {}

int KeeperReach::Mark(const std::uint32_t* board, int keeper) {
    reach_.NewStamp();
    areas_.NewStamp();
    cutsBuilt_ = false;
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

void KeeperReach::BuildCuts(int cell) {
    if (cutsBuilt_) return;
    cuts_.Walk(cell, [&](int c) { return Reached(c); });
    cutsBuilt_ = true;
}

int KeeperReach::PiecesMin(const std::uint32_t* board, int from, int to) {
    BuildCuts(to);
    // The pieces that to cuts the region into which the keeper, on from, still joins.
    int smallest = from;
    for (int d = 0; d < 4; ++d) {
        const int n = from + level_.step[d];
        if (n != to && board[n] == 0 && Reached(n))
            smallest = std::min(smallest, cuts_.PieceMin(to, cuts_.PieceOf(to, n)));
    }
    return smallest;
}

int KeeperReach::PiecesLeft(const std::uint32_t* board, int from, int to) {
    BuildCuts(to);
    int joined[4], seen[4];
    int joinedCount = 0, seenCount = 0, left = 0;
    for (int d = 0; d < 4; ++d) {
        const int n = from + level_.step[d];
        if (n != to && board[n] == 0 && Reached(n)) joined[joinedCount++] = cuts_.PieceOf(to, n);
    }
    for (int d = 0; d < 4; ++d) {
        const int n = to + level_.step[d];
        if (!Reached(n)) continue;
        const int piece = cuts_.PieceOf(to, n);
        if (std::find(seen, seen + seenCount, piece) != seen + seenCount) continue;
        seen[seenCount++] = piece;
        if (std::find(joined, joined + joinedCount, piece) == joined + joinedCount) ++left;
    }
    return left;
}

int KeeperReach::ChildAnchor(const std::uint32_t* board, int parentAnchor, int from, int to,
                             int length, int keeper) {
    if (to != parentAnchor) {
        // The keeper only ever walks the region, the box's old cell and the areas beside it;
        // they lose to, which splits nothing off when the cells around it stay joined.
        int opened = from;  // the smallest of from and the areas it opens
        bool known = true, opens = false;
        for (int d = 0; d < 4 && known; ++d) {
            const int n = from + level_.step[d];
            if (board[n] != 0 || Reached(n)) continue;
            opens = true;
            const int smallest = AreaMin(board, n, from, to);
            known = smallest != to;
            opened = std::min(opened, smallest);
        }
        const int anchor = std::min(parentAnchor, opened);
        // One push into an area that the keeper does not enter.
        if (known && length == 1 && !opens && !Reached(to)) return anchor;
        if (known && FreeAroundJoined(level_, board, to)) {
            if (Reached(to)) return anchor;
            const int smallest = AreaMin(board, to, from, to);
            if (smallest != to) return std::min(anchor, smallest);
        } else if (known && length == 1 && Reached(to)) {
            // The region's pieces without to that the keeper still joins.
            return std::min(opened, PiecesMin(board, from, to));
        }
    }
    child_.NewStamp();
    return MarkRegion(child_, keeper, level_.step, queue_.data(),
                      [&](int cell) { return board[cell] == 0; });
}

}  // namespace ruk::pushbot
