// The push search's rules against exhaustive search: on small rooms every position's fate and
// its fewest pushes to the end are known, so the bound must never exceed them, no rule may call
// a position that can be solved dead, the corral rule must leave at least one push that keeps
// it solvable, and pushbot42 may call a level lost only when it is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <random>

#include "corrals.h"
#include "goal_distances.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "lower_bound.h"
#include "planner/deadlock_checks.h"
#include "pushbot_rooms.h"
#include "pushbot_search.h"
#include "settled_goals.h"
#include "small_solver.h"
#include "solved_rooms.h"
#include "test_files.h"
#include "zobrist_keys.h"

namespace ruk {
namespace {

using test::RoomRules;
using test::SmallPosition;
using test::SmallPush;
using test::SmallSolver;

// Fewest pushes from each explored position to a solved one; -1 when it cannot be solved.
std::vector<int> PushesLeft(const SmallSolver& solver) {
    const auto& positions = solver.Positions();
    std::vector<std::vector<int>> into(positions.size());
    for (const SmallPush& push : solver.Pushes())
        into[static_cast<std::size_t>(push.to)].push_back(push.from);
    std::vector<int> left(positions.size(), -1);
    std::deque<int> todo;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (positions[i].boxes == solver.Goals()) {
            left[i] = 0;
            todo.push_back(static_cast<int>(i));
        }
    }
    while (!todo.empty()) {
        const int at = todo.front();
        todo.pop_front();
        for (const int from : into[static_cast<std::size_t>(at)]) {
            if (left[static_cast<std::size_t>(from)] >= 0) continue;
            left[static_cast<std::size_t>(from)] = left[static_cast<std::size_t>(at)] + 1;
            todo.push_back(from);
        }
    }
    return left;
}

#ifdef RUK_SANITIZED
// The sanitizers slow the rules tenfold and more: a quarter of the rooms and levels there.
constexpr int SHARE = 4;
#else
constexpr int SHARE = 1;
#endif

struct Tally {
    int rooms = 0, positions = 0, pushes = 0, corrals = 0, patterns = 0;
};

// The corral searches run on every lost position of the room first, so that the box sets they
// prove dead are there to be matched against the positions that can be solved.
void LearnFromLostPositions(const SmallSolver& solver, const RoomRules& r,
                            const std::vector<int>& left, pushbot::Corrals& corrals) {
    pushbot::KeeperReach reach(r.level);
    std::vector<std::uint8_t> held(static_cast<std::size_t>(r.level.cells), 0);
    std::vector<std::uint8_t> allowed(static_cast<std::size_t>(r.level.boxCount), 1);
    const auto& all = solver.Positions();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (left[i] >= 0) continue;
        std::vector<std::uint16_t> boxes = r.Boxes(all[i].boxes);
        std::vector<std::uint32_t> board = r.Board(all[i].boxes);
        reach.Mark(board.data(), r.Cell(all[i].keeper));
        corrals.Pick(board.data(), reach, held.data(), boxes.data(), allowed, r.Cell(all[i].keeper),
                     0);
    }
}

// Every rule on every position and push of one room explored whole.
void CheckRoom(const SmallSolver& solver, const std::string& text, Tally& tally) {
    RoomRules r;
    ASSERT_TRUE(r.Load(solver)) << text;
    const std::vector<int> left = PushesLeft(solver);
    const auto& all = solver.Positions();
    ASSERT_EQ(r.Boxes(all.front().boxes), r.level.startBoxes) << "cells mapped" << text;
    const std::uint8_t* dead = r.distances.DeadCells();
    pushbot::LowerBound bound(r.distances, r.level.boxCount);
    pushbot::ZobristKeys keys(r.level.cells);
    pushbot::SettledGoals settled(r.level, keys);
    pushbot::KeeperReach reach(r.level);
    // The core's dead tests as the search runs them: with the dead cells.
    DeadlockContext& context = r.core.state->dead;
    context.deadCells = dead;
    pushbot::Corrals corrals(r.level, dead);
    std::vector<std::uint8_t> held(static_cast<std::size_t>(r.level.cells), 0);
    std::vector<std::uint8_t> allowed(static_cast<std::size_t>(r.level.boxCount), 1);
    LearnFromLostPositions(solver, r, left, corrals);
    tally.patterns += static_cast<int>(corrals.Patterns().Size());
    std::vector<std::vector<const SmallPush*>> out(all.size());
    for (const SmallPush& push : solver.Pushes())
        out[static_cast<std::size_t>(push.from)].push_back(&push);
    ++tally.rooms;

    for (std::size_t i = 0; i < all.size(); ++i) {
        if (left[i] < 0) continue;
        const SmallPosition& p = all[i];
        const std::string where = "\n" + solver.Text(p.boxes, p.keeper);
        std::vector<std::uint16_t> boxes = r.Boxes(p.boxes);
        std::vector<std::uint32_t> board = r.Board(p.boxes);
        const std::uint32_t h = bound.Of(boxes.data());
        ASSERT_LE(h, static_cast<std::uint32_t>(left[i]))
            << "bound above the fewest pushes" << where;
        for (const std::uint16_t b : boxes) {
            ASSERT_FALSE(r.distances.Dead(b)) << "a box on a dead cell" << where;
            ASSERT_NE(IsFrozen(board.data(), r.level.goalMap, b, *r.level.directions, dead),
                      FreezeVerdict::FrozenOffGoal)
                << "called frozen off goals" << where;
            ASSERT_FALSE(corrals.Patterns().Dead(board.data(), b, r.Cell(p.keeper)))
                << "a box set proved dead elsewhere matched" << where;
        }
        ++tally.positions;
        if (left[i] == 0) continue;
        // The corral rule may leave out pushes, never every push that keeps the room solvable.
        reach.Mark(board.data(), r.Cell(p.keeper));
        std::fill(allowed.begin(), allowed.end(), 1);
        const pushbot::CorralVerdict verdict = corrals.Pick(
            board.data(), reach, held.data(), boxes.data(), allowed, r.Cell(p.keeper), 0);
        ASSERT_NE(verdict, pushbot::CorralVerdict::DEAD) << "a corral called lost" << where;
        if (verdict == pushbot::CorralVerdict::PICKED) {
            bool kept = false;
            for (const SmallPush* push : out[i]) {
                const auto k = std::lower_bound(boxes.begin(), boxes.end(), r.Cell(push->box));
                if (allowed[static_cast<std::size_t>(k - boxes.begin())] &&
                    left[static_cast<std::size_t>(push->to)] >= 0)
                    kept = true;
            }
            ASSERT_TRUE(kept) << "the corral rule left no push that keeps it solvable" << where;
            ++tally.corrals;
        }
        // Each push that keeps the room solvable passes the rules checked after a push.
        const int parentSet = settled.SetOf(board.data(), boxes.data());
        for (const SmallPush* push : out[i]) {
            if (left[static_cast<std::size_t>(push->to)] < 0) continue;
            const int from = r.Cell(push->box);
            const int to = from + r.level.step[push->direction];
            std::vector<std::uint32_t> after =
                r.Board(all[static_cast<std::size_t>(push->to)].boxes);
            ASSERT_EQ(IsDeadAfterPush(context, after.data(), r.level.goalMap, to, 0),
                      DeadVerdict::NotProven)
                << "a push called dead" << where;
            ASSERT_TRUE(settled.Allows(after.data(), parentSet, boxes.data(), from, to))
                << "boxes settled on goals called in the way" << where;
            ++tally.pushes;
        }
    }
}

TEST(PushbotExhaustive, NoRuleCutsWhatCanBeSolvedOnRandomRooms) {
    std::mt19937 rng(42);
    Tally tally;
    while (tally.rooms < 300 / SHARE) {
        const std::string text = test::PulledRoom(rng);
        SmallSolver solver(text);
        if (text.empty() || !solver.Explore(20000) || !solver.Solvable()) continue;
        CheckRoom(solver, text, tally);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(tally.positions, 8000 / SHARE);
    EXPECT_GT(tally.pushes, 20000 / SHARE);
    EXPECT_GT(tally.corrals, 100 / SHARE);
    EXPECT_GT(tally.patterns, 100 / SHARE);
}

// The collections' levels small enough to be searched whole.
TEST(PushbotExhaustive, NoRuleCutsWhatCanBeSolvedOnTheSmallCollectionLevels) {
    Tally tally;
    bool shared = false;
    for (const test::SolvedCollection& collection : test::SolvedCollections()) {
        if (!collection.shared) continue;
        shared = true;
        test::Core reader;
        if (!test::LoadLevel(*reader.state, collection.levels, 1)) continue;
        const int count = reader.level->levelSet.count;
        for (int n = 1; n <= count && test::LoadLevel(*reader.state, collection.levels, n);
             n += SHARE) {
            const Board& board = reader.level->board;
            if (board.status != LevelStatus::PLAYABLE || board.width * board.height > 64) continue;
            std::string text;
            for (const std::string& row : test::BoardRows(board)) text += row + "\n";
            SmallSolver solver(text);
            if (!solver.Explore(20000)) continue;
            CheckRoom(solver, text, tally);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
    if (!shared) GTEST_SKIP() << "shared level collections are not beside the project";
    std::printf("%d levels searched whole, %d positions, %d pushes\n", tally.rooms, tally.positions,
                tally.pushes);
    EXPECT_GT(tally.rooms, 100 / SHARE);
}

// pushbot42 itself: positions that can be solved are never called lost, and positions that
// cannot are never answered (its answers are replayed) and mostly proved lost.
TEST(PushbotExhaustive, CallsAPositionLostOnlyWhenItIs) {
    std::mt19937 rng(7);
    test::TempDir dir;
    pushbot::Limits limits;
    limits.seconds = 10;
    limits.threads = 1;
    limits.memoryMb = 64;
    int lost = 0, proved = 0, live = 0;
    for (int rooms = 0; rooms < 40 / SHARE;) {
        const std::string text = test::PulledRoom(rng);
        SmallSolver solver(text);
        if (text.empty() || !solver.Explore(20000) || !solver.Solvable()) continue;
        ++rooms;
        const std::vector<int> left = PushesLeft(solver);
        const auto& all = solver.Positions();
        for (int pick = 0; pick < 4; ++pick) {
            const std::size_t i = rng() % all.size();
            const std::string position = solver.Text(all[i].boxes, all[i].keeper);
            const pushbot::Result result =
                pushbot::SolveFile(dir.Write("room.txt", position), limits);
            if (left[i] >= 0) {
                EXPECT_EQ(result.outcome, pushbot::Outcome::SOLVED) << result.reason << "\n"
                                                                    << position;
                ++live;
            } else {
                EXPECT_NE(result.outcome, pushbot::Outcome::SOLVED) << position;
                proved += result.outcome == pushbot::Outcome::NO_SOLUTION;
                ++lost;
            }
        }
    }
    EXPECT_GT(live, 20 / SHARE);
    EXPECT_GT(lost, 20 / SHARE);
    EXPECT_EQ(proved, lost) << "small lost rooms are searched out";
}

}  // namespace
}  // namespace ruk
