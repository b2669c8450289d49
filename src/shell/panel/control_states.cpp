// The control-state table (see control_states.h).
#include "panel/control_states.h"

namespace ruk {

namespace {

void Set(ControlStates& states, int id, bool enabled) {
    states.enabled[id - FIRST_CONTROL_ID] = enabled;
}

}  // namespace

ControlStates UpdateControlStates(const CoreState& core, const WindowState& window) {
    ControlStates states;
    states.enabled.fill(true);  // statics and groups
    const GameRecord& game = core.game;
    const ViewState& view = core.view;
    const bool animating = view.animMode != AnimMode::IDLE;
    const bool busy = window.solverRunning || animating;
    const int n = core.level.levelSet.count;
    const int i = core.level.levelSet.current;
    const LevelStatus s = core.level.board.status;
    const bool playable = s == LevelStatus::PLAYABLE || s == LevelStatus::BLOCKED;
    const bool playMode = core.level.editor.editMode == EditMode::PLAY;
    const bool afterStart = game.history.cursor > 0;
    const bool beforeEnd = game.history.cursor < game.history.end;

    Set(states, ID_TEXT, !busy);
    Set(states, ID_FILE, !busy);
    Set(states, ID_PREV, !busy && n >= 2 && i != 1);
    Set(states, ID_NEXT, !busy && n >= 2 && i != n);
    Set(states, ID_LEVEL_NUMBER, !busy && n >= 2);
    Set(states, ID_JUMP, !busy && n >= 2);
    Set(states, ID_INSTANT_MOVE, !busy && playMode && playable);
    Set(states, ID_GUARD, !busy && playMode && playable);
    Set(states, ID_SOLVER, busy ? window.solverRunning : playMode && playable);
    Set(states, ID_URDL_INPUT, !busy && playMode && playable && game.shown.shownMoves == 0);
    Set(states, ID_RESTART, !busy && playMode && afterStart);
    Set(states, ID_UNDO, !busy && playMode && afterStart);
    Set(states, ID_REDO, !busy && playMode && beforeEnd);
    Set(states, ID_AUTO_PLAY, busy ? animating : playMode && beforeEnd);
    Set(states, ID_URDL_OUTPUT, !busy && s != LevelStatus::NONE);
    Set(states, ID_PLAY, !busy);
    Set(states, ID_EDIT, !busy);
    Set(states, ID_CLEAR, !busy && !playMode);
    return states;
}

}  // namespace ruk
