// Travelling through the game: Restart, Undo, Redo, Auto-play and the two timers that drive the
// shown position letter by letter (the step timer) or action by action (the auto-play timer).
#pragma once

#include "records/core_state.h"
#include "records/window_requests.h"

namespace ruk {

void Restart(CoreState& core, WindowRequests& requests);
void Undo(CoreState& core, WindowRequests& requests);
void Redo(CoreState& core, WindowRequests& requests);
void AutoPlayButton(CoreState& core, WindowRequests& requests);

// The step timer, every 10 ms: one letter of the running animation (all of it with Instant Move);
// Redo and Auto-play letter by letter take one only every replaySlowdown ticks.
void OnStepTimer(CoreState& core, WindowRequests& requests);
// The auto-play timer, every 60 ms while auto-playing by actions: shows the prepared action,
// prepares the next one.
void OnAutoPlayTimer(CoreState& core, WindowRequests& requests);

}  // namespace ruk
