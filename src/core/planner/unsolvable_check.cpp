// The unsolvable check (see unsolvable_check.h). Steps 1 to 5 repeat the start analysis on the
// shown position, where a frozen box off goal or a goal no box can reach ends it with a proof.
#include "planner/unsolvable_check.h"

#include <algorithm>

#include "planner/corral_search.h"
#include "planner/deadlock_checks.h"
#include "planner/fill_region.h"
#include "planner/reverse_search.h"
#include "planner/static_reductions.h"

namespace ruk {

namespace {

void MakeWall(UnsolvableScratch& s, int cell) {
    s.position[cell] = WALL;
    s.walls[cell] = WALL;
    s.goals[cell] = WALL;
}

// Steps 1 to 7: the private maps and lists; Dead when a proof turns up on the way.
DeadVerdict Reduce(CoreState& core) {
    UnsolvableScratch& s = core.planner.check;
    const int cells = core.level.board.cellCount;
    const auto& shown = core.game.shown;
    const auto& goalMap = core.planner.goalMap;
    for (int i = 0; i < cells; ++i) {
        s.position[i] = shown.positionBoard[i];
        s.walls[i] = shown.positionBoard[i] == WALL ? WALL : 0;
        s.goals[i] = s.walls[i] == WALL ? WALL : goalMap[i];
    }
    std::fill(s.marks.begin(), s.marks.begin() + cells, 0u);
    FillRegion(s.walls.data(), s.marks.data(), shown.keeperCell, 1, core.level.directions,
               core.planner.queue.data());
    for (int i = 0; i < cells; ++i)
        if (s.marks[i] == 0) MakeWall(s, i);

    RemoveMovableBoxes(s.position.data(), s.marks.data(), shown.keeperCell, core.level,
                       core.planner.queue.data());
    for (int i = 0; i < cells; ++i) {
        if (s.position[i] != BOX) continue;
        if (s.goals[i] == 0) return DeadVerdict::Dead;
        MakeWall(s, i);
    }
    ClearFillableGoals(s.goals.data(), core.level.board);
    for (int i = 0; i < cells; ++i) {
        if (s.goals[i] != GOAL) continue;
        if (shown.positionBoard[i] != BOX) return DeadVerdict::Dead;
        MakeWall(s, i);
    }
    s.boxCount = 0;
    s.goalCount = 0;
    int goalsListed = 0;
    for (int i = 0; i < cells; ++i) {
        if (s.walls[i] != 0) continue;
        if (shown.positionBoard[i] != 0) {
            s.boxes[s.boxCount++] = i;
            s.position[i] = BOX;
        }
        if (goalMap[i] != 0) {
            ++s.goalCount;
            s.goals[i] = GOAL;
            if (s.goalCount <= MAX_GOAL_LIST) s.goalList[goalsListed++] = i;
        }
    }
    return s.boxCount != s.goalCount ? DeadVerdict::Dead : DeadVerdict::NotProven;
}

// Step 8: every box must reach some goal (live map), or all boxes distinct goals (masks).
DeadVerdict ReachTest(CoreState& core) {
    UnsolvableScratch& s = core.planner.check;
    if (s.boxCount > MAX_GOAL_LIST) {
        LiveMap(core, s.masks.data(), s.walls.data(), s.goals.data());
        for (int b = 0; b < s.boxCount; ++b)
            if (s.masks[s.boxes[b]] == 0) return DeadVerdict::Dead;
        return DeadVerdict::NotProven;
    }
    GoalReachMasks(core, s.masks.data(), s.walls.data(), s.goalList.data(), s.goalCount);
    return AssignmentTest(s.masks.data(), s.boxes.data(), s.boxCount);
}

// Step 10: pass after pass, every box that has a push to a cell that is not dead is taken off.
// The test of a push leaves out the closed-area test: with boxes already taken off, a goal
// they stand on would look empty, and the proof would not be one.
void FreeBoxes(CoreState& core) {
    UnsolvableScratch& s = core.planner.check;
    const int cells = core.level.board.cellCount;
    const std::int32_t* step = core.level.directions.stepOffset.data();
    std::uint32_t* position = s.position.data();
    for (bool freed = true; freed;) {
        freed = false;
        std::fill(s.marks.begin(), s.marks.begin() + cells, 0u);
        FillRegion(position, s.marks.data(), core.game.shown.keeperCell, 1, core.level.directions,
                   core.planner.queue.data());
        for (int i = 0; i < cells; ++i) {
            if (position[i] != BOX) continue;
            for (int d = 0; d < 4; ++d) {
                const int target = i - step[d];
                if (s.marks[i + step[d]] == 0 || position[target] != 0 || s.masks[target] == 0)
                    continue;
                position[i] = 0;
                position[target] = BOX;
                const DeadVerdict dead = IsDeadAfterPush(core, position, s.goals.data(), target, 0);
                position[target] = 0;
                if (dead == DeadVerdict::NotProven) {
                    freed = true;
                    break;
                }
                position[i] = BOX;
            }
        }
    }
}

}  // namespace

DeadVerdict UnsolvableCheck(CoreState& core) {
    if (Reduce(core) == DeadVerdict::Dead) return DeadVerdict::Dead;
    if (ReachTest(core) == DeadVerdict::Dead) return DeadVerdict::Dead;
    UnsolvableScratch& s = core.planner.check;
    ResetCorralTable(core, s.position.data(), s.goals.data(), s.masks.data());
    for (int b = 0; b < s.boxCount; ++b)
        if (CorralCheck(core, s.position.data(), s.boxes.data(), s.boxCount, s.boxes[b],
                        core.game.shown.keeperCell) == DeadVerdict::Dead)
            return DeadVerdict::Dead;
    FreeBoxes(core);
    const int cells = core.level.board.cellCount;
    for (int i = 0; i < cells; ++i)
        if (s.position[i] == BOX && s.goals[i] == 0) return DeadVerdict::Dead;
    return DeadVerdict::NotProven;
}

void RefreshUnsolvable(CoreState& core) {
    const LevelStatus status = core.level.board.status;
    core.planner.unsolvable =
        status == LevelStatus::PLAYABLE && UnsolvableCheck(core) == DeadVerdict::Dead;
    if (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED) return;
    PlannerTables& t = core.planner;
    const Board& board = core.level.board;
    Grids& grids = core.level.grids;
    std::fill(t.marks.begin(), t.marks.begin() + board.cellCount, 0u);
    FillRegion(core.game.shown.positionBoard.data(), t.marks.data(), core.game.shown.keeperCell, 1,
               core.level.directions, t.queue.data());
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) core.scratch.keeperReach[GridIndex(r, c)] = 0;
    for (int i = 0; i < board.cellCount; ++i) {
        if (t.marks[i] == 0) continue;
        const GridCell cell = BoardToGrid(board, grids, i);
        if (cell.row < grids.maxHeight && cell.col < grids.maxWidth)
            core.scratch.keeperReach[GridIndex(cell.row, cell.col)] = 1;
    }
}

}  // namespace ruk
