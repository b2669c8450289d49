// Ending a box selection: the planner's markers and the target overlay cleared.
#pragma once

#include "board/level_model.h"
#include "engine/play_state.h"

namespace ruk {

// boxSelected cleared, marker bits stripped from every used DisplayGrid cell, targetFlag and
// sideCount zeroed for every grid cell.
void ClearMarks(LevelModel& level, PlayState& play);

}  // namespace ruk
