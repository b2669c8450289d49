// The level model: the Board and its tables, the LevelSet, the grids and the editor state.
// One instance is created at start-up; every load works inside it without allocating.
#pragma once

#include "board/board.h"
#include "board/editor_state.h"
#include "board/grids.h"
#include "board/level_scratch.h"
#include "board/level_set.h"

namespace ruk {

struct LevelModel {
    Board board;
    DirectionTables directions;
    LevelSet levelSet;
    Grids grids;
    EditorState editor;
    LevelScratch scratch;
};

// Start-up state: no level, grids 50 x 40 with the used part EXTERIOR, Play mode.
void ResetLevelModel(LevelModel& model);

}  // namespace ruk
