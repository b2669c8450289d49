// The level-change sequence that follows every load: the play fields emptied, the status check,
// the placement and the unsolvable refresh. (The drawing and the panel follow in the window.)
#pragma once

#include "records/core_state.h"

namespace ruk {

// ClearMarks and ResetPlayForLevel, FinishLevelLoad with its status stored, PlaceLevel and the
// shown counters zeroed, RefreshUnsolvable.
void RunLevelChange(CoreState& core);

}  // namespace ruk
