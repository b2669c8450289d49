// Mapping between Board indices, grid cells and board-area pixels.
#include "board/grids.h"

namespace ruk {

GridCell BoardToGrid(const Board& board, const Grids& grids, int index) {
    const int stride = RowStride(board);
    if (stride <= 0 || index < 0 || index >= board.cellCount) return {};
    return {index / stride + grids.rowOffset, index % stride + grids.colOffset};
}

int GridToBoard(const Board& board, const Grids& grids, int row, int col) {
    const int stride = RowStride(board);
    const int r = row - grids.rowOffset;
    const int c = col - grids.colOffset;
    if (r < 0 || c < 0 || r >= StoredRows(board) || c >= stride) return -1;
    return r * stride + c;
}

GridCell PointToCell(const Grids& grids, int left, int top, int x, int y) {
    if (x < left || y < top) return {};
    if (x >= left + grids.maxWidth * CELL_PIXELS || y >= top + grids.maxHeight * CELL_PIXELS)
        return {};
    return {(y - top) / CELL_PIXELS, (x - left) / CELL_PIXELS};
}

void ResetGrids(Grids& grids) {
    grids.maxWidth = START_MAX_WIDTH;
    grids.maxHeight = START_MAX_HEIGHT;
    grids.rowOffset = 0;
    grids.colOffset = 0;
    grids.displayGrid.fill(FLOOR);
    grids.editorGrid.fill(FLOOR);
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) grids.displayGrid[GridIndex(r, c)] = EXTERIOR;
}

}  // namespace ruk
