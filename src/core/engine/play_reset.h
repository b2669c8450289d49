// Per-level resets of the game and of what is shown.
#pragma once

#include "board/board.h"
#include "board/grids.h"
#include "records/game_record.h"
#include "records/view_state.h"

namespace ruk {

// A new level: the game emptied, totals zeroed, the recording side set from the Board's boxes
// and walls, the keeper at its start, no last push. The shown counters are the placement's.
void ResetPlayForLevel(GameRecord& game, const Board& board);

// After a level is placed: the sideCount layer of the used grid cleared, the shown counters
// and facing zeroed.
void ResetShownForPlacement(GameRecord& game, ViewState& view, const Grids& grids);

}  // namespace ruk
