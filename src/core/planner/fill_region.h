// Keeper regions: the flood fill every planner search is built from, and walking distances.
#pragma once

#include <cstdint>

#include "board/board.h"

namespace ruk {

// Fills the keeper's region from start over cells whose obstacle value is 0 and whose mark is
// 0, marking them with stamp (the start is marked whatever it holds). Breadth-first, neighbours
// up, right, down, left. Returns the regionAnchor: the smallest index filled. There is no
// bounds test: the level is closed and cells outside the keeper's area are obstacles.
int FillRegion(const std::uint32_t* obstacles, std::uint32_t* marks, int start, std::uint32_t stamp,
               const DirectionTables& directions, std::int32_t* queue);

// Step distances from start over the free cells of planBoard: 1 at start, 0 unreachable, else
// steps + 1. The whole region is measured.
void DistanceMap(std::uint32_t* distance, int start, const std::uint32_t* planBoard, int cellCount,
                 const DirectionTables& directions, std::int32_t* queue);

}  // namespace ruk
