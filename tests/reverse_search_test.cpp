// The reverse search stops its keeper fills early; over every level of the shared collections
// it must reach exactly the cells and sides of the plain search that fills every region whole.
#include <gtest/gtest.h>

#include "core_door.h"
#include "planner/fill_region.h"
#include "planner/reverse_search.h"
#include "test_files.h"

namespace ruk::test {
namespace {

constexpr std::uint32_t kSides[4] = {DIR_UP, DIR_RIGHT, DIR_DOWN, DIR_LEFT};

// The reverse search as plainly as it can be said: every pull, one full fill on a clean map.
std::vector<std::uint32_t> PlainSeen(CoreState& core, int goal) {
    const int cells = core.level.board.cellCount;
    const auto& step = core.level.directions.stepOffset;
    std::vector<std::uint32_t> walls(MAX_CELLS, 0), marks(MAX_CELLS, 0), seen(MAX_CELLS, 0);
    std::vector<std::int32_t> queue(MAX_CELLS);
    for (int i = 0; i < cells; ++i) walls[i] = core.game.shown.positionBoard[i] & WALL;
    std::vector<std::pair<int, std::uint32_t>> nodes;
    std::uint32_t start = 0;
    for (int d = 0; d < 4; ++d)
        if (walls[goal + step[d]] == 0) start |= kSides[d];
    seen[goal] = start;
    nodes.emplace_back(goal, start);
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        const auto [cell, sides] = nodes[k];
        for (int d = 0; d < 4; ++d) {
            if (!(sides & kSides[d])) continue;
            const int n = cell + step[d];
            const int m = n + step[d];
            if (walls[m] != 0 || (seen[n] & kSides[d])) continue;
            walls[n] = BOX;
            std::fill(marks.begin(), marks.begin() + cells, 0u);
            FillRegion(walls.data(), marks.data(), m, 1, core.level.directions, queue.data());
            walls[n] = 0;
            std::uint32_t reached = 0;
            for (int s = 0; s < 4; ++s)
                if (marks[n + step[s]] != 0) reached |= kSides[s];
            seen[n] |= reached;
            nodes.emplace_back(n, reached);
        }
    }
    seen.resize(static_cast<std::size_t>(cells));
    return seen;
}

TEST(ReverseSearchTest, EarlyStoppingFillsGiveThePlainSearchTables) {
    const char* files[] = {"original-90.txt", "microban-155.txt", "large-sasquatch-viii.txt",
                           "large-microban-iv.txt", "dries-696.txt"};
    int searches = 0;
    for (const char* name : files) {
        const std::string path = SharedLevelFile(name);
        if (path.empty()) GTEST_SKIP() << "shared level collections are not beside the project";
        Core core;
        CoreState& state = *core.state;
        state.level.grids.maxHeight = GRID_SIDE;
        ASSERT_TRUE(door::OpenLevelSet(state, path.c_str()));
        for (int n = 1; n <= state.level.levelSet.count; ++n) {
            ASSERT_TRUE(LoadLevel(state, path, n));
            ASSERT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
            std::vector<int> goals;
            for (int i = 0; i < state.level.board.cellCount; ++i)
                if (state.planner.goalMap[i] == GOAL) goals.push_back(i);
            LoadWallMap(state, state.game.shown.positionBoard.data());
            std::vector<std::uint64_t> live(static_cast<std::size_t>(state.level.board.cellCount));
            for (std::size_t g = 0; g < goals.size(); ++g) {
                const auto plain = PlainSeen(state, goals[g]);
                ReverseSearch(state, goals[g]);
                const std::vector<std::uint32_t> fast(
                    state.planner.seen.begin(),
                    state.planner.seen.begin() + state.level.board.cellCount);
                ASSERT_EQ(fast, plain) << name << " level " << n << " goal " << goals[g];
                for (std::size_t i = 0; i < live.size(); ++i) live[i] |= plain[i] != 0;
                ++searches;
            }
            if (state.planner.manyBoxes) {
                const std::vector<std::uint64_t> table(
                    state.planner.goalReach.begin(),
                    state.planner.goalReach.begin() + state.level.board.cellCount);
                EXPECT_EQ(table, live) << name << " level " << n << ": live map";
            }
        }
    }
    EXPECT_GT(searches, 5000);
}

}  // namespace
}  // namespace ruk::test
