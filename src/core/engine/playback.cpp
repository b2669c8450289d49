// Restart, Undo, Redo, Auto-play and the timers (see playback.h).
#include "engine/playback.h"

#include "engine/action_bounds.h"
#include "engine/box_selection.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
#include "planner/start_position.h"
#include "planner/unsolvable_check.h"

namespace ruk {

namespace {

bool Forward(AnimMode mode) {
    return mode == AnimMode::STEP_FORWARD || mode == AnimMode::ACTION_FORWARD ||
           mode == AnimMode::AUTO_ACTIONS;
}

// A selection describes the position it was made for: any step of the shown position ends it.
void EndSelection(CoreState& core) {
    if (core.view.boxSelected) ClearMarks(core.level, core.view);
}

void StepOnce(CoreState& core) {
    EndSelection(core);
    if (Forward(core.view.animMode))
        StepForward(core.level, core.game, core.view);
    else
        StepBackward(core.level, core.game, core.view);
}

void StartAnimation(CoreState& core, AnimMode mode, std::uint32_t target,
                    WindowRequests& requests) {
    core.view.animMode = mode;
    core.view.animTarget = target;
    core.view.replayWait = 0;
    requests.caption = AutoPlayCaption::STOP;
    requests.controlStates = true;
}

}  // namespace

void Restart(CoreState& core, WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    if (game.history.cursor == 0) return;
    ClearMarks(core.level, view);
    RestartRebuild(core);
    game.history.cursor = 0;
    game.shown.shownMoves = 0;
    game.shown.shownPushes = 0;
    game.shown.shownActions = 0;
    game.shown.facing = 0;
    game.shown.lastPushTarget = 0;
    RefreshUnsolvable(core);
    requests.redraw = requests.counters = requests.controlStates = true;
}

void Undo(CoreState& core, WindowRequests& requests) {
    if (core.game.history.cursor == 0) return;
    ClearMarks(core.level, core.view);
    FindActionBoundaries(core.level, core.game);
    StartAnimation(core, AnimMode::STEP_BACKWARD, core.game.bounds.undoTarget, requests);
}

void Redo(CoreState& core, WindowRequests& requests) {
    if (core.game.history.cursor >= core.game.history.end) return;
    ClearMarks(core.level, core.view);
    FindActionBoundaries(core.level, core.game);
    StartAnimation(core, AnimMode::STEP_FORWARD, core.game.bounds.redoTarget, requests);
}

void AutoPlayButton(CoreState& core, WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    if (view.animMode != AnimMode::IDLE) {
        if (view.animMode == AnimMode::AUTO_ACTIONS) requests.killAutoTimer = true;
        view.animMode = AnimMode::IDLE;
        requests.caption = AutoPlayCaption::AUTO_PLAY;
        requests.controlStates = true;
        return;
    }
    if (game.history.cursor >= game.history.end) return;
    ClearMarks(core.level, view);
    FindActionBoundaries(core.level, game);
    if (view.instantMove) {
        view.animTarget = game.bounds.redoTarget;
        view.animMode = AnimMode::AUTO_ACTIONS;
        requests.controlStates = true;
        requests.startAutoTimer = true;
    } else {
        StartAnimation(core, AnimMode::STEP_FORWARD, game.history.end, requests);
    }
}

void OnStepTimer(CoreState& core, WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    PlayScratch& scratch = core.scratch;
    const AnimMode mode = view.animMode;
    if (mode == AnimMode::IDLE || mode == AnimMode::AUTO_ACTIONS) return;
    // Only the replays slow down; a new action and Undo keep their pace.
    if (mode == AnimMode::STEP_FORWARD && !view.instantMove &&
        ++view.replayWait < view.replaySlowdown)
        return;
    view.replayWait = 0;
    if (view.instantMove) {
        while (view.animMode != AnimMode::IDLE) StepOnce(core);
    } else {
        StepOnce(core);
    }
    requests.redraw = requests.counters = true;
    if (view.animMode != AnimMode::IDLE) return;
    RefreshUnsolvable(core);
    requests.caption = AutoPlayCaption::AUTO_PLAY;
    const bool solved = SolvedTest(core.level, game, scratch);
    requests.levelInfo = requests.result = true;
    if (mode == AnimMode::ACTION_FORWARD && solved) requests.congratulate = true;
    requests.controlStates = true;
}

void OnAutoPlayTimer(CoreState& core, WindowRequests& requests) {
    GameRecord& game = core.game;
    ViewState& view = core.view;
    while (view.animMode != AnimMode::IDLE) {
        const std::uint32_t before = game.history.cursor;
        StepOnce(core);
        if (game.history.cursor == before) view.animMode = AnimMode::IDLE;
    }
    requests.redraw = requests.counters = true;
    if (game.history.cursor >= game.history.end) {
        requests.killAutoTimer = true;
        RefreshUnsolvable(core);
        requests.controlStates = true;
        return;
    }
    FindActionBoundaries(core.level, game);
    view.animTarget = game.bounds.redoTarget;
    view.animMode = AnimMode::AUTO_ACTIONS;
}

}  // namespace ruk
