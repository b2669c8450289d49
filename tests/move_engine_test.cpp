// The solved test's edge cases, stepping, and Restart's rebuild.
#include <gtest/gtest.h>

#include "board/text_level_parser.h"
#include "engine/action_bounds.h"
#include "engine/playback.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
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
        EmptyMoveHistory(state.game.history);
        LoadMoves(state, moves);
        return SolvedTest(state.level, state.game, state.scratch);
    }
};

TEST_F(MoveEngineTest, SolvedNeedsAPushAndCutsWhatFollowsIt) {
    Load("#######\n#@ $ .#\n#######");
    EXPECT_FALSE(Judge(""));
    EXPECT_EQ(state.game.totals.totalMoves, 0u);
    EXPECT_TRUE(Judge("rRR"));
    EXPECT_EQ(state.game.totals.totalActions, 1u);
    EXPECT_TRUE(Judge("rRRlll"));
    EXPECT_EQ(state.game.history.end, 3u) << "letters after the solving push are cut";
    EXPECT_STREQ(state.game.history.text.get(), "rRR");
    EXPECT_EQ(state.game.totals.totalMoves, 3u);

    // Strings that break the rules: the totals cover the letters before the fault.
    EXPECT_FALSE(Judge("rrR"));
    EXPECT_EQ(state.game.totals.totalMoves, 1u) << "walking into a box";
    EXPECT_FALSE(Judge("U"));
    EXPECT_FALSE(Judge("rR?R"));
    EXPECT_EQ(state.game.totals.totalPushes, 1u);
    EXPECT_TRUE(Judge("r\r\nRR")) << "line breaks are skipped";

    // All boxes on goals at the start: solved only after a push.
    Load("#######\n#@ * .#\n#######");
    EXPECT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL) << "two goals, one box";
    Load("########\n#@ *  #\n#   $.#\n########");
    EXPECT_FALSE(Judge(""));
    EXPECT_FALSE(Judge("d"));
    EXPECT_TRUE(Judge("drrR"));
    EXPECT_FALSE(Judge("rRRR")) << "pushing into a wall";
    EXPECT_EQ(state.game.totals.totalPushes, 2u);
}

TEST_F(MoveEngineTest, StepsMoveTheShownPositionAndRestartRebuildsIt) {
    Load("#######\n#@ $ .#\n#######");
    const auto startGrid = state.level.grids.displayGrid;
    LoadMoves(state, "rRR");
    SolvedTest(state.level, state.game, state.scratch);
    state.view.animTarget = 3;
    state.view.animMode = AnimMode::STEP_FORWARD;
    while (state.view.animMode != AnimMode::IDLE) StepForward(state.level, state.game, state.view);
    EXPECT_EQ(state.game.history.cursor, 3u);
    EXPECT_EQ(state.game.shown.keeperCell, 11);
    EXPECT_EQ(state.game.shown.facing, 2);
    EXPECT_EQ(state.game.shown.lastPushTarget, 12);
    EXPECT_EQ(state.game.shown.boxList[0], 12);
    const Grids& g = state.level.grids;
    EXPECT_EQ(g.displayGrid[GridIndex(g.rowOffset + 1, g.colOffset + 5)], BOX | GOAL);
    EXPECT_EQ(g.displayGrid[GridIndex(g.rowOffset + 1, g.colOffset + 4)], KEEPER);

    StepForward(state.level, state.game, state.view);
    EXPECT_EQ(state.game.history.cursor, 3u) << "nothing after the end";
    EXPECT_EQ(state.view.animMode, AnimMode::IDLE);

    RestartRebuild(state);
    EXPECT_EQ(state.level.grids.displayGrid, startGrid);
    EXPECT_EQ(state.game.shown.keeperCell, 8);
    EXPECT_EQ(state.game.shown.boxList[0], 10);
    EXPECT_STREQ(state.game.history.text.get(), "rRR") << "Restart keeps the string";
}

// Long walks between pushes: a walk taken back leaves the last push target as it was, a push
// taken back finds the one before it. Every Undo must end where a fresh replay of the letters
// before the cursor ends, and every single backward step must show what a forward replay
// showed at that cursor.
TEST_F(MoveEngineTest, UndoOverLongWalksAfterPushesMatchesAFreshReplay) {
    const std::string level = "###########\n#  .   .  #\n#  $   $  #\n#@        #\n###########";
    Load(level);
    std::string walk;
    for (int i = 0; i < 20'000; ++i) walk += "lr";
    // Box A up onto its goal, a walk, box B pushed right twice with a walk between, a walk.
    const std::string moves = "rrU" + walk + "drrruR" + walk + "R" + walk;
    LoadMoves(state, moves);
    ASSERT_FALSE(SolvedTest(state.level, state.game, state.scratch));
    ASSERT_EQ(state.game.history.end, moves.size()) << "every letter fits";

    // What the shown position holds after each prefix, played forward.
    struct Shown {
        int lastPushTarget, facing, keeper, pushes;
    };
    std::vector<Shown> forward{{0, 0, state.game.shown.keeperCell, 0}};
    state.view.animTarget = NO_POSITION;
    state.view.animMode = AnimMode::STEP_FORWARD;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        StepForward(state.level, state.game, state.view);
        const ShownPosition& s = state.game.shown;
        forward.push_back({s.lastPushTarget, s.facing, s.keeperCell, s.shownPushes});
    }
    ASSERT_EQ(state.game.history.cursor, moves.size());
    ExpectShownMatchesReplay(state, level, "at the end");

    // Letter by letter back to the start.
    state.view.animTarget = NO_POSITION;
    state.view.animMode = AnimMode::STEP_BACKWARD;
    for (std::size_t c = moves.size(); c-- > 0;) {
        StepBackward(state.level, state.game, state.view);
        const ShownPosition& s = state.game.shown;
        ASSERT_EQ(state.game.history.cursor, c);
        ASSERT_EQ(s.lastPushTarget, forward[c].lastPushTarget) << "cursor " << c;
        ASSERT_EQ(s.facing, forward[c].facing) << "cursor " << c;
        ASSERT_EQ(s.keeperCell, forward[c].keeper) << "cursor " << c;
        ASSERT_EQ(s.shownPushes, forward[c].pushes) << "cursor " << c;
    }

    // Afresh (the steps above did not keep the action count), played to the end with Redo,
    // then Undo action by action with Instant Move: one tick each.
    Load(level);
    LoadMoves(state, moves);
    state.view.instantMove = true;
    WindowRequests requests;
    for (int redo = 0; redo < 4 && state.game.history.cursor < moves.size(); ++redo) {
        Redo(state, requests);
        OnStepTimer(state, requests);
    }
    ASSERT_EQ(state.game.history.cursor, moves.size());
    std::vector<std::uint32_t> stops;
    while (state.game.history.cursor > 0 && stops.size() < 5) {
        Undo(state, requests);
        OnStepTimer(state, requests);
        ASSERT_EQ(state.view.animMode, AnimMode::IDLE);
        stops.push_back(state.game.history.cursor);
        ExpectShownMatchesReplay(state, level, "undo " + std::to_string(stops.size()));
        if (HasFatalFailure()) return;
    }
    EXPECT_EQ(stops, (std::vector<std::uint32_t>{3u, 0u}))
        << "B's action with the walks around it, then A's";
}

}  // namespace
}  // namespace ruk::test
