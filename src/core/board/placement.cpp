// Level placement and the exterior fill (see placement.h).
#include "board/placement.h"

namespace ruk {

namespace {

constexpr std::uint8_t MASK_SET = 8;

int FrameIndex(int row, int col) {
    return row * FRAME_SIDE + col;
}

bool OnOuterFrame(int row, int col) {
    return row == 0 || col == 0 || row == FRAME_SIDE - 1 || col == FRAME_SIDE - 1;
}

void ClearUsedGrids(LevelModel& model) {
    Grids& g = model.grids;
    for (int r = 0; r < g.maxHeight; ++r) {
        for (int c = 0; c < g.maxWidth; ++c) {
            const int i = GridIndex(r, c);
            g.displayGrid[i] = EXTERIOR;
            g.editorGrid[i] = FLOOR;
        }
    }
}

// Code grid and fill mask from the Board's stored cells, one-cell margin around them.
void BuildFrame(const Board& board, LevelScratch& s) {
    s.codeGrid.fill(FLOOR);
    s.fillMask.fill(0);
    s.openFlag = false;
    const int stride = RowStride(board);
    const int rows = StoredRows(board);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < stride; ++c) {
            const CellCode code = board.cells[r * stride + c];
            s.codeGrid[FrameIndex(r + 1, c + 1)] = code;
            if (code & WALL) s.fillMask[FrameIndex(r + 1, c + 1)] = MASK_SET;
        }
    }
}

void FillInterior(const Board& board, LevelScratch& s) {
    const int stride = RowStride(board);
    const int rows = StoredRows(board);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < stride; ++c)
            if (s.fillMask[FrameIndex(r + 1, c + 1)] == 0 &&
                (board.cells[r * stride + c] & (GOAL | BOX | KEEPER)))
                FillExterior(s, r + 1, c + 1);
}

// The offset for one direction, or SIZE_OVER when the level does not fit.
int CentreOffset(int size, int usable, LevelStatus& status) {
    if (size > usable) {
        status = LevelStatus::SIZE_OVER;
        return 0;
    }
    return (usable - size) / 2;
}

// A wall shows its face when it is in the level's last row or the cell below is no wall. The
// cell below is read from the framed code grid, so a level taller than 50 reads its margin.
CellCode DisplayCode(const Board& board, const LevelScratch& s, int r, int c) {
    const CellCode code = s.codeGrid[FrameIndex(r + 1, c + 1)];
    if (!(code & WALL)) return code;
    const bool lastRow = r == board.height - 1;
    const bool wallBelow = (s.codeGrid[FrameIndex(r + 2, c + 1)] & WALL) != 0;
    return (lastRow || !wallBelow) ? WALL_FACE : WALL;
}

}  // namespace

void FillExterior(LevelScratch& s, int row, int col) {
    if (row < 0 || col < 0 || row >= FRAME_SIDE || col >= FRAME_SIDE) return;
    if (s.fillMask[FrameIndex(row, col)] != 0) return;
    int top = 0;
    s.fillMask[FrameIndex(row, col)] = MASK_SET;
    s.fillStack[top++] = FrameIndex(row, col);
    while (top > 0) {
        const int at = s.fillStack[--top];
        const int r = at / FRAME_SIDE;
        const int c = at % FRAME_SIDE;
        if (OnOuterFrame(r, c)) s.openFlag = true;
        const int nr[4] = {r - 1, r, r + 1, r};
        const int nc[4] = {c, c + 1, c, c - 1};
        for (int d = 0; d < 4; ++d) {
            if (nr[d] < 0 || nc[d] < 0 || nr[d] >= FRAME_SIDE || nc[d] >= FRAME_SIDE) continue;
            const int next = FrameIndex(nr[d], nc[d]);
            if (s.fillMask[next] != 0) continue;
            s.fillMask[next] = MASK_SET;
            s.fillStack[top++] = next;
        }
    }
}

void PlaceLevel(LevelModel& model) {
    Board& board = model.board;
    Grids& g = model.grids;
    LevelScratch& s = model.scratch;
    ClearUsedGrids(model);
    if (board.width == 0 || board.height == 0) return;

    BuildFrame(board, s);
    FillInterior(board, s);

    g.colOffset = CentreOffset(board.width, g.maxWidth, board.status);
    g.rowOffset = CentreOffset(board.height, g.maxHeight, board.status);
    const int placedCols = board.width < g.maxWidth ? board.width : g.maxWidth;
    const int placedRows = board.height < g.maxHeight ? board.height : g.maxHeight;
    const int stride = RowStride(board);
    for (int r = 0; r < placedRows; ++r) {
        for (int c = 0; c < placedCols; ++c) {
            const int i = GridIndex(g.rowOffset + r, g.colOffset + c);
            g.editorGrid[i] = board.cells[r * stride + c];
            if (s.fillMask[FrameIndex(r + 1, c + 1)] != 0)
                g.displayGrid[i] = DisplayCode(board, s, r, c);
        }
    }
    if (!s.openFlag) return;
    for (int r = 0; r < g.maxHeight; ++r) {
        for (int c = 0; c < g.maxWidth; ++c) {
            const bool inside = r >= g.rowOffset && r < g.rowOffset + placedRows &&
                                c >= g.colOffset && c < g.colOffset + placedCols;
            if (!inside) g.displayGrid[GridIndex(r, c)] = FLOOR;
        }
    }
    if (board.status != LevelStatus::SIZE_OVER) board.status = LevelStatus::BAD_LEVEL;
}

}  // namespace ruk
