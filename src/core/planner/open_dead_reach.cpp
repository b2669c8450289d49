// The OpenDeadMap (see open_dead_reach.h).
#include "planner/open_dead_reach.h"

#include <algorithm>

#include "planner/fill_region.h"
#include "planner/reverse_search.h"

namespace ruk {

namespace {

bool BoxOnDeadCell(const CoreState& core) {
    const auto& position = core.game.shown.positionBoard;
    for (int i = 0; i < core.level.board.cellCount; ++i)
        if (position[i] == BOX && core.planner.goalReach[i] == 0) return true;
    return false;
}

bool AllSidesFree(const std::uint32_t* walls, int cell, const std::int32_t* step) {
    for (int d = 0; d < 4; ++d)
        if (walls[cell + step[d]] != 0) return false;
    return true;
}

}  // namespace

void MarkOpenDeadReach(CoreState& core) {
    PlannerTables& t = core.planner;
    const int cells = core.level.board.cellCount;
    const std::int32_t* step = core.level.directions.stepOffset.data();
    std::fill(t.openDeadMap.begin(), t.openDeadMap.begin() + cells, 0u);
    if (!BoxOnDeadCell(core)) return;

    LoadWallMap(core, core.game.shown.positionBoard.data());
    std::fill(t.marks.begin(), t.marks.begin() + cells, 0u);
    FillRegion(t.wallMap.data(), t.marks.data(), core.game.shown.keeperCell, 1,
               core.level.directions, t.queue.data());
    for (int i = 0; i < cells; ++i)
        if (t.marks[i] == 0) t.wallMap[i] = WALL;

    // One search from every open dead cell at once: the union of their searches.
    std::int32_t* starts = t.queueStarts.data();
    int startCount = 0;
    for (int i = 0; i < cells; ++i)
        if (t.wallMap[i] == 0 && t.goalReach[i] == 0 && AllSidesFree(t.wallMap.data(), i, step))
            starts[startCount++] = i;
    if (startCount == 0) return;
    const int count = ReverseSearchFrom(core, starts, startCount);
    for (int k = 0; k < count; ++k) t.openDeadMap[t.nodes[k].cell] = OPEN_DEAD_REACH;
}

}  // namespace ruk
