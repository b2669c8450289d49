// Left and right clicks on the board in Play mode: walk, select a box, pick a side, push.
#pragma once

#include "records/core_state.h"
#include "records/window_requests.h"

namespace ruk {

// Records the keeper's walk from the shown keeper cell to cell and starts playing it.
void WalkTo(CoreState& core, int cell, WindowRequests& requests);

// Records the cheapest pushes bringing the box on `box` to `target` with the keeper able to
// reach `side` afterwards, and starts playing them. Nothing when no box stands on `box` in the
// shown position (a selection made for an earlier position).
void PushBoxTo(CoreState& core, int box, int target, int side, WindowRequests& requests);

// Marks the cells from which the keeper may leave the box on the target at grid (row, col).
void ShowSides(CoreState& core, int row, int col);

// The click table for a left press on grid cell (row, col).
void BoardClick(CoreState& core, int row, int col, WindowRequests& requests);

// A right press: Undo while the level is PLAYABLE.
void BoardRightClick(CoreState& core, WindowRequests& requests);

}  // namespace ruk
