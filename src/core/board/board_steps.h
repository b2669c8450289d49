// Bounded steps on the Board: for the few tests that look two cells ahead or that may start
// next to the Board's edge, where the closed-level guarantee alone does not keep them inside.
#pragma once

#include "board/board.h"

namespace ruk {

// The cell `count` steps from index in direction d, or -1 when that leaves the Board's stored
// rectangle.
inline int StepFrom(const Board& board, int index, Direction d, int count) {
    const int stride = RowStride(board);
    if (stride <= 0) return -1;
    const int row = index / stride + RowStep(d) * count;
    const int col = index % stride + ColStep(d) * count;
    if (row < 0 || col < 0 || row >= StoredRows(board) || col >= stride) return -1;
    return row * stride + col;
}

// A cell with its row and column, so that a long walk steps without dividing at every step.
struct BoardPlace {
    int index = -1;  // -1 outside the Board's stored rectangle
    int row = 0;
    int col = 0;
};

inline BoardPlace PlaceOf(const Board& board, int index) {
    const int stride = RowStride(board);
    if (stride <= 0 || index < 0 || index >= stride * StoredRows(board)) return {};
    return {index, index / stride, index % stride};
}

// The place one step from place in direction d; its index is -1 when that leaves the Board's
// stored rectangle (as StepFrom's -1).
inline BoardPlace StepPlace(const Board& board, const BoardPlace& place, Direction d) {
    const int stride = RowStride(board);
    const int row = place.row + RowStep(d);
    const int col = place.col + ColStep(d);
    if (place.index < 0 || row < 0 || col < 0 || row >= StoredRows(board) || col >= stride)
        return {};
    return {row * stride + col, row, col};
}

}  // namespace ruk
