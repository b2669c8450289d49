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
    if (core.play.boxSelected) ClearMarks(core.level, core.play);
}

void StepOnce(CoreState& core) {
    EndSelection(core);
    if (Forward(core.play.animMode))
        StepForward(core.level, core.play);
    else
        StepBackward(core.level, core.play);
}

void StartAnimation(CoreState& core, AnimMode mode, std::uint32_t target,
                    WindowRequests& requests) {
    core.play.animMode = mode;
    core.play.animTarget = target;
    core.play.replayWait = 0;
    requests.caption = AutoPlayCaption::STOP;
    requests.controlStates = true;
}

}  // namespace

void Restart(CoreState& core, WindowRequests& requests) {
    PlayState& play = core.play;
    if (play.history.cursor == 0) return;
    ClearMarks(core.level, play);
    RestartRebuild(core);
    play.history.cursor = 0;
    play.shown.shownMoves = 0;
    play.shown.shownPushes = 0;
    play.shown.shownActions = 0;
    play.shown.facing.reset();
    play.shown.lastPushTarget = 0;
    RefreshUnsolvable(core);
    requests.redraw = requests.counters = requests.controlStates = true;
}

void Undo(CoreState& core, WindowRequests& requests) {
    if (core.play.history.cursor == 0) return;
    ClearMarks(core.level, core.play);
    FindActionBoundaries(core.level, core.play);
    StartAnimation(core, AnimMode::STEP_BACKWARD, core.play.bounds.undoTarget, requests);
}

void Redo(CoreState& core, WindowRequests& requests) {
    if (core.play.history.cursor >= core.play.history.end) return;
    ClearMarks(core.level, core.play);
    FindActionBoundaries(core.level, core.play);
    StartAnimation(core, AnimMode::STEP_FORWARD, core.play.bounds.redoTarget, requests);
}

void AutoPlayButton(CoreState& core, WindowRequests& requests) {
    PlayState& play = core.play;
    if (play.animMode != AnimMode::IDLE) {
        if (play.animMode == AnimMode::AUTO_ACTIONS) requests.killAutoTimer = true;
        play.animMode = AnimMode::IDLE;
        requests.caption = AutoPlayCaption::AUTO_PLAY;
        requests.controlStates = true;
        return;
    }
    if (play.history.cursor >= play.history.end) return;
    ClearMarks(core.level, play);
    FindActionBoundaries(core.level, play);
    if (play.instantMove) {
        play.animTarget = play.bounds.redoTarget;
        play.animMode = AnimMode::AUTO_ACTIONS;
        requests.controlStates = true;
        requests.startAutoTimer = true;
    } else {
        StartAnimation(core, AnimMode::STEP_FORWARD, play.history.end, requests);
    }
}

void OnStepTimer(CoreState& core, WindowRequests& requests) {
    PlayState& play = core.play;
    const AnimMode mode = play.animMode;
    if (mode == AnimMode::IDLE || mode == AnimMode::AUTO_ACTIONS) return;
    // Only the replays slow down; a new action and Undo keep their pace.
    if (mode == AnimMode::STEP_FORWARD && !play.instantMove &&
        ++play.replayWait < play.replaySlowdown)
        return;
    play.replayWait = 0;
    if (play.instantMove) {
        while (play.animMode != AnimMode::IDLE) StepOnce(core);
    } else {
        StepOnce(core);
    }
    requests.redraw = requests.counters = true;
    if (play.animMode != AnimMode::IDLE) return;
    RefreshUnsolvable(core);
    requests.caption = AutoPlayCaption::AUTO_PLAY;
    const bool solved = SolvedTest(core.level, play);
    requests.levelInfo = requests.result = true;
    if (mode == AnimMode::ACTION_FORWARD && solved) requests.congratulate = true;
    requests.controlStates = true;
}

void OnAutoPlayTimer(CoreState& core, WindowRequests& requests) {
    PlayState& play = core.play;
    while (play.animMode != AnimMode::IDLE) {
        const std::uint32_t before = play.history.cursor;
        StepOnce(core);
        if (play.history.cursor == before) play.animMode = AnimMode::IDLE;
    }
    requests.redraw = requests.counters = true;
    if (play.history.cursor >= play.history.end) {
        requests.killAutoTimer = true;
        RefreshUnsolvable(core);
        requests.controlStates = true;
        return;
    }
    FindActionBoundaries(core.level, play);
    play.animTarget = play.bounds.redoTarget;
    play.animMode = AnimMode::AUTO_ACTIONS;
}

}  // namespace ruk
