// The solved test: the whole move string replayed from the level's start, with its totals.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// Rewrites the ResultTotals and returns solved. Letters after the push that solves the level
// are cut from the history. A string that breaks the rules ends the test: not solved, the
// totals covering the letters before it.
bool SolvedTest(const LevelModel& level, GameRecord& game, PlayScratch& scratch);

}  // namespace ruk
