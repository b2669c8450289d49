// The solved test (see solved_check.h).
#include "engine/solved_check.h"

#include "board/board_steps.h"
#include "engine/move_letters.h"

namespace ruk {

namespace {

// Boxes off goals plus goals without a box: 0 exactly when the position is solved.
int CountMisplaced(const CellCode* cells, int count) {
    int misplaced = 0;
    for (int i = 0; i < count; ++i) {
        const CellCode code = cells[i] & (BOX | GOAL);
        if (code == BOX || code == GOAL) ++misplaced;
    }
    return misplaced;
}

// The change in misplaced cells when a box leaves or enters a cell.
int MisplacedDelta(CellCode before, CellCode after) {
    auto misplaced = [](CellCode code) {
        code &= BOX | GOAL;
        return code == BOX || code == GOAL ? 1 : 0;
    };
    return misplaced(after) - misplaced(before);
}

}  // namespace

bool SolvedTest(const LevelModel& level, GameRecord& game, PlayScratch& scratch) {
    MoveHistory& history = game.history;
    if (history.failed || !history.text) {
        game.totals.solved = false;
        return false;
    }
    ResultTotals& totals = game.totals;
    totals = ResultTotals{};
    const Board& board = level.board;
    CellCode* cells = scratch.replayCells.data();
    for (int i = 0; i < board.cellCount; ++i) cells[i] = board.cells[i] & ~KEEPER;
    int misplaced = CountMisplaced(cells, board.cellCount);
    BoardPlace keeper = PlaceOf(board, board.keeperStart);
    int lastBoxTo = -1;
    bool pushed = false;

    for (std::uint32_t p = 0; p < history.end; ++p) {
        const char letter = history.text[p];
        if (letter == '\r' || letter == '\n') continue;
        const int d = LetterDirection(letter);
        if (d < 0) return false;
        const BoardPlace place = StepPlace(board, keeper, d);
        const int next = place.index;
        if (next < 0 || cells[next] == WALL) return false;
        if (!IsPushLetter(letter)) {
            if (cells[next] & BOX) return false;
            ++totals.totalMoves;
            keeper = place;
            continue;
        }
        ++totals.totalMoves;
        if (!(cells[next] & BOX)) return false;
        if (next != lastBoxTo) ++totals.totalActions;
        const int beyond = StepPlace(board, place, d).index;
        if (beyond < 0 || (cells[beyond] & (BOX | WALL))) return false;
        misplaced += MisplacedDelta(cells[next], cells[next] & ~BOX);
        cells[next] &= ~BOX;
        misplaced += MisplacedDelta(cells[beyond], cells[beyond] | BOX);
        cells[beyond] |= BOX;
        ++totals.totalPushes;
        keeper = place;
        lastBoxTo = beyond;
        pushed = true;
        if (misplaced == 0 && p + 1 < history.end) {
            history.end = p + 1;
            history.text[history.end] = '\0';
        }
    }
    totals.solved = pushed && misplaced == 0;
    return totals.solved;
}

}  // namespace ruk
