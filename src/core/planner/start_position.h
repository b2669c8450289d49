// The start position rebuilt from the Board, with the two static reductions every later
// analysis relies on: boxes that can never be pushed and goals no box can be pushed onto.
#pragma once

#include "records/core_state.h"

namespace ruk {

// Rebuilds PositionBoard, GoalMap, the keeper cell, the box list and the GoalList from the
// Board; cells outside the keeper's area, frozen boxes on goals and dead goals holding a box
// become walls. May set the status to BLOCKED. Does nothing for BAD_LEVEL and SIZE_OVER.
void RebuildStartPosition(CoreState& core);

// Restart's rebuild: RebuildStartPosition, then every DisplayGrid cell of the keeper's area
// gets the Board's code again (the keeper back on its start cell).
void RestartRebuild(CoreState& core);

}  // namespace ruk
