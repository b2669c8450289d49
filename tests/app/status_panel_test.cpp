// The window's rules that need no widgets: panel texts, which controls can be used, the
// palette hit test and the Solver button's refusal.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "../test_files.h"
#include "engine/playback.h"
#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "panel/command_rules.h"
#include "panel/control_states.h"
#include "panel/palette_hit.h"
#include "panel/status_panel.h"

namespace ruk::test {
namespace {

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";
constexpr const char* CORRIDOR = "########\n#@ $ .*#\n########";  // one box placed, one not

void Animate(CoreState& core) {
    for (int tick = 0; tick < 10000 && core.view.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        OnStepTimer(core, requests);
    }
}

// Appends the letters at the cursor and shows all of them.
void PlayMoves(CoreState& core, const char* moves) {
    ASSERT_TRUE(ParseUrdl(core.level, core.game, moves));
    SolvedTest(core.level, core.game, core.scratch);
    for (int i = 0; i < 100 && core.game.history.cursor < core.game.history.end; ++i) {
        WindowRequests requests;
        Redo(core, requests);
        Animate(core);
    }
}

PanelTexts LevelInfo(const CoreState& core, const WindowState& window = {}) {
    PanelTexts panel;
    UpdateLevelInfo(core, window, panel);
    UpdateUnsolvableLabel(core, panel);
    return panel;
}

TEST(PanelTextsTest, PlayModeShowsTheLevelThenEditModeEmptiesIt) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 2));  // Corner Turn: 6 x 5, one box
    PanelTexts panel = LevelInfo(state);
    EXPECT_EQ(panel.Get(ID_SET_NAME), "ruk-samples");
    EXPECT_EQ(panel.Get(ID_LEVEL_COUNT), std::to_string(state.level.levelSet.count) + " Levels");
    EXPECT_EQ(panel.Get(ID_LEVEL_NUMBER), "2");
    EXPECT_EQ(panel.Get(ID_LEVEL_SIZE), "[ 6 *  5 ( 1)]");
    EXPECT_EQ(panel.Get(ID_STATUS_LINE), "");
    EXPECT_EQ(panel.Get(ID_SHOWN_MOVES), "0 Moves  ");
    EXPECT_EQ(panel.Get(ID_TOTAL_ACTIONS), "0 Actions");
    EXPECT_EQ(panel.Get(ID_SOLVED), "");
    EXPECT_EQ(panel.Get(ID_EDITOR_BOXES), "");

    // Wide numbers are never cut; the blanks stay after them.
    state.game.shown.shownMoves = 12345;
    state.game.shown.shownPushes = 678;
    state.game.shown.shownActions = 9;
    state.game.totals = {100, 20, 3, true};
    UpdateCounters(state, panel);
    UpdateResult(state, panel);
    EXPECT_EQ(panel.Get(ID_SHOWN_MOVES), "12345 Moves  ");
    EXPECT_EQ(panel.Get(ID_SHOWN_PUSHES), "678 Pushes ");
    EXPECT_EQ(panel.Get(ID_SHOWN_ACTIONS), "9 Actions");
    EXPECT_EQ(panel.Get(ID_SOLVED), "Solved");
    EXPECT_EQ(panel.Get(ID_TOTAL_MOVES), "100 Moves  ");
    EXPECT_EQ(panel.Get(ID_TOTAL_PUSHES), "20 Pushes ");
    EXPECT_EQ(panel.Get(ID_TOTAL_ACTIONS), "3 Actions");

    // Edit mode overwrites every Play-mode text of the same panel.
    state.level.editor = {EditMode::EDIT, WALL, -1, -1, 3, 4};
    state.level.board.status = LevelStatus::BAD_LEVEL;
    panel.written.fill(false);
    UpdateLevelInfo(state, {}, panel);
    for (int id :
         {ID_LEVEL_NUMBER, ID_LEVEL_SIZE, ID_STATUS_LINE, ID_SHOWN_MOVES, ID_SHOWN_PUSHES,
          ID_SHOWN_ACTIONS, ID_SOLVED, ID_TOTAL_MOVES, ID_TOTAL_PUSHES, ID_TOTAL_ACTIONS}) {
        EXPECT_EQ(panel.Get(id), "") << id;
        EXPECT_TRUE(panel.written[id - FIRST_CONTROL_ID]) << id;
    }
    EXPECT_EQ(panel.Get(ID_SET_NAME), "ruk-samples");
    EXPECT_EQ(panel.Get(ID_EDITOR_BOXES), "3 Boxes");
    EXPECT_EQ(panel.Get(ID_EDITOR_GOALS), "4 Goals");
    EXPECT_EQ(panel.Get(ID_EDITOR_STATUS), "Can't Play");
    state.level.board.status = LevelStatus::PLAYABLE;
    UpdateEditorStatus(state, panel);
    EXPECT_EQ(panel.Get(ID_EDITOR_STATUS), "");
    // Above 64 boxes a playable drawing is flagged; one that can't play says only that.
    state.level.editor.boxCount = state.level.editor.goalCount = 65;
    UpdateEditorStatus(state, panel);
    EXPECT_EQ(panel.Get(ID_EDITOR_STATUS), "Boxes Over");
    state.level.editor.boxCount = state.level.editor.goalCount = 64;
    UpdateEditorStatus(state, panel);
    EXPECT_EQ(panel.Get(ID_EDITOR_STATUS), "");
    state.level.editor.boxCount = 65;
    state.level.board.status = LevelStatus::BAD_LEVEL;
    UpdateEditorStatus(state, panel);
    EXPECT_EQ(panel.Get(ID_EDITOR_STATUS), "Can't Play");
}

TEST(PanelTextsTest, SingleLevelStatusLineClockAndCursor) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, CORRIDOR);
    PanelTexts panel = LevelInfo(state);
    EXPECT_EQ(panel.Get(ID_LEVEL_COUNT), "");  // one level is no set
    EXPECT_EQ(panel.Get(ID_LEVEL_NUMBER), "1");
    EXPECT_EQ(panel.Get(ID_LEVEL_SIZE), "[ 8 *  3 ( 2)]");
    EXPECT_EQ(panel.Get(ID_INFO_LINE), "");

    const std::pair<LevelStatus, const char*> lines[] = {
        {LevelStatus::BAD_LEVEL, "Bad Level"}, {LevelStatus::SIZE_OVER, "Size Over"},
        {LevelStatus::PLAYABLE, ""},           {LevelStatus::BLOCKED, ""},
        {LevelStatus::MANY_BOXES, ""},         {LevelStatus::NONE, ""}};
    for (const auto& [status, text] : lines) {
        state.level.board.status = status;
        EXPECT_EQ(LevelInfo(state).Get(ID_STATUS_LINE), text) << LevelStatusName(status);
    }

    WindowState window;
    window.solverRunning = true;
    window.solverSeconds = 7;
    window.solverTimeLimit = 120;
    EXPECT_EQ(LevelInfo(state, window).Get(ID_INFO_LINE), " 7 / 120 sec");
    window.solverRunning = false;
    UpdateSolverClock(window, panel);
    EXPECT_EQ(panel.Get(ID_INFO_LINE), "");

    EXPECT_EQ(CursorText(0, 0), "(x, y) = ( 1,  1)    ");
    EXPECT_EQ(CursorText(9, 49), "(x, y) = (10, 50)    ");
    EXPECT_EQ(CursorText(-1, -1), "");
}

TEST(PanelTextsTest, UnsolvableLabel) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, CORRIDOR);
    struct Case {
        LevelStatus status;
        bool lost;
        const char* text;
    };
    const Case cases[] = {{LevelStatus::PLAYABLE, false, ""},
                          {LevelStatus::PLAYABLE, true, "UnSolvable"},
                          {LevelStatus::BLOCKED, false, "UnSolvable"},
                          {LevelStatus::BAD_LEVEL, true, ""},
                          {LevelStatus::NONE, true, ""}};
    for (const Case& c : cases) {
        state.level.board.status = c.status;
        state.planner.unsolvable = c.lost;
        PanelTexts panel;
        UpdateUnsolvableLabel(state, panel);
        EXPECT_EQ(panel.Get(ID_UNSOLVABLE), c.text) << LevelStatusName(c.status) << c.lost;
    }
}

// The buttons, check boxes and the number box; everything else is never disabled.
const std::set<int> INTERACTIVE = {
    ID_TEXT,         ID_FILE,    ID_PREV,  ID_NEXT, ID_JUMP,      ID_SOLVER,
    ID_URDL_INPUT,   ID_RESTART, ID_UNDO,  ID_REDO, ID_AUTO_PLAY, ID_URDL_OUTPUT,
    ID_LEVEL_NUMBER, ID_CLEAR,   ID_GUARD, ID_PLAY, ID_EDIT,      ID_INSTANT_MOVE};

std::set<int> Enabled(const CoreState& core, const WindowState& window = {}) {
    const ControlStates states = UpdateControlStates(core, window);
    std::set<int> enabled;
    for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id) {
        if (!INTERACTIVE.count(id)) {
            EXPECT_TRUE(states.Enabled(id)) << id;
        } else if (states.Enabled(id)) {
            enabled.insert(id);
        }
    }
    return enabled;
}

std::set<int> Plus(std::set<int> a, const std::set<int>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

const std::set<int> ALWAYS = {ID_TEXT, ID_FILE, ID_PLAY, ID_EDIT};
const std::set<int> PLAYING = Plus(ALWAYS, {ID_INSTANT_MOVE, ID_GUARD, ID_SOLVER, ID_URDL_OUTPUT});

TEST(ControlStatesTest, ThroughAGameOnASingleLevel) {
    Core core;
    CoreState& state = *core.state;
    EXPECT_EQ(Enabled(state), ALWAYS);  // no level yet

    LoadText(state, CORRIDOR);
    EXPECT_EQ(Enabled(state), Plus(PLAYING, {ID_URDL_INPUT}));

    PlayMoves(state, "r");
    EXPECT_EQ(Enabled(state), Plus(PLAYING, {ID_RESTART, ID_UNDO}));

    WindowRequests requests;
    Undo(state, requests);
    ASSERT_NE(state.view.animMode, AnimMode::IDLE);
    EXPECT_EQ(Enabled(state), std::set<int>{ID_AUTO_PLAY});  // it stops the animation
    Animate(state);
    EXPECT_EQ(Enabled(state), Plus(PLAYING, {ID_URDL_INPUT, ID_REDO, ID_AUTO_PLAY}));

    WindowState solving;
    solving.solverRunning = true;
    EXPECT_EQ(Enabled(state, solving), std::set<int>{ID_SOLVER});

    PlayMoves(state, "rR");
    Restart(state, requests);
    Animate(state);
    EXPECT_EQ(Enabled(state), Plus(PLAYING, {ID_URDL_INPUT, ID_REDO, ID_AUTO_PLAY}));

    state.level.board.status = LevelStatus::BLOCKED;  // still playable
    EXPECT_EQ(Enabled(state), Plus(PLAYING, {ID_URDL_INPUT, ID_REDO, ID_AUTO_PLAY}));
    state.level.board.status = LevelStatus::BAD_LEVEL;
    EXPECT_EQ(Enabled(state), Plus(ALWAYS, {ID_URDL_OUTPUT, ID_REDO, ID_AUTO_PLAY}));

    state.level.editor.editMode = EditMode::EDIT;
    EXPECT_EQ(Enabled(state), Plus(ALWAYS, {ID_URDL_OUTPUT, ID_CLEAR}));
}

TEST(ControlStatesTest, LevelSelectorFollowsThePlaceInTheSet) {
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 1));
    const int n = state.level.levelSet.count;
    ASSERT_GE(n, 3);
    const std::set<int> selector = {ID_LEVEL_NUMBER, ID_JUMP};
    const std::set<int> base = Plus(Plus(PLAYING, selector), {ID_URDL_INPUT});
    EXPECT_EQ(Enabled(state), Plus(base, {ID_NEXT}));
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 2));
    EXPECT_EQ(Enabled(state), Plus(base, {ID_PREV, ID_NEXT}));
    ASSERT_TRUE(LoadLevel(state, SAMPLES, n));  // the last one need not be playable
    std::set<int> last = Enabled(state);
    std::erase_if(last, [](int id) { return id < ID_PREV || id > ID_JUMP; });
    EXPECT_EQ(last, std::set<int>({ID_PREV, ID_JUMP}));
    EXPECT_TRUE(Enabled(state).count(ID_LEVEL_NUMBER));
    WindowState solving;
    solving.solverRunning = true;
    EXPECT_EQ(Enabled(state, solving), std::set<int>{ID_SOLVER});
}

TEST(PaletteHitTest, ToolsGapsAndEdges) {
    WindowState window;
    window.paletteRect = {6, 42, 114, 102};  // three columns of 39 pixels, two rows of 30
    window.wallToolRect = {6, 102, 36, 132};
    struct Case {
        int x, y;
        PaletteHitKind kind;
        CellCode tool;
    };
    using enum PaletteHitKind;
    const Case cases[] = {
        {6, 42, TOOL, FLOOR},             // top-left corner
        {36, 71, TOOL, FLOOR},            // last pixel of the first tool
        {37, 50, IGNORED, 0},             // the gap after column 0 ...
        {44, 50, IGNORED, 0},             // ... to its last pixel
        {45, 50, TOOL, BOX},              // column 1
        {75, 50, TOOL, BOX},              //
        {76, 50, IGNORED, 0},             // gap after column 1
        {84, 50, TOOL, KEEPER},           // column 2
        {114, 50, TOOL, KEEPER},          // right edge
        {6, 72, TOOL, GOAL},              // second row
        {60, 80, TOOL, BOX | GOAL},       //
        {100, 101, TOOL, KEEPER | GOAL},  //
        {10, 110, TOOL, WALL},            // the wall tool
        {36, 120, TOOL, WALL},            // its right edge
        {37, 120, IGNORED, 0},            // beside the wall tool
        {110, 131, IGNORED, 0},           //
        {5, 50, OUTSIDE, 0},              // around the area
        {115, 50, OUTSIDE, 0},            //
        {50, 41, OUTSIDE, 0},             //
        {10, 133, OUTSIDE, 0},            //
    };
    for (const Case& c : cases) {
        const PaletteHit hit = HitPalette(window, EditMode::EDIT, c.x, c.y);
        EXPECT_EQ(hit.kind, c.kind) << c.x << "," << c.y;
        if (c.kind == TOOL) {
            EXPECT_EQ(hit.tool, c.tool) << c.x << "," << c.y;
        }
        // Play mode never picks a tool, and what lies outside stays outside.
        const PaletteHitKind play = HitPalette(window, EditMode::PLAY, c.x, c.y).kind;
        EXPECT_EQ(play, c.kind == OUTSIDE ? OUTSIDE : IGNORED) << c.x << "," << c.y;
    }
}

TEST(CommandRulesTest, AlreadySolvedNeedsAPushAndEveryBoxOnAGoal) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#######\n#@$ .*#\n#######");
    EXPECT_FALSE(AlreadySolved(state));  // a box already on a goal is not enough
    PlayMoves(state, "R");
    EXPECT_FALSE(AlreadySolved(state));
    PlayMoves(state, "R");
    EXPECT_TRUE(AlreadySolved(state));
    WindowRequests requests;
    Restart(state, requests);
    Animate(state);
    EXPECT_FALSE(AlreadySolved(state));

    LoadText(state, "#####\n#@ *#\n#####");  // solved from the start: no push shown
    PlayMoves(state, "r");
    EXPECT_FALSE(AlreadySolved(state));
}

}  // namespace
}  // namespace ruk::test
