// The box-to-goal assignment test: whether boxes can all get goals of their own.
#pragma once

#include <cstdint>

#include "records/deadlock_verdicts.h"

namespace ruk {

// Dead when the n boxes (n <= 64) cannot all get distinct goals, bit k of masks[box] telling
// that the box can reach goal k. Assumes as many goals as boxes. Dead is a proof; not dead only
// means that no proof was found.
DeadVerdict AssignmentTest(const std::uint64_t* masks, const std::int32_t* boxCells, int n);

}  // namespace ruk
