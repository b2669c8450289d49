// The box route search: the cheapest way to bring one box to a target, fewest pushes first,
// then fewest moves, written as walk and push letters.
#pragma once

#include "board/level_model.h"
#include "records/core_state.h"

namespace ruk {

// Searches a route for the box on `box` to `target` after which the keeper can still reach
// `side` (with the box on target), and appends its letters; the PlanBoard and planKeeper follow.
// False, with nothing appended and failed left as it was, when there is no such route (or
// failed was already set).
//
// The store holds one node per state (box cell, direction of the last push): a state is only
// ever improved while the layer before it is expanded, so improving it moves its node to the
// end of its layer instead of adding one. That is the order a queue of every improvement would
// expand the live nodes in, so routes and their ties come out the same, in 4 x 2500 nodes.
bool AppendBoxRoute(const LevelModel& level, GameRecord& game, RouteStore& route, int box,
                    int target, int side);

}  // namespace ruk
