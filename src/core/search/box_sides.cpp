// The sides of a box the keeper reaches (see box_sides.h).
#include "search/box_sides.h"

#include "search/breadth_fill.h"

namespace ruk {

std::uint32_t BoxSides(const std::uint32_t* board, int box, int keeper, const std::int32_t* step,
                       MarkMap& marks, std::int32_t* queue) {
    std::uint32_t wanted = 0;
    for (int d = 0; d < 4; ++d)
        if (board[box + step[d]] == 0) wanted |= 1u << d;
    std::uint32_t reached = 0;
    marks.NewStamp();
    BreadthFill(
        keeper, step, queue, [&](int next, int) { return board[next] == 0 && !marks.Marked(next); },
        [&](int cell, int) {
            marks.Mark(cell);
            const int fromBox = cell - box;
            for (int d = 0; d < 4; ++d)
                if (fromBox == step[d]) reached |= 1u << d;
        },
        [&] { return (reached & wanted) == wanted; });
    return reached & wanted;
}

}  // namespace ruk
