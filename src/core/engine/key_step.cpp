// The keyboard's step (see key_step.h).
#include "engine/key_step.h"

#include "board/board_steps.h"
#include "engine/action_recording.h"
#include "engine/box_selection.h"
#include "engine/move_letters.h"

namespace ruk {

void StepKey(CoreState& core, int direction, WindowRequests& requests) {
    const LevelStatus status = core.level.board.status;
    if (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED) return;
    if (core.level.editor.editMode != EditMode::PLAY) return;
    if (direction < 0 || direction > 3) return;
    GameRecord& game = core.game;
    ViewState& view = core.view;
    if (view.animMode != AnimMode::IDLE || SolvedOnScreen(core)) return;

    // Decided on the shown position, so that a refused step leaves the redo tail alone.
    const Board& board = core.level.board;
    const BoardPlace keeper = PlaceOf(board, game.shown.keeperCell);
    const BoardPlace next = StepPlace(board, keeper, direction);
    if (next.index < 0) return;
    const std::uint32_t* shown = game.shown.positionBoard.data();
    int beyond = -1;
    if (shown[next.index] == BOX) {
        beyond = StepPlace(board, next, direction).index;
        if (beyond < 0 || shown[beyond] != 0) return;
    } else if (shown[next.index] != 0) {
        return;
    }

    ClearMarks(core.level, view);
    RecordFromCursor(core);
    const bool push = beyond >= 0;
    if (AppendLetter(game.history, push ? PushLetter(direction) : WalkLetter(direction))) {
        if (push) {
            game.planBoard[next.index] = 0;
            game.planBoard[beyond] = BOX;
        }
        game.planKeeper = next.index;
    }
    PlayRecorded(core, requests, push);
}

}  // namespace ruk
