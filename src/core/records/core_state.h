// The one state object of the player, split by what each part is for: the level model, the
// game in progress, what the window shows, the play operations' scratch, the planner's tables
// and the corral table. Start-up creates it once; nothing is global.
#pragma once

#include <memory>

#include "board/level_model.h"
#include "records/corral_table.h"
#include "records/game_record.h"
#include "records/planner_tables.h"
#include "records/play_scratch.h"
#include "records/view_state.h"

namespace ruk {

struct CoreState {
    LevelModel level;
    GameRecord game;
    ViewState view;
    PlayScratch scratch;
    PlannerTables planner;
    CorralTable corral;
};

// A fresh state: no level, start-up grids, the history buffer and the corral table allocated.
// Null when either cannot be had.
std::unique_ptr<CoreState> CreateCoreState();

}  // namespace ruk
