// The core's front door (see core_door.h).
#include "core_door.h"

#include <cstring>

#include "board/jump_number.h"
#include "board/level_file.h"
#include "board/level_model.h"
#include "board/text_level_parser.h"
#include "editor/editor_grid.h"
#include "engine/action_recording.h"
#include "engine/box_selection.h"
#include "engine/game_restore.h"
#include "engine/key_step.h"
#include "engine/mouse_play.h"
#include "engine/playback.h"
#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "level_change.h"
#include "planner/unsolvable_check.h"

namespace ruk::door {

bool OpenLevelSet(CoreState& core, const char* path) {
    return OpenLevelFile(core.level, path);
}

void CloseUnshownLevelSet(CoreState& core) {
    Grids& grids = core.level.grids;
    const int maxWidth = grids.maxWidth;
    const int maxHeight = grids.maxHeight;
    ResetLevelModel(core.level);
    grids.maxWidth = maxWidth;
    grids.maxHeight = maxHeight;
}

void NameOfLevelFile(const char* path, std::array<char, NAME_CAPACITY>& name) {
    SetNameFromPath(name, path);
}

bool ReadLevel(CoreState& core, int n) {
    return SelectLevel(core.level, n);
}

void ShowCurrentLevel(CoreState& core) {
    RunLevelChange(core);
}

bool ShowLevel(CoreState& core, int n) {
    if (!ReadLevel(core, n)) return false;
    ShowCurrentLevel(core);
    return true;
}

bool LoadFileLevel(CoreState& core, const char* path, int n) {
    return OpenLevelSet(core, path) && ShowLevel(core, n);
}

bool ShowFileLevel(CoreState& core, const char* path, int n) {
    const LevelSet& set = core.level.levelSet;
    if (set.count == 0 || set.window.fileSize <= 0 || std::strcmp(set.path.data(), path) != 0)
        return LoadFileLevel(core, path, n);
    return ShowLevel(core, n);
}

void AdoptLevelSet(CoreState& core, const LevelSet& set) {
    core.level.levelSet = set;
}

bool ReadLevelAfter(CoreState& core, int n, std::int64_t previousEnd) {
    LevelSet& set = core.level.levelSet;
    if (!set.fromFile || n < 1 || n > set.count || previousEnd < -1) return false;
    set.current = n - 1;
    set.window.levelEnd = previousEnd;
    return SelectLevel(core.level, n);
}

bool NextLevelSolution(CoreState& core, SolutionCursor& cursor, LetterSink& sink,
                       MoveTextRead& read) {
    read = MoveTextRead{};
    LevelSet& set = core.level.levelSet;
    return set.fromFile && NextFileSolution(set, cursor, sink, read);
}

bool LoadSourceText(CoreState& core) {
    const bool started = ParseTextLevel(core.level);
    // The text has taken the place of the file's window in sourceText: whatever file the set
    // named is no longer open, and ShowFileLevel must open it afresh.
    core.level.levelSet.window = LevelWindow{};
    ShowCurrentLevel(core);
    return started;
}

bool LoadText(CoreState& core, const char* text) {
    CopyText(core.level.levelSet.sourceText, text);
    return LoadSourceText(core);
}

void Click(CoreState& core, int row, int col, WindowRequests& requests) {
    BoardClick(core, row, col, requests);
}

void RightClick(CoreState& core, WindowRequests& requests) {
    BoardRightClick(core, requests);
}

void WalkTo(CoreState& core, int cell, WindowRequests& requests) {
    ruk::WalkTo(core, cell, requests);
}

void PushBoxTo(CoreState& core, int box, int target, int side, WindowRequests& requests) {
    ruk::PushBoxTo(core, box, target, side, requests);
}

void StepKey(CoreState& core, int direction, WindowRequests& requests) {
    if (const std::optional<Direction> d = DirectionAt(direction)) ruk::StepKey(core, *d, requests);
}

void Restart(CoreState& core, WindowRequests& requests) {
    ruk::Restart(core, requests);
}

void Undo(CoreState& core, WindowRequests& requests) {
    ruk::Undo(core, requests);
}

void Redo(CoreState& core, WindowRequests& requests) {
    ruk::Redo(core, requests);
}

void AutoPlay(CoreState& core, WindowRequests& requests) {
    AutoPlayButton(core, requests);
}

void StepTick(CoreState& core, WindowRequests& requests) {
    OnStepTimer(core, requests);
}

void AutoPlayTick(CoreState& core, WindowRequests& requests) {
    OnAutoPlayTimer(core, requests);
}

void SetReplaySlowdown(CoreState& core, int factor) {
    core.view.replaySlowdown = IsReplaySlowdown(factor) ? factor : 1;
}

bool ImportMoves(CoreState& core, const char* moves) {
    const bool complete = ParseUrdl(core.level, core.game, moves);
    SolvedTest(core.level, core.game, core.scratch);
    return complete;
}

MoveTextRead ExpandMoveText(const char* text, std::string& letters) {
    letters.clear();
    StringLetterSink sink(letters);
    const auto bytes = [text](std::int64_t offset) {
        return static_cast<unsigned char>(text[offset]);
    };
    const auto end = static_cast<std::int64_t>(std::strlen(text));
    const MoveTextRead read =
        ExpandMoveRuns(bytes, 0, end, RunMode::PASS_THROUGH, MAX_EXPANDED_MOVES, sink);
    if (read.error != MoveTextError::NONE) letters.clear();
    return read;
}

bool ResumeGame(CoreState& core, const char* letters, std::uint32_t cursor,
                WindowRequests& requests) {
    return RestoreGame(core, letters, cursor, requests);
}

void SelectBoxAt(CoreState& core, int box) {
    core.view.selectedBox = box;
    SelectBox(core);
}

void ClearSelection(CoreState& core) {
    ClearMarks(core.level, core.view);
}

bool SetGuard(CoreState& core, bool on) {
    core.view.guardOn = on;
    RefreshUnsolvable(core);
    if (!core.view.boxSelected) return false;
    SelectBox(core);
    return true;
}

void RecheckUnsolvable(CoreState& core) {
    RefreshUnsolvable(core);
}

std::unique_ptr<CoreState> CreateState() {
    return CreateCoreState();
}

bool EveryBoxOnAGoal(const CoreState& core) {
    return ruk::EveryBoxOnAGoal(core);
}

bool SolvedOnScreen(const CoreState& core) {
    return ruk::SolvedOnScreen(core);
}

void ShownLevelText(const CoreState& core, GridText& out) {
    const Grids& grids = core.level.grids;
    GridToText(out, grids.displayGrid, grids.maxWidth, grids.maxHeight, ' ');
}

// ---- The window's own changes -------------------------------------------------------------

void SetBoardLimits(CoreState& core, int maxWidth, int maxHeight) {
    core.level.grids.maxWidth = maxWidth;
    core.level.grids.maxHeight = maxHeight;
}

void BlankDisplay(CoreState& core) {
    Grids& grids = core.level.grids;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col)
            grids.displayGrid[GridIndex(row, col)] = EXTERIOR;
}

void SetOptions(CoreState& core, bool instantMove, bool guardOn) {
    core.view.instantMove = instantMove;
    core.view.guardOn = guardOn;
}

void SetInstantMove(CoreState& core, bool on) {
    core.view.instantMove = on;
}

void StopAnimation(CoreState& core) {
    core.view.animMode = AnimMode::IDLE;
}

void ChooseTool(CoreState& core, CellCode tool) {
    core.level.editor.selectedTool = tool;
}

void EnterEditMode(CoreState& core) {
    core.level.editor.editMode = EditMode::EDIT;
    KeepStatusForEditor(core);
}

void KeepStatusForEditor(CoreState& core) {
    core.level.editor.statusBeforeEdit = core.level.board.status;
}

void LeaveEditMode(CoreState& core, bool keepGame) {
    core.level.editor.editMode = EditMode::PLAY;
    if (keepGame) core.level.board.status = core.level.editor.statusBeforeEdit;
}

bool RecheckSolved(CoreState& core) {
    return SolvedTest(core.level, core.game, core.scratch);
}

int JumpTarget(const char* typed, int count) {
    return JumpLevelNumber(typed, count);
}

OutputText Output(CoreState& core, char floor) {
    return BuildOutputText(core, floor);
}

// ---- The editor ---------------------------------------------------------------------------

void PlaceTool(CoreState& core, int row, int col, CellCode tool) {
    ruk::PlaceTool(core.level, row, col, tool);
}

void EraseCell(CoreState& core, int row, int col) {
    ruk::EraseCell(core.level, row, col);
}

bool PaintLine(CoreState& core, GridCell from, GridCell to, CellCode tool, bool erase) {
    return ruk::PaintLine(core.level, from, to, tool, erase);
}

void ClearEditor(CoreState& core) {
    ruk::ClearEditor(core.level);
}

void ValidateEditor(CoreState& core) {
    ruk::ValidateEditor(core.level);
}

void CopyDisplayToEditor(CoreState& core) {
    ruk::CopyDisplayToEditor(core.level);
}

bool EditorDiffersFromDisplay(const CoreState& core) {
    return ruk::EditorDiffersFromDisplay(core.level);
}

void EditorLevelText(const CoreState& core, GridText& out) {
    const Grids& grids = core.level.grids;
    GridToText(out, grids.editorGrid, grids.maxWidth, grids.maxHeight, ' ');
}

void LoadEditorLevel(CoreState& core) {
    LevelModel& level = core.level;
    GridText text;
    EditorLevelText(core, text);
    CopyText(level.levelSet.sourceText, text.data());
    LoadSourceText(core);
    CopyText(level.levelSet.name, "Editor");
}

}  // namespace ruk::door
