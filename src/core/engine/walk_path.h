// The walk path builder: a shortest walk written as move letters, keeping its direction.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// Appends the walk letters of a shortest path from `from` to `to` over the PlanBoard, keeping
// the direction of the previous step where a shortest path allows (up for the first step), and
// sets planKeeper to `to`. Nothing when failed is set or `to` cannot be reached; no letter when
// from = to. False when nothing could be walked or a letter could not be appended.
bool AppendWalk(const LevelModel& level, GameRecord& game, RouteStore& route, int from, int to);

}  // namespace ruk
