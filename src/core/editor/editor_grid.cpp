// The editor grid (see editor_grid.h).
#include "editor/editor_grid.h"

#include <algorithm>
#include <cstdlib>

#include "search/breadth_fill.h"

namespace ruk {

namespace {

void RemoveKeeper(LevelModel& level) {
    EditorState& editor = level.editor;
    if (editor.keeperRow >= 0 && editor.keeperCol >= 0)
        level.grids.editorGrid[GridIndex(editor.keeperRow, editor.keeperCol)] &= ~KEEPER;
    editor.keeperRow = editor.keeperCol = -1;
}

// Fills the mask (1 = wall) from the keeper through the four neighbours inside the used
// grid; true when the fill reaches the used grid's outermost row or column.
bool FillFromKeeper(LevelModel& level) {
    EditorState& editor = level.editor;
    const Grids& grids = level.grids;
    auto& mask = editor.fillMask;
    const std::int32_t step[4] = {-GRID_SIDE, 1, GRID_SIDE, -1};
    bool open = false;
    BreadthFill(
        GridIndex(editor.keeperRow, editor.keeperCol), step, editor.fillQueue.data(),
        [&](int next, int from) {
            if (next < 0 || next >= MAX_CELLS) return false;
            const int row = next / GRID_SIDE;
            const int col = next % GRID_SIDE;
            // A step off the end of a grid row lands on the far end of the next one.
            if (std::abs(col - from % GRID_SIDE) > 1) return false;
            return row < grids.maxHeight && col < grids.maxWidth && mask[next] == 0;
        },
        [&](int cell, int) {
            mask[cell] = 2;
            const int row = cell / GRID_SIDE;
            const int col = cell % GRID_SIDE;
            if (row == 0 || col == 0 || row == grids.maxHeight - 1 || col == grids.maxWidth - 1)
                open = true;
        });
    return open;
}

}  // namespace

void PlaceTool(LevelModel& level, int row, int col, CellCode tool) {
    EditorState& editor = level.editor;
    CellCode& cell = level.grids.editorGrid[GridIndex(row, col)];
    if (tool & KEEPER) {
        RemoveKeeper(level);
        editor.keeperRow = row;
        editor.keeperCol = col;
    } else if (cell & KEEPER) {
        editor.keeperRow = editor.keeperCol = -1;
    }
    cell = tool;
}

void EraseCell(LevelModel& level, int row, int col) {
    CellCode& cell = level.grids.editorGrid[GridIndex(row, col)];
    if (cell & KEEPER) level.editor.keeperRow = level.editor.keeperCol = -1;
    cell = FLOOR;
}

bool PaintLine(LevelModel& level, GridCell from, GridCell to, CellCode tool, bool erase) {
    const int rows = to.row - from.row;
    const int cols = to.col - from.col;
    const int steps = std::max(std::abs(rows), std::abs(cols));
    bool changed = false;
    for (int i = 1; i <= steps; ++i) {
        // Rounded to the nearest cell: integer arithmetic, half away from zero.
        const int row = from.row + (2 * rows * i + (rows >= 0 ? steps : -steps)) / (2 * steps);
        const int col = from.col + (2 * cols * i + (cols >= 0 ? steps : -steps)) / (2 * steps);
        const CellCode cell = level.grids.editorGrid[GridIndex(row, col)];
        if (erase && cell != FLOOR) {
            EraseCell(level, row, col);
            changed = true;
        } else if (!erase && cell != tool) {
            PlaceTool(level, row, col, tool);
            changed = true;
        }
    }
    return changed;
}

void ClearEditor(LevelModel& level) {
    Grids& grids = level.grids;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col) grids.editorGrid[GridIndex(row, col)] = 0;
    level.editor.keeperRow = level.editor.keeperCol = -1;
}

void ValidateEditor(LevelModel& level) {
    EditorState& editor = level.editor;
    const Grids& grids = level.grids;
    LevelStatus& status = level.board.status;
    status = LevelStatus::PLAYABLE;
    editor.fault = EditorFault::NONE;
    editor.boxCount = editor.goalCount = 0;
    editor.keeperRow = editor.keeperCol = -1;
    for (int row = 0; row < grids.maxHeight; ++row) {
        for (int col = 0; col < grids.maxWidth; ++col) {
            const int index = GridIndex(row, col);
            const CellCode code = grids.editorGrid[index];
            editor.fillMask[index] = (code & WALL) ? 1 : 0;
            if (code & BOX) ++editor.boxCount;
            if (code & GOAL) ++editor.goalCount;
            if (code & KEEPER) {
                editor.keeperRow = row;
                editor.keeperCol = col;
            }
        }
    }
    if (editor.keeperRow < 0) {
        status = LevelStatus::NONE;
        editor.fault = EditorFault::NO_KEEPER;
        return;
    }
    if (editor.boxCount == 0 || editor.boxCount != editor.goalCount) {
        status = LevelStatus::BAD_LEVEL;
        editor.fault = editor.boxCount == 0 ? EditorFault::NO_BOX : EditorFault::COUNTS_DIFFER;
        return;
    }
    if (FillFromKeeper(level)) {
        status = LevelStatus::BAD_LEVEL;
        editor.fault = EditorFault::OPEN;
        return;
    }
    for (int row = 0; row < grids.maxHeight; ++row) {
        for (int col = 0; col < grids.maxWidth; ++col) {
            const int index = GridIndex(row, col);
            const CellCode code = grids.editorGrid[index];
            if (editor.fillMask[index] != 2 && (code == GOAL || code == BOX)) {
                status = LevelStatus::BAD_LEVEL;
                editor.fault = EditorFault::OUTSIDE_ROOM;
                return;
            }
        }
    }
}

void CopyDisplayToEditor(LevelModel& level) {
    Grids& grids = level.grids;
    level.editor.keeperRow = level.editor.keeperCol = -1;
    for (int row = 0; row < grids.maxHeight; ++row) {
        for (int col = 0; col < grids.maxWidth; ++col) {
            const int index = GridIndex(row, col);
            CellCode code = grids.displayGrid[index] & PLAIN_MASK;
            if (code == WALL_FACE) code = WALL;
            if (code == EXTERIOR) code = FLOOR;
            grids.editorGrid[index] = code;
            if (code & KEEPER) {
                level.editor.keeperRow = row;
                level.editor.keeperCol = col;
            }
        }
    }
}

bool EditorDiffersFromDisplay(const LevelModel& level) {
    const Grids& grids = level.grids;
    for (int row = 0; row < grids.maxHeight; ++row) {
        for (int col = 0; col < grids.maxWidth; ++col) {
            const int index = GridIndex(row, col);
            const CellCode edited = grids.editorGrid[index];
            const CellCode shown = grids.displayGrid[index];
            if (edited == FLOOR && (shown == FLOOR || shown == EXTERIOR)) continue;
            if (edited == WALL && (shown == WALL || shown == WALL_FACE)) continue;
            if (edited != shown) return true;
        }
    }
    return false;
}

}  // namespace ruk
