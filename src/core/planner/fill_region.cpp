// Keeper fill and distance map (see fill_region.h).
#include "planner/fill_region.h"

#include <algorithm>
#include <cassert>

namespace ruk {

int FillRegion(const std::uint32_t* obstacles, std::uint32_t* marks, int start, std::uint32_t stamp,
               const DirectionTables& directions, std::int32_t* queue) {
    assert(start >= 0 && start < MAX_CELLS && stamp != 0);
    const std::int32_t* step = directions.stepOffset.data();
    marks[start] = stamp;
    int anchor = start;
    int head = 0;
    int tail = 0;
    queue[tail++] = start;
    while (head < tail) {
        const int cell = queue[head++];
        for (int d = 0; d < 4; ++d) {
            const int next = cell + step[d];
            if (obstacles[next] != 0 || marks[next] != 0) continue;
            marks[next] = stamp;
            assert(tail < MAX_CELLS);  // each cell is queued once
            queue[tail++] = next;
            if (next < anchor) anchor = next;
        }
    }
    return anchor;
}

void DistanceMap(std::uint32_t* distance, int start, const std::uint32_t* planBoard, int cellCount,
                 const DirectionTables& directions, std::int32_t* queue) {
    const std::int32_t* step = directions.stepOffset.data();
    std::fill(distance, distance + cellCount, 0u);
    distance[start] = 1;
    int head = 0;
    int tail = 0;
    queue[tail++] = start;
    while (head < tail) {
        const int cell = queue[head++];
        for (int d = 0; d < 4; ++d) {
            const int next = cell + step[d];
            if (planBoard[next] != 0 || distance[next] != 0) continue;
            distance[next] = distance[cell] + 1;
            queue[tail++] = next;
        }
    }
}

}  // namespace ruk
