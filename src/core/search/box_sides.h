// The sides of a box that the keeper can reach, the step every push search takes per node.
#pragma once

#include <cstdint>

#include "search/mark_map.h"

namespace ruk {

// The sides of the box on cell box that a keeper on keeper reaches over the cells where board
// is 0 (the box's own cell must be nonzero there). Side d, the neighbour box + step[d], is bit
// 1 << d; only sides that are free on board are reported. The fill stops once every free side
// is reached (the answer is then a full fill's). Takes a new stamp in marks; queue needs room
// for every cell.
std::uint32_t BoxSides(const std::uint32_t* board, int box, int keeper, const std::int32_t* step,
                       MarkMap& marks, std::int32_t* queue);

}  // namespace ruk
