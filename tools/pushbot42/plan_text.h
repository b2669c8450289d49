// Lanes written as text, to measure one lane or a new plan without building again: lanes are
// split by '|', a lane's phases by ','. A phase is S (room by room), B (one open list), F (the
// feature space) or P (the pull search), then its weight, then any of a (macros to any goal), l
// (macros in the goal areas' order), p (the packing order counts), v (advisors), c (the
// connectivity advisor), r (the cell counts blocked doorways between rooms, not floor areas), o
// (the room advisor), f (the pull search's feature space), and last @SHARE. The plans of one
// and two threads read "P5@0.02,F1apvc@0.612245,S3@0.3,F1lv" and
// "F1apvc|P5@0.02,S3@0.3,F1lv@0.5,F1l".
#pragma once

#include <string_view>
#include <vector>

#include "search_lanes.h"

namespace ruk::pushbot {

// The lanes of text; false, lanes untouched, when it is not such a plan.
bool ReadPlan(std::string_view text, std::vector<std::vector<Phase>>& lanes);

}  // namespace ruk::pushbot
