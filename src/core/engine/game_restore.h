// A game put back as it was left: the whole move string with the shown position at its cursor,
// so that Undo and Redo work on it as they did.
#pragma once

#include <cstdint>

#include "records/core_state.h"
#include "records/window_requests.h"

namespace ruk {

// Stops any animation, takes the level back to its start and sets letters as the game, then
// moves the shown position to cursor at once (no animation). Letters that do not fit the level
// end the game where they stop fitting, and the cursor goes no further than that. False when
// no level is played or a letter did not fit.
bool RestoreGame(CoreState& core, const char* letters, std::uint32_t cursor,
                 WindowRequests& requests);

}  // namespace ruk
