// Start-position analysis (see start_position.h).
#include "planner/start_position.h"

#include <algorithm>

#include "board/grids.h"
#include "planner/fill_region.h"
#include "planner/static_reductions.h"

namespace ruk {

namespace {

constexpr std::uint32_t BOXED = BOX;
constexpr std::uint32_t BLOCKED_CELL = WALL;

// Fills from the keeper over the walls alone; every cell the fill does not come to is a wall.
void WallOffOutside(CoreState& core, int keeper) {
    const Board& board = core.level.board;
    PlannerTables& t = core.planner;
    ShownPosition& shown = core.game.shown;
    for (int i = 0; i < board.cellCount; ++i) t.wallMap[i] = board.cells[i] & WALL;
    std::fill(t.marks.begin(), t.marks.begin() + board.cellCount, 0u);
    FillRegion(t.wallMap.data(), t.marks.data(), keeper, 1, core.level.directions, t.queue.data());
    for (int i = 0; i < board.cellCount; ++i) {
        if (t.marks[i] == 0) {
            shown.positionBoard[i] = BLOCKED_CELL;
            core.planner.goalMap[i] = BLOCKED_CELL;
        }
    }
}

void BuildLists(CoreState& core) {
    const Board& board = core.level.board;
    ShownPosition& shown = core.game.shown;
    PlannerTables& t = core.planner;
    shown.boxListCount = 0;
    t.goalCount = 0;
    t.goalListCount = 0;
    for (int i = 0; i < board.cellCount; ++i) {
        if (shown.positionBoard[i] == BLOCKED_CELL) continue;
        if (board.cells[i] & BOX) {
            shown.positionBoard[i] = BOXED;
            shown.boxList[shown.boxListCount++] = i;
        }
        if (board.cells[i] & GOAL) {
            ++t.goalCount;
            core.planner.goalMap[i] = GOAL;
            if (t.goalCount <= MAX_GOAL_LIST) t.goalList[t.goalListCount++] = i;
        }
    }
}

}  // namespace

void RebuildStartPosition(CoreState& core) {
    Board& board = core.level.board;
    if (board.status == LevelStatus::BAD_LEVEL || board.status == LevelStatus::SIZE_OVER) return;
    ShownPosition& shown = core.game.shown;
    std::uint32_t* position = shown.positionBoard.data();
    std::uint32_t* goals = core.planner.goalMap.data();

    int keeper = board.keeperStart;
    for (int i = 0; i < board.cellCount; ++i) {
        position[i] = board.cells[i] & (BOX | WALL);
        goals[i] = board.cells[i] & (GOAL | WALL);
        if (board.cells[i] & KEEPER) keeper = i;
    }
    shown.keeperCell = keeper;
    WallOffOutside(core, keeper);

    RemoveMovableBoxes(position, core.planner.marks.data(), keeper, core.level,
                       core.planner.queue.data());
    for (int i = 0; i < board.cellCount; ++i) {
        if (position[i] != BOXED) continue;
        if (goals[i] != 0) {
            position[i] = BLOCKED_CELL;
            goals[i] = BLOCKED_CELL;
        } else {
            board.status = LevelStatus::BLOCKED;
        }
    }

    ClearFillableGoals(goals, board);
    for (int i = 0; i < board.cellCount; ++i) {
        if (goals[i] != GOAL) continue;
        if (board.cells[i] & BOX) {
            position[i] = BLOCKED_CELL;
            goals[i] = BLOCKED_CELL;
        } else {
            board.status = LevelStatus::BLOCKED;
        }
    }

    BuildLists(core);
    if (shown.boxListCount != core.planner.goalCount) {
        board.status = LevelStatus::BLOCKED;
    } else if (board.status == LevelStatus::MANY_BOXES && shown.boxListCount <= MAX_GOAL_LIST) {
        board.status = LevelStatus::PLAYABLE;
    }
}

void RestartRebuild(CoreState& core) {
    const Board& board = core.level.board;
    if (board.status == LevelStatus::BAD_LEVEL || board.status == LevelStatus::SIZE_OVER) return;
    RebuildStartPosition(core);
    // The keeper's area by the walls alone; the rebuild leaves that fill's walls in wallMap.
    PlannerTables& t = core.planner;
    std::fill(t.marks.begin(), t.marks.begin() + board.cellCount, 0u);
    FillRegion(t.wallMap.data(), t.marks.data(), board.keeperStart, 1, core.level.directions,
               t.queue.data());
    Grids& grids = core.level.grids;
    for (int i = 0; i < board.cellCount; ++i) {
        if (t.marks[i] == 0) continue;
        const GridCell cell = BoardToGrid(board, grids, i);
        if (cell.row < grids.maxHeight && cell.col < grids.maxWidth)
            grids.displayGrid[GridIndex(cell.row, cell.col)] = board.cells[i];
    }
}

}  // namespace ruk
