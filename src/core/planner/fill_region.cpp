// Keeper fill and distance map (see fill_region.h).
#include "planner/fill_region.h"

#include <algorithm>
#include <cassert>

#include "search/breadth_fill.h"

namespace ruk {

int FillRegion(const std::uint32_t* obstacles, std::uint32_t* marks, int start, std::uint32_t stamp,
               const DirectionTables& directions, std::int32_t* queue) {
    assert(start >= 0 && start < MAX_CELLS && stamp != 0);
    int anchor = start;
    // A cell is taken once: any mark, this fill's or an earlier region's, closes it.
    const int taken = BreadthFill(
        start, directions.stepOffset.data(), queue,
        [&](int next, int) { return obstacles[next] == FLOOR && marks[next] == 0; },
        [&](int cell, int) {
            marks[cell] = stamp;
            if (cell < anchor) anchor = cell;
        });
    assert(taken <= MAX_CELLS);
    (void)taken;
    return anchor;
}

void DistanceMap(std::uint32_t* distance, int start, const std::uint32_t* planBoard, int cellCount,
                 const DirectionTables& directions, std::int32_t* queue) {
    std::fill(distance, distance + cellCount, 0u);
    BreadthFill(
        start, directions.stepOffset.data(), queue,
        [&](int next, int) { return planBoard[next] == FLOOR && distance[next] == 0; },
        [&](int cell, int from) { distance[cell] = from < 0 ? 1 : distance[from] + 1; });
}

}  // namespace ruk
