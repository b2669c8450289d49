// The one breadth-first fill over a cell array that every region, reach and distance search uses.
#pragma once

#include <cstdint>

#include "search/mark_map.h"

namespace ruk {

// Fills breadth-first from start; the neighbours of a cell are cell + step[0..3], taken in
// that order. enter(cell, from) is called once for each cell taken, the start first (from -1),
// and must mark it; open(next, from) says whether a neighbour may be taken and must be false
// for a marked cell. done() is asked before each cell is expanded and ends the fill when true.
// queue holds one entry per cell taken, so it needs room for every cell the fill can reach.
// Returns the number of cells taken.
template <typename Open, typename Enter, typename Done>
inline int BreadthFill(int start, const std::int32_t* step, std::int32_t* queue, Open&& open,
                       Enter&& enter, Done&& done) {
    // Copies, so that stores into the queue or the marks do not make the loop read them again.
    const std::int32_t offsets[4] = {step[0], step[1], step[2], step[3]};
    int head = 0;
    int tail = 0;
    enter(start, -1);
    queue[tail++] = start;
    while (head < tail && !done()) {
        const int cell = queue[head++];
        for (int d = 0; d < 4; ++d) {
            const int next = cell + offsets[d];
            if (!open(next, cell)) continue;
            enter(next, cell);
            queue[tail++] = next;
        }
    }
    return tail;
}

// The whole fill, no early end.
template <typename Open, typename Enter>
inline int BreadthFill(int start, const std::int32_t* step, std::int32_t* queue, Open&& open,
                       Enter&& enter) {
    return BreadthFill(start, step, queue, open, enter, [] { return false; });
}

// Marks, with the map's current stamp, start and every cell joined to it through cells that
// free(cell) accepts; returns the smallest cell marked. Takes no new stamp: the caller does.
template <typename Free>
inline int MarkRegion(MarkMap& marks, int start, const std::int32_t* step, std::int32_t* queue,
                      Free&& free) {
    int smallest = start;
    const StampedMarks seen = marks.Current();
    BreadthFill(
        start, step, queue, [&](int next, int) { return free(next) && !seen.Marked(next); },
        [&](int cell, int) {
            seen.Mark(cell);
            if (cell < smallest) smallest = cell;
        });
    return smallest;
}

}  // namespace ruk
