// The game played as logic: a level solved by clicks alone, solutions replayed by Redo and
// auto-play, and long random sequences of every command keeping the records consistent.
#include <gtest/gtest.h>

#include <random>

#include "engine/box_selection.h"
#include "engine/key_step.h"
#include "engine/mouse_play.h"
#include "engine/move_letters.h"
#include "engine/playback.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "test_files.h"

namespace ruk::test {
namespace {

GridCell GridOf(const CoreState& core, int cell) {
    return BoardToGrid(core.level.board, core.level.grids, cell);
}

// Runs the step timer until the animation ends; the congratulations asked for on the way.
int Animate(CoreState& core) {
    int congratulations = 0;
    for (int tick = 0; tick < 100000 && core.view.animMode != AnimMode::IDLE; ++tick) {
        WindowRequests requests;
        OnStepTimer(core, requests);
        congratulations += requests.congratulate;
    }
    return congratulations;
}

void Click(CoreState& core, int cell, WindowRequests& requests) {
    const GridCell g = GridOf(core, cell);
    BoardClick(core, g.row, g.col, requests);
}

TEST(MousePlayTest, ALevelSolvedByClicksAloneIsCongratulatedOnce) {
    const std::string levels = SharedLevelFile("microban-155.txt");
    const std::string solutions = SharedLevelFile("microban-155-solutions.txt");
    if (levels.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    Core core;
    CoreState& state = *core.state;
    int solvedLevels = 0;
    for (const KnownSolution& known : ReadSolutions(solutions)) {
        if (known.level > 30) break;
        ASSERT_TRUE(LoadLevel(state, levels, known.level));
        int congratulations = 0;
        for (const Action& action : ActionsOf(state, known.moves)) {
            WindowRequests requests;
            Click(state, action.box, requests);
            ASSERT_TRUE(state.view.boxSelected) << known.level;
            const GridCell target = GridOf(state, action.target);
            const int grid = GridIndex(target.row, target.col);
            ASSERT_NE(state.view.targets.targetFlag[grid], 0) << known.level;
            Click(state, action.target, requests);
            if (state.view.animMode == AnimMode::IDLE) {
                // Several arrivals: the side marks are shown; pick the solution's.
                Click(state, action.keeper, requests);
            }
            ASSERT_EQ(state.view.animMode, AnimMode::ACTION_FORWARD) << known.level;
            congratulations += Animate(state);
        }
        EXPECT_TRUE(state.game.totals.solved) << known.level;
        EXPECT_EQ(congratulations, 1) << known.level;
        solvedLevels += state.game.totals.solved;
    }
    EXPECT_EQ(solvedLevels, 30);
}

TEST(MousePlayTest, RedoAndAutoPlayShowASolutionWithoutCongratulating) {
    const std::string levels = SharedLevelFile("microban-155.txt");
    if (levels.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    Core core;
    CoreState& state = *core.state;
    const std::string moves = "dlUrrrdLullddrUluRuulDrddrruLdlUU";
    for (const int way : {0, 1, 2}) {
        ASSERT_TRUE(LoadLevel(state, levels, 1));
        ASSERT_TRUE(ParseUrdl(state.level, state.game, moves.c_str()));
        SolvedTest(state.level, state.game, state.scratch);
        state.view.instantMove = way == 2;
        int congratulations = 0;
        if (way == 0) {
            for (int i = 0; i < 100 && state.game.history.cursor < state.game.history.end; ++i) {
                WindowRequests requests;
                Redo(state, requests);
                congratulations += Animate(state);
            }
        } else {
            WindowRequests requests;
            AutoPlayButton(state, requests);
            EXPECT_EQ(requests.startAutoTimer, way == 2);
            for (int tick = 0; tick < 1000 && !requests.killAutoTimer; ++tick) {
                if (way == 2) {
                    OnAutoPlayTimer(state, requests);
                } else {
                    OnStepTimer(state, requests);
                    if (state.view.animMode == AnimMode::IDLE) break;
                }
                congratulations += requests.congratulate;
            }
        }
        EXPECT_EQ(state.game.history.cursor, state.game.history.end) << way;
        EXPECT_TRUE(state.game.totals.solved) << way;
        EXPECT_EQ(congratulations, 0) << way;
    }
}

TEST(MousePlayTest, StopInsideAnActionThenUndoAndRedo) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#########\n#@ $   .#\n#########");
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "rRRRR"));
    WindowRequests requests;
    AutoPlayButton(state, requests);  // letter by letter
    for (int i = 0; i < 3; ++i) OnStepTimer(state, requests);
    AutoPlayButton(state, requests);  // Stop inside the first action
    EXPECT_EQ(state.game.history.cursor, 3u);
    Undo(state, requests);
    Animate(state);
    EXPECT_EQ(state.game.history.cursor, 0u) << "back to the action's start, walk included";
    Redo(state, requests);
    Animate(state);
    EXPECT_EQ(state.game.history.cursor, 5u) << "the whole run of pushes";
    EXPECT_EQ(state.game.shown.shownActions, 1);
}

TEST(MousePlayTest, AStaleSelectionRecordsNothing) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#########\n#@ $   .#\n#########");
    WindowRequests requests;
    BoardClick(state, state.level.grids.rowOffset + 1, state.level.grids.colOffset + 3, requests);
    ASSERT_TRUE(state.view.boxSelected);
    ASSERT_TRUE(ParseUrdl(state.level, state.game, "rR"));
    Redo(state, requests);  // the shown position moves on: the selection ends with its first step
    OnStepTimer(state, requests);
    EXPECT_FALSE(state.view.boxSelected);
    Animate(state);
    const std::string before(state.game.history.text.get(), state.game.history.end);
    PushBoxTo(state, 9 + 3, 9 + 6, 9 + 5, requests);  // the box has left that cell
    EXPECT_EQ(std::string(state.game.history.text.get(), state.game.history.end), before);
    EXPECT_FALSE(state.game.history.failed);
    EXPECT_EQ(state.view.animMode, AnimMode::IDLE);
}

TEST(MousePlayTest, AWalkRefreshesTheCountersOnlyAndAPushTheResultGroupToo) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#########\n#@ $   .#\n#########");
    const int row = state.level.grids.rowOffset + 1;
    const int col = state.level.grids.colOffset;
    WindowRequests walk;
    BoardClick(state, row, col + 2, walk);
    ASSERT_EQ(state.view.animMode, AnimMode::ACTION_FORWARD);
    EXPECT_TRUE(walk.counters);
    EXPECT_FALSE(walk.result);
    Animate(state);
    WindowRequests select;
    BoardClick(state, row, col + 3, select);
    ASSERT_TRUE(state.view.boxSelected);
    WindowRequests push;
    BoardClick(state, row, col + 5, push);
    ASSERT_EQ(state.view.animMode, AnimMode::ACTION_FORWARD);
    EXPECT_TRUE(push.counters);
    EXPECT_TRUE(push.result);
    Animate(state);
    // The keyboard's steps follow the same rule.
    WindowRequests stepBack;
    StepKey(state, Direction::LEFT, stepBack);
    EXPECT_TRUE(stepBack.counters);
    EXPECT_FALSE(stepBack.result);
    Animate(state);
    WindowRequests stepPush;
    StepKey(state, Direction::RIGHT, stepPush);
    Animate(state);
    StepKey(state, Direction::RIGHT, stepPush);
    EXPECT_TRUE(stepPush.result);
    EXPECT_EQ(std::string(state.game.history.text.get(), state.game.history.end).back(), 'R');
}

TEST(MousePlayTest, RandomCommandsKeepTheRecordsConsistent) {
    const std::string levels = SharedLevelFile("microban-155.txt");
    if (levels.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
    std::mt19937 rng(41);
    for (int level : {3, 17, 44, 80}) {
        Core core;
        CoreState& state = *core.state;
        ASSERT_TRUE(LoadLevel(state, levels, level));
        std::string text;
        for (const auto& row : BoardRows(state.level.board)) text += row + "\n";
        bool autoTimer = false;
        for (int op = 0; op < 400; ++op) {
            WindowRequests requests;
            const int kind = static_cast<int>(rng() % 12);
            const Grids& g = state.level.grids;
            const int row = g.rowOffset + static_cast<int>(rng() % state.level.board.height);
            const int col = g.colOffset + static_cast<int>(rng() % state.level.board.width);
            if (kind < 5)
                BoardClick(state, row, col, requests);
            else if (kind == 5)
                BoardRightClick(state, requests);
            else if (kind == 6)
                Redo(state, requests);
            else if (kind == 7 && rng() % 4 == 0)
                Restart(state, requests);
            else if (kind == 8) {
                state.view.instantMove = rng() % 2;
                AutoPlayButton(state, requests);
            } else if (kind == 9 && autoTimer) {
                OnAutoPlayTimer(state, requests);
            } else {
                OnStepTimer(state, requests);
            }
            autoTimer = (autoTimer || requests.startAutoTimer) && !requests.killAutoTimer;
            const std::string where =
                "level " + std::to_string(level) + " op " + std::to_string(op);
            ExpectInvariants(state, where);
            if (HasFatalFailure()) return;
            ExpectShownMatchesReplay(state, text, where);
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace
}  // namespace ruk::test
