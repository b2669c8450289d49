// Where a lone box can be pushed onto a cell from: the reverse search (pulling the box away
// from a goal), and the GoalReach tables built from it.
#pragma once

#include <cstdint>

#include "records/core_state.h"

namespace ruk {

// Reverse search from start over planner.wallMap (walls non-zero, everything else 0): fills
// planner.nodes and planner.seen (the SideSet of every cell reached); returns the node count.
// Every node's cell is a cell from which a lone box can be pushed onto start.
int ReverseSearch(CoreState& core, int start);

// The same search from several start cells at once: it reaches the union of their searches.
int ReverseSearchFrom(CoreState& core, const std::int32_t* starts, int startCount);

// For j < n, bit j of masks[i] is set when a lone box on i can be pushed onto goals[j].
// walls: a map whose WALL bit marks walls (boxes on it are ignored).
void GoalReachMasks(CoreState& core, std::uint64_t* masks, const std::uint32_t* walls,
                    const std::int32_t* goals, int n);

// masks[i] = 1 when a lone box on i can be pushed onto some goal (goalMap value 1), else 0.
void LiveMap(CoreState& core, std::uint64_t* masks, const std::uint32_t* walls,
             const std::uint32_t* goalMap);

// Loads planner.wallMap with the WALL bits of walls.
void LoadWallMap(CoreState& core, const std::uint32_t* walls);

}  // namespace ruk
