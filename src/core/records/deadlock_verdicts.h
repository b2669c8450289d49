// The answers of the deadlock checks. Dead is always a proof; every other answer only says
// that no proof was found. The numbers are the ones the checks have always given.
#pragma once

#include <cstdint>

namespace ruk {

// IsFrozen: whether a box can never move again.
enum class FreezeVerdict : std::int32_t {
    NotFrozen = 0,
    FrozenOffGoal = 1,  // a box off goal is involved: dead
    FrozenOnGoals = 2,  // every box involved stands on a goal
};

// IsDeadAfterPush, AssignmentTest, CorralCheck and UnsolvableCheck.
enum class DeadVerdict : std::int32_t {
    NotProven = 0,
    Dead = 1,
};

// CorralSearch's answer, and the result a corral record keeps. Open: no result yet (from a
// store: the position was stored, or is already queued).
enum class CorralVerdict : std::int8_t {
    Open = 0,
    NotDead = 1,  // a harmless position was reached, or a limit hit
    Dead = 2,
};

}  // namespace ruk
