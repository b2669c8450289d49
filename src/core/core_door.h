// The core's front door: the calls through which the window, the tools, the tests, the fuzz
// targets and the benchmarks load a level, play it and read what is shown. Each is a thin call
// over the operations that own the work; CoreState stays the one owner of the records.
#pragma once

#include <memory>
#include <string>

#include "board/grids.h"
#include "board/level_set.h"
#include "engine/move_letters.h"
#include "records/core_state.h"
#include "records/window_requests.h"
#include "textio/file_solutions.h"
#include "textio/grid_text.h"
#include "textio/move_runs.h"
#include "textio/output_text.h"
#include "textio/solution_text.h"

namespace ruk::door {

// ---- Loading ------------------------------------------------------------------------------
// A level is shown once the level-change sequence has run over it: the status check, the
// placement and the unsolvable refresh. A failed call leaves the state as it was.

// Opens path, counts its levels and reads level 1 into the Board without showing it (a caller
// stepping through the file shows each level with ShowLevel). False when no level can be read.
bool OpenLevelSet(CoreState& core, const char* path);

// Closes a file opened with OpenLevelSet while no level was shown yet (at start-up): back to
// no level, the grids keeping their size.
void CloseUnshownLevelSet(CoreState& core);

// The name the levels of the file at path are shown by (the caption's), without opening it.
void NameOfLevelFile(const char* path, std::array<char, NAME_CAPACITY>& name);

// Reads level n (clamped to 1 … count) of the open file into the Board without showing it.
bool ReadLevel(CoreState& core, int n);

// Runs the level-change sequence over the level the Board holds.
void ShowCurrentLevel(CoreState& core);

// Reads level n of the open file and shows it.
bool ShowLevel(CoreState& core, int n);

// Opens path afresh and shows its level n. False when no level can be read from path (nothing
// changed) or level n can no longer be read (the file stays open, the shown level unchanged).
bool LoadFileLevel(CoreState& core, const char* path, int n);

// Shows level n of path, opening path only when no file or another one is open (a text level
// closes the file): stepping through one file does not read it from its start for every level.
bool ShowFileLevel(CoreState& core, const char* path, int n);

// The level held in the LevelSet's sourceText (the Text dialog's or the editor's text), shown.
// The text always counts as the one level, whatever it holds; its status says whether it plays.
// Returns whether a starting line was found.
bool LoadSourceText(CoreState& core);

// text (cut at the source window's size) as the one level, shown.
bool LoadText(CoreState& core, const char* text);

// ---- Playing ------------------------------------------------------------------------------
// What the window must do afterwards is written into requests.

void Click(CoreState& core, int row, int col, WindowRequests& requests);
void RightClick(CoreState& core, WindowRequests& requests);
void WalkTo(CoreState& core, int cell, WindowRequests& requests);
void PushBoxTo(CoreState& core, int box, int target, int side, WindowRequests& requests);
// An arrow key: one step of the keeper in the direction at that place of the order up, right,
// down, left (see board/direction.h), pushing a box when the cell beyond it is free; ignored
// while any animation runs or for a place outside 0 to 3 (see engine/key_step.h).
void StepKey(CoreState& core, int direction, WindowRequests& requests);
void Restart(CoreState& core, WindowRequests& requests);
void Undo(CoreState& core, WindowRequests& requests);
void Redo(CoreState& core, WindowRequests& requests);
void AutoPlay(CoreState& core, WindowRequests& requests);
void StepTick(CoreState& core, WindowRequests& requests);      // the step timer's tick
void AutoPlayTick(CoreState& core, WindowRequests& requests);  // the auto-play timer's tick
// Redo and Auto-play letter by letter show one letter every `factor` ticks of the step timer; a
// factor other than 1, 2, 4, 8 or 16 counts as 1.
void SetReplaySlowdown(CoreState& core, int factor);
inline int ReplaySlowdown(const CoreState& core) {
    return core.view.replaySlowdown;
}

// Appends moves at the cursor and reruns the solved test. True when every letter was taken.
bool ImportMoves(CoreState& core, const char* moves);
// Typed moves with their run lengths expanded ("3r2U" as "rrrUU", "2(rU)" as "rUrU"); any
// other byte is kept as it is for ImportMoves to judge. letters is emptied on an error.
MoveTextRead ExpandMoveText(const char* text, std::string& letters);
// A game left earlier, back as it was: letters are the whole game, the shown position is put at
// cursor at once and the rest waits for Redo (see engine/game_restore.h).
bool ResumeGame(CoreState& core, const char* letters, std::uint32_t cursor,
                WindowRequests& requests);

// ---- Selection, guard and verdict -----------------------------------------------------------

// Selects the box on board cell `box` and marks where it can be brought.
void SelectBoxAt(CoreState& core, int box);
// Ends a selection: markers and target overlay cleared.
void ClearSelection(CoreState& core);
// Turns the deadlock guard on or off: the verdict is rechecked and a selected box's targets
// searched again. True when a box is selected (its marks changed).
bool SetGuard(CoreState& core, bool on);
// Reruns the unsolvable check on the shown position.
void RecheckUnsolvable(CoreState& core);

// ---- For the shell ------------------------------------------------------------------------
// The shell sees the core only through this door and the records: the rules and texts it
// needs of the core's operations are called here, and its reads of the state are const.

// A state of its own, as start-up makes one (for work on another thread); null without memory.
std::unique_ptr<CoreState> CreateState();
// Every box of the shown position stands on a goal, pushed there or not.
bool EveryBoxOnAGoal(const CoreState& core);
// Some push is shown and every box stands on a goal: no new action is taken.
bool SolvedOnScreen(const CoreState& core);
// The move letters u d l r U D L R, and no other byte.
constexpr bool IsMoveLetter(char letter) {
    return ruk::IsMoveLetter(letter);
}
// The shown grid (markers dropped) as level text, trimmed to its content.
void ShownLevelText(const CoreState& core, GridText& out);
// The game's letters, cursor and end, read only.
inline const MoveHistory& History(const CoreState& core) {
    return core.game.history;
}

// ---- A reader of the open file on another thread --------------------------------------------
// A reader takes the window's open file, positioned where the window stands, into a state of its
// own, so that it steps on from there without counting the file again.

// set (a file's LevelSet, as Levels gives it) becomes core's open file at set's current level.
void AdoptLevelSet(CoreState& core, const LevelSet& set);
// Reads level n, the first level after file offset previousEnd (the last character of level
// n-1, or the offset before level n's first row; -1 for level 1), without stepping there.
bool ReadLevelAfter(CoreState& core, int n, std::int64_t previousEnd);
// The next solution carried after the level read last (see textio/file_solutions.h).
bool NextLevelSolution(CoreState& core, SolutionCursor& cursor, LetterSink& sink,
                       MoveTextRead& read);
// The Board read last.
inline const Board& ReadBoard(const CoreState& core) {
    return core.level.board;
}

// ---- Reading what is shown ----------------------------------------------------------------

inline LevelStatus Status(const CoreState& core) {
    return core.level.board.status;
}
inline const LevelSet& Levels(const CoreState& core) {
    return core.level.levelSet;
}
// The current file level's title; empty when it has none or the level is not from a file.
inline const char* Title(const CoreState& core) {
    return core.level.levelSet.title.data();
}
inline const ShownPosition& Shown(const CoreState& core) {
    return core.game.shown;
}
inline const ResultTotals& Totals(const CoreState& core) {
    return core.game.totals;
}
inline int Keeper(const CoreState& core) {
    return core.game.shown.keeperCell;
}
inline bool Unsolvable(const CoreState& core) {
    return core.planner.unsolvable;
}

// The DisplayGrid code at grid (row, col), markers included.
inline CellCode ShownCell(const CoreState& core, int row, int col) {
    return core.level.grids.displayGrid[GridIndex(row, col)];
}

// ---- The window's own changes -------------------------------------------------------------
// What the window sets on the core besides playing: the board's size, the options, the editor's
// tool and mode, and the texts that go out or come in.

// The grid cells the window's board area holds (set by its layout, before any level loads).
void SetBoardLimits(CoreState& core, int maxWidth, int maxHeight);
// The start-up board: every cell the board area holds drawn as exterior.
void BlankDisplay(CoreState& core);
// The options as the settings keep them; the guard takes effect from the next check.
void SetOptions(CoreState& core, bool instantMove, bool guardOn);
void SetInstantMove(CoreState& core, bool on);
inline bool InstantMove(const CoreState& core) {
    return core.view.instantMove;
}
inline bool GuardOn(const CoreState& core) {
    return core.view.guardOn;
}
// A running animation stops where it is (the window stops the auto-play timer).
void StopAnimation(CoreState& core);

// The editor's palette tool.
void ChooseTool(CoreState& core, CellCode tool);
// Edit mode on: the shown level's status is kept for a return without a change.
void EnterEditMode(CoreState& core);
// A level shown while editing: its status is the one kept for a return without a change.
void KeepStatusForEditor(CoreState& core);
// Play mode on; keepGame: the game goes on as it was, with the status it had before editing.
void LeaveEditMode(CoreState& core, bool keepGame);

// The solved test over the whole move string, rerun (after moves were taken in).
bool RecheckSolved(CoreState& core);
// The level a text typed into the Jump box means, in a file of count levels.
int JumpTarget(const char* typed, int count);
// The Text out dialog's text (runs the solved test, which may cut the move string).
OutputText Output(CoreState& core, char floor);

// ---- The editor ---------------------------------------------------------------------------
// Painting and the verdict on the drawn level (see editor/editor_grid.h).

void PlaceTool(CoreState& core, int row, int col, CellCode tool);
void EraseCell(CoreState& core, int row, int col);
bool PaintLine(CoreState& core, GridCell from, GridCell to, CellCode tool, bool erase);
void ClearEditor(CoreState& core);
void ValidateEditor(CoreState& core);
void CopyDisplayToEditor(CoreState& core);
bool EditorDiffersFromDisplay(const CoreState& core);
// The drawn level as level text, loaded as the one-level set "Editor", with a fresh game.
void LoadEditorLevel(CoreState& core);
// The drawn level as level text (floor as space, CR LF after each row), trimmed to its content;
// empty when nothing is drawn.
void EditorLevelText(const CoreState& core, GridText& out);

}  // namespace ruk::door
