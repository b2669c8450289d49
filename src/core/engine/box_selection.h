// Selecting a box (its targets searched and marked) and ending a selection (the markers and the
// target overlay cleared).
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// boxSelected cleared, marker bits stripped from every used DisplayGrid cell, targetFlag and
// sideCount zeroed for every grid cell.
void ClearMarks(LevelModel& level, ViewState& view);

// Fills the TargetOverlay for view.selectedBox and sets boxSelected. A box that the start
// analysis turned into a wall is selected with no targets.
void SelectBox(CoreState& core);

}  // namespace ruk
