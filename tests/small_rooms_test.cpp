// Random small rooms searched exhaustively, so that every position's fate is known: one that
// can still be solved is never called lost, no push between two such positions is dead, and the
// guard offers every cell a box can be taken to while the room stays solvable.
#include <gtest/gtest.h>

#include <bit>
#include <deque>
#include <random>
#include <set>

#include "board/grids.h"
#include "engine/box_selection.h"
#include "game_audit.h"
#include "planner/deadlock_checks.h"
#include "small_solver.h"
#include "solved_rooms.h"
#include "test_files.h"

namespace ruk::test {
namespace {

class SmallRoomsTest : public ::testing::Test {
  protected:
    Core core;
    CoreState& state = *core.state;

    void SetUp() override { state.level.grids.maxHeight = GRID_SIDE; }

    // Loads the position with the keeper on keeperCell; the board index of a solver cell.
    void Load(const SmallSolver& solver, std::uint64_t boxes, int keeperCell) {
        LoadText(state, solver.Text(boxes, keeperCell));
        keeperCell_ = keeperCell;
        width_ = solver.Width();
    }
    int BoardCell(int cell) const {
        const int stride = RowStride(state.level.board);
        return state.game.shown.keeperCell + (cell / width_ - keeperCell_ / width_) * stride +
               (cell % width_ - keeperCell_ % width_);
    }

    // The cells the box on cell can be pushed to, alone, leaving a position that can be solved.
    static std::set<int> LiveTargets(const SmallSolver& solver, const SmallPosition& from,
                                     int box) {
        const std::uint64_t others = from.boxes & ~(std::uint64_t{1} << box);
        std::set<std::pair<int, int>> seen{{box, from.keeper}};
        std::deque<std::pair<int, int>> todo{{box, from.keeper}};
        std::set<int> live;
        while (!todo.empty()) {
            const auto [at, keeper] = todo.front();
            todo.pop_front();
            const std::uint64_t boxes = others | std::uint64_t{1} << at;
            const std::uint64_t reach = solver.Reach(boxes, keeper);
            for (int d = 0; d < 4; ++d) {
                const int behind = at - solver.Step(d);
                const int ahead = at + solver.Step(d);
                if (!solver.Floor(behind) || !(reach >> behind & 1)) continue;
                if (!solver.Floor(ahead) || (others >> ahead & 1)) continue;
                const std::uint64_t after = others | std::uint64_t{1} << ahead;
                const int anchor = std::countr_zero(solver.Reach(after, at));
                if (!seen.insert({ahead, anchor}).second) continue;
                todo.push_back({ahead, anchor});
                const int i = solver.Find(after, anchor);
                if (ahead != box && i >= 0 && solver.CanSolve(i)) live.insert(ahead);
            }
        }
        return live;
    }

  private:
    int keeperCell_ = 0;
    int width_ = 1;
};

TEST_F(SmallRoomsTest, WhatCanBeSolvedIsNeverCalledLostPushedDeadOrHiddenByTheGuard) {
    std::mt19937 rng(16);
    int rooms = 0;
    int positions = 0;
    int pushes = 0;
    int targets = 0;
    while (rooms < 400) {
        const std::string room = PulledRoom(rng);
        SmallSolver solver(room);
        if (!solver.Explore(20000) || !solver.Solvable()) continue;
        ++rooms;
        const auto& all = solver.Positions();
        // A spread of the positions that can be solved, the start always among them.
        std::vector<std::size_t> live;
        for (std::size_t i = 0; i < all.size(); ++i)
            if (solver.CanSolve(static_cast<int>(i))) live.push_back(i);
        const std::size_t stride = live.size() / 60 + 1;
        for (std::size_t k = 0; k < live.size(); k += stride) {
            const SmallPosition& p = all[live[k]];
            Load(solver, p.boxes, p.keeper);
            const std::string where = "\n" + solver.Text(p.boxes, p.keeper);
            EXPECT_FALSE(tool::UnsolvableAtEnd(state)) << "called lost:" << where;
            ++positions;
            if (k % (3 * stride) != 0) continue;
            for (int box = 0; box < 64; ++box) {
                if (!(p.boxes >> box & 1)) continue;
                const std::set<int> live = LiveTargets(solver, p, box);
                if (live.empty()) continue;
                state.view.guardOn = true;
                state.view.selectedBox = BoardCell(box);
                SelectBox(state);
                for (int t : live) {
                    const GridCell cell =
                        BoardToGrid(state.level.board, state.level.grids, BoardCell(t));
                    EXPECT_NE(state.view.targets.targetFlag[GridIndex(cell.row, cell.col)], 0)
                        << "the guard hides cell " << t << " for the box on " << box << where;
                    ++targets;
                }
                ClearMarks(state.level, state.view);
            }
        }
        std::vector<SmallPush> livePushes;
        for (const SmallPush& push : solver.Pushes())
            if (solver.CanSolve(push.to)) livePushes.push_back(push);
        const std::size_t pushStride = livePushes.size() / 60 + 1;
        for (std::size_t k = 0; k < livePushes.size(); k += pushStride) {
            const SmallPush& push = livePushes[k];
            Load(solver, all[static_cast<std::size_t>(push.to)].boxes, push.box);
            auto board = state.game.shown.positionBoard;
            const int keeper = state.game.shown.keeperCell;
            EXPECT_EQ(
                IsDeadAfterPush(state, board.data(), state.planner.goalMap.data(),
                                keeper + state.level.directions.stepOffset[push.direction], keeper),
                DeadVerdict::NotProven)
                << "a push called dead, the keeper where it pushed from:\n"
                << solver.Text(all[static_cast<std::size_t>(push.to)].boxes, push.box);
            ++pushes;
        }
    }
    EXPECT_GT(positions, 3000);
    EXPECT_GT(pushes, 4000);
    EXPECT_GT(targets, 8000);
}

}  // namespace
}  // namespace ruk::test
