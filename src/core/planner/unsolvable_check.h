// The unsolvable check: a proof that the shown position can no longer be solved, and the
// refresh that keeps the `unsolvable` flag and the keeper-reach overlay up to date.
#pragma once

#include "records/core_state.h"
#include "records/deadlock_verdicts.h"

namespace ruk {

// Dead when the shown position is proved unsolvable; NotProven when no proof was found.
DeadVerdict UnsolvableCheck(CoreState& core);

// A PLAYABLE level: `unsolvable` from the check, and the KeeperReachOverlay refilled. BLOCKED
// (after a Restart): `unsolvable` cleared, the overlay still refilled so that walk clicks
// follow the shown position. Any other status: `unsolvable` cleared, the overlay kept.
void RefreshUnsolvable(CoreState& core);

}  // namespace ruk
