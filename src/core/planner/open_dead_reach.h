// The OpenDeadMap: cells from which a lone box can be pushed onto an open dead cell.
#pragma once

#include "records/core_state.h"

namespace ruk {

// Fills planner.openDeadMap; all 0 unless a box of the position already stands on a cell whose
// GoalReach is 0.
void MarkOpenDeadReach(CoreState& core);

}  // namespace ruk
