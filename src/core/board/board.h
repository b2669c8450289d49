// The Board (a level's initial layout as parsed), its LevelStatus and the direction tables.
#pragma once

#include <array>
#include <cstdint>

#include "board/cell_code.h"
#include "board/direction.h"
#include "search/mark_map.h"

namespace ruk {

constexpr int GRID_SIDE = 50;                     // the largest level stored, and the grids
constexpr int MAX_CELLS = GRID_SIDE * GRID_SIDE;  // 2500
static_assert(MAX_CELLS == MARK_CELLS, "a mark map holds every stored cell");
constexpr int MAX_GOAL_BOXES = 64;  // boxes a goal mask can hold

enum class LevelStatus : std::int32_t {
    NONE = 0,
    PLAYABLE = 1,
    BAD_LEVEL = 2,
    SIZE_OVER = 3,
    MANY_BOXES = 4,
    BLOCKED = 6,
};

const char* LevelStatusName(LevelStatus status);

struct Board {
    std::array<CellCode, MAX_CELLS> cells{};  // row-major with the row stride below
    std::int32_t width = 0;                   // real size, even when larger than 50
    std::int32_t height = 0;
    std::int32_t cellCount = 0;  // cells stored
    std::int32_t keeperStart = 0;
    std::int32_t boxCount = 0;
    LevelStatus status = LevelStatus::NONE;
};

// The row stride of the stored cells: the width, or 50 for a level wider than 50.
inline int RowStride(const Board& board) {
    return board.width > GRID_SIDE ? GRID_SIDE : board.width;
}
// Rows actually stored: at most 50.
inline int StoredRows(const Board& board) {
    return board.height > GRID_SIDE ? GRID_SIDE : board.height;
}

// Sets cellCount and the direction tables from the Board's stride; every load that fills the
// Board does this whatever the status.
void SetBoardGeometry(Board& board, DirectionTables& tables);

}  // namespace ruk
