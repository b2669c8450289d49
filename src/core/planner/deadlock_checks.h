// The deadlock tests: a box that can never move again, a box just pushed into a dead spot, and
// boxes that cannot all get goals of their own. An answer of dead is a proof; not dead only
// means that no proof was found.
#pragma once

#include <cstdint>

#include "records/core_state.h"
#include "records/deadlock_verdicts.h"

namespace ruk {

// board: 0 free, 2 box, 8 wall (changed while the test runs, restored); goals: 1 goal, 8 wall.
FreezeVerdict IsFrozen(std::uint32_t* board, const std::uint32_t* goals, int cell,
                       const DirectionTables& directions);

// Whether the box just pushed onto cell leaves the position dead. keeper: the keeper's cell
// after the push, or 0 to skip the closed-area test (which needs at most 64 boxes on the board).
DeadVerdict IsDeadAfterPush(CoreState& core, std::uint32_t* board, const std::uint32_t* goals,
                            int cell, int keeper);

// Dead when the n boxes (n <= 64) cannot all get distinct goals, bit k of masks[box] telling
// that the box can reach goal k. Assumes as many goals as boxes.
DeadVerdict AssignmentTest(const std::uint64_t* masks, const std::int32_t* boxCells, int n);

}  // namespace ruk
