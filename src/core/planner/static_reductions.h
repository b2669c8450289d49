// The two static reductions shared by the start analysis and the unsolvable check: boxes that
// can never be pushed, and goals no box can ever be pushed onto.
#pragma once

#include <cstdint>

#include "board/level_model.h"

namespace ruk {

// Removes (sets to 0), pass after pass, every box (2) of position that the keeper can push
// somewhere: a side it reaches with a free cell opposite. One keeper fill per pass over marks;
// what stays can never move.
void RemoveMovableBoxes(std::uint32_t* position, std::uint32_t* marks, int keeper,
                        const LevelModel& level, std::int32_t* queue);

// Clears, pass after pass, every goal (1) of goals that a box could be pushed onto: two free
// cells (0) in line beyond it in some direction. What stays is a goal no box can reach.
void ClearFillableGoals(std::uint32_t* goals, const Board& board);

}  // namespace ruk
