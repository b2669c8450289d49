// The level-change sequence that follows every load: the status check, then the placement.
// (The unsolvable check, the drawing and the panel follow in the window.)
#pragma once

#include "core_state.h"

namespace ruk {

// FinishLevelLoad, its status stored, then PlaceLevel.
void RunLevelChange(CoreState& core);

}  // namespace ruk
