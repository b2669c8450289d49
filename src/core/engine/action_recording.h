// The one path every new action takes from the shown position into the history and onto the
// board: the mouse's walks and pushes and the keyboard's steps all record and play through it.
#pragma once

#include "records/core_state.h"
#include "records/window_requests.h"

namespace ruk {

// Some push is shown and every box of the shown position stands on a goal: no new action.
bool SolvedOnScreen(const CoreState& core);

// Drops the redo tail and plans from the shown position.
void RecordFromCursor(CoreState& core);

// After letters were appended: runs the solved test and starts showing them as one action. The
// counters are refreshed; the Result group only when the action pushes (a walk leaves it).
void PlayRecorded(CoreState& core, WindowRequests& requests, bool pushes);

}  // namespace ruk
