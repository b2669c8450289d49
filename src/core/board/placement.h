// Placing the Board on the DisplayGrid and EditorGrid: centred, exterior told from interior by a
// flood fill, wall faces marked, open and oversized levels recognised.
#pragma once

#include <array>
#include <cstdint>

#include "board/level_model.h"

namespace ruk {

// Rebuilds both grids from the Board and sets rowOffset, colOffset and, for an open or
// oversized level, the status.
void PlaceLevel(LevelModel& model);

// Marks with 8 every cell of the 52 x 52 mask reachable from (row, col) through cells whose
// mask is 0; sets openFlag when a marked cell lies on the frame.
void FillExterior(LevelScratch& scratch, int row, int col);

}  // namespace ruk
