// The closedness test: a level is open when the keeper can walk to its outer frame, or when a
// lone box or goal lies where the keeper can never come.
#pragma once

#include "board/level_model.h"

namespace ruk {

// True when the Board's level is closed. Needs cellCount and the direction tables set.
bool ClosednessTest(LevelModel& model);

// Runs the test unless the status is already BAD_LEVEL or SIZE_OVER; an open level becomes
// BAD_LEVEL.
void ApplyClosednessTest(LevelModel& model);

}  // namespace ruk
