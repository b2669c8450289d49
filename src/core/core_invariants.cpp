// CheckInvariants (see core_invariants.h).
#include "core_invariants.h"

#include <array>
#include <cstdint>

#include "board/board_steps.h"
#include "board/grids.h"
#include "engine/move_letters.h"

namespace ruk {

namespace {

class Checker {
  public:
    void Expect(bool holds, const char* rule) {
        if (holds) return;
        if (result_.breaks++ == 0) result_.firstBreak = rule;
    }
    const InvariantCheck& Result() const { return result_; }

  private:
    InvariantCheck result_;
};

// Counters of a stretch of letters walked from a keeper cell: what StepForward and SolvedTest
// count, derived from the keeper's steps alone (a push moves the box from the cell the keeper
// steps into). Whether each letter fits the position is the engine's business, not this walk's.
struct Walked {
    int moves = 0;
    int pushes = 0;
    int actions = 0;
    int lastPushTarget = 0;  // 0 when no push came before
    int facing = 0;
    bool offBoard = false;  // a step left the Board's stored rectangle
};

void Walk(const Board& board, const char* text, std::uint32_t from, std::uint32_t to,
          BoardPlace& keeper, Walked& walked) {
    for (std::uint32_t p = from; p < to && !walked.offBoard; ++p) {
        const int d = LetterDirection(text[p]);
        if (d < 0) continue;
        const BoardPlace next = StepPlace(board, keeper, d);
        if (next.index < 0) {
            walked.offBoard = true;
            break;
        }
        ++walked.moves;
        if (IsPushLetter(text[p])) {
            const BoardPlace beyond = StepPlace(board, next, d);
            if (beyond.index < 0) {
                walked.offBoard = true;
                break;
            }
            ++walked.pushes;
            if (walked.pushes == 1 || next.index != walked.lastPushTarget) ++walked.actions;
            walked.lastPushTarget = beyond.index;
        }
        walked.facing = d + 1;
        keeper = next;
    }
}

// The keeper's start as the start-position rebuild takes it.
int StartKeeper(const Board& board) {
    int keeper = board.keeperStart;
    for (int i = 0; i < board.cellCount; ++i)
        if (board.cells[i] & KEEPER) keeper = i;
    return keeper;
}

void CheckHistory(const MoveHistory& h, Checker& check) {
    check.Expect(h.text != nullptr || h.failed, "the history has no text and is not failed");
    if (!h.text) return;
    check.Expect(h.cursor <= h.end, "the history cursor lies past the end of its text");
    check.Expect(h.end < h.capacity, "the history end lies outside its buffer");
    if (h.end >= h.capacity) return;
    check.Expect(h.text[h.end] == '\0', "the history text does not end at its end");
    bool letters = true;
    for (std::uint32_t p = 0; p < h.end; ++p) letters = letters && LetterDirection(h.text[p]) >= 0;
    check.Expect(letters, "the history holds a byte that is not a move letter");
}

void CheckOverlay(const CoreState& core, Checker& check) {
    const ViewState& view = core.view;
    if (view.boxSelected) return;
    bool targets = false;
    bool sides = false;
    bool markers = false;
    for (int i = 0; i < MAX_CELLS; ++i) {
        targets = targets || view.targets.targetFlag[i] != 0;
        sides = sides || view.targets.sideCount[i] != 0;
        markers = markers || core.level.grids.displayGrid[i] > PLAIN_MASK;
    }
    check.Expect(!targets, "a target flag is set with no box selected");
    check.Expect(!sides, "a side count is set with no box selected");
    check.Expect(!markers, "a DisplayGrid cell has marker bits with no box selected");
}

// The DisplayGrid code of Board cell index, or EXTERIOR when the cell lies outside the grid.
CellCode DisplayCode(const CoreState& core, int index) {
    const Grids& grids = core.level.grids;
    const GridCell cell = BoardToGrid(core.level.board, grids, index);
    if (!cell.valid() || cell.row >= grids.maxHeight || cell.col >= grids.maxWidth) return EXTERIOR;
    return grids.displayGrid[GridIndex(cell.row, cell.col)] & PLAIN_MASK;
}

void CheckPosition(const CoreState& core, Checker& check) {
    const Board& board = core.level.board;
    const ShownPosition& shown = core.game.shown;
    const int cells = board.cellCount;
    const bool keeperInside = shown.keeperCell >= 0 && shown.keeperCell < cells;
    check.Expect(keeperInside, "the keeper lies outside the Board");
    if (!keeperInside) return;
    check.Expect(shown.positionBoard[shown.keeperCell] == 0, "the keeper is not on a free cell");
    check.Expect((DisplayCode(core, shown.keeperCell) & KEEPER) != 0,
                 "the DisplayGrid does not show the keeper on its cell");

    int keepersShown = 0;
    const Grids& grids = core.level.grids;
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) {
            const CellCode code = grids.displayGrid[GridIndex(r, c)] & PLAIN_MASK;
            keepersShown += code != EXTERIOR && (code & KEEPER) != 0;
        }
    check.Expect(keepersShown == 1, "the DisplayGrid shows other than one keeper");

    // Each listed box once, on a box cell; as many boxes listed as the position board holds.
    std::array<std::uint8_t, MAX_CELLS> listed{};
    bool inside = shown.boxListCount >= 0 && shown.boxListCount <= cells;
    bool onBoxes = true;
    bool once = true;
    for (int b = 0; inside && b < shown.boxListCount; ++b) {
        const int cell = shown.boxList[b];
        if (cell < 0 || cell >= cells) {
            inside = false;
            break;
        }
        onBoxes = onBoxes && shown.positionBoard[cell] == BOX;
        once = once && listed[cell] == 0;
        listed[cell] = 1;
    }
    check.Expect(inside, "the box list holds a cell outside the Board");
    check.Expect(onBoxes, "the box list holds a cell with no box");
    check.Expect(once, "the box list holds a box twice");
    bool allListed = true;
    bool boxesShown = true;
    bool noStrayBox = true;
    for (int i = 0; i < cells; ++i) {
        const std::uint32_t position = shown.positionBoard[i];
        const CellCode code = DisplayCode(core, i);
        if (position == BOX) {
            allListed = allListed && listed[i] != 0;
            boxesShown = boxesShown && (code & BOX) != 0 && code != EXTERIOR;
        } else if (position == 0) {
            noStrayBox = noStrayBox && (code == EXTERIOR || (code & BOX) == 0);
        }
    }
    check.Expect(allListed, "a box of the position board is missing from the box list");
    check.Expect(boxesShown, "a box of the position board is not shown on the DisplayGrid");
    check.Expect(noStrayBox, "the DisplayGrid shows a box on a free cell");
}

// The recording side holds the position at the history's end: where the cursor stands at the
// end, it is the shown position. Cells the start analysis blocked keep their box on the
// recording side only. A solved game is left out: the solved test cuts the letters after the
// solving push from the history, not from the recording side, and a solved game records no
// more.
void CheckRecordingSide(const CoreState& core, Checker& check) {
    const GameRecord& game = core.game;
    const MoveHistory& h = game.history;
    if (!h.text || h.failed || h.cursor != h.end || game.totals.solved) return;
    const ShownPosition& shown = game.shown;
    bool same = game.planKeeper == shown.keeperCell;
    for (int i = 0; same && i < core.level.board.cellCount; ++i) {
        const std::uint32_t position = shown.positionBoard[i];
        if (position == 0 || position == BOX)
            same = (game.planBoard[i] == BOX) == (position == BOX);
    }
    check.Expect(same, "the recording side differs from the shown position at the history end");
}

void CheckCounters(const CoreState& core, Checker& check) {
    const Board& board = core.level.board;
    const GameRecord& game = core.game;
    const MoveHistory& h = game.history;
    const ShownPosition& shown = game.shown;
    if (!h.text || h.cursor > h.end || h.end >= h.capacity) return;

    BoardPlace keeper = PlaceOf(board, StartKeeper(board));
    Walked walked;
    Walk(board, h.text.get(), 0, h.cursor, keeper, walked);
    check.Expect(!walked.offBoard, "a letter before the cursor leaves the Board");
    if (walked.offBoard) return;
    check.Expect(shown.shownMoves == walked.moves, "the shown moves differ from the history");
    check.Expect(shown.shownPushes == walked.pushes, "the shown pushes differ from the history");
    check.Expect(shown.shownActions == walked.actions, "the shown actions differ from the history");
    check.Expect(shown.keeperCell == keeper.index, "the shown keeper differs from the history");
    check.Expect(shown.facing == walked.facing, "the keeper's facing differs from the history");
    check.Expect(shown.lastPushTarget == walked.lastPushTarget,
                 "the last push target differs from the history");

    if (h.failed) return;
    Walk(board, h.text.get(), h.cursor, h.end, keeper, walked);
    check.Expect(!walked.offBoard, "a letter after the cursor leaves the Board");
    if (walked.offBoard) return;
    const ResultTotals& totals = game.totals;
    const bool equal = totals.totalMoves == static_cast<std::uint32_t>(walked.moves) &&
                       totals.totalPushes == static_cast<std::uint32_t>(walked.pushes) &&
                       totals.totalActions == static_cast<std::uint32_t>(walked.actions);
    check.Expect(equal, "the result totals differ from the whole history");
}

}  // namespace

InvariantCheck CheckInvariants(const CoreState& core) {
    Checker check;
    CheckHistory(core.game.history, check);
    CheckOverlay(core, check);
    const EditorState& editor = core.level.editor;
    const LevelStatus game =
        editor.editMode == EditMode::EDIT ? editor.statusBeforeEdit : core.level.board.status;
    if (game == LevelStatus::PLAYABLE || game == LevelStatus::BLOCKED) {
        CheckPosition(core, check);
        CheckCounters(core, check);
        CheckRecordingSide(core, check);
    }
    return check.Result();
}

}  // namespace ruk
