// What the goal macros are made of. One box's paths with the others in place: the fewest pushes
// to every cell equal a search over every box and keeper cell, and each path replays push by
// push. The packing layers of a goal area: the goals the keeper empties first fill last. The
// packing order: each goal in turn can be filled by pushes with the goals before it full.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <string>
#include <vector>

#include "box_paths.h"
#include "level_cells.h"
#include "packing_layers.h"
#include "packing_order.h"
#include "pushbot_rooms.h"
#include "search/box_sides.h"
#include "search/breadth_fill.h"
#include "side_groups.h"
#include "solved_rooms.h"
#include "test_files.h"

namespace ruk {
namespace {

using pushbot::LevelCells;
using pushbot::PushStep;

// Fewest pushes that bring the box on box to each cell, over (box, keeper) states: walks cost
// nothing, pushes one. -1: never.
std::vector<int> FewestPushes(const LevelCells& level, std::vector<std::uint32_t> board, int box,
                              int keeper) {
    const int n = level.cells;
    board[box] = 0;  // the box is tracked apart
    std::vector<int> best(static_cast<std::size_t>(n) * n, -1);
    std::deque<int> todo{box * n + keeper};
    best[static_cast<std::size_t>(box * n + keeper)] = 0;
    std::vector<int> perCell(n, -1);
    while (!todo.empty()) {
        const int state = todo.front();
        todo.pop_front();
        const int b = state / n, k = state % n, cost = best[static_cast<std::size_t>(state)];
        if (perCell[b] < 0 || cost < perCell[b]) perCell[b] = cost;
        for (int d = 0; d < 4; ++d) {
            const int next = k + level.step[d];
            if (board[next] != 0) continue;
            const bool push = next == b;
            const int to = push ? b + level.step[d] : b;
            if (push && board[to] != 0) continue;
            const std::size_t at = static_cast<std::size_t>(to * n + next);
            const int c = cost + (push ? 1 : 0);
            if (best[at] >= 0 && best[at] <= c) continue;
            best[at] = c;
            if (push)
                todo.push_back(static_cast<int>(at));
            else
                todo.push_front(static_cast<int>(at));
        }
    }
    return perCell;
}

// Plays pushes on board (the box on its start cell) from keeper; false at an illegal one.
bool Replay(const LevelCells& level, std::vector<std::uint32_t> board, int keeper,
            const std::vector<PushStep>& steps, int& last) {
    std::vector<std::int32_t> queue(level.cells + 1);
    MarkMap reach;
    for (const PushStep& s : steps) {
        reach.NewStamp();
        MarkRegion(reach, keeper, level.step, queue.data(), [&](int c) { return board[c] == 0; });
        const int to = s.from + level.step[s.dir];
        if (board[s.from] != BOX || board[to] != 0 || !reach.Marked(s.from - level.step[s.dir]))
            return false;
        board[s.from] = 0;
        board[to] = BOX;
        keeper = s.from;
        last = to;
    }
    return true;
}

TEST(PushbotBoxPaths, FewestPushesToEveryCellAndPathsThatReplay) {
    int cells = 0;
    test::ForEachPulledRoom(
        11, 120,
        [&](const std::string& text, const LevelCells& level, std::vector<std::uint32_t>& board) {
            const int box = level.startBoxes[0];
            const std::vector<std::uint8_t> dead(level.cells, 0);
            std::vector<std::int32_t> queue(level.cells + 1);
            MarkMap reach;
            reach.NewStamp();
            MarkRegion(reach, level.startKeeper, level.step, queue.data(),
                       [&](int c) { return board[c] == 0; });
            pushbot::BoxPaths paths(level);
            paths.Fill(board.data(), box, dead.data(), [&](int c) { return reach.Marked(c); });
            const std::vector<std::uint32_t> before = board;
            const std::vector<int> fewest = FewestPushes(level, board, box, level.startKeeper);
            ASSERT_EQ(board, before) << "the board is restored";
            for (int c = 0; c < level.cells; ++c) {
                if (c == box) continue;
                int best = 0;
                for (int d = 0; d < 4; ++d) {
                    const int pushes = paths.Pushes(c, d);
                    if (pushes == 0) continue;
                    if (best == 0 || pushes < best) best = pushes;
                    std::vector<PushStep> steps;
                    paths.AppendSteps(c, d, steps);
                    int last = -1;
                    ASSERT_EQ(static_cast<int>(steps.size()), pushes) << text;
                    ASSERT_TRUE(Replay(level, board, level.startKeeper, steps, last)) << text;
                    EXPECT_EQ(last, c) << text;
                    EXPECT_EQ(steps.back().dir, d) << text;
                }
                EXPECT_EQ(best, fewest[c] < 0 ? 0 : fewest[c]) << text << " cell " << c;
                cells += best > 0;
            }
        });
    EXPECT_GT(cells, 400);
}

// The sides found from the cut cells equal a keeper's fill, for a box on every free cell and the
// keeper beside it, with the rooms' boxes (one lifted, as a box path's search does) in place.
TEST(PushbotBoxPaths, SideGroupsAgreeWithTheKeepersFill) {
    int rooms = 0, checked = 0;
    std::vector<std::int32_t> queue;
    MarkMap marks;
    test::ForEachPulledRoom(
        5, 150,
        [&](const std::string& text, const LevelCells& level, std::vector<std::uint32_t>& board) {
            ++rooms;
            const int lifted = level.startBoxes[rooms % level.startBoxes.size()];
            board[lifted] = 0;
            queue.assign(level.cells + 1, 0);
            pushbot::SideGroups groups(level);
            groups.Build(board.data(), lifted);
            marks.NewStamp();
            MarkRegion(marks, lifted, level.step, queue.data(),
                       [&](int c) { return board[c] == 0; });
            std::vector<int> area;
            for (int c = 0; c < level.cells; ++c)
                if (marks.Marked(c)) area.push_back(c);
            for (const int cell : area) {
                for (int side = 0; side < 4; ++side) {
                    const int keeper = cell + level.step[side];
                    if (board[keeper] != 0) continue;
                    const std::uint32_t fast = groups.Sides(board.data(), cell, side);
                    board[cell] = BOX;
                    const std::uint32_t fill =
                        BoxSides(board.data(), cell, keeper, level.step, marks, queue.data());
                    board[cell] = 0;
                    ASSERT_EQ(fast, fill) << text << " cell " << cell << " side " << side;
                    ++checked;
                }
            }
        });
    EXPECT_GT(checked, 2000);
}

// The cells of the level text, loaded into core.
LevelCells LoadLevel(test::Core& core, const std::string& text) {
    test::LoadText(*core.state, text);
    LevelCells level;
    EXPECT_TRUE(ReadLevelCells(*core.state, level)) << text;
    return level;
}

TEST(PushbotPackingLayers, ADeadEndFillsFromItsFarEnd) {
    test::Core core;
    // A dead-end corridor of goals, and a goal on its own in the room.
    const LevelCells level = LoadLevel(core, "##########\n#@ $$$...#\n#  $    .#\n##########\n");
    pushbot::PackingLayers layers;
    layers.Build(level);
    const int stride = level.step[2];
    auto cell = [&](int x, int y) { return x + y * stride; };
    EXPECT_EQ(layers.Layer(cell(6, 1)), 0);
    EXPECT_EQ(layers.Layer(cell(8, 2)), 0);
    EXPECT_LT(layers.Layer(cell(6, 1)), layers.Layer(cell(7, 1)));
    EXPECT_LT(layers.Layer(cell(7, 1)), layers.Layer(cell(8, 1)));
    EXPECT_EQ(layers.Layer(cell(1, 1)), -1);
    std::vector<std::uint32_t> board(level.cells, 0);
    board[cell(8, 1)] = BOX;
    EXPECT_TRUE(layers.DeeperFilled(board.data(), cell(7, 1)));
    EXPECT_FALSE(layers.DeeperFilled(board.data(), cell(6, 1)));
    board[cell(7, 1)] = BOX;
    EXPECT_TRUE(layers.DeeperFilled(board.data(), cell(6, 1)));
}

// Whether a box from some start cell, the keeper beside it, reaches goal by pushes on board.
bool FromSomeStart(const LevelCells& level, const std::vector<std::uint32_t>& board, int goal) {
    for (const int start : level.startBoxes) {
        if (board[start] != 0) continue;
        for (int d = 0; d < 4; ++d) {
            const int keeper = start + level.step[d];
            if (board[keeper] == 0 && FewestPushes(level, board, start, keeper)[goal] >= 0)
                return true;
        }
    }
    return false;
}

TEST(PushbotPackingOrder, ACorridorFillsFromItsFarEndAndCountsTheRunFromThere) {
    test::Core core;
    const LevelCells level = LoadLevel(core, "##########\n#@ $$$...#\n##########\n");
    pushbot::PackingOrder order;
    order.Build(level);
    const int row = level.step[2];
    EXPECT_EQ(order.FillOrder(), (std::vector<int>{row + 8, row + 7, row + 6}));
    std::vector<std::uint32_t> board(level.cells, 0);
    board[row + 7] = BOX;
    EXPECT_EQ(order.Packed(board.data()), 0) << "the far goal is still free";
    board[row + 8] = BOX;
    EXPECT_EQ(order.Packed(board.data()), 2);
}

TEST(PushbotPackingOrder, EachGoalFillsByPushesWithTheGoalsBeforeItFull) {
    int checked = 0;
    test::ForEachPulledRoom(
        23, 150,
        [&](const std::string& text, const LevelCells& level, std::vector<std::uint32_t>&) {
            pushbot::PackingOrder order;
            order.Build(level);
            const std::vector<int>& fill = order.FillOrder();
            ASSERT_EQ(fill.size(), level.goals.size()) << text;
            std::vector<std::uint32_t> board(level.cells, 0);
            for (int c = 0; c < level.cells; ++c)
                if (level.wall[c]) board[c] = WALL;
            for (std::size_t i = 0; i < fill.size(); ++i) {
                const int out = order.OutCell(static_cast<int>(i));
                if (out >= 0) {
                    ASSERT_FALSE(level.Goal(out)) << text;
                    const std::vector<int> pushes =
                        FewestPushes(level, board, out, order.OutKeeper(static_cast<int>(i)));
                    EXPECT_GE(pushes[fill[i]], 0) << text << " goal " << fill[i];
                    EXPECT_TRUE(FromSomeStart(level, board, fill[i]))
                        << text << " goal " << fill[i];
                    ++checked;
                }
                board[fill[i]] = BOX;
            }
            EXPECT_EQ(order.Packed(board.data()), static_cast<int>(fill.size())) << text;
        });
    EXPECT_GT(checked, 300);
}

}  // namespace
}  // namespace ruk
