// The shown position following the cursor one letter at a time.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// Applies the letter at the cursor to the shown position, the DisplayGrid and the counters;
// AnimMode becomes IDLE when there is none or the cursor reaches animTarget.
void StepForward(LevelModel& level, GameRecord& game, ViewState& view);

// Takes back the letter before the cursor; AnimMode becomes IDLE at the start or at animTarget.
void StepBackward(LevelModel& level, GameRecord& game, ViewState& view);

}  // namespace ruk
