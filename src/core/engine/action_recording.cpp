// Recording and showing a new action (see action_recording.h).
#include "engine/action_recording.h"

#include "engine/solved_check.h"

namespace ruk {

bool SolvedOnScreen(const CoreState& core) {
    const ShownPosition& shown = core.game.shown;
    if (shown.shownPushes == 0) return false;
    for (int b = 0; b < shown.boxListCount; ++b)
        if (core.planner.goalMap[shown.boxList[b]] != GOAL) return false;
    return true;
}

void RecordFromCursor(CoreState& core) {
    GameRecord& game = core.game;
    if (game.history.cursor >= game.history.end) return;
    CutAtCursor(game.history);
    for (int i = 0; i < core.level.board.cellCount; ++i)
        game.planBoard[i] = game.shown.positionBoard[i];
    game.planKeeper = game.shown.keeperCell;
}

void PlayRecorded(CoreState& core, WindowRequests& requests, bool pushes) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    PlayScratch& scratch = core.scratch;
    SolvedTest(core.level, game, scratch);
    view.animTarget = game.history.end;
    view.animMode = AnimMode::ACTION_FORWARD;
    game.history.cursor = static_cast<std::uint32_t>(game.shown.shownMoves);
    // The controls keep the states they had before the click until the animation ends; every
    // command that stays enabled knows how to act on a half-shown walk or push.
    requests.counters = true;
    if (pushes) requests.result = true;
}

}  // namespace ruk
