// The deadlock tests: a box that can never move again, and a box just pushed into a dead spot
// (frozen off a goal, shut in an area without goals enough, or leaving the boxes unable to all
// get goals of their own). An answer of dead is a proof; not dead only means that no proof was
// found.
#pragma once

#include <cstdint>

#include "records/core_state.h"
#include "records/deadlock_context.h"
#include "records/deadlock_verdicts.h"

namespace ruk {

// board: a position map, FLOOR, BOX or WALL (changed while the test runs, restored); goals: a
// goal map, GOAL, WALL or FLOOR.
// deadCells (may be null): cells no box may ever stand on; an axis with such cells on both
// sides is blocked as a wall would block it.
FreezeVerdict IsFrozen(std::uint32_t* board, const std::uint32_t* goals, int cell,
                       const DirectionTables& directions, const std::uint8_t* deadCells = nullptr);

// Whether the box just pushed onto cell leaves the position dead. keeper: the keeper's cell
// after the push, or 0 to skip the closed-area test (which needs at most 64 boxes on the board).
// The freeze tests use the context's deadCells.
DeadVerdict IsDeadAfterPush(DeadlockContext& context, std::uint32_t* board,
                            const std::uint32_t* goals, int cell, int keeper);
DeadVerdict IsDeadAfterPush(CoreState& core, std::uint32_t* board, const std::uint32_t* goals,
                            int cell, int keeper);

}  // namespace ruk
