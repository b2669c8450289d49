// Tally bookkeeping and the acceptance rules for levels read from files and from text.
#include "board/level_tally.h"

#include <algorithm>

namespace ruk {

void BeginTally(ParseTally& tally) {
    tally.rows = 0;
    tally.width = 0;
    tally.boxes = 0;
    tally.goals = 0;
    tally.keepers = 0;
    tally.keeperRow = -1;
    tally.keeperCol = -1;
}

void CommitRow(ParseTally& tally, const RowLine& line) {
    if (line.keepers > 0 && tally.keepers == 0) {
        tally.keeperRow = tally.rows;
        tally.keeperCol = line.keeperCol;
    }
    tally.width = std::max(tally.width, line.width);
    tally.boxes += line.boxes;
    tally.goals += line.goals;
    tally.keepers += line.keepers;
    ++tally.rows;
}

LevelStatus FileBlockStatus(const ParseTally& tally) {
    if (tally.rows < 3 || tally.width < 3 || tally.boxes < 1 || tally.goals < 1 ||
        tally.keepers != 1)
        return LevelStatus::NONE;
    if (tally.rows > GRID_SIDE || tally.width > GRID_SIDE) return LevelStatus::SIZE_OVER;
    if (tally.boxes != tally.goals) return LevelStatus::BAD_LEVEL;
    if (tally.boxes > MAX_GOAL_BOXES) return LevelStatus::MANY_BOXES;
    return LevelStatus::PLAYABLE;
}

LevelStatus TextLevelStatus(const ParseTally& tally) {
    if (tally.rows > GRID_SIDE || tally.width > GRID_SIDE) return LevelStatus::SIZE_OVER;
    const bool keeperInFirstCell = tally.keeperRow == 0 && tally.keeperCol == 0;
    if (tally.keepers != 1 || keeperInFirstCell || tally.rows < 3 || tally.width < 3 ||
        tally.boxes < 1 || tally.boxes != tally.goals)
        return LevelStatus::BAD_LEVEL;
    if (tally.boxes > MAX_GOAL_BOXES) return LevelStatus::MANY_BOXES;
    return LevelStatus::PLAYABLE;
}

void CopyTallyToBoard(const ParseTally& tally, Board& board) {
    board.width = tally.width;
    board.height = tally.rows;
    board.boxCount = tally.boxes;
    const int stride = RowStride(board);
    const int rows = StoredRows(board);
    board.cells.fill(FLOOR);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < stride; ++c)
            board.cells[r * stride + c] = tally.grid[r * GRID_SIDE + c];
    const bool keeperStored = tally.keeperRow >= 0 && tally.keeperRow < GRID_SIDE &&
                              tally.keeperCol >= 0 && tally.keeperCol < stride;
    board.keeperStart = keeperStored ? tally.keeperRow * stride + tally.keeperCol : 0;
}

}  // namespace ruk
