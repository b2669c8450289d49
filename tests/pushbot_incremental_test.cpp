// The push search's shortcuts that reuse the expanded position's work for its children: each
// must give what the computation from scratch gives, checked on every push of random walks
// through small rooms.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "box_paths.h"
#include "free_regions.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "pushbot_rooms.h"
#include "search/breadth_fill.h"

namespace ruk {
namespace {

using pushbot::LevelCells;

// The floor areas of board, counted whole.
int CountAreas(const LevelCells& level, const std::vector<std::uint32_t>& board) {
    std::vector<std::int32_t> queue(level.cells + 1);
    MarkMap marks;
    marks.NewStamp();
    int areas = 0;
    for (int c = 0; c < level.cells; ++c) {
        if (board[c] != 0 || marks.Marked(c)) continue;
        ++areas;
        MarkRegion(marks, c, level.step, queue.data(), [&](int n) { return board[n] == 0; });
    }
    return areas;
}

// The pushes of one box from a position of a walk: the board after them (the position's region
// still marked in reach).
struct Push {
    const LevelCells& level;
    std::vector<std::uint32_t>& board;
    pushbot::KeeperReach& reach;
    pushbot::FreeRegions& regions;  // NewParent called for the position
    int parentAnchor, from, to, length, keeper;
};

// Walks of random pushes through `rooms` rooms; check sees every push that
// the keeper can make on the way, and every cell a box reaches by two pushes or more, the board
// changed and restored around it.
void ForEachPush(unsigned seed, int rooms, const std::function<void(const Push&)>& check) {
    std::mt19937 rng(seed);
    test::ForEachPulledRoom(
        seed, rooms,
        [&](const std::string&, const LevelCells& level, std::vector<std::uint32_t>& board) {
            pushbot::KeeperReach reach(level);
            pushbot::BoxPaths paths(level);
            pushbot::FreeRegions regions(level);
            const std::vector<std::uint8_t> dead(level.cells, 0);
            int keeper = level.startKeeper;
            for (int walk = 0; walk < 30; ++walk) {
                const int anchor = reach.Mark(board.data(), keeper);
                regions.NewParent(CountAreas(level, board));
                std::vector<std::pair<int, int>> pushes;  // from, dir
                for (int c = 0; c < level.cells; ++c) {
                    if (board[c] != BOX) continue;
                    for (int d = 0; d < 4; ++d)
                        if (reach.Reached(c - level.step[d]) && board[c + level.step[d]] == 0)
                            pushes.emplace_back(c, d);
                }
                if (pushes.empty()) break;
                for (const auto& [from, d] : pushes) {
                    const int to = from + level.step[d];
                    board[from] = 0;
                    board[to] = BOX;
                    check(Push{level, board, reach, regions, anchor, from, to, 1, from});
                    board[to] = 0;
                    board[from] = BOX;
                }
                for (int box = 0; box < level.cells; ++box) {
                    if (board[box] != BOX) continue;
                    paths.Fill(board.data(), box, dead.data(),
                               [&](int c) { return reach.Reached(c); });
                    for (int to = 0; to < level.cells; ++to) {
                        for (int d = 0; d < 4; ++d) {
                            if (to == box || paths.Pushes(to, d) < 2) continue;
                            board[box] = 0;
                            board[to] = BOX;
                            check(Push{level, board, reach, regions, anchor, box, to, 2,
                                       to - level.step[d]});
                            board[to] = 0;
                            board[box] = BOX;
                        }
                    }
                }
                const auto [from, d] = pushes[rng() % pushes.size()];
                board[from] = 0;
                board[from + level.step[d]] = BOX;
                keeper = from;
            }
        });
}

TEST(PushbotIncremental, ChildAnchorEqualsTheFilledRegionsSmallestCell) {
    std::vector<std::int32_t> queue;
    MarkMap marks;
    int pushes = 0;
    ForEachPush(21, 300, [&](const Push& p) {
        queue.assign(p.level.cells + 1, 0);
        marks.NewStamp();
        const int fresh = MarkRegion(marks, p.keeper, p.level.step, queue.data(),
                                     [&](int c) { return p.board[c] == 0; });
        const int fast =
            p.reach.ChildAnchor(p.board.data(), p.parentAnchor, p.from, p.to, p.length, p.keeper);
        ASSERT_EQ(fast, fresh) << "box " << p.from << " to " << p.to << " by " << p.length;
        ++pushes;
    });
    EXPECT_GT(pushes, 10000);
}

TEST(PushbotIncremental, FloorAreasAfterAPushEqualACountOfTheWholeBoard) {
    int answered = 0, pushes = 0;
    ForEachPush(23, 300, [&](const Push& p) {
        const int areas = CountAreas(p.level, p.board);
        const int fast = p.regions.AfterPush(p.board.data(), p.from, p.to, p.reach);
        ++pushes;
        if (fast < 0) return;  // left to the whole count
        ASSERT_EQ(fast, areas) << "box " << p.from << " to " << p.to << " by " << p.length;
        ++answered;
    });
    EXPECT_GT(answered, pushes / 2);
}

}  // namespace
}  // namespace ruk
