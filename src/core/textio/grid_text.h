// A 50-column grid written as level text, trimmed to its content.
#pragma once

#include <array>

#include "board/grids.h"

namespace ruk {

// 50 rows of 50 characters with CR LF each, and the zero byte.
constexpr int GRID_TEXT_CAPACITY = GRID_SIDE * (GRID_SIDE + 2) + 1;
using GridText = std::array<char, GRID_TEXT_CAPACITY>;

// The level character of a cell code (its low four bits), or '\0' for a code that has none.
char LevelCharOf(CellCode code, char floor);

// Writes the used part (maxHeight x maxWidth) of a 50-column grid: rows from the first to the
// last with content, columns from the leftmost content on, each row to its last content, CR LF
// after every row. floor is ' ' or '-'. An empty grid gives an empty text.
void GridToText(GridText& out, const std::array<CellCode, MAX_CELLS>& grid, int maxWidth,
                int maxHeight, char floor);

}  // namespace ruk
