// The closedness test (see closedness.h).
#include "board/closedness.h"

#include "search/breadth_fill.h"

namespace ruk {

namespace {

bool OnFrame(const Board& board, int index) {
    const int stride = RowStride(board);
    const int r = index / stride;
    const int c = index % stride;
    return r == 0 || c == 0 || r == board.height - 1 || c == board.width - 1;
}

}  // namespace

bool ClosednessTest(LevelModel& model) {
    const Board& board = model.board;
    LevelScratch& s = model.scratch;
    // Only levels inside 50 x 50 are tested; anything smaller than 3 x 3 has no inside.
    if (board.width < 3 || board.height < 3 || board.width > GRID_SIDE || board.height > GRID_SIDE)
        return false;
    const int start = board.keeperStart;
    if (start < 0 || start >= board.cellCount || OnFrame(board, start)) return false;

    // The frame is never expanded: the fill ends as soon as it takes a frame cell.
    bool open = false;
    s.reached.NewStamp();
    BreadthFill(
        start, model.directions.stepOffset.data(), s.walkQueue.data(),
        [&](int next, int) { return !s.reached.Marked(next) && !(board.cells[next] & WALL); },
        [&](int cell, int) {
            s.reached.Mark(cell);
            if (OnFrame(board, cell)) open = true;
        },
        [&] { return open; });
    if (open) return false;
    for (int i = 0; i < board.cellCount; ++i) {
        const CellCode code = board.cells[i];
        if (!s.reached.Marked(i) && (code == GOAL || code == BOX)) return false;
    }
    return true;
}

void ApplyClosednessTest(LevelModel& model) {
    const LevelStatus status = model.board.status;
    if (status == LevelStatus::BAD_LEVEL || status == LevelStatus::SIZE_OVER) return;
    if (!ClosednessTest(model)) model.board.status = LevelStatus::BAD_LEVEL;
}

}  // namespace ruk
