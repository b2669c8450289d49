// The targets of a selected box against a brute-force search over (box cell, keeper cell):
// the same cells, and for each as many arrivals as distinct keeper regions it can be left with.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <map>
#include <random>
#include <set>

#include "engine/box_selection.h"
#include "planner/fill_region.h"
#include "test_files.h"

namespace ruk::test {
namespace {

// For every cell the box can be pushed to (pushes of that box alone), the keeper regions,
// named by their anchors, it can be left with after an arriving push.
std::map<int, std::set<int>> BruteArrivals(CoreState& core, int box) {
    auto position = core.game.shown.positionBoard;
    const int cells = core.level.board.cellCount;
    const auto& step = core.level.directions.stepOffset;
    position[box] = 0;
    std::vector<std::uint32_t> marks(MAX_CELLS);
    std::vector<std::int32_t> queue(MAX_CELLS);
    auto anchorOf = [&](int keeper, int at) {
        position[at] = BOX;
        std::fill(marks.begin(), marks.end(), 0u);
        const int anchor = FillRegion(position.data(), marks.data(), keeper, 1,
                                      core.level.directions, queue.data());
        position[at] = 0;
        return anchor;
    };
    std::map<int, std::set<int>> arrivals;
    std::set<std::pair<int, int>> seen{{box, core.game.shown.keeperCell}};
    std::deque<std::pair<int, int>> todo{{box, core.game.shown.keeperCell}};
    while (!todo.empty()) {
        const auto [at, keeper] = todo.front();
        todo.pop_front();
        for (int d = 0; d < 4; ++d) {
            const int next = keeper + step[d];
            int nextBox = at;
            if (next == at) {
                nextBox = at + step[d];
                if (position[nextBox] != 0) continue;
                arrivals[nextBox].insert(anchorOf(next, nextBox));
            } else if (position[next] != 0) {
                continue;
            }
            if (seen.insert({nextBox, next}).second) todo.emplace_back(nextBox, next);
        }
    }
    (void)cells;
    // Back on its own cell the box counts only in a region the keeper did not start in.
    if (arrivals.count(box)) {
        arrivals[box].erase(anchorOf(core.game.shown.keeperCell, box));
        if (arrivals[box].empty()) arrivals.erase(box);
    }
    return arrivals;
}

// The anchor of the keeper's region at keeper with the selected box moved from box to at.
int RegionAnchor(const CoreState& core, int box, int at, int keeper) {
    auto position = core.game.shown.positionBoard;
    position[box] = 0;
    position[at] = BOX;
    std::vector<std::uint32_t> marks(MAX_CELLS);
    std::vector<std::int32_t> queue(MAX_CELLS);
    return FillRegion(position.data(), marks.data(), keeper, 1, core.level.directions,
                      queue.data());
}

TEST(BoxTargetsTest, UnguardedTargetsAndArrivalsMatchBruteForce) {
    std::mt19937 rng(31);
    Core core;
    CoreState& state = *core.state;
    int compared = 0;
    for (int round = 0; round < 150; ++round) {
        LoadText(state, RandomRoom(rng, {6, 4, 6, 3, 6, 2, 2}));
        if (state.level.board.status != LevelStatus::PLAYABLE) continue;
        const ShownPosition& shown = state.game.shown;
        const int box = shown.boxList[0];
        state.view.selectedBox = box;
        SelectBox(state);
        auto expected = BruteArrivals(state, box);
        int offGoal = 0;
        for (int b = 0; b < shown.boxListCount; ++b)
            offGoal += state.planner.goalMap[shown.boxList[b]] != GOAL;
        if (offGoal == 0) expected[box];  // its own cell is listed before the first push
        for (int cell = 0; cell < state.level.board.cellCount; ++cell) {
            const GridCell g = BoardToGrid(state.level.board, state.level.grids, cell);
            const int grid = GridIndex(g.row, g.col);
            const bool target = expected.count(cell) > 0;
            ASSERT_EQ(state.view.targets.targetFlag[grid] != 0, target) << cell;
            if (!target || cell == box) continue;
            const bool single = offGoal == 1 && state.planner.goalMap[box] != GOAL &&
                                state.planner.goalMap[cell] == GOAL;
            const int arrivals = state.view.targets.sideCount[grid];
            ASSERT_EQ(arrivals, single ? 1 : static_cast<int>(expected[cell].size())) << cell;
            // Each arrival leaves the keeper next to the box, each in a region of its own.
            std::set<int> regions;
            for (int k = 0; k < arrivals; ++k) {
                const int offset = state.view.targets.sideOffsets[grid][k];
                const auto& step = state.level.directions.stepOffset;
                ASSERT_NE(std::find(step.begin(), step.end(), offset), step.end()) << cell;
                regions.insert(RegionAnchor(state, box, cell, cell + offset));
            }
            ASSERT_EQ(static_cast<int>(regions.size()), arrivals) << cell;
            for (int anchor : regions) ASSERT_EQ(expected[cell].count(anchor), 1u) << cell;
        }
        ++compared;
    }
    EXPECT_GT(compared, 60);
}

class SelectBoxTest : public ::testing::Test {
  protected:
    Core core;
    CoreState& state = *core.state;

    // Selects the box at (row, col) of the level, guard off; the overlay cell of (row, col).
    int Arrivals(int boxRow, int boxCol, int row, int col) {
        const int width = RowStride(state.level.board);
        state.view.selectedBox = boxRow * width + boxCol;
        SelectBox(state);
        const GridCell g = BoardToGrid(state.level.board, state.level.grids, row * width + col);
        const int grid = GridIndex(g.row, g.col);
        return state.view.targets.targetFlag[grid] ? state.view.targets.sideCount[grid] : -1;
    }
};

TEST_F(SelectBoxTest, ArrivalsFollowTheKeeperRegionsAndTheSolvingPushRule) {
    // The gap in the middle wall: arriving from the left leaves the keeper left of the box,
    // from the right right of it, and the box in the gap keeps the two apart.
    LoadText(state, "#########\n#.  #   #\n# $   @ #\n#   #   #\n#########");
    EXPECT_EQ(Arrivals(2, 2, 2, 4), 2);
    const GridCell gap = BoardToGrid(state.level.board, state.level.grids, 2 * 9 + 4);
    const auto& offsets = state.view.targets.sideOffsets[GridIndex(gap.row, gap.col)];
    EXPECT_EQ(offsets[0], -1);
    EXPECT_EQ(offsets[1], 1);
    // The same gap as the goal of the only box off goal: the solving push offers one arrival.
    LoadText(state, "#########\n#   #   #\n# $ . @ #\n#   #   #\n#########");
    EXPECT_EQ(Arrivals(2, 2, 2, 4), 1);
    EXPECT_EQ(Arrivals(2, 2, 2, 3), 2) << "no goal there: both regions stay";
}

TEST_F(SelectBoxTest, EveryBoxOnAGoalListsItsOwnCellOnlyBeforeThePushes) {
    LoadText(state, "#######\n#@*   #\n#######");
    EXPECT_EQ(Arrivals(1, 2, 1, 2), 1) << "before the first push the own cell is listed";
    EXPECT_EQ(Arrivals(1, 2, 1, 4), 1);
    state.game.shown.shownPushes = 1;  // as after a push that left every box on a goal
    EXPECT_EQ(Arrivals(1, 2, 1, 3), -1);
    EXPECT_TRUE(state.view.boxSelected) << "selected, with no targets";
}

TEST_F(SelectBoxTest, AWalledBoxIsSelectedWithNoTargets) {
    LoadText(state, "#######\n#*    #\n#@ $ .#\n#######");
    EXPECT_EQ(state.game.shown.positionBoard[8], WALL) << "frozen on its goal";
    const auto before = state.game.shown.positionBoard;
    state.view.guardOn = true;
    EXPECT_EQ(Arrivals(1, 1, 1, 2), -1);
    EXPECT_TRUE(state.view.boxSelected);
    EXPECT_EQ(state.game.shown.positionBoard, before) << "nothing written over the wall";
}

}  // namespace
}  // namespace ruk::test
