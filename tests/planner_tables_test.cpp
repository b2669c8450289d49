// The start analysis and the goal-reach tables: exact on crafted levels, and equal to a
// brute-force search over (box, keeper) states on many small random levels.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>

#include "board/text_level_parser.h"
#include "level_change.h"
#include "planner/fill_region.h"
#include "planner/level_status.h"
#include "planner/reverse_search.h"
#include "planner/start_position.h"
#include "test_files.h"

namespace ruk::test {
namespace {

// Box cells a lone box starting on `from` can be pushed to, the keeper starting anywhere free.
std::set<int> BruteReach(const CoreState& core, int from) {
    const std::uint32_t* walls = core.game.shown.positionBoard.data();
    const int cells = core.level.board.cellCount;
    const auto& step = core.level.directions.stepOffset;
    auto free = [&](int i) { return (walls[i] & WALL) == 0; };
    std::set<int> boxes;
    if (!free(from)) return boxes;
    std::vector<char> seen(static_cast<std::size_t>(cells * cells), 0);
    std::deque<std::pair<int, int>> queue;
    for (int k = 0; k < cells; ++k) {
        if (k != from && free(k)) {
            seen[from * cells + k] = 1;
            queue.emplace_back(from, k);
        }
    }
    while (!queue.empty()) {
        const auto [box, keeper] = queue.front();
        queue.pop_front();
        boxes.insert(box);
        for (int d = 0; d < 4; ++d) {
            int nextBox = box;
            const int nextKeeper = keeper + step[d];
            if (!free(nextKeeper)) continue;
            if (nextKeeper == box) {
                nextBox = box + step[d];
                if (!free(nextBox)) continue;
            }
            char& mark = seen[nextBox * cells + nextKeeper];
            if (!mark) {
                mark = 1;
                queue.emplace_back(nextBox, nextKeeper);
            }
        }
    }
    return boxes;
}

TEST(PlannerTablesTest, GoalReachLiveMapAndOpenDeadMapEqualBruteForce) {
    std::mt19937 rng(17);
    Core core;
    CoreState& state = *core.state;
    int compared = 0;
    int withOpenDead = 0;
    std::array<std::uint64_t, MAX_CELLS> live{};
    for (int round = 0; round < 400; ++round) {
        const std::string text = RandomRoom(rng, {5, 5, 5, 4, 6, 1, 3});
        LoadText(state, text);
        if (state.level.board.status != LevelStatus::PLAYABLE) continue;
        const int cells = state.level.board.cellCount;
        const PlannerTables& t = state.planner;
        std::vector<std::set<int>> reach(static_cast<std::size_t>(cells));
        for (int c = 0; c < cells; ++c) reach[c] = BruteReach(state, c);
        LiveMap(state, live.data(), state.game.shown.positionBoard.data(),
                state.planner.goalMap.data());
        bool boxOnDead = false;
        for (int c = 0; c < cells; ++c) {
            std::uint64_t expected = 0;
            for (int j = 0; j < t.goalListCount; ++j)
                if (reach[c].count(t.goalList[j])) expected |= 1ull << j;
            ASSERT_EQ(t.goalReach[c], expected) << text << "cell " << c;
            ASSERT_EQ(live[c], expected ? 1u : 0u) << text << "cell " << c;
            if (state.game.shown.positionBoard[c] == BOX && expected == 0) boxOnDead = true;
        }
        const auto& walls = state.game.shown.positionBoard;
        auto free = [&](int i) { return (walls[i] & WALL) == 0; };
        std::set<int> openDead;
        for (int c = 0; c < cells; ++c) {
            if (!free(c) || t.goalReach[c] != 0) continue;
            bool open = true;
            for (int d = 0; d < 4; ++d)
                open = open && free(c + state.level.directions.stepOffset[d]);
            if (open) openDead.insert(c);
        }
        for (int c = 0; c < cells; ++c) {
            bool expected = false;
            if (boxOnDead)
                for (int dead : openDead) expected = expected || reach[c].count(dead) > 0;
            if (t.openDeadMap[c] != (expected ? 1u : 0u)) {
                std::string dead;
                for (int x : openDead) dead += std::to_string(x) + " ";
                std::string reached;
                for (int x : reach[c]) reached += std::to_string(x) + " ";
                std::string map;
                for (int i = 0; i < cells; ++i) map += t.openDeadMap[i] ? '1' : '0';
                ADD_FAILURE() << text << "cell " << c << " dead: " << dead << " reach: " << reached
                              << " map: " << map;
                return;
            }
        }
        withOpenDead += boxOnDead && !openDead.empty();
        ++compared;
    }
    EXPECT_GT(compared, 150);
    EXPECT_GT(withOpenDead, 10);
}

TEST(PlannerTablesTest, StartAnalysisWallsFrozenBoxesAndDeadGoals) {
    Core core;
    CoreState& state = *core.state;
    const auto& position = state.game.shown.positionBoard;
    // A box in a corner off a goal can never move: BLOCKED, and load turns it into PLAYABLE.
    CopyText(state.level.levelSet.sourceText, "######\n#$ . #\n#@   #\n#.$  #\n######");
    ParseTextLevel(state.level);
    RebuildStartPosition(state);
    EXPECT_EQ(state.level.board.status, LevelStatus::BLOCKED);
    EXPECT_EQ(FinishLevelLoad(state), LevelStatus::PLAYABLE);

    // The same box on a goal becomes a wall; the rest are counted without it.
    LoadText(state, "######\n#* . #\n#@   #\n# $  #\n######");
    EXPECT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(position[7], WALL);
    EXPECT_EQ(state.planner.goalMap[7], WALL);
    EXPECT_EQ(state.game.shown.boxListCount, 1);
    EXPECT_EQ(state.planner.goalCount, 1);
    EXPECT_EQ(state.game.shown.boxList[0], 20);

    // A goal at the end of a one-cell dead end: no box can be pushed onto it.
    CopyText(state.level.levelSet.sourceText, "#######\n##.####\n#@ $  #\n#######");
    ParseTextLevel(state.level);
    RebuildStartPosition(state);
    EXPECT_EQ(state.level.board.status, LevelStatus::BLOCKED);
    LoadText(state, "#######\n##*####\n#@ $ .#\n#######");
    EXPECT_EQ(position[9], WALL) << "a dead goal holding a box is a wall";
    EXPECT_EQ(state.game.shown.boxListCount, 1);

    // A goal with two free cells in line beyond it is fillable; cells outside are walls.
    LoadText(state, "  ####\n###  #\n#@$ .#\n######");
    EXPECT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
    EXPECT_EQ(position[0], WALL) << "outside the keeper's area";
    EXPECT_EQ(state.planner.goalMap[16], GOAL);
    EXPECT_EQ(state.planner.goalReach[16] & 1, 1u) << "a goal's own bit";
    EXPECT_EQ(state.planner.goalReach[9], 0u) << "a corner that is no goal is dead";
}

TEST(PlannerTablesTest, SixtyFourBoxesUseMasksSixtyFiveTheLiveMap) {
    Core core;
    CoreState& state = *core.state;
    auto level = [](int boxes, bool frozenOnGoal) {
        std::string text = "##########\n";
        text += frozenOnGoal ? "#*       #\n" : "#        #\n";
        int placed = frozenOnGoal ? 1 : 0;
        // At least 18 rows, then more while boxes are left to place.
        for (int r = 0; r < 34 && (r < 18 || placed < boxes); ++r) {
            std::string row = "#        #";
            for (int c = 2; c <= 7 && placed < boxes; c += 5) {
                row[c] = '$';
                row[c + 1] = '.';
                ++placed;
            }
            text += row + "\n";
        }
        text += "#@       #\n##########\n";
        return text;
    };
    LoadText(state, level(64, false));
    EXPECT_EQ(state.game.shown.boxListCount, 64);
    EXPECT_FALSE(state.planner.manyBoxes);
    LoadText(state, level(65, false));
    EXPECT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
    EXPECT_TRUE(state.planner.manyBoxes);
    EXPECT_EQ(state.planner.goalCount, 65);
    EXPECT_EQ(state.planner.goalListCount, 64) << "the 65th goal is counted, not listed";
    EXPECT_EQ(state.planner.goalReach[2 * 10 + 3], 1u) << "live map: 1 on a goal, not a bit";
    LoadText(state, level(65, true));
    EXPECT_EQ(state.game.shown.boxListCount, 64) << "the frozen box on a goal is a wall";
    EXPECT_FALSE(state.planner.manyBoxes);
}

TEST(PlannerTablesTest, LoadStatusesAndAnchors) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "; nothing here\n");
    EXPECT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL);
    EXPECT_EQ(state.game.history.end, 0u);
    state.level.grids.maxWidth = 10;
    LoadText(state, "############\n#@$.       #\n############");
    EXPECT_EQ(state.level.board.status, LevelStatus::SIZE_OVER);
    state.level.grids.maxWidth = 50;

    LoadText(state, "######\n#@ $.#\n######");
    const DirectionTables& dirs = state.level.directions;
    std::array<std::uint32_t, MAX_CELLS> marks{};
    const auto& position = state.game.shown.positionBoard;
    EXPECT_EQ(FillRegion(position.data(), marks.data(), 8, 1, dirs, state.planner.queue.data()), 7)
        << "one region, one anchor";
    marks.fill(0);
    EXPECT_EQ(FillRegion(position.data(), marks.data(), 7, 1, dirs, state.planner.queue.data()), 7);
    marks.fill(0);
    auto blocked = position;
    blocked[8] = WALL;
    EXPECT_EQ(FillRegion(blocked.data(), marks.data(), 9, 2, dirs, state.planner.queue.data()), 9)
        << "a fill from a box still marks its start and anchors there";
    EXPECT_EQ(marks[9], 2u);
    EXPECT_EQ(marks[10], 2u);
}

}  // namespace
}  // namespace ruk::test
