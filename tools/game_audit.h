// Playing a recorded game through, action by action, and asking the unsolvable check at the
// start and after every action: a known solution must never be called lost.
#pragma once

#include <cstdint>

#include "records/core_state.h"

namespace ruk::tool {

struct AuditResult {
    int positions = 0;
    int unsolvableClaims = 0;
    std::int64_t firstClaimMove = -1;  // the cursor at the first claim
    int guardRefusals = 0;
    std::int64_t firstRefusalMove = -1;  // the cursor before the first refused action
};

// Plays the history from its start (the shown position must be the level's start). Before
// each action its box is selected with the guard on, and the cell where the action leaves it
// must be offered.
AuditResult AuditGame(CoreState& core);

// Steps the shown position to the end of the history and returns the refreshed `unsolvable`.
bool UnsolvableAtEnd(CoreState& core);

}  // namespace ruk::tool
