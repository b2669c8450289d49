// The push search's bound and dead-position rules against known solutions: the bound never
// above the pushes an answer still has to make, and no rule flagging a position that an answer
// passes through (the rules' verdicts are proofs, so one such flag is a fault). Then small
// positions that each rule must catch, so that a rule gone silent shows too.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "corrals.h"
#include "goal_distances.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "lower_bound.h"
#include "planner/deadlock_checks.h"
#include "pull_freeze.h"
#include "settled_goals.h"
#include "solution_walk.h"
#include "test_files.h"
#include "zobrist_keys.h"

namespace ruk {
namespace {

using pushbot::GoalDistances;
using pushbot::LevelCells;

// One level as the search sees it, loaded into a core of its own.
struct SearchLevel {
    test::Core core;
    LevelCells level;
    GoalDistances distances;
    SearchLevel() {
        // As pushbot42 takes them: up to 50 x 50.
        core.level->grids.maxWidth = GRID_SIDE;
        core.level->grids.maxHeight = GRID_SIDE;
    }
    bool Load(const std::string& path, int n) {
        if (!test::LoadLevel(*core.state, path, n) ||
            core.level->board.status != LevelStatus::PLAYABLE ||
            !ReadLevelCells(*core.state, level))
            return false;
        distances.Build(level);
        return true;
    }
    // The same for a level given as text.
    bool LoadText(const std::string& text) {
        test::LoadText(*core.state, text);
        if (core.level->board.status != LevelStatus::PLAYABLE ||
            !ReadLevelCells(*core.state, level))
            return false;
        distances.Build(level);
        return true;
    }
};

// Calls check for every known solution of every collection with a solution file; skips the
// test (after checking our samples) when the shared collections are not beside the project.
void ForEachKnownSolution(const std::function<void(SearchLevel&, const test::KnownSolution&,
                                                   const std::string&)>& check) {
#ifdef RUK_SANITIZED
    // The sanitizers slow the walks tenfold and more: every seventh solution there, all of
    // them in the normal build.
    const std::size_t stride = 7;
#else
    const std::size_t stride = 1;
#endif
    bool shared = false;
    for (const test::SolvedCollection& collection : test::SolvedCollections()) {
        shared = shared || collection.shared;
        const std::vector<test::KnownSolution> solutions =
            test::ReadSolutions(collection.solutions);
        for (std::size_t i = 0; i < solutions.size(); i += stride) {
            const test::KnownSolution& solution = solutions[i];
            const std::string where =
                collection.solutions + " level " + std::to_string(solution.level);
            SearchLevel level;
            ASSERT_TRUE(level.Load(collection.levels, solution.level)) << where;
            check(level, solution, where);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    if (!shared) GTEST_SKIP() << "shared level collections are not beside the project";
}

TEST(PushbotBound, NeverAboveThePushesOfAKnownSolution) {
    ForEachKnownSolution([](SearchLevel& s, const test::KnownSolution& solution,
                            const std::string& where) {
        pushbot::LowerBound bound(s.distances, s.level.boxCount);
        std::vector<int> goalOf(s.level.boxCount);
        int failures = 0;
        const bool walked = test::WalkSolution(
            s.level, solution.moves,
            [&](const test::WalkStep& step, std::uint32_t*, std::uint32_t*) {
                const std::uint32_t h = bound.Of(step.boxes.data());
                if (h > static_cast<std::uint32_t>(step.pushesLeft) && failures++ == 0)
                    ADD_FAILURE() << where << ": bound " << h << " with " << step.pushesLeft
                                  << " pushes left";
            });
        ASSERT_TRUE(walked) << where;
        // At the start the matching gives every box a goal of its own.
        if (s.level.boxCount <= pushbot::MATCHING_MAX_BOXES) {
            ASSERT_NE(bound.Matching(s.level.startBoxes.data(), goalOf.data()), pushbot::DEAD_BOUND)
                << where;
            std::vector<int> taken(s.level.boxCount, 0);
            for (const int g : goalOf) ASSERT_EQ(taken.at(g)++, 0) << where;
        }
    });
}

// The matching carried from position to position must cost what a fresh one does: one box
// moved (a child), a base one push on (the next expansion), and bases a few pushes apart.
TEST(PushbotBound, IncrementalMatchingEqualsAFreshOne) {
    ForEachKnownSolution([](SearchLevel& s, const test::KnownSolution& solution,
                            const std::string& where) {
        pushbot::LowerBound fresh(s.distances, s.level.boxCount);
        pushbot::LowerBound carried(s.distances, s.level.boxCount);
        pushbot::LowerBound strided(s.distances, s.level.boxCount);
        int push = 0, failures = 0;
        const bool walked = test::WalkSolution(
            s.level, solution.moves,
            [&](const test::WalkStep& step, std::uint32_t*, std::uint32_t*) {
                const std::uint32_t want = fresh.Of(step.boxes.data());
                if (push++ % 3 == 0 && strided.SetBase(step.boxes.data()) != want &&
                    failures++ == 0)
                    ADD_FAILURE() << where << " push " << push << ": a base 3 pushes on";
                if (step.from < 0) return;
                const std::uint32_t base = carried.SetBase(step.before.data());
                if (base != fresh.Of(step.before.data()) && failures++ == 0)
                    ADD_FAILURE() << where << " push " << push << ": base " << base;
                const int k =
                    static_cast<int>(std::find(step.before.begin(), step.before.end(), step.from) -
                                     step.before.begin());
                const std::uint32_t child = carried.AfterMove(k, step.to);
                if (child != want && failures++ == 0)
                    ADD_FAILURE() << where << " push " << push << ": child " << child << ", fresh "
                                  << want;
            });
        ASSERT_TRUE(walked) << where;
    });
}

TEST(PushbotDeadRules, NoRuleFlagsAPositionOnAKnownSolution) {
    ForEachKnownSolution(
        [](SearchLevel& s, const test::KnownSolution& solution, const std::string& where) {
            const LevelCells& level = s.level;
            const std::uint8_t* dead = s.distances.DeadCells();
            pushbot::ZobristKeys keys(level.cells);
            pushbot::SettledGoals settled(level, keys);
            pushbot::KeeperReach reach(level);
            // The core's dead tests as the search runs them: with the dead cells.
            DeadlockContext& context = s.core.state->dead;
            context.deadCells = dead;
            pushbot::Corrals corrals(level, dead);
            std::vector<std::uint8_t> held(level.cells, 0), allowed(level.boxCount, 1);
            int push = 0;
            const bool walked = test::WalkSolution(
                level, solution.moves,
                [&](const test::WalkStep& step, std::uint32_t* board, std::uint32_t* before) {
                    const std::string at = where + " after push " + std::to_string(push++);
                    for (const std::uint16_t b : step.boxes) {
                        ASSERT_FALSE(s.distances.Dead(b)) << at << ": a box on a dead cell " << b;
                        ASSERT_NE(IsFrozen(board, level.goalMap, b, *level.directions, dead),
                                  FreezeVerdict::FrozenOffGoal)
                            << at << ": box " << b << " called frozen off goals";
                    }
                    if (step.from >= 0) {
                        ASSERT_EQ(IsDeadAfterPush(context, board, level.goalMap, step.to, 0),
                                  DeadVerdict::NotProven)
                            << at;
                        const int parentSet = settled.SetOf(before, step.before.data());
                        ASSERT_TRUE(settled.Allows(board, parentSet, step.before.data(), step.from,
                                                   step.to))
                            << at << ": boxes settled on goals called in the way";
                    }
                    reach.Mark(board, step.keeper);
                    ASSERT_NE(corrals.Pick(board, reach, held.data(), step.boxes.data(), allowed,
                                           step.keeper, 0),
                              pushbot::CorralVerdict::DEAD)
                        << at << ": a corral called lost";
                });
            ASSERT_TRUE(walked) << where;
        });
}

// A room with two goals in its top corners; cells are x + y * stride.
//   #######
//   #.   .#
//   # $ $ #
//   #  @  #
//   #######
// The pull search's rules, the answer walked backward: every position it passes through is
// one the pulls must reach, so none is cut and the bound by pulls never exceeds the pushes
// that led there.
TEST(PushbotPullRules, NoneFlagsAPositionOnAKnownSolution) {
    ForEachKnownSolution(
        [](SearchLevel& s, const test::KnownSolution& solution, const std::string& where) {
            GoalDistances pulls;
            pulls.Build(s.level, pushbot::BoxMoves::PULLS);
            pushbot::LowerBound bound(pulls, s.level.boxCount);
            pushbot::PullFreeze freeze(s.level);
            int made = 0, failures = 0;
            const bool walked = test::WalkSolution(
                s.level, solution.moves,
                [&](const test::WalkStep& step, std::uint32_t*, std::uint32_t*) {
                    if (step.from >= 0) ++made;
                    bool dead = freeze.Dead(step.boxes.data());
                    for (const std::uint16_t b : step.boxes) dead = dead || pulls.Dead(b);
                    const std::uint32_t h = bound.Of(step.boxes.data());
                    if ((dead || h > static_cast<std::uint32_t>(made)) && failures++ == 0)
                        ADD_FAILURE()
                            << where << " push " << made << ": cut " << dead << ", bound " << h;
                });
            ASSERT_TRUE(walked) << where;
        });
}

TEST(PushbotDeadRules, CatchTheTextbookCases) {
    SearchLevel s;
    ASSERT_TRUE(s.LoadText("#######\n#.   .#\n# $ $ #\n#  @  #\n#######\n"));
    const LevelCells& level = s.level;
    const int stride = level.step[2];
    auto cell = [&](int x, int y) { return x + y * stride; };
    // Against the bottom wall no box reaches a goal; the boxes' start cells are live.
    EXPECT_TRUE(s.distances.Dead(cell(1, 3)));
    EXPECT_TRUE(s.distances.Dead(cell(3, 3)));
    EXPECT_FALSE(s.distances.Dead(cell(2, 2)));
    EXPECT_FALSE(s.distances.Dead(cell(1, 1)));
    EXPECT_EQ(s.distances.ToNearestGoal(cell(2, 2)), 2);

    // Two boxes side by side against the top wall, off goals, hold each other.
    std::vector<std::uint32_t> board(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    board[cell(2, 1)] = board[cell(3, 1)] = BOX;
    const std::uint8_t* dead = s.distances.DeadCells();
    EXPECT_EQ(IsFrozen(board.data(), level.goalMap, cell(2, 1), *level.directions, dead),
              FreezeVerdict::FrozenOffGoal);
    EXPECT_EQ(board[cell(2, 1)], BOX) << "the board is restored";
    // The neighbour below it instead: the box still goes sideways.
    board[cell(3, 1)] = 0;
    board[cell(2, 2)] = BOX;
    EXPECT_EQ(IsFrozen(board.data(), level.goalMap, cell(2, 1), *level.directions, dead),
              FreezeVerdict::NotFrozen);
    // Against the bottom wall between two free dead cells: either push along it is dead.
    board[cell(2, 1)] = board[cell(2, 2)] = 0;
    board[cell(2, 3)] = BOX;
    EXPECT_EQ(IsFrozen(board.data(), level.goalMap, cell(2, 3), *level.directions, dead),
              FreezeVerdict::FrozenOffGoal);
    EXPECT_EQ(IsFrozen(board.data(), level.goalMap, cell(2, 3), *level.directions),
              FreezeVerdict::NotFrozen)
        << "without the dead cells the box still goes sideways";
    board[cell(2, 3)] = 0;

    // The matching: each box to the goal above it and one step aside.
    pushbot::LowerBound bound(s.distances, level.boxCount);
    const std::uint16_t start[] = {static_cast<std::uint16_t>(cell(2, 2)),
                                   static_cast<std::uint16_t>(cell(4, 2))};
    EXPECT_EQ(bound.Of(start), 4u);
    // Against the left wall a box only reaches the goal above it: the other box must take the
    // far goal, 4 pushes, though the near one is 2 away.
    const std::uint16_t left[] = {static_cast<std::uint16_t>(cell(1, 2)),
                                  static_cast<std::uint16_t>(cell(2, 2))};
    EXPECT_EQ(bound.Of(left), 1u + 4u);
    // A box on a dead cell has no goal at all.
    const std::uint16_t lost[] = {static_cast<std::uint16_t>(cell(2, 2)),
                                  static_cast<std::uint16_t>(cell(1, 3))};
    EXPECT_EQ(bound.Of(lost), pushbot::DEAD_BOUND);
    // The same from the start's matching, one box moved: no goal, then the far goal.
    EXPECT_EQ(bound.SetBase(start), 4u);
    EXPECT_EQ(bound.AfterMove(1, cell(1, 3)), pushbot::DEAD_BOUND);
    EXPECT_EQ(bound.AfterMove(1, cell(1, 2)), 1u + 4u);
    EXPECT_EQ(bound.SetBase(left), 1u + 4u);
    EXPECT_EQ(bound.AfterMove(0, cell(4, 2)), 4u);
}

// A pocket of two goals down the left wall; the lower one can be filled from nowhere once the
// upper one holds a box in its corner.
//   ######
//   #.$  #
//   #.## #
//   #  $ #
//   ## @ #
//   ######
TEST(PushbotDeadRules, SealedGoalsAndClosedCorralsAreCaught) {
    SearchLevel s;
    ASSERT_TRUE(s.LoadText("######\n#.$  #\n#.## #\n#  $ #\n## @ #\n######\n"));
    const LevelCells& level = s.level;
    const int stride = level.step[2];
    auto cell = [&](int x, int y) { return static_cast<std::uint16_t>(x + y * stride); };
    std::vector<std::uint32_t> board(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    auto place = [&](std::vector<std::uint16_t> boxes) {
        for (int c = 0; c < level.cells; ++c)
            if (board[c] == BOX) board[c] = 0;
        std::sort(boxes.begin(), boxes.end());  // as the search keeps them
        for (const std::uint16_t b : boxes) board[b] = BOX;
        return boxes;
    };

    // A box frozen on the corner goal seals the goal below it: no push may follow.
    pushbot::ZobristKeys keys(level.cells);
    pushbot::SettledGoals settled(level, keys);
    std::vector<std::uint16_t> boxes = place({cell(1, 1), cell(3, 3)});
    const int set = settled.SetOf(board.data(), boxes.data());
    ASSERT_GE(set, 0);
    board[cell(3, 3)] = 0;
    board[cell(4, 3)] = BOX;
    EXPECT_FALSE(settled.Allows(board.data(), set, boxes.data(), cell(3, 3), cell(4, 3)));
    // Without a frozen box there is no set, and every push passes.
    boxes = place({cell(2, 1), cell(3, 3)});
    EXPECT_EQ(settled.SetOf(board.data(), boxes.data()), -1);

    // The lower goal shut in by two boxes that no push can move: a corral never opened.
    pushbot::KeeperReach reach(level);
    pushbot::Corrals corrals(level, s.distances.DeadCells());
    std::vector<std::uint8_t> held(level.cells, 0), allowed(level.boxCount, 1);
    boxes = place({cell(1, 1), cell(1, 3)});
    reach.Mark(board.data(), cell(3, 4));
    EXPECT_EQ(corrals.Pick(board.data(), reach, held.data(), boxes.data(), allowed, cell(3, 4), 0),
              pushbot::CorralVerdict::DEAD);
    // The pocket behind a box that the keeper can push in, so the corral can be opened; but
    // the corral's boxes alone never fill the lower goal, which only its own search shows.
    pushbot::Corrals fresh(level, s.distances.DeadCells());
    boxes = place({cell(1, 3), cell(3, 1)});
    reach.Mark(board.data(), cell(3, 4));
    ASSERT_FALSE(reach.Reached(cell(1, 1)));
    EXPECT_EQ(fresh.Pick(board.data(), reach, held.data(), boxes.data(), allowed, cell(3, 4), 0),
              pushbot::CorralVerdict::DEAD);
    pushbot::CorralAlone alone(level, s.distances.DeadCells());
    const std::uint8_t both[] = {1, 1};
    EXPECT_TRUE(alone.Dead(boxes.data(), both, cell(3, 4), 0));
    // The upper box alone, on its goal: nothing to prove.
    const std::uint8_t upper[] = {1, 0};
    EXPECT_FALSE(alone.Dead(place({cell(1, 3), cell(1, 1)}).data(), upper, cell(3, 4), 0));
}

// From a search of a classic level: a box pushed onto the right end of the goal row (x 9, y 8)
// freezes there and leaves no way into the three goals left of it, since a box gets there only
// when pushed left from that end. No goal is sealed on its own and every box can still reach
// some free goal; only the boxes' goals taken together show it.
TEST(PushbotDeadRules, GoalsNoBoxCanReachAnyMoreAreCaught) {
    SearchLevel s;
    ASSERT_TRUE(
        s.LoadText("#################\n####@  #  #######\n####      #######\n#### #    #######\n"
                   "##     ##    ####\n##  #    $#  ####\n##  # $ $    ####\n### ####$##     #\n"
                   "##  #...*.# #   #\n## $ ****.  # ###\n##  #*****#   ###\n#   ### #########\n"
                   "#     #  ########\n#  #     ########\n######   ########\n#################\n"));
    const LevelCells& level = s.level;
    const int stride = level.step[2];
    auto cell = [&](int x, int y) { return x + y * stride; };
    std::vector<std::uint32_t> board(level.cells, 0);
    for (int c = 0; c < level.cells; ++c)
        if (level.wall[c]) board[c] = WALL;
    for (const std::uint16_t b : level.startBoxes) board[b] = BOX;
    const std::vector<std::uint16_t>& boxes = level.startBoxes;
    pushbot::ZobristKeys keys(level.cells);
    pushbot::SettledGoals settled(level, keys);
    auto allows = [&](int from, int to) {
        const int set = settled.SetOf(board.data(), boxes.data());
        board[from] = 0;
        board[to] = BOX;
        const bool allowed = settled.Allows(board.data(), set, boxes.data(), from, to);
        board[to] = 0;
        board[from] = BOX;
        return allowed;
    };
    // The box on the row's end goes on pushing the row full; a box in the middle may move.
    EXPECT_TRUE(allows(cell(6, 6), cell(7, 6)));
    // Onto the end goal: lost.
    EXPECT_FALSE(allows(cell(8, 8), cell(9, 8)));
}

}  // namespace
}  // namespace ruk
