// Per-level resets of the game and of what is shown.
#include "engine/play_reset.h"

namespace ruk {

void ResetShownForPlacement(GameRecord& game, ViewState& view, const Grids& grids) {
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) view.targets.sideCount[GridIndex(r, c)] = 0;
    game.shown.shownMoves = 0;
    game.shown.shownPushes = 0;
    game.shown.shownActions = 0;
    game.shown.facing = 0;
}

void ResetPlayForLevel(GameRecord& game, const Board& board) {
    EmptyMoveHistory(game.history);
    game.totals = ResultTotals{};
    game.planBoard.fill(0);
    for (int i = 0; i < board.cellCount; ++i) game.planBoard[i] = board.cells[i] & (BOX | WALL);
    game.planKeeper = board.keeperStart;
    game.shown.lastPushTarget = 0;
}

}  // namespace ruk
