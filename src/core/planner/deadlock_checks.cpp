// The deadlock tests (see deadlock_checks.h).
#include "planner/deadlock_checks.h"

#include <algorithm>
#include <cassert>

#include "planner/fill_region.h"
#include "planner/goal_assignment.h"
#include "planner/reverse_search.h"

namespace ruk {

FreezeVerdict IsFrozen(std::uint32_t* board, const std::uint32_t* goals, int cell,
                       const DirectionTables& directions, const std::uint8_t* deadCells) {
    // Vertical, then horizontal: first side below (left), second above (right).
    const int axes[2] = {directions.stepOffset[0], directions.stepOffset[1]};
    for (int o : axes)
        if (board[cell - o] == FLOOR && board[cell + o] == FLOOR &&
            (deadCells == nullptr || !deadCells[cell - o] || !deadCells[cell + o]))
            return FreezeVerdict::NotFrozen;
    FreezeVerdict result =
        goals[cell] != FLOOR ? FreezeVerdict::FrozenOnGoals : FreezeVerdict::FrozenOffGoal;
    board[cell] = WALL;  // the box is a wall for the boxes beside it
    bool freeAxis = false;
    for (int o : axes) {
        const int sides[2] = {cell - o, cell + o};
        if (board[sides[0]] == WALL || board[sides[1]] == WALL) continue;
        if (deadCells != nullptr && deadCells[sides[0]] && deadCells[sides[1]]) continue;
        bool frozenSide = false;
        for (int side : sides) {
            if (board[side] != BOX) continue;
            const FreezeVerdict r = IsFrozen(board, goals, side, directions, deadCells);
            if (r == FreezeVerdict::FrozenOffGoal) result = FreezeVerdict::FrozenOffGoal;
            if (r != FreezeVerdict::NotFrozen) frozenSide = true;
        }
        if (!frozenSide) {
            freeAxis = true;
            break;
        }
    }
    board[cell] = BOX;
    return freeAxis ? FreezeVerdict::NotFrozen : result;
}

namespace {

// The box frozen on its goal at cell is a new wall: every area it and the walls cut off from
// the keeper must already be settled, and the boxes left with the keeper must be able to take
// the goals left with it.
DeadVerdict ClosedAreaTest(DeadlockContext& context, const std::uint32_t* board,
                           const std::uint32_t* goals, int cell, int keeper) {
    ClosedAreaScratch& s = context.closedArea;
    const int cells = context.level->board.cellCount;
    for (int i = 0; i < cells; ++i) s.walls[i] = board[i] == WALL ? WALL : FLOOR;
    s.walls[cell] = WALL;
    std::fill(s.marks.begin(), s.marks.begin() + cells, 0u);
    FillRegion(s.walls.data(), s.marks.data(), keeper, 1, context.level->directions,
               context.queue.data());
    int boxCount = 0;
    int goalCount = 0;
    for (int i = 0; i < cells; ++i) {
        if (s.walls[i] != FLOOR) continue;
        const bool box = board[i] == BOX;
        const bool goal = goals[i] == GOAL;
        if (s.marks[i] == 0) {
            if (box != goal) return DeadVerdict::Dead;
            continue;
        }
        // More than the lists hold: no claim (callers keep it to 64 boxes).
        if ((box && boxCount == MAX_GOAL_LIST) || (goal && goalCount == MAX_GOAL_LIST))
            return DeadVerdict::NotProven;
        if (box) s.boxes[boxCount++] = i;
        if (goal) s.goals[goalCount++] = i;
    }
    if (goalCount == 0 || goalCount != boxCount) return DeadVerdict::NotProven;
    GoalReachMasks(context, s.masks.data(), s.walls.data(), s.goals.data(), goalCount);
    return AssignmentTest(s.masks.data(), s.boxes.data(), boxCount);
}

}  // namespace

DeadVerdict IsDeadAfterPush(DeadlockContext& context, std::uint32_t* board,
                            const std::uint32_t* goals, int cell, int keeper) {
    assert(cell >= 0 && cell < context.level->board.cellCount);
    assert(keeper >= 0 && keeper < context.level->board.cellCount);
    const DirectionTables& directions = context.level->directions;
    const std::uint8_t* dead = context.deadCells;
    const FreezeVerdict r = IsFrozen(board, goals, cell, directions, dead);
    if (r == FreezeVerdict::NotFrozen) return DeadVerdict::NotProven;
    if (r == FreezeVerdict::FrozenOffGoal) return DeadVerdict::Dead;
    for (int k = 0; k < 8; ++k) {
        const int around = cell + directions.ringOffset[k];
        if (board[around] == BOX &&
            IsFrozen(board, goals, around, directions, dead) == FreezeVerdict::FrozenOffGoal)
            return DeadVerdict::Dead;
    }
    if (keeper == 0) return DeadVerdict::NotProven;
    return ClosedAreaTest(context, board, goals, cell, keeper);
}

DeadVerdict IsDeadAfterPush(CoreState& core, std::uint32_t* board, const std::uint32_t* goals,
                            int cell, int keeper) {
    return IsDeadAfterPush(core.dead, board, goals, cell, keeper);
}

}  // namespace ruk
