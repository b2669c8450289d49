// The search primitives: stamp wrap, fill order and early end, regions, box sides vs a full fill.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "search/box_sides.h"
#include "search/breadth_fill.h"
#include "search/mark_map.h"

namespace ruk::test {
namespace {

constexpr int W = 7;  // rooms of 7 x 7, walls all round
constexpr std::int32_t STEP[4] = {-W, 1, W, -1};

// A 7 x 7 room from rows of '#' (wall) and ' ' (floor): 1 for a wall, 0 for floor.
std::vector<std::uint32_t> Room(const std::array<const char*, W>& rows) {
    std::vector<std::uint32_t> board(W * W);
    for (int r = 0; r < W; ++r)
        for (int c = 0; c < W; ++c) board[r * W + c] = rows[r][c] == '#' ? 1 : 0;
    return board;
}

TEST(SearchPrimitivesTest, AStampMarksUntilTheNextAndAWrapClearsEveryMark) {
    MarkMap marks;
    marks.NewStamp();
    marks.Mark(3);
    EXPECT_TRUE(marks.Marked(3));
    EXPECT_FALSE(marks.Marked(4));
    marks.NewStamp();
    EXPECT_FALSE(marks.Marked(3));

    MarkMap nearWrap(0xffffffffu);
    nearWrap.Mark(5);  // holds the last stamp before the wrap
    EXPECT_TRUE(nearWrap.Marked(5));
    EXPECT_EQ(nearWrap.NewStamp(), 1u);
    EXPECT_FALSE(nearWrap.Marked(5));
    EXPECT_EQ(nearWrap.Stamps()[5], 0u);  // cleared, so no old mark can match a later stamp
}

TEST(SearchPrimitivesTest, TheFillTakesCellsLayerByLayerUpRightDownLeft) {
    const auto board =
        Room({"#######", "#     #", "#     #", "#     #", "#     #", "#     #", "#######"});
    std::vector<std::uint32_t> distance(W * W, 0);
    std::vector<int> order;
    std::array<std::int32_t, W * W> queue{};
    const int centre = 3 * W + 3;
    const int taken = BreadthFill(
        centre, STEP, queue.data(),
        [&](int next, int) { return board[next] == 0 && distance[next] == 0; },
        [&](int cell, int from) {
            distance[cell] = from < 0 ? 1 : distance[from] + 1;
            order.push_back(cell);
        });
    EXPECT_EQ(taken, 25);
    ASSERT_GE(order.size(), 5u);
    const std::vector<int> first = {centre, centre - W, centre + 1, centre + W, centre - 1};
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5), first);
    EXPECT_EQ(distance[1 * W + 1], 5u);  // a corner: four steps away
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LE(distance[order[i - 1]], distance[order[i]]);

    // The early end: asked before each expansion, so the start's neighbours are still taken.
    std::fill(distance.begin(), distance.end(), 0u);
    const int early = BreadthFill(
        centre, STEP, queue.data(),
        [&](int next, int) { return board[next] == 0 && distance[next] == 0; },
        [&](int cell, int) { distance[cell] = 1; }, [&] { return distance[centre - W] != 0; });
    EXPECT_EQ(early, 5);
}

TEST(SearchPrimitivesTest, RegionsShareAStampAndReportTheirSmallestCell) {
    const auto board =
        Room({"#######", "#  #  #", "#  #  #", "#######", "#     #", "#     #", "#######"});
    MarkMap marks;
    std::array<std::int32_t, W * W> queue{};
    auto free = [&](int cell) { return board[cell] == 0; };
    marks.NewStamp();
    EXPECT_EQ(MarkRegion(marks, 2 * W + 2, STEP, queue.data(), free), 1 * W + 1);
    EXPECT_EQ(MarkRegion(marks, 5 * W + 5, STEP, queue.data(), free), 4 * W + 1);
    EXPECT_TRUE(marks.Marked(1 * W + 2));
    EXPECT_TRUE(marks.Marked(4 * W + 5));
    EXPECT_FALSE(marks.Marked(1 * W + 4));  // the right-hand room was never filled
}

// The sides of the box the keeper reaches, from a full fill without any early end.
std::uint32_t FullFillSides(const std::vector<std::uint32_t>& board, int box, int keeper) {
    std::vector<char> seen(board.size(), 0);
    std::vector<int> todo = {keeper};
    seen[keeper] = 1;
    while (!todo.empty()) {
        const int cell = todo.back();
        todo.pop_back();
        for (int d = 0; d < 4; ++d) {
            const int next = cell + STEP[d];
            if (board[next] != 0 || seen[next]) continue;
            seen[next] = 1;
            todo.push_back(next);
        }
    }
    std::uint32_t sides = 0;
    for (int d = 0; d < 4; ++d)
        if (board[box + STEP[d]] == 0 && seen[box + STEP[d]]) sides |= 1u << d;
    return sides;
}

TEST(SearchPrimitivesTest, BoxSidesEqualAFullFillOnRandomRooms) {
    std::mt19937 random(17);
    MarkMap marks;
    std::array<std::int32_t, MARK_CELLS> queue{};
    int compared = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<std::uint32_t> board(W * W, 1);
        std::vector<int> floor;
        for (int r = 1; r < W - 1; ++r) {
            for (int c = 1; c < W - 1; ++c) {
                if (random() % 10 < 3) continue;
                board[r * W + c] = 0;
                floor.push_back(r * W + c);
            }
        }
        if (floor.size() < 2) continue;
        const int box = floor[random() % floor.size()];
        const int keeper = floor[random() % floor.size()];
        if (box == keeper) continue;
        board[box] = 2;
        EXPECT_EQ(BoxSides(board.data(), box, keeper, STEP, marks, queue.data()),
                  FullFillSides(board, box, keeper))
            << "round " << round;
        ++compared;
    }
    EXPECT_GT(compared, 300);
}

}  // namespace
}  // namespace ruk::test
