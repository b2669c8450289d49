// Action boundaries around the cursor: where Undo, Redo and auto-play take the cursor.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// From the cursor and the shown keeper cell: redoTarget (the end of the run of pushes ahead),
// undoTarget (the start of the action behind, with the walk that led to it), actionFirstPush,
// and the shown lastPushTarget.
void FindActionBoundaries(const LevelModel& level, GameRecord& game);

// The box-to cell of the nearest push before position, walking back from the keeper cell that
// stands after the letter before position; 0 when there is none.
int LastPushTargetBefore(const LevelModel& level, const MoveHistory& history,
                         std::uint32_t position, int keeper);

}  // namespace ruk
