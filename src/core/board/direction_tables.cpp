// Direction offset tables and the Board geometry derived from the row stride.
#include "board/board.h"

namespace ruk {

const char* LevelStatusName(LevelStatus status) {
    switch (status) {
        case LevelStatus::NONE:
            return "NONE";
        case LevelStatus::PLAYABLE:
            return "PLAYABLE";
        case LevelStatus::BAD_LEVEL:
            return "BAD_LEVEL";
        case LevelStatus::SIZE_OVER:
            return "SIZE_OVER";
        case LevelStatus::MANY_BOXES:
            return "MANY_BOXES";
        case LevelStatus::BLOCKED:
            return "BLOCKED";
    }
    return "NONE";
}

void SetDirectionTables(DirectionTables& tables, int stride) {
    const int w = stride;
    tables.dirBitOffset = {};
    for (const Direction d : DIRECTIONS) {
        const int offset = RowStep(d) * w + ColStep(d);
        tables.stepOffset[IndexOf(d)] = offset;
        tables.dirBitOffset[DirectionBit(d)] = offset;
    }
    tables.ringOffset = {-w, 1 - w, 1, w + 1, w, w - 1, -1, -w - 1};
}

void SetBoardGeometry(Board& board, DirectionTables& tables) {
    const int stride = RowStride(board);
    board.cellCount = stride * StoredRows(board);
    SetDirectionTables(tables, stride);
}

}  // namespace ruk
