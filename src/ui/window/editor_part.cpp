// The editor's window side (see editor_part.h).
#include "window/editor_part.h"

#include <sys/stat.h>

#include "level_save/level_file_writer.h"
#include "level_save/saved_level.h"
#include "window/board_view.h"
#include "window/control_panel.h"

namespace ruk {

void EditorPart::ChooseTool(CellCode tool) {
    door::ChooseTool(c_.core, tool);
    c_.board.RedrawPalette();
}

void EditorPart::Press(GridCell cell, bool erase) {
    if (erase)
        door::EraseCell(c_.core, cell.row, cell.col);
    else
        door::PlaceTool(c_.core, cell.row, cell.col, c_.core.level.editor.selectedTool);
    lastDragCell_ = cell;
    c_.board.Redraw();
    Check();
}

void EditorPart::Drag(GridCell cell) {
    if (c_.window.paintState == 0 || !lastDragCell_.valid()) return;
    // The verdict waits for the release: painting a room wall by wall would flash it.
    if (door::PaintLine(c_.core, lastDragCell_, cell, c_.core.level.editor.selectedTool,
                        c_.window.paintState < 0))
        c_.board.Redraw();
    lastDragCell_ = cell;
}

void EditorPart::StrokeEnded() {
    lastDragCell_ = {};
    if (c_.core.level.editor.editMode == EditMode::EDIT) Check();
}

void EditorPart::Check() {
    door::ValidateEditor(c_.core);
    UpdateEditorStatus(c_.core, c_.texts);
    c_.frame.ApplyPanel();
}

void EditorPart::Clear() {
    if (c_.core.level.editor.editMode != EditMode::EDIT) return;
    if (!c_.prompts.Confirm("RUK", "Clear the level being edited.\r\n\r\n      Are you sure?"))
        return;
    door::ClearEditor(c_.core);
    c_.board.Redraw();
    Check();
}

namespace {

// The save dialog opens in the folder of the file last opened.
std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool FileIsThere(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

void EditorPart::Save() {
    CoreState& core = c_.core;
    if (core.level.editor.editMode != EditMode::EDIT) return;
    Check();
    const std::vector<std::string> lines = SavedLevelLines(core, door::Title(core));
    if (lines.empty()) {
        c_.prompts.Message("RUK", "Nothing is drawn: there is no level to save.",
                           PromptIcon::INFORMATION);
        return;
    }
    const std::string reason = UnloadableReason(core, lines);
    if (!reason.empty() &&
        !c_.prompts.Ask("RUK", "This level would not load: " + reason + ".\r\n\r\nSave it anyway?",
                        "Save anyway"))
        return;
    const std::optional<std::string> path =
        c_.prompts.SaveFile("Save Level", FolderOf(door::Levels(core).path.data()));
    if (!path) return;
    if (FileIsThere(*path) &&
        !c_.prompts.Ask("RUK", *path + " is there.\r\n\r\nAdd the level at its end?", "Append"))
        return;
    const LevelSaveResult saved = SaveLevelLines(*path, lines);
    if (!saved.saved) {
        c_.prompts.Message("RUK", saved.message, PromptIcon::ERROR);
        return;
    }
    // A level that breaks a rule may not read as one level, so its number is not told.
    const std::string where =
        reason.empty() ? " as level " + std::to_string(LevelsInFile(*path)) : "";
    c_.prompts.Message("RUK", "The level was saved to " + *path + where + ".",
                       PromptIcon::INFORMATION);
}

void EditorPart::SwitchToEdit() {
    CoreState& core = c_.core;
    if (core.level.editor.editMode == EditMode::EDIT) return;
    // A running animation stops where it is and a selection ends, so that no half-shown step
    // or marker makes the grids differ when the player comes back without a change.
    if (core.view.animMode != AnimMode::IDLE) {
        c_.frame.StopAutoPlay();
        door::StopAnimation(core);
    }
    door::ClearSelection(core);
    c_.panel.SetText(ID_URDL_OUTPUT, "Level Output");
    door::EnterEditMode(core);
    c_.panel.SetChecked(ID_EDIT, true);
    door::CopyDisplayToEditor(core);
    door::ValidateEditor(core);
    c_.board.RedrawPalette();
    c_.board.Redraw();
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

void EditorPart::SwitchToPlay() {
    CoreState& core = c_.core;
    if (core.level.editor.editMode == EditMode::PLAY) return;
    c_.panel.SetText(ID_URDL_OUTPUT, "URDL Output");
    const bool changed = door::EditorDiffersFromDisplay(core);
    // The game goes on as it was, with its own status rather than the editor's verdict.
    door::LeaveEditMode(core, !changed);
    c_.panel.SetChecked(ID_PLAY, true);
    lastDragCell_ = {};
    if (changed) {
        c_.frame.LeaveGame();
        door::LoadEditorLevel(core);
        c_.frame.ProgressLevelShown();
    }
    door::RecheckUnsolvable(core);
    c_.board.RedrawPalette();
    c_.board.Redraw();
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

}  // namespace ruk
