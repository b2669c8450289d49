// The panel texts (see status_panel.h). Formats keep their trailing blanks: the labels are
// written over their old text, and the blanks keep a shorter number from leaving a tail.
#include "panel/status_panel.h"

#include <cstdio>

namespace ruk {

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[128];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

bool PlayMode(const CoreState& core) {
    return core.level.editor.editMode == EditMode::PLAY;
}

}  // namespace

void PanelTexts::Set(int id, std::string value) {
    text[id - FIRST_CONTROL_ID] = std::move(value);
    written[id - FIRST_CONTROL_ID] = true;
}

void UpdateSolverClock(const WindowState& window, PanelTexts& panel) {
    if (window.solverRunning)
        panel.Set(ID_INFO_LINE,
                  Format(" %d / %d sec", window.solverSeconds, window.solverTimeLimit));
    else
        panel.Set(ID_INFO_LINE, "");
}

void UpdateCounters(const CoreState& core, PanelTexts& panel) {
    const ShownPosition& shown = core.game.shown;
    const bool play = PlayMode(core);
    panel.Set(ID_SHOWN_MOVES, play ? Format("%d Moves  ", shown.shownMoves) : "");
    panel.Set(ID_SHOWN_PUSHES, play ? Format("%d Pushes ", shown.shownPushes) : "");
    panel.Set(ID_SHOWN_ACTIONS, play ? Format("%d Actions", shown.shownActions) : "");
}

void UpdateResult(const CoreState& core, PanelTexts& panel) {
    const ResultTotals& totals = core.game.totals;
    const bool play = PlayMode(core);
    panel.Set(ID_SOLVED, play && totals.solved ? "Solved" : "");
    panel.Set(ID_TOTAL_MOVES, play ? Format("%u Moves  ", totals.totalMoves) : "");
    panel.Set(ID_TOTAL_PUSHES, play ? Format("%u Pushes ", totals.totalPushes) : "");
    panel.Set(ID_TOTAL_ACTIONS, play ? Format("%u Actions", totals.totalActions) : "");
}

void UpdateEditorStatus(const CoreState& core, PanelTexts& panel) {
    const EditorState& editor = core.level.editor;
    const bool edit = !PlayMode(core);
    panel.Set(ID_EDITOR_BOXES, edit ? Format("%d Boxes", editor.boxCount) : "");
    panel.Set(ID_EDITOR_GOALS, edit ? Format("%d Goals", editor.goalCount) : "");
    // A playable drawing of more than 64 boxes plays, with the planner's many-box tables (a
    // weaker guard and proof, never a wrong one): say so, so that the difference is no surprise.
    const LevelStatus status = core.level.board.status;
    const char* verdict = "";
    if (edit && status == LevelStatus::BAD_LEVEL) verdict = "Can't Play";
    if (edit && status == LevelStatus::PLAYABLE && editor.boxCount > MAX_GOAL_BOXES)
        verdict = "Boxes Over";
    panel.Set(ID_EDITOR_STATUS, verdict);
}

void UpdateLevelInfo(const CoreState& core, const WindowState& window, PanelTexts& panel) {
    const LevelSet& set = core.level.levelSet;
    const Board& board = core.level.board;
    panel.Set(ID_SET_NAME, set.name.data());
    panel.Set(ID_LEVEL_COUNT, set.count >= 2 ? Format("%d Levels", set.count) : "");
    if (PlayMode(core)) {
        panel.Set(ID_LEVEL_NUMBER, Format("%d", set.current));
        panel.Set(ID_LEVEL_SIZE,
                  Format("[%2d * %2d (%2d)]", board.width, board.height, board.boxCount));
        const char* status = board.status == LevelStatus::BAD_LEVEL   ? "Bad Level"
                             : board.status == LevelStatus::SIZE_OVER ? "Size Over"
                                                                      : "";
        panel.Set(ID_STATUS_LINE, status);
    } else {
        panel.Set(ID_LEVEL_NUMBER, "");
        panel.Set(ID_LEVEL_SIZE, "");
        panel.Set(ID_STATUS_LINE, "");
    }
    UpdateSolverClock(window, panel);
    UpdateCounters(core, panel);
    UpdateResult(core, panel);
    UpdateEditorStatus(core, panel);
}

void UpdateUnsolvableLabel(const CoreState& core, PanelTexts& panel) {
    const LevelStatus status = core.level.board.status;
    const bool lost = (status == LevelStatus::PLAYABLE && core.planner.unsolvable) ||
                      status == LevelStatus::BLOCKED;
    panel.Set(ID_UNSOLVABLE, PlayMode(core) && lost ? "UnSolvable" : "");
}

std::string CursorText(int x, int y) {
    if (x < 0 || y < 0) return "";
    return Format("(x, y) = (%2d, %2d)    ", x + 1, y + 1);
}

}  // namespace ruk
