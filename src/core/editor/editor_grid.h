// The level editor's grid: painting cells with the one-keeper rule, the verdict on the drawn
// level, and the two switches between playing and editing.
#pragma once

#include "board/level_model.h"

namespace ruk {

// Puts tool on grid cell (row, col). A keeper tool moves the editor's keeper there; any other
// tool over the keeper leaves the editor without one.
void PlaceTool(LevelModel& level, int row, int col, CellCode tool);
// The right button: the cell becomes floor.
void EraseCell(LevelModel& level, int row, int col);
// A drag from cell `from` to cell `to` (both on the used grid): every cell of the line between
// them after `from` takes the tool (erase: becomes floor) unless it already holds it, so that a
// quick drag leaves no gap. True when a cell changed.
bool PaintLine(LevelModel& level, GridCell from, GridCell to, CellCode tool, bool erase);
// Every used cell floor, no keeper.
void ClearEditor(LevelModel& level);

// The verdict on the drawn level: the Board's status (PLAYABLE, NONE without a keeper,
// BAD_LEVEL), the box and goal counts and the editor's keeper. The fill stays inside the used
// grid.
void ValidateEditor(LevelModel& level);

// Entering Edit mode: the shown position (not the level's start) becomes the drawn level.
void CopyDisplayToEditor(LevelModel& level);
// Whether leaving Edit mode must start a new level: some used cell was changed.
bool EditorDiffersFromDisplay(const LevelModel& level);

}  // namespace ruk
