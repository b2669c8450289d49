// Known solutions: every one replays as solved with its source's totals; along each, the
// static tables stay sound, the steps keep the records consistent, and stepping back by whole
// actions returns every record to its start.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/action_bounds.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
#include "test_files.h"

namespace ruk::test {
namespace {

struct Snapshot {
    std::array<std::uint32_t, MAX_CELLS> position;
    std::array<CellCode, MAX_CELLS> display;
    std::vector<std::int32_t> boxes;
    int keeper;
    ShownPosition counters;
};

Snapshot Take(const CoreState& core) {
    Snapshot s;
    s.position = core.game.shown.positionBoard;
    s.display = core.level.grids.displayGrid;
    s.boxes.assign(core.game.shown.boxList.begin(),
                   core.game.shown.boxList.begin() + core.game.shown.boxListCount);
    std::sort(s.boxes.begin(), s.boxes.end());
    s.keeper = core.game.shown.keeperCell;
    s.counters = core.game.shown;
    return s;
}

void ExpectSameRecords(const Snapshot& a, const Snapshot& b, const std::string& where) {
    EXPECT_EQ(a.position, b.position) << where;
    EXPECT_EQ(a.display, b.display) << where;
    EXPECT_EQ(a.boxes, b.boxes) << where;
    EXPECT_EQ(a.keeper, b.keeper) << where;
    EXPECT_EQ(a.counters.shownMoves, b.counters.shownMoves) << where;
    EXPECT_EQ(a.counters.shownPushes, b.counters.shownPushes) << where;
    EXPECT_EQ(a.counters.shownActions, b.counters.shownActions) << where;
    EXPECT_EQ(a.counters.facing, b.counters.facing) << where;
    EXPECT_EQ(a.counters.lastPushTarget, b.counters.lastPushTarget) << where;
}

// Every box of the shown position stands where some goal can still be reached.
bool BoxesOnLiveCells(const CoreState& core) {
    const ShownPosition& shown = core.game.shown;
    for (int b = 0; b < shown.boxListCount; ++b)
        if (core.planner.goalReach[shown.boxList[b]] == 0) return false;
    return true;
}

TEST(KnownSolutionsTest, EveryKnownSolutionIsSolvedSoundAndUndoesToTheStart) {
    for (const SolvedCollection& collection : SolvedCollections()) {
        const auto solutions = ReadSolutions(collection.solutions);
        ASSERT_FALSE(solutions.empty()) << collection.solutions;
        Core core;
        CoreState& state = *core.state;
        state.level.grids.maxHeight = GRID_SIDE;
        long moves = 0;
        long pushes = 0;
        for (const KnownSolution& known : solutions) {
            const std::string where =
                collection.solutions + " level " + std::to_string(known.level);
            ASSERT_TRUE(LoadLevel(state, collection.levels, known.level)) << where;
            ASSERT_EQ(state.level.board.status, LevelStatus::PLAYABLE) << where;
            const Snapshot start = Take(state);
            LoadMoves(state, known.moves);
            ASSERT_TRUE(SolvedTest(state.level, state.game, state.scratch)) << where;
            ASSERT_EQ(state.game.history.end, known.moves.size()) << where << ": nothing to cut";
            moves += state.game.totals.totalMoves;
            pushes += state.game.totals.totalPushes;

            // Forward, letter by letter: every letter applies, boxes stay on live cells.
            bool sound = BoxesOnLiveCells(state);
            for (std::uint32_t p = 0; p < state.game.history.end; ++p) {
                state.view.animTarget = NO_POSITION;
                StepForward(state.level, state.game, state.view);
                ASSERT_EQ(state.game.history.cursor, p + 1) << where << ": letter " << p;
                sound = sound && BoxesOnLiveCells(state);
            }
            EXPECT_TRUE(sound) << where << ": a box stood on a cell with no GoalReach";
            const ResultTotals& totals = state.game.totals;
            EXPECT_EQ(state.game.shown.shownMoves, static_cast<int>(totals.totalMoves)) << where;
            EXPECT_EQ(state.game.shown.shownPushes, static_cast<int>(totals.totalPushes)) << where;
            EXPECT_EQ(state.game.shown.shownActions, static_cast<int>(totals.totalActions))
                << where;

            // Back by whole actions, as Undo does, to the start.
            int undos = 0;
            while (state.game.history.cursor > 0 &&
                   undos++ <= static_cast<int>(totals.totalActions)) {
                FindActionBoundaries(state.level, state.game);
                state.view.animTarget = state.game.bounds.undoTarget;
                state.view.animMode = AnimMode::STEP_BACKWARD;
                while (state.view.animMode != AnimMode::IDLE)
                    StepBackward(state.level, state.game, state.view);
            }
            EXPECT_EQ(undos, static_cast<int>(totals.totalActions)) << where;
            ExpectSameRecords(start, Take(state), where);
        }
        if (collection.solutions.find("microban-155-solutions.txt") != std::string::npos) {
            EXPECT_EQ(moves, 23793);
            EXPECT_EQ(pushes, 4822);
        }
        if (collection.solutions.find("sokoplugin") != std::string::npos) {
            EXPECT_EQ(moves, 20662);
            EXPECT_EQ(pushes, 5230);
        }
    }
}

}  // namespace
}  // namespace ruk::test
