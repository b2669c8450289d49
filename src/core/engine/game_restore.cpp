// Putting a game back (see game_restore.h).
#include "engine/game_restore.h"

#include "engine/box_selection.h"
#include "engine/playback.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "planner/unsolvable_check.h"

namespace ruk {

namespace {

void StopAnimation(ViewState& view, WindowRequests& requests) {
    if (view.animMode == AnimMode::IDLE) return;
    if (view.animMode == AnimMode::AUTO_ACTIONS) requests.killAutoTimer = true;
    view.animMode = AnimMode::IDLE;
    requests.caption = AutoPlayCaption::AUTO_PLAY;
}

}  // namespace

bool RestoreGame(CoreState& core, const char* letters, std::uint32_t cursor,
                 WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    PlayScratch& scratch = core.scratch;
    if (core.level.board.status != LevelStatus::PLAYABLE ||
        core.level.editor.editMode != EditMode::PLAY)
        return false;
    StopAnimation(view, requests);
    ClearMarks(core.level, view);
    Restart(core, requests);
    const bool complete = ParseUrdl(core.level, game, letters);
    // The solved test ends the game at its solving push, so it runs before the cursor is set.
    SolvedTest(core.level, game, scratch);
    const std::uint32_t target = cursor < game.history.end ? cursor : game.history.end;
    if (target > 0) {
        view.animTarget = target;
        view.animMode = AnimMode::STEP_FORWARD;
        while (view.animMode != AnimMode::IDLE) StepForward(core.level, game, view);
    }
    RefreshUnsolvable(core);
    requests.redraw = requests.counters = requests.result = requests.levelInfo = true;
    requests.controlStates = true;
    return complete;
}

}  // namespace ruk
