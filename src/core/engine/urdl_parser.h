// Typed or imported URDL text appended at the cursor, letter by letter against the board.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// Cuts the history at the cursor and appends the letters of input (CR and LF skipped) while
// each fits the position: a walk letter into a free cell, a push letter into a box that has a
// free cell beyond it. The first other character stops it; the letters before it stay. True
// when the whole input was taken. The cursor does not move.
bool ParseUrdl(const LevelModel& level, GameRecord& game, const char* input);

}  // namespace ruk
