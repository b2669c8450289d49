// Floor areas per child (see free_regions.h).
#include "free_regions.h"

#include <algorithm>

namespace ruk::pushbot {

int FreeRegions::AfterPush(const std::uint32_t* board, int from, int to, KeeperReach& reach) const {
    bool beside = false;
    for (int d = 0; d < 4; ++d) beside = beside || from + level_.step[d] == to;
    const bool whole = FreeAroundJoined(level_, board, to);
    if (!whole && !(beside && reach.Reached(to))) return -1;
    // Freeing from joins the areas beside it (to among them, still free then) into one; an
    // area is named by its smallest cell, the keeper's region by -1.
    int joined[4];
    int distinct = 0;
    for (int d = 0; d < 4; ++d) {
        const int n = from + level_.step[d];
        if (n != to && board[n] != 0) continue;
        const int area = reach.Reached(n) ? -1 : reach.AreaMin(board, n, from, to);
        if (std::find(joined, joined + distinct, area) == joined + distinct)
            joined[distinct++] = area;
    }
    // Filling to then splits nothing, nor empties an area (the keeper stands beside it), but
    // for the pieces of the keeper's region that it cuts off from the box's old cell.
    return regions_ - distinct + 1 + (whole ? 0 : reach.PiecesLeft(board, from, to));
}

}  // namespace ruk::pushbot
