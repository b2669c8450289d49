// The reverse search and the GoalReach tables (see reverse_search.h).
//
// Each node pulls the box one cell and asks which sides of its new cell the keeper can reach.
// That keeper fill (BoxSides) is the cost of the whole search: it stops as soon as every side
// that is not a wall has been reached, and it marks with a fresh stamp instead of clearing.
#include "planner/reverse_search.h"

#include <algorithm>
#include <cassert>

#include "search/box_sides.h"

namespace ruk {

namespace {

constexpr std::uint32_t PULLED_BOX = BOX;

// The sides of box cell n that are not walls.
std::uint32_t OpenSides(const std::uint32_t* walls, int n, const std::int32_t* step) {
    std::uint32_t sides = 0;
    for (const Direction d : DIRECTIONS)
        if (walls[n + step[IndexOf(d)]] == FLOOR) sides |= DirectionBit(d);
    return sides;
}

}  // namespace

void LoadWallMap(DeadlockContext& context, const std::uint32_t* walls) {
    ReverseScratch& t = context.reverse;
    const int cells = context.level->board.cellCount;
    for (int i = 0; i < cells; ++i) t.wallMap[i] = walls[i] & WALL;
}

int ReverseSearchFrom(DeadlockContext& context, const std::int32_t* starts, int startCount) {
    ReverseScratch& t = context.reverse;
    const std::int32_t* step = context.level->directions.stepOffset.data();
    std::uint32_t* walls = t.wallMap.data();
    std::fill(t.seen.begin(), t.seen.begin() + context.level->board.cellCount, 0u);
    int count = 0;
    for (int s = 0; s < startCount; ++s) {
        const int start = starts[s];
        const std::uint32_t startSides = OpenSides(walls, start, step);
        t.seen[start] = startSides;
        t.nodes[count++] = {start, startSides};
    }
    for (int k = 0; k < count; ++k) {
        const ReverseNode node = t.nodes[k];
        for (const Direction d : DIRECTIONS) {
            const std::uint32_t side = DirectionBit(d);
            if (!(node.sides & side)) continue;
            const int n = node.cell + step[IndexOf(d)];
            const int m = n + step[IndexOf(d)];
            if (walls[m] != FLOOR || (t.seen[n] & side)) continue;
            walls[n] = PULLED_BOX;
            const std::uint32_t sides = BoxSides(walls, n, m, step, t.marks, context.queue.data());
            walls[n] = FLOOR;
            t.seen[n] |= sides;
            t.nodes[count++] = {n, sides};
        }
    }
    return count;
}

int ReverseSearch(DeadlockContext& context, int start) {
    const std::int32_t starts[1] = {start};
    return ReverseSearchFrom(context, starts, 1);
}

void GoalReachMasks(DeadlockContext& context, std::uint64_t* masks, const std::uint32_t* walls,
                    const std::int32_t* goals, int n) {
    assert(n <= MAX_GOAL_LIST);  // one bit per goal
    const int cells = context.level->board.cellCount;
    std::fill(masks, masks + cells, 0ull);
    LoadWallMap(context, walls);
    for (int j = 0; j < n; ++j) {
        const int count = ReverseSearch(context, goals[j]);
        for (int k = 0; k < count; ++k) masks[context.reverse.nodes[k].cell] |= 1ull << j;
    }
}

void LiveMap(DeadlockContext& context, std::uint64_t* masks, const std::uint32_t* walls,
             const std::uint32_t* goalMap) {
    const int cells = context.level->board.cellCount;
    std::fill(masks, masks + cells, 0ull);
    LoadWallMap(context, walls);
    // One search from all goals at once reaches the union of the searches from each goal: a
    // state (cell, side) leads to the same pulls whichever goal it was reached from.
    std::int32_t* goals = context.reverse.queueStarts.data();
    int goalCount = 0;
    for (int g = 0; g < cells; ++g)
        if (goalMap[g] == GOAL) goals[goalCount++] = g;
    const int count = ReverseSearchFrom(context, goals, goalCount);
    for (int k = 0; k < count; ++k) masks[context.reverse.nodes[k].cell] = LIVE_CELL;
}

void LoadWallMap(CoreState& core, const std::uint32_t* walls) {
    LoadWallMap(core.dead, walls);
}

int ReverseSearchFrom(CoreState& core, const std::int32_t* starts, int startCount) {
    return ReverseSearchFrom(core.dead, starts, startCount);
}

int ReverseSearch(CoreState& core, int start) {
    return ReverseSearch(core.dead, start);
}

void GoalReachMasks(CoreState& core, std::uint64_t* masks, const std::uint32_t* walls,
                    const std::int32_t* goals, int n) {
    GoalReachMasks(core.dead, masks, walls, goals, n);
}

void LiveMap(CoreState& core, std::uint64_t* masks, const std::uint32_t* walls,
             const std::uint32_t* goalMap) {
    LiveMap(core.dead, masks, walls, goalMap);
}

}  // namespace ruk
