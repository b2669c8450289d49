// The room-by-room search: the boxes that the matching sends to one goal group move while all
// the others stay put, group after group, with position budgets that grow while no group gets
// done. Several rooms searched together multiply one another's positions; this does not, but
// it may miss answers that need boxes of several groups moved in turn, so it proves nothing.
#pragma once

#include <vector>

#include "level_cells.h"
#include "push_search.h"

namespace ruk::pushbot {

// Appends the pushes of a whole answer to steps and returns true when every group got done
// before the deadline.
bool SolveRoomByRoom(PushSearch& search, const LevelCells& level, double deadline,
                     std::vector<PushStep>& steps);

}  // namespace ruk::pushbot
