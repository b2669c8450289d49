// Floor areas per child (see free_regions.h).
#include "free_regions.h"

#include "search/breadth_fill.h"

namespace ruk::pushbot {

FreeRegions::FreeRegions(const LevelCells& level)
    : level_(level), label_(level.cells, 0), queue_(level.cells + 1) {}

void FreeRegions::Label(const std::uint32_t* board, int from, int to) {
    // The parent's board: the box still on from, to free.
    auto free = [&](int c) { return c == to || (c != from && board[c] == 0); };
    marks_.NewStamp();
    regions_ = 0;
    for (int c = 0; c < level_.cells; ++c) {
        if (!free(c) || marks_.Marked(c)) continue;
        const int id = regions_++;
        int count = 1;
        MarkRegion(marks_, c, level_.step, queue_.data(), [&](int n) {
            if (!free(n) || marks_.Marked(n)) return false;
            ++count;
            return true;
        });
        for (int i = 0; i < count; ++i) label_[queue_[i]] = id;
    }
    labelled_ = true;
}

int FreeRegions::AfterPush(const std::uint32_t* board, int from, int to, KeeperReach& reach) {
    bool beside = false;
    for (int d = 0; d < 4; ++d) beside = beside || from + level_.step[d] == to;
    const bool whole = FreeAroundJoined(level_, board, to);
    if (!whole && !(beside && reach.Reached(to))) return -1;
    if (!labelled_) Label(board, from, to);
    // Freeing from joins the areas beside it (to among them, still free then) into one.
    int joined[4];
    int distinct = 0;
    for (int d = 0; d < 4; ++d) {
        const int n = from + level_.step[d];
        if (n == to || board[n] == 0) {
            bool seen = false;
            for (int i = 0; i < distinct; ++i) seen = seen || joined[i] == label_[n];
            if (!seen) joined[distinct++] = label_[n];
        }
    }
    // Filling to then splits nothing, nor empties an area (the keeper stands beside it), but
    // for the pieces of the keeper's region that it cuts off from the box's old cell.
    return regions_ - distinct + 1 + (whole ? 0 : reach.PiecesLeft(board, from, to));
}

}  // namespace ruk::pushbot
