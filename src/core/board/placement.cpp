// Level placement and the exterior fill (see placement.h).
#include "board/placement.h"

#include <cstdint>

#include "search/breadth_fill.h"

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
    // A step left or right off a frame edge lands on the opposite edge of the next or previous
    // row; both are margin cells, which are floor and joined round the frame anyway, so the
    // filled set is that of a bounded four-neighbour fill.
    const std::int32_t step[4] = {-FRAME_SIDE, 1, FRAME_SIDE, -1};
    BreadthFill(
        FrameIndex(row, col), step, s.fillQueue.data(),
        [&](int next, int) { return next >= 0 && next < FRAME_CELLS && s.fillMask[next] == 0; },
        [&](int cell, int) {
            s.fillMask[cell] = MASK_SET;
            if (OnOuterFrame(cell / FRAME_SIDE, cell % FRAME_SIDE)) s.openFlag = true;
        });
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
