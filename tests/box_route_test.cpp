// Box routes and walks: fewest pushes then fewest moves against a brute-force oracle, the same
// letters as a literal queue of every improvement, legal strings, and big boards.
#include <gtest/gtest.h>

#include <map>
#include <queue>
#include <random>

#include "board/text_level_parser.h"
#include "engine/box_route.h"
#include "engine/move_letters.h"
#include "engine/play_reset.h"
#include "engine/solved_check.h"
#include "engine/walk_path.h"
#include "level_change.h"
#include "level_generator.h"
#include "planner/fill_region.h"
#include "test_files.h"

namespace ruk::test {
namespace {

struct Cost {
    int pushes = -1;
    int moves = -1;
    bool operator==(const Cost&) const = default;
};

// Fewest pushes, then fewest moves, over (box, keeper) states with a lexicographic Dijkstra;
// the route ends with a push onto target after which the keeper can reach side.
Cost Oracle(const CoreState& core, int box, int target, int side) {
    const auto& plan = core.game.planBoard;
    const int cells = core.level.board.cellCount;
    const auto& step = core.level.directions.stepOffset;
    auto free = [&](int i, int boxAt) { return i != boxAt && (i == box || plan[i] == 0); };
    auto keeperReaches = [&](int from, int to, int boxAt) {
        std::vector<char> seen(static_cast<std::size_t>(cells), 0);
        std::vector<int> todo{from};
        seen[from] = 1;
        while (!todo.empty()) {
            const int c = todo.back();
            todo.pop_back();
            if (c == to) return true;
            for (int d = 0; d < 4; ++d) {
                const int n = c + step[d];
                if (!seen[n] && free(n, boxAt)) {
                    seen[n] = 1;
                    todo.push_back(n);
                }
            }
        }
        return false;
    };
    using Entry = std::tuple<int, int, int, int>;  // pushes, moves, box, keeper
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    std::map<std::pair<int, int>, std::pair<int, int>> done;
    open.emplace(0, 0, box, core.game.planKeeper);
    while (!open.empty()) {
        const auto [pushes, moves, at, keeper] = open.top();
        open.pop();
        if (done.count({at, keeper})) continue;
        done[{at, keeper}] = {pushes, moves};
        if (pushes > 0 && at == target && keeperReaches(keeper, side, at)) return {pushes, moves};
        for (int d = 0; d < 4; ++d) {
            const int n = keeper + step[d];
            if (n == at) {
                const int beyond = at + step[d];
                if (free(beyond, at)) open.emplace(pushes + 1, moves + 1, beyond, n);
            } else if (free(n, at)) {
                open.emplace(pushes, moves + 1, at, n);
            }
        }
    }
    return {};
}

// The search as plainly as it can be said: a queue that takes a node for every improvement.
std::string LiteralRoute(CoreState& core, int box, int target, int side) {
    struct Node {
        int from, to, pushes, moves, parent;
    };
    GameRecord& game = core.game;
    PlayScratch& scratch = core.scratch;
    const int cells = core.level.board.cellCount;
    const auto& step = core.level.directions.stepOffset;
    auto& plan = game.planBoard;
    std::vector<std::uint32_t> sideMap(MAX_CELLS), startMap(MAX_CELLS), dist(MAX_CELLS);
    std::vector<std::int32_t> queue(MAX_CELLS);
    auto distances = [&](std::vector<std::uint32_t>& map, int from) {
        DistanceMap(map.data(), from, plan.data(), cells, core.level.directions, queue.data());
    };
    std::vector<int> bestPushes(cells * 4, 0), bestMoves(cells * 4, 0);
    plan[box] = 0;
    plan[target] = BOX;
    distances(sideMap, side);
    plan[target] = 0;
    plan[box] = BOX;
    distances(startMap, game.planKeeper);
    std::vector<Node> nodes;
    int best = -1;
    auto offer = [&](int from, int k, int pushes, int moves, int parent) {
        const int to = from + step[k];
        const int s = to * 4 + k;
        if (bestPushes[s] != 0 &&
            (bestPushes[s] < pushes || (bestPushes[s] == pushes && bestMoves[s] <= moves)))
            return;
        bestPushes[s] = pushes;
        bestMoves[s] = moves;
        nodes.push_back({from, to, pushes, moves, parent});
        if (to == target && sideMap[from] != 0 &&
            (best < 0 || pushes < nodes[best].pushes ||
             (pushes == nodes[best].pushes && moves < nodes[best].moves)))
            best = static_cast<int>(nodes.size()) - 1;
    };
    for (int k = 0; k < 4; ++k)
        if (plan[box + step[k]] == 0 && startMap[box - step[k]] != 0)
            offer(box, k, 1, static_cast<int>(startMap[box - step[k]]), -1);
    if (best < 0) {
        plan[box] = 0;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            const Node node = nodes[i];
            if (best >= 0 && node.pushes >= nodes[best].pushes) break;
            plan[node.to] = BOX;
            distances(dist, node.from);
            plan[node.to] = 0;
            int k0 = 0;
            while (step[k0] != node.to - node.from) ++k0;
            for (int j = 0; j < 4; ++j) {
                const int k = (k0 + j) % 4;
                if (plan[node.to + step[k]] == 0 && dist[node.to - step[k]] != 0)
                    offer(node.to, k, node.pushes + 1,
                          node.moves + static_cast<int>(dist[node.to - step[k]]),
                          static_cast<int>(i));
            }
        }
        plan[box] = BOX;
    }
    if (best < 0) return "-";
    std::vector<int> chain;
    for (int n = best; n >= 0; n = nodes[n].parent) chain.insert(chain.begin(), n);
    // Letters as the builder writes them, on a copy of the history.
    MoveHistory saved;
    InitMoveHistory(saved);
    std::swap(saved, game.history);
    const auto planBefore = plan;
    const int keeperBefore = game.planKeeper;
    for (int n : chain) {
        const Node& push = nodes[n];
        const int behind = 2 * push.from - push.to;
        if (game.planKeeper != behind)
            AppendWalk(core.level, game, scratch.route, game.planKeeper, behind);
        int k = 0;
        while (step[k] != push.to - push.from) ++k;
        AppendLetter(game.history, PushLetter(k));
        plan[push.from] = 0;
        plan[push.to] = BOX;
        game.planKeeper = push.from;
    }
    std::string letters(game.history.text.get(), game.history.end);
    std::swap(saved, game.history);
    plan = planBefore;
    game.planKeeper = keeperBefore;
    return letters;
}

TEST(BoxRouteTest, CheapestRoutesMatchTheOracleAndTheLiteralSearch) {
    std::mt19937 rng(23);
    Core core;
    CoreState& state = *core.state;
    int routes = 0;
    int missing = 0;
    for (int round = 0; round < 60; ++round) {
        const std::string text = RandomRoom(rng, {6, 4, 6, 3, 7, 2, 1});
        LoadText(state, text);
        if (state.level.board.status != LevelStatus::PLAYABLE) continue;
        const int cells = state.level.board.cellCount;
        const int box = state.game.shown.boxList[0];
        for (int target = 0; target < cells; ++target) {
            if (target == box || state.game.planBoard[target] != 0) continue;
            for (int side = 0; side < cells; side += 3) {
                if (side == target || (state.game.planBoard[side] != 0 && side != box)) continue;
                EmptyMoveHistory(state.game.history);
                ResetPlayForLevel(state.game, state.level.board);
                const Cost expected = Oracle(state, box, target, side);
                const std::string literal = LiteralRoute(state, box, target, side);
                const bool found =
                    AppendBoxRoute(state.level, state.game, state.scratch.route, box, target, side);
                const std::string where =
                    text + "target " + std::to_string(target) + " side " + std::to_string(side);
                ASSERT_EQ(found, expected.pushes > 0) << where;
                ASSERT_FALSE(state.game.history.failed) << where;
                const std::string letters(state.game.history.text.get(), state.game.history.end);
                if (!found) {
                    ASSERT_TRUE(letters.empty()) << where;
                    ASSERT_EQ(literal, "-") << where;
                    ++missing;
                    continue;
                }
                const int pushes = static_cast<int>(
                    std::count_if(letters.begin(), letters.end(), [](char c) { return c < 'a'; }));
                ASSERT_EQ((Cost{pushes, static_cast<int>(letters.size())}), expected) << where;
                ASSERT_EQ(letters, literal) << where;
                SolvedTest(state.level, state.game, state.scratch);
                ASSERT_EQ(state.game.totals.totalMoves, letters.size()) << where << " is legal";
                ASSERT_EQ(state.game.planBoard[target], BOX) << where;
                ++routes;
            }
        }
    }
    EXPECT_GT(routes, 2000);
    EXPECT_GT(missing, 100);
}

TEST(BoxRouteTest, WalksKeepTheirDirectionAndOneDirectPushWins) {
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#######\n#@    #\n#     #\n#    $#\n#    .#\n#######");
    const int width = 7;
    EXPECT_TRUE(AppendWalk(state.level, state.game, state.scratch.route, 8, 8));
    EXPECT_EQ(state.game.history.end, 0u) << "a walk to the keeper's own cell writes nothing";
    EXPECT_TRUE(AppendWalk(state.level, state.game, state.scratch.route, 8, 2 * width + 4));
    EXPECT_STREQ(state.game.history.text.get(), "rrrd") << "up first, then straight on";
    EXPECT_EQ(state.game.planKeeper, 2 * width + 4);
    EmptyMoveHistory(state.game.history);
    ResetPlayForLevel(state.game, state.level.board);
    EXPECT_FALSE(AppendWalk(state.level, state.game, state.scratch.route, 8, 0))
        << "a wall cannot be walked to";
    EXPECT_EQ(state.game.planKeeper, 8);
    EXPECT_EQ(state.game.history.end, 0u);

    // One push down reaches the goal; the route takes it whatever the walk costs.
    EXPECT_TRUE(AppendBoxRoute(state.level, state.game, state.scratch.route, 3 * width + 5,
                               4 * width + 5, 8));
    EXPECT_STREQ(state.game.history.text.get(), "rrrrdD");
    // A target no push can reach: nothing appended, and recording goes on.
    EXPECT_FALSE(AppendBoxRoute(state.level, state.game, state.scratch.route, 4 * width + 5,
                                1 * width + 1, 8));
    EXPECT_FALSE(state.game.history.failed);
    EXPECT_STREQ(state.game.history.text.get(), "rrrrdD");
}

TEST(BoxRouteTest, EveryTargetOfABigOpenRoomGetsARoute) {
    Core core;
    CoreState& state = *core.state;
    state.level.grids.maxHeight = GRID_SIDE;
    const std::string text = gen::OpenRoomWithOneBox();
    LoadText(state, text);
    ASSERT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
    const int box = 24 * 48 + 24;
    int routes = 0;
    for (int target = 0; target < state.level.board.cellCount; ++target) {
        if (target == box || state.game.planBoard[target] != 0) continue;
        EmptyMoveHistory(state.game.history);
        ResetPlayForLevel(state.game, state.level.board);
        const int side = target == 2 * 48 + 2 ? 2 * 48 + 3 : 2 * 48 + 2;
        ASSERT_TRUE(AppendBoxRoute(state.level, state.game, state.scratch.route, box, target, side))
            << target;
        ++routes;
    }
    EXPECT_EQ(routes, 46 * 46 - 1);
}

}  // namespace
}  // namespace ruk::test
