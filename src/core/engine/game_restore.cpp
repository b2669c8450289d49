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

void StopAnimation(PlayState& play, WindowRequests& requests) {
    if (play.animMode == AnimMode::IDLE) return;
    if (play.animMode == AnimMode::AUTO_ACTIONS) requests.killAutoTimer = true;
    play.animMode = AnimMode::IDLE;
    requests.caption = AutoPlayCaption::AUTO_PLAY;
}

}  // namespace

bool RestoreGame(CoreState& core, const char* letters, std::uint32_t cursor,
                 WindowRequests& requests) {
    PlayState& play = core.play;
    if (core.level.board.status != LevelStatus::PLAYABLE ||
        core.level.editor.editMode != EditMode::PLAY)
        return false;
    StopAnimation(play, requests);
    ClearMarks(core.level, play);
    Restart(core, requests);
    const bool complete = ParseUrdl(core.level, play, letters);
    // The solved test ends the game at its solving push, so it runs before the cursor is set.
    SolvedTest(core.level, play);
    const std::uint32_t target = cursor < play.history.end ? cursor : play.history.end;
    if (target > 0) {
        play.animTarget = target;
        play.animMode = AnimMode::STEP_FORWARD;
        while (play.animMode != AnimMode::IDLE) StepForward(core.level, play);
    }
    RefreshUnsolvable(core);
    requests.redraw = requests.counters = requests.result = requests.levelInfo = true;
    requests.controlStates = true;
    return complete;
}

}  // namespace ruk
