// Conditions of the window's commands that need no window.
#pragma once

#include "records/core_state.h"

namespace ruk {

// The Solver button's refusal: some push is shown and every box of the shown position stands
// on a goal.
bool AlreadySolved(const CoreState& core);

}  // namespace ruk
