// The target search of a selected box (see box_targets.h).
#include "planner/box_targets.h"

#include <algorithm>

#include "planner/corral_search.h"
#include "planner/deadlock_checks.h"
#include "planner/fill_region.h"
#include "search/box_sides.h"

namespace ruk {

namespace {

constexpr std::uint32_t SIDE_BITS[4] = {DIR_UP, DIR_RIGHT, DIR_DOWN, DIR_LEFT};

static_assert(DIR_UP == 1u << 0 && DIR_RIGHT == 1u << 1 && DIR_DOWN == 1u << 2 &&
                  DIR_LEFT == 1u << 3,
              "side bits follow the step order");

// The sides of the box on `box` that the keeper reaches from `keeper`.
std::uint32_t SidesFrom(CoreState& core, int keeper, int box) {
    return BoxSides(core.game.shown.positionBoard.data(), box, keeper,
                    core.level.directions.stepOffset.data(), core.planner.targets.marks,
                    core.planner.queue.data());
}

// The guard's verdict on the selected box pushed from c onto t (already on the board).
bool GuardAccepts(CoreState& core, int t, int c) {
    PlannerTables& p = core.planner;
    std::uint32_t* position = core.game.shown.positionBoard.data();
    const std::uint32_t* goals = core.planner.goalMap.data();
    const bool lenient = p.manyBoxes || p.unsolvable;
    if (IsDeadAfterPush(core, position, goals, t, lenient ? 0 : c) == DeadVerdict::Dead)
        return false;
    const ShownPosition& shown = core.game.shown;
    if (p.unsolvable) return p.goalReach[t] != 0 || p.openDeadMap[t] == OPEN_DEAD_REACH;
    if (!p.manyBoxes && AssignmentTest(p.goalReach.data(), shown.boxList.data(),
                                       shown.boxListCount) == DeadVerdict::Dead)
        return false;
    if (p.manyBoxes && p.goalReach[t] == 0) return false;
    return CorralCheck(core, position, shown.boxList.data(), shown.boxListCount, t, c) ==
           DeadVerdict::NotProven;
}

int Search(CoreState& core, bool guarded, int boxIndex) {
    TargetSearchScratch& s = core.planner.targets;
    ShownPosition& shown = core.game.shown;
    std::uint32_t* position = shown.positionBoard.data();
    const std::int32_t* step = core.level.directions.stepOffset.data();
    const int box = core.view.selectedBox;
    const std::uint32_t startSides = SidesFrom(core, shown.keeperCell, box);
    if (startSides == 0) return 0;
    if (guarded)
        ResetCorralTable(core, position, core.planner.goalMap.data(),
                         core.planner.goalReach.data());
    std::fill(s.sideUnion.begin(), s.sideUnion.begin() + core.level.board.cellCount, 0u);
    s.sideUnion[box] = startSides;
    s.nodeCells[0] = box;
    s.nodePrev[0] = shown.keeperCell;
    s.nodeSides[0] = startSides;
    int count = 1;
    const std::uint32_t savedBox = position[box];
    const std::int32_t savedEntry = guarded ? shown.boxList[boxIndex] : 0;
    position[box] = 0;
    for (int i = 0; i < count; ++i) {
        const int c = s.nodeCells[i];
        for (int d = 0; d < 4; ++d) {
            if (!(s.nodeSides[i] & SIDE_BITS[d])) continue;
            const int t = c - step[d];
            if (position[t] != 0 || (s.sideUnion[t] & SIDE_BITS[d])) continue;
            position[t] = BOX;
            bool accepted = true;
            if (guarded) {
                shown.boxList[boxIndex] = t;
                accepted = GuardAccepts(core, t, c);
            }
            std::uint32_t sides = 0;
            if (accepted) sides = SidesFrom(core, c, t);
            position[t] = 0;
            if (!accepted) continue;
            s.sideUnion[t] |= sides;
            s.nodeCells[count] = t;
            s.nodePrev[count] = c;
            s.nodeSides[count] = sides;
            ++count;
        }
    }
    position[box] = savedBox;
    if (guarded) shown.boxList[boxIndex] = savedEntry;
    return count;
}

}  // namespace

int FindPushTargets(CoreState& core) {
    return Search(core, false, 0);
}

int FindGuardedTargets(CoreState& core, int boxIndex) {
    return Search(core, true, boxIndex);
}

}  // namespace ruk
