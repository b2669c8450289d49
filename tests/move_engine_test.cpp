// The solved test's edge cases, stepping, and Restart's rebuild.
#include <gtest/gtest.h>

#include "board/text_level_parser.h"
#include "engine/replay_steps.h"
#include "engine/solved_test.h"
#include "level_change.h"
#include "planner/start_position.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class MoveEngineTest : public ::testing::Test {
  protected:
    Core core;
    CoreState& state = *core.state;

    void Load(const std::string& text) { LoadText(state, text); }
    bool Judge(const std::string& moves) {
        EmptyMoveHistory(state.play.history);
        LoadMoves(state, moves);
        return SolvedTest(state.level, state.play);
    }
};

TEST_F(MoveEngineTest, SolvedNeedsAPushAndCutsWhatFollowsIt) {
    Load("#######\n#@ $ .#\n#######");
    EXPECT_FALSE(Judge(""));
    EXPECT_EQ(state.play.totals.totalMoves, 0u);
    EXPECT_TRUE(Judge("rRR"));
    EXPECT_EQ(state.play.totals.totalActions, 1u);
    EXPECT_TRUE(Judge("rRRlll"));
    EXPECT_EQ(state.play.history.end, 3u) << "letters after the solving push are cut";
    EXPECT_STREQ(state.play.history.text.get(), "rRR");
    EXPECT_EQ(state.play.totals.totalMoves, 3u);

    // Strings that break the rules: the totals cover the letters before the fault.
    EXPECT_FALSE(Judge("rrR"));
    EXPECT_EQ(state.play.totals.totalMoves, 1u) << "walking into a box";
    EXPECT_FALSE(Judge("U"));
    EXPECT_FALSE(Judge("rR?R"));
    EXPECT_EQ(state.play.totals.totalPushes, 1u);
    EXPECT_TRUE(Judge("r\r\nRR")) << "line breaks are skipped";

    // All boxes on goals at the start: solved only after a push.
    Load("#######\n#@ * .#\n#######");
    EXPECT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL) << "two goals, one box";
    Load("########\n#@ *  #\n#   $.#\n########");
    EXPECT_FALSE(Judge(""));
    EXPECT_FALSE(Judge("d"));
    EXPECT_TRUE(Judge("drrR"));
    EXPECT_FALSE(Judge("rRRR")) << "pushing into a wall";
    EXPECT_EQ(state.play.totals.totalPushes, 2u);
}

TEST_F(MoveEngineTest, StepsMoveTheShownPositionAndRestartRebuildsIt) {
    Load("#######\n#@ $ .#\n#######");
    const auto startGrid = state.level.grids.displayGrid;
    LoadMoves(state, "rRR");
    SolvedTest(state.level, state.play);
    state.play.animTarget = 3;
    state.play.animMode = AnimMode::STEP_FORWARD;
    while (state.play.animMode != AnimMode::IDLE) StepForward(state.level, state.play);
    EXPECT_EQ(state.play.history.cursor, 3u);
    EXPECT_EQ(state.play.shown.keeperCell, 11);
    EXPECT_EQ(state.play.shown.facing, 2);
    EXPECT_EQ(state.play.shown.lastPushTarget, 12);
    EXPECT_EQ(state.play.shown.boxList[0], 12);
    const Grids& g = state.level.grids;
    EXPECT_EQ(g.displayGrid[GridIndex(g.rowOffset + 1, g.colOffset + 5)], BOX | GOAL);
    EXPECT_EQ(g.displayGrid[GridIndex(g.rowOffset + 1, g.colOffset + 4)], KEEPER);

    StepForward(state.level, state.play);
    EXPECT_EQ(state.play.history.cursor, 3u) << "nothing after the end";
    EXPECT_EQ(state.play.animMode, AnimMode::IDLE);

    RestartRebuild(state);
    EXPECT_EQ(state.level.grids.displayGrid, startGrid);
    EXPECT_EQ(state.play.shown.keeperCell, 8);
    EXPECT_EQ(state.play.shown.boxList[0], 10);
    EXPECT_STREQ(state.play.history.text.get(), "rRR") << "Restart keeps the string";
}

}  // namespace
}  // namespace ruk::test
