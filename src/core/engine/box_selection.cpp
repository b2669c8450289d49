// SelectBox and ClearMarks (see box_selection.h).
#include "engine/box_selection.h"

#include "board/grids.h"
#include "planner/box_targets.h"

namespace ruk {

namespace {

int GridOf(const CoreState& core, int cell) {
    const GridCell g = BoardToGrid(core.level.board, core.level.grids, cell);
    return GridIndex(g.row, g.col);
}

}  // namespace

void ClearMarks(LevelModel& level, ViewState& view) {
    view.boxSelected = false;
    Grids& grids = level.grids;
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) grids.displayGrid[GridIndex(r, c)] &= PLAIN_MASK;
    view.targets.targetFlag.fill(0);
    view.targets.sideCount.fill(0);
}

void SelectBox(CoreState& core) {
    ViewState& view = core.view;
    const PlannerTables& planner = core.planner;
    ClearMarks(core.level, view);
    view.boxSelected = true;
    const ShownPosition& shown = core.game.shown;
    const int box = view.selectedBox;
    // A box walled by the start analysis has no entry in the box list: nothing to search.
    if (box < 0 || box >= core.level.board.cellCount || shown.positionBoard[box] != BOX) return;
    int offGoal = 0;
    for (int b = 0; b < shown.boxListCount; ++b)
        offGoal += planner.goalMap[shown.boxList[b]] != GOAL;
    if (offGoal == 0 && shown.shownPushes != 0) return;
    const int first = offGoal == 0 ? 0 : 1;

    const TargetSearchScratch& s = core.planner.targets;
    int count = FindPushTargets(core);
    for (int i = first; i < count; ++i) {
        const int g = GridOf(core, s.nodeCells[i]);
        std::uint8_t& arrivals = view.targets.sideCount[g];
        if (arrivals < 4) view.targets.sideOffsets[g][arrivals++] = s.nodePrev[i] - s.nodeCells[i];
        if (offGoal == 1 && planner.goalMap[box] != GOAL && planner.goalMap[s.nodeCells[i]] == GOAL)
            arrivals = 1;
    }
    if (view.guardOn) {
        int boxIndex = 0;
        while (boxIndex < shown.boxListCount && shown.boxList[boxIndex] != box) ++boxIndex;
        count = FindGuardedTargets(core, boxIndex);
    }
    for (int i = first; i < count; ++i) view.targets.targetFlag[GridOf(core, s.nodeCells[i])] = 1;
}

}  // namespace ruk
