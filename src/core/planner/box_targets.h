// Where a selected box can be brought: every cell it reaches by pushes of that box alone, with
// the distinct keeper regions it can arrive with, narrowed by the deadlock guard when it is on.
#pragma once

#include "records/core_state.h"

namespace ruk {

// The nodes of the unguarded search into planner.targets; 0 when the keeper reaches no side.
int FindPushTargets(CoreState& core);

// The same search, every push tested by the guard; boxIndex is the selected box's entry in
// the box list.
int FindGuardedTargets(CoreState& core, int boxIndex);

}  // namespace ruk
