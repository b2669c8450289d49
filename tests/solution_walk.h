// Walks a known solution push by push on the push search's view of a level, for tests that hold
// every position along an answer against the search's bound and dead-position rules.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "level_cells.h"

namespace ruk::test {

struct WalkStep {
    std::vector<std::uint16_t> boxes;   // ascending, after the push
    std::vector<std::uint16_t> before;  // ascending, before the push
    int keeper = 0;                     // after the push
    int from = -1, to = -1;             // the pushed box's cells; -1 for the start
    int pushesLeft = 0;                 // in the solution from here
};

// Calls visit at the start (from -1) and after every push of moves (URDL letters). board holds
// 0 floor, BOX and WALL for the position after the push; visit may change it but must restore
// it; boardBefore is the position before the push. False when the moves do not replay (a wall or
// a box in the way), or a letter is not one of urdlURDL.
bool WalkSolution(const pushbot::LevelCells& level, const std::string& moves,
                  const std::function<void(const WalkStep& step, std::uint32_t* board,
                                           std::uint32_t* boardBefore)>& visit);

}  // namespace ruk::test
