// The main window in Edit mode: painting with the palette's tool, the verdict after each
// stroke, Clear, and the switches between playing and editing.
#include <QPushButton>

#include "core_door.h"
#include "editor/editor_grid.h"
#include "window/main_window.h"

namespace ruk {

void MainWindow::EditorPress(GridCell cell, bool erase) {
    LevelModel& level = core_->level;
    if (erase)
        EraseCell(level, cell.row, cell.col);
    else
        PlaceTool(level, cell.row, cell.col, level.editor.selectedTool);
    lastDragCell_ = cell;
    Redraw();
    EditorChecked();
}

void MainWindow::EditorDrag(GridCell cell) {
    if (window_.paintState == 0 || !lastDragCell_.valid()) return;
    LevelModel& level = core_->level;
    // The verdict waits for the release: painting a room wall by wall would flash it.
    if (PaintLine(level, lastDragCell_, cell, level.editor.selectedTool, window_.paintState < 0))
        Redraw();
    lastDragCell_ = cell;
}

void MainWindow::EditorChecked() {
    ValidateEditor(core_->level);
    UpdateEditorStatus(*core_, panel_);
    ApplyPanel();
}

void MainWindow::ClearEditorCommand() {
    if (core_->level.editor.editMode != EditMode::EDIT) return;
    if (!prompts_.Confirm("RUK", "Clear the level being edited.\r\n\r\n      Are you sure?"))
        return;
    ClearEditor(core_->level);
    Redraw();
    EditorChecked();
}

void MainWindow::SwitchToEdit() {
    CoreState& core = *core_;
    // A running animation stops where it is and a selection ends, so that no half-shown step
    // or marker makes the grids differ when the player comes back without a change.
    if (core.view.animMode != AnimMode::IDLE) {
        autoPlayTimer_.stop();
        core.view.animMode = AnimMode::IDLE;
        SetControlText(ID_AUTO_PLAY, "Auto-play");
    }
    door::ClearSelection(core);
    SetControlText(ID_URDL_OUTPUT, "Level Output");
    core.level.editor.editMode = EditMode::EDIT;
    static_cast<QPushButton*>(Control(ID_EDIT))->setChecked(true);
    core.level.editor.statusBeforeEdit = core.level.board.status;
    CopyDisplayToEditor(core.level);
    ValidateEditor(core.level);
    RedrawPalette();
    Redraw();
    RefreshLevelInfo();
    ApplyControlStates();
}

void MainWindow::SwitchToPlay() {
    CoreState& core = *core_;
    SetControlText(ID_URDL_OUTPUT, "URDL Output");
    core.level.editor.editMode = EditMode::PLAY;
    static_cast<QPushButton*>(Control(ID_PLAY))->setChecked(true);
    lastDragCell_ = {};
    if (EditorDiffersFromDisplay(core.level)) {
        LeaveGame();
        LoadEditorLevel(core);
        ProgressLevelShown();
    } else {
        // The game goes on as it was, with its own status rather than the editor's verdict.
        core.level.board.status = core.level.editor.statusBeforeEdit;
    }
    door::RecheckUnsolvable(core);
    RedrawPalette();
    Redraw();
    RefreshLevelInfo();
    ApplyControlStates();
}

}  // namespace ruk
