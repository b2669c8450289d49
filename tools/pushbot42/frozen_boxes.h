// Frozen boxes: a box that can never move again, off a goal, makes the position dead.
#pragma once

#include <cstdint>

#include "level_cells.h"
#include "records/deadlock_verdicts.h"

namespace ruk::pushbot {

// The core's freeze test for the box on cell, with one more way to block an axis: dead cells on
// both sides, where the box may never go. board: 0 floor, BOX, WALL; changed while the test
// runs and restored. dead: the dead cells.
FreezeVerdict FrozenBox(std::uint32_t* board, const LevelCells& level, const std::uint8_t* dead,
                        int cell);

}  // namespace ruk::pushbot
