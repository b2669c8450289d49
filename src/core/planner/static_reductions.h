// The two static reductions shared by the start analysis and the unsolvable check: boxes that
// can never be pushed, and goals no box can ever be pushed onto.
#pragma once

#include <cstdint>

#include "board/level_model.h"

namespace ruk {

// Sets to FLOOR, pass after pass, every BOX of the position map that the keeper can push
// somewhere: a side it reaches with a FLOOR cell opposite. One keeper fill per pass over marks;
// what stays can never move.
void RemoveMovableBoxes(std::uint32_t* position, std::uint32_t* marks, int keeper,
                        const LevelModel& level, std::int32_t* queue);

// Sets to FLOOR, pass after pass, every GOAL of the goal map that a box could be pushed onto: two
// FLOOR cells in line beyond it in some direction. What stays is a goal no box can reach.
void ClearFillableGoals(std::uint32_t* goals, const Board& board);

}  // namespace ruk
