// Action boundaries at random cursor positions of known solutions, against a reference built
// from the definitions: each push's cells from a full replay, actions as runs of pushes.
#include <gtest/gtest.h>

#include <random>

#include "core_door.h"
#include "engine/action_bounds.h"
#include "engine/move_letters.h"
#include "engine/replay_steps.h"
#include "engine/solved_check.h"
#include "solved_rooms.h"
#include "test_files.h"

namespace ruk::test {
namespace {

struct Push {
    std::uint32_t position;
    int from;
    int to;
    int action;  // index of the action the push belongs to
};

// The pushes of the string with their cells and actions, replayed from the start.
std::vector<Push> PushesOf(const CoreState& core) {
    std::vector<Push> pushes;
    const MoveHistory& h = core.game.history;
    int keeper = core.level.board.keeperStart;
    int action = -1;
    for (std::uint32_t p = 0; p < h.end; ++p) {
        const int step = core.level.directions.stepOffset[LetterDirection(h.text[p])];
        if (IsPushLetter(h.text[p])) {
            const int from = keeper + step;
            if (pushes.empty() || pushes.back().to != from) ++action;
            pushes.push_back({p, from, from + step, action});
        }
        keeper += step;
    }
    return pushes;
}

struct Expected {
    std::uint32_t redo, undo, firstPush;
    int lastPushTarget;
};

Expected Reference(const std::vector<Push>& pushes, std::uint32_t cursor, std::uint32_t end,
                   bool walkBefore) {
    Expected e{cursor, 0, NO_POSITION, 0};
    const Push* ahead = nullptr;
    const Push* behind = nullptr;
    for (const Push& p : pushes) {
        if (p.position >= cursor && !ahead) ahead = &p;
        if (p.position < cursor) behind = &p;
    }
    auto lastOf = [&](int action) {
        const Push* last = nullptr;
        for (const Push& p : pushes)
            if (p.action == action) last = &p;
        return last;
    };
    auto firstOf = [&](int action) {
        for (const Push& p : pushes)
            if (p.action == action) return &p;
        return static_cast<const Push*>(nullptr);
    };
    if (ahead) e.redo = lastOf(ahead->action)->position + 1;
    if (behind) e.lastPushTarget = behind->to;
    const bool inside = (ahead && behind && ahead->from == behind->to) ||
                        (walkBefore && cursor > 0 && cursor != end);
    const Push* run = inside && ahead ? ahead : behind;
    if (run) {
        const Push* first = firstOf(run->action);
        e.firstPush = first->position;
        for (const Push& p : pushes)
            if (p.position < first->position) e.undo = p.position + 1;
    }
    return e;
}

TEST(ActionBoundsTest, RandomCursorsInKnownSolutionsMatchTheDefinitions) {
    std::mt19937 rng(5);
    int checked = 0;
    // Random rooms with solutions found here keep the check at size without the public
    // collections.
    TempDir dir;
    std::vector<SolvedCollection> collections = SolvedCollections();
    collections.push_back(WriteRoomCollection(dir, SolvedRandomRooms(5, 750)));
    for (const SolvedCollection& collection : collections) {
        Core core;
        CoreState& state = *core.state;
        state.level.grids.maxHeight = GRID_SIDE;
        const auto solutions = ReadSolutions(collection.solutions);
        for (std::size_t s = 0; s < solutions.size(); s += 3) {
            const KnownSolution& known = solutions[s];
            ASSERT_TRUE(LoadLevel(state, collection.levels, known.level));
            LoadMoves(state, known.moves);
            const auto pushes = PushesOf(state);
            const std::uint32_t end = state.game.history.end;
            for (int trial = 0; trial < 4; ++trial) {
                const std::uint32_t cursor =
                    std::uniform_int_distribution<std::uint32_t>(0, end)(rng);
                ASSERT_TRUE(LoadLevel(state, collection.levels, known.level));
                LoadMoves(state, known.moves);
                state.view.animTarget = cursor;
                state.view.animMode = cursor > 0 ? AnimMode::STEP_FORWARD : AnimMode::IDLE;
                while (state.view.animMode != AnimMode::IDLE)
                    StepForward(state.level, state.game, state.view);
                ASSERT_EQ(state.game.history.cursor, cursor);
                FindActionBoundaries(state.level, state.game);
                const bool walkBefore = cursor > 0 && !IsPushLetter(known.moves[cursor - 1]);
                const Expected e = Reference(pushes, cursor, end, walkBefore);
                const std::string where = collection.solutions + " level " +
                                          std::to_string(known.level) + " cursor " +
                                          std::to_string(cursor);
                EXPECT_EQ(state.game.bounds.redoTarget, e.redo) << where;
                EXPECT_EQ(state.game.bounds.undoTarget, e.undo) << where;
                EXPECT_EQ(state.game.bounds.actionFirstPush, e.firstPush) << where;
                EXPECT_EQ(state.game.shown.lastPushTarget, e.lastPushTarget) << where;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 1000);
}

TEST(ActionBoundsTest, SameBoxAgainIsOneActionAnotherBoxInBetweenIsThree) {
    Core core;
    ASSERT_TRUE(door::LoadText(*core.state,
                               "########\n"
                               "#@$  . #\n"
                               "#   $ .#\n"
                               "#      #\n"
                               "########"));
    struct Case {
        const char* moves;
        unsigned pushes;
        unsigned actions;
    };
    const Case cases[] = {
        {"RlrR", 2, 1},        // A, a walk, A again from where it was left
        {"RddrrruulL", 2, 1},  // A, around it, A back from the other side: the same run
        {"RdrRlluR", 3, 3},    // A, then B, then A again
    };
    for (const Case& c : cases) {
        EmptyMoveHistory(core.game->history);
        LoadMoves(*core.state, c.moves);
        SolvedTest(*core.level, *core.game, *core.scratch);
        EXPECT_EQ(core.game->totals.totalMoves, std::string(c.moves).size()) << c.moves;
        EXPECT_EQ(core.game->totals.totalPushes, c.pushes) << c.moves;
        EXPECT_EQ(core.game->totals.totalActions, c.actions) << c.moves;
    }
}

}  // namespace
}  // namespace ruk::test
