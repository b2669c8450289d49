// The level-change sequence that follows every load: the status check, the placement and the
// unsolvable refresh. (The drawing and the panel follow in the window.)
#pragma once

#include "core_state.h"

namespace ruk {

// FinishLevelLoad, its status stored, PlaceLevel, RefreshUnsolvable.
void RunLevelChange(CoreState& core);

}  // namespace ruk
