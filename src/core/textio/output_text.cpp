// BuildOutputText (see output_text.h).
#include "textio/output_text.h"

#include <cstdio>

#include "engine/solved_check.h"
#include "textio/grid_text.h"

namespace ruk {

namespace {

std::string GridTextOf(const std::array<CellCode, MAX_CELLS>& grid, const Grids& grids,
                       char floor) {
    GridText text;
    GridToText(text, grid, grids.maxWidth, grids.maxHeight, floor);
    return text.data();
}

// The Board as loaded: every row to its last cell that is not floor, the keeper at its start.
std::string BoardText(const Board& board, char floor) {
    std::string text;
    const int stride = RowStride(board);
    for (int r = 0; r < StoredRows(board); ++r) {
        int last = stride - 1;
        while (last >= 0 && board.cells[r * stride + last] == FLOOR) --last;
        for (int c = 0; c <= last; ++c) {
            const char ch = LevelCharOf(board.cells[r * stride + c], floor);
            if (ch != '\0') text += ch;
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace

OutputText BuildOutputText(CoreState& core, char floor) {
    const LevelModel& level = core.level;
    if (level.editor.editMode == EditMode::EDIT)
        return {"Level Output", GridTextOf(level.grids.editorGrid, level.grids, floor)};
    OutputText out{"URDL Output", ""};
    const LevelStatus status = level.board.status;
    // A level that a Restart marked BLOCKED is still played; its game is written like any other.
    if (status != LevelStatus::PLAYABLE && status != LevelStatus::BLOCKED) {
        out.text = GridTextOf(level.grids.displayGrid, level.grids, floor);
        if (status == LevelStatus::BAD_LEVEL) out.text += "Status: BadLevel\r\n";
        if (status == LevelStatus::SIZE_OVER) out.text += "Status: SizeOver\r\n";
        return out;
    }
    out.text = BoardText(level.board, floor);
    if (SolvedTest(level, core.game, core.scratch)) {
        const ResultTotals& t = core.game.totals;
        char line[128];
        std::snprintf(line, sizeof line,
                      "Status: Solved\r\nSolution: %u Moves %u Pushes %u Actions\r\n", t.totalMoves,
                      t.totalPushes, t.totalActions);
        out.text += line;
    } else {
        out.text += "Status: UnFinished\r\n";
    }
    const MoveHistory& history = core.game.history;
    if (history.text) out.text.append(history.text.get(), history.end);
    out.text += "\r\n";
    return out;
}

}  // namespace ruk
