// The level status check that ends every load (after the play fields are emptied): the start
// position analysed, the final status decided and the goal-reach tables built.
#pragma once

#include "records/core_state.h"

namespace ruk {

// Returns the new LevelStatus; the caller stores it in the Board.
LevelStatus FinishLevelLoad(CoreState& core);

}  // namespace ruk
