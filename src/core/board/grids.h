// The two 50-column grids in which the level is shown and played, and edited.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>

#include "board/board.h"

namespace ruk {

constexpr int CELL_PIXELS = 24;
constexpr int START_MAX_WIDTH = 50;
constexpr int START_MAX_HEIGHT = 40;

struct Grids {
    std::array<CellCode, MAX_CELLS> displayGrid{};  // DisplayGrid: live codes and markers
    std::array<CellCode, MAX_CELLS> editorGrid{};   // EditorGrid: a level character's code each
    std::int32_t maxWidth = START_MAX_WIDTH;        // usable columns, at most 50
    std::int32_t maxHeight = START_MAX_HEIGHT;      // usable rows, at most 50
    std::int32_t rowOffset = 0;                     // grid row of the level's row 0
    std::int32_t colOffset = 0;                     // grid column of the level's column 0
};

inline int GridIndex(int row, int col) {
    assert(row >= 0 && row < GRID_SIDE && col >= 0 && col < GRID_SIDE);
    return row * GRID_SIDE + col;
}

struct GridCell {
    int row = -1;
    int col = -1;
    bool valid() const { return row >= 0 && col >= 0; }
};

// Board index to grid cell, with the Board's row stride.
GridCell BoardToGrid(const Board& board, const Grids& grids, int index);
// Grid cell to Board index; -1 outside the level's stored rectangle.
int GridToBoard(const Board& board, const Grids& grids, int row, int col);
// The grid cell under pixel (x, y) of a board area whose top-left pixel is (left, top); invalid
// when the point addresses no usable cell.
GridCell PointToCell(const Grids& grids, int left, int top, int x, int y);

// Start-up state: 50 x 40 usable, the used part EXTERIOR, the editor grid empty.
void ResetGrids(Grids& grids);

}  // namespace ruk
