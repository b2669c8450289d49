// The sides of a box the keeper reaches (see box_sides.h).
#include "search/box_sides.h"

#include "search/breadth_fill.h"

namespace ruk {

std::uint32_t BoxSides(const std::uint32_t* board, int box, int keeper, const std::int32_t* step,
                       MarkMap& marks, std::int32_t* queue) {
    std::uint32_t wanted = 0;
    for (int d = 0; d < 4; ++d)
        if (board[box + step[d]] == 0) wanted |= 1u << d;
    // The four side cells, compared with each cell taken without a loop: this fill is the
    // reverse search's whole cost.
    const int up = box + step[0];
    const int right = box + step[1];
    const int down = box + step[2];
    const int left = box + step[3];
    std::uint32_t reached = 0;
    marks.NewStamp();
    const StampedMarks seen = marks.Current();
    BreadthFill(
        keeper, step, queue, [&](int next, int) { return board[next] == 0 && !seen.Marked(next); },
        [&](int cell, int) {
            seen.Mark(cell);
            reached |= static_cast<std::uint32_t>(cell == up) |
                       static_cast<std::uint32_t>(cell == right) << 1 |
                       static_cast<std::uint32_t>(cell == down) << 2 |
                       static_cast<std::uint32_t>(cell == left) << 3;
        },
        [&] { return (reached & wanted) == wanted; });
    return reached & wanted;
}

}  // namespace ruk
