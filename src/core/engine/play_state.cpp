// Start-up and per-level resets of the play records.
#include "engine/play_state.h"

namespace ruk {

bool InitPlayState(PlayState& play) {
    const bool allocated = InitMoveHistory(play.history);
    play.planBoard.fill(FLOOR);
    play.planKeeper = 0;
    play.shown = ShownPosition{};
    play.totals = ResultTotals{};
    play.animMode = AnimMode::IDLE;
    play.animTarget = 0;
    play.goalMap.fill(FLOOR);
    play.keeperReach.fill(0);
    play.targets.targetFlag.fill(0);
    play.targets.sideCount.fill(0);
    play.boxSelected = false;
    return allocated;
}

void ResetShownForPlacement(PlayState& play, const Grids& grids) {
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) play.targets.sideCount[GridIndex(r, c)] = 0;
    play.shown.shownMoves = 0;
    play.shown.shownPushes = 0;
    play.shown.shownActions = 0;
    play.shown.facing.reset();
}

void ResetPlayForLevel(PlayState& play, const Board& board) {
    EmptyMoveHistory(play.history);
    play.totals = ResultTotals{};
    play.planBoard.fill(FLOOR);
    for (int i = 0; i < board.cellCount; ++i) play.planBoard[i] = board.cells[i] & (BOX | WALL);
    play.planKeeper = board.keeperStart;
    play.shown.lastPushTarget = 0;
}

}  // namespace ruk
