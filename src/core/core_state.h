// The one state object of the player: the level model, the play records and the planner's
// tables. Start-up creates it once; every operation reads and writes it, nothing is global.
#pragma once

#include <memory>

#include "board/level_model.h"
#include "engine/play_state.h"
#include "planner/deadlock_context.h"
#include "planner/planner_tables.h"

namespace ruk {

struct CoreState {
    LevelModel level;
    PlayState play;
    PlannerTables planner;
    DeadlockContext dead;  // points at level
};

// A fresh state: no level, start-up grids, the history buffer and the corral table allocated.
// Null when either cannot be had.
std::unique_ptr<CoreState> CreateCoreState();

}  // namespace ruk
