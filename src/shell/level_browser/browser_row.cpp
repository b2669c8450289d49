// The level browser's row (see browser_row.h).
#include "level_browser/browser_row.h"

namespace ruk {

namespace {

BestCounts CountsOf(const StoredSolution& best) {
    return {best.present, best.moves, best.pushes};
}

}  // namespace

void SetRowProgress(BrowserRow& row, const LevelRecord& summary) {
    row.solved = summary.solved;
    row.hasGame = summary.hasGame;
    row.byMoves = CountsOf(summary.byMoves);
    row.byPushes = CountsOf(summary.byPushes);
}

}  // namespace ruk
