// Forward and backward steps (see replay_steps.h).
#include "engine/replay_steps.h"

#include <cassert>

#include "engine/action_bounds.h"
#include "engine/move_letters.h"

namespace ruk {

namespace {

CellCode& DisplayCell(LevelModel& level, int index) {
    const GridCell cell = BoardToGrid(level.board, level.grids, index);
    return level.grids.displayGrid[GridIndex(cell.row, cell.col)];
}

void MoveBox(LevelModel& level, ShownPosition& shown, int from, int to) {
    DisplayCell(level, from) &= ~BOX;
    DisplayCell(level, to) |= BOX;
    shown.positionBoard[from] = 0;
    shown.positionBoard[to] = BOX;
    [[maybe_unused]] bool listed = false;
    for (int b = 0; b < shown.boxListCount; ++b) {
        if (shown.boxList[b] == from) {
            shown.boxList[b] = to;
            listed = true;
            break;
        }
    }
    assert(listed);  // the box list holds every box on the position board
}

void MoveKeeper(LevelModel& level, ShownPosition& shown, int to) {
    DisplayCell(level, shown.keeperCell) &= ~KEEPER;
    DisplayCell(level, to) |= KEEPER;
    shown.keeperCell = to;
}

bool Free(const ShownPosition& shown, int cell) {
    return shown.positionBoard[cell] == 0;
}

}  // namespace

void StepForward(LevelModel& level, GameRecord& game, ViewState& view) {
    MoveHistory& h = game.history;
    ShownPosition& shown = game.shown;
    assert(h.cursor <= h.end);
    const int d = h.cursor < h.end ? LetterDirection(h.text[h.cursor]) : -1;
    const int step = d < 0 ? 0 : level.directions.stepOffset[d];
    const int next = shown.keeperCell + step;
    const bool push = d >= 0 && IsPushLetter(h.text[h.cursor]);
    // A letter that does not fit the shown position ends the animation instead of corrupting it.
    const bool legal =
        d >= 0 &&
        (push ? shown.positionBoard[next] == BOX && Free(shown, next + step) : Free(shown, next));
    if (!legal) {
        view.animMode = AnimMode::IDLE;
        return;
    }
    ++shown.shownMoves;
    if (push) {
        MoveBox(level, shown, next, next + step);
        ++shown.shownPushes;
        if (next != shown.lastPushTarget) ++shown.shownActions;
        shown.lastPushTarget = next + step;
    }
    ++h.cursor;
    MoveKeeper(level, shown, next);
    shown.facing = d + 1;
    if (h.cursor == view.animTarget) view.animMode = AnimMode::IDLE;
}

void StepBackward(LevelModel& level, GameRecord& game, ViewState& view) {
    MoveHistory& h = game.history;
    ShownPosition& shown = game.shown;
    assert(h.cursor <= h.end);
    const int d = h.cursor > 0 ? LetterDirection(h.text[h.cursor - 1]) : -1;
    if (d < 0) {
        view.animMode = AnimMode::IDLE;
        return;
    }
    const int step = level.directions.stepOffset[d];
    const int previous = shown.keeperCell - step;
    const bool push = IsPushLetter(h.text[h.cursor - 1]);
    --shown.shownMoves;
    if (push) {
        MoveBox(level, shown, shown.keeperCell + step, shown.keeperCell);
        --shown.shownPushes;
    }
    if (h.cursor - 1 == game.bounds.actionFirstPush) --shown.shownActions;
    MoveKeeper(level, shown, previous);
    h.cursor = static_cast<std::uint32_t>(shown.shownMoves);
    shown.facing = h.cursor > 0 ? LetterDirection(h.text[h.cursor - 1]) + 1 : 0;
    // A walk taken back leaves the nearest push before the cursor where it was; only a push
    // taken back sends the search further back, so long walks are undone in linear time.
    if (h.cursor == 0)
        shown.lastPushTarget = 0;
    else if (push)
        shown.lastPushTarget = LastPushTargetBefore(level, h, h.cursor, shown.keeperCell);
    if (h.cursor == view.animTarget) view.animMode = AnimMode::IDLE;
}

}  // namespace ruk
