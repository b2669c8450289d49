// Mouse walk and push (see mouse_play.h).
#include "engine/mouse_play.h"

#include "engine/action_recording.h"
#include "engine/box_route.h"
#include "engine/box_selection.h"
#include "engine/playback.h"
#include "engine/walk_path.h"

namespace ruk {

namespace {

int DirectionOfBit(std::uint32_t bit) {
    for (int d = 0; d < 4; ++d)
        if (bit == (1u << d)) return d;
    return -1;
}

}  // namespace

void WalkTo(CoreState& core, int cell, WindowRequests& requests) {
    if (SolvedOnScreen(core)) return;
    ClearMarks(core.level, core.view);
    RecordFromCursor(core);
    AppendWalk(core.level, core.game, core.scratch.route, core.game.shown.keeperCell, cell);
    PlayRecorded(core, requests, false);
}

void PushBoxTo(CoreState& core, int box, int target, int side, WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    PlayScratch& scratch = core.scratch;
    if (box < 0 || box >= core.level.board.cellCount || game.shown.positionBoard[box] != BOX) {
        ClearMarks(core.level, view);
        requests.redraw = true;
        return;
    }
    requests.caption = AutoPlayCaption::STOP;
    ClearMarks(core.level, view);
    RecordFromCursor(core);
    AppendBoxRoute(core.level, game, scratch.route, box, target, side);
    PlayRecorded(core, requests, true);
}

void ShowSides(CoreState& core, int row, int col) {
    Grids& grids = core.level.grids;
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) grids.displayGrid[GridIndex(r, c)] &= PLAIN_MASK;
    const int target = GridToBoard(core.level.board, grids, row, col);
    if (target < 0) return;
    const int grid = GridIndex(row, col);
    const auto& offsets = core.view.targets.sideOffsets[grid];
    for (int k = 0; k < core.view.targets.sideCount[grid]; ++k) {
        for (std::uint32_t bit = DIR_UP; bit <= DIR_LEFT; bit <<= 1) {
            if (core.level.directions.dirBitOffset[bit] != offsets[k]) continue;
            const GridCell mark = BoardToGrid(core.level.board, grids, target + offsets[k]);
            grids.displayGrid[GridIndex(mark.row, mark.col)] |= bit << MARKER_SHIFT;
        }
    }
}

void BoardClick(CoreState& core, int row, int col, WindowRequests& requests) {
    const LevelStatus status = core.level.board.status;
    if (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED) return;
    Grids& grids = core.level.grids;
    if (row < 0 || col < 0 || row >= grids.maxHeight || col >= grids.maxWidth) return;
    ViewState& view = core.view;
    PlayScratch& scratch = core.scratch;
    const int grid = GridIndex(row, col);
    const CellCode shown = grids.displayGrid[grid];
    const int cell = GridToBoard(core.level.board, grids, row, col);
    if (shown >= (1u << MARKER_SHIFT)) {
        const int d = DirectionOfBit((shown >> MARKER_SHIFT) & 15u);
        if (cell < 0 || d < 0) return;
        const int target = cell - core.level.directions.stepOffset[d];
        PushBoxTo(core, view.selectedBox, target, cell, requests);
        return;
    }
    const int arrivals = view.targets.sideCount[grid];
    if (arrivals > 1) {
        ShowSides(core, row, col);
        requests.redraw = true;
        return;
    }
    if (view.boxSelected && arrivals == 1 && cell >= 0) {
        PushBoxTo(core, view.selectedBox, cell, cell + view.targets.sideOffsets[grid][0], requests);
        return;
    }
    const bool box = (shown & BOX) != 0;
    if (!box && view.boxSelected) {
        ClearMarks(core.level, view);
        requests.redraw = true;
        return;
    }
    if (!box) {
        if (scratch.keeperReach[grid] == 0 || cell < 0) return;
        WalkTo(core, cell, requests);
        return;
    }
    if (cell < 0) return;
    view.selectedBox = cell;
    SelectBox(core);
    requests.redraw = true;
}

void BoardRightClick(CoreState& core, WindowRequests& requests) {
    if (core.level.board.status == LevelStatus::PLAYABLE) Undo(core, requests);
}

}  // namespace ruk
