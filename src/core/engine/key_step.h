// The keyboard's step: one cell in a direction, pushing a box when the cell beyond it is free.
#pragma once

#include "records/core_state.h"
#include "records/window_requests.h"

namespace ruk {

// Records one move letter from the shown position (direction 0 up, 1 right, 2 down, 3 left) and
// starts showing it, as a mouse walk or push is recorded and shown. Nothing while the level is
// not played, the editor is on, the level is solved on screen, the step runs into a wall or an
// immovable box, or any animation runs: a held key then never has more than its one step
// recorded beyond what is shown, so the keeper stops where it is when the key is let go.
void StepKey(CoreState& core, int direction, WindowRequests& requests);

}  // namespace ruk
