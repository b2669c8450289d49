// Lone-box distances to the goals and the dead cells (see goal_distances.h).
#include "goal_distances.h"

#include <algorithm>

#include "search/breadth_fill.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

namespace {

// For each cell and side, a label: sides with equal labels are joined around a box on the cell,
// so the keeper walks from one to the other without pushing. -1 for a wall side.
std::vector<std::int8_t> SideGroups(const LevelCells& level, std::int32_t* queue) {
    const int n = level.cells;
    const std::int32_t* step = level.step;
    const std::vector<std::uint8_t>& wall = level.wall;
    std::vector<std::int8_t> group(static_cast<std::size_t>(n) * 4, -1);
    MarkMap seen;
    for (int c = 0; c < n; ++c) {
        if (wall[c]) continue;
        std::int8_t* g = &group[c * 4];
        std::int8_t label = 0;
        for (int k = 0; k < 4; ++k) {
            const int s = c + step[k];
            if (wall[s] || g[k] >= 0) continue;
            g[k] = label;
            int remaining = 0;
            for (int j = k + 1; j < 4; ++j)
                if (!wall[c + step[j]] && g[j] < 0) ++remaining;
            if (remaining > 0) {
                // The fill goes round the box on c, looking for its other free sides.
                seen.NewStamp();
                seen.Mark(c);
                BreadthFill(
                    s, step, queue, [&](int y, int) { return !wall[y] && !seen.Marked(y); },
                    [&](int y, int) {
                        seen.Mark(y);
                        for (int j = k + 1; j < 4; ++j) {
                            if (y == c + step[j] && g[j] < 0) {
                                g[j] = label;
                                --remaining;
                            }
                        }
                    },
                    [&] { return remaining <= 0; });
            }
            ++label;
        }
    }
    return group;
}

}  // namespace

void GoalDistances::Build(const LevelCells& level, BoxMoves moves) {
    const int n = level.cells;
    const std::int32_t* step = level.step;
    const std::vector<std::uint8_t>& wall = level.wall;
    cells_ = n;
    std::vector<std::int32_t> queue(n + 1);
    const std::vector<std::int8_t> group = SideGroups(level, queue.data());

    // A state is (cell, side of the keeper). Distances by pushes come from pulls out of each
    // goal, which move the box onto the keeper's cell; distances by pulls from pushes, which
    // move it away from the keeper.
    const bool pulls = moves == BoxMoves::PULLS;
    std::vector<int> goals(level.goals);
    if (pulls) goals.assign(level.startBoxes.begin(), level.startBoxes.end());
    const int goalCount = static_cast<int>(goals.size());
    toGoal_.assign(static_cast<std::size_t>(goalCount) * n, UNREACHABLE);
    std::vector<std::uint16_t> state(static_cast<std::size_t>(n) * 4);
    std::vector<std::int32_t> q(static_cast<std::size_t>(n) * 4 + 4);
    for (int gi = 0; gi < goalCount; ++gi) {
        std::fill(state.begin(), state.end(), UNREACHABLE);
        int head = 0, tail = 0;
        auto reach = [&](int c, int k, std::uint16_t v) {
            // every side in the same group is reached at the same cost
            const std::int8_t label = group[c * 4 + k];
            for (int j = 0; j < 4; ++j) {
                if (group[c * 4 + j] != label || state[c * 4 + j] != UNREACHABLE) continue;
                state[c * 4 + j] = v;
                q[tail++] = c * 4 + j;
            }
        };
        const int goal = goals[gi];
        for (int k = 0; k < 4; ++k)
            if (!wall[goal + step[k]]) reach(goal, k, 0);
        while (head < tail) {
            const int st = q[head++];
            const int c = st / 4, k = st % 4;
            // The box's next cell: the keeper's (pulled), or the one opposite (pushed); the
            // keeper then stands beyond it on the same side.
            const int p = pulls ? c - step[k] : c + step[k];
            if (wall[p] || wall[p + step[k]]) continue;
            if (state[p * 4 + k] != UNREACHABLE) continue;
            reach(p, k, static_cast<std::uint16_t>(state[st] + 1));
        }
        std::uint16_t* row = &toGoal_[static_cast<std::size_t>(gi) * n];
        for (int c = 0; c < n; ++c) {
            std::uint16_t best = UNREACHABLE;
            for (int k = 0; k < 4; ++k) best = std::min(best, state[c * 4 + k]);
            row[c] = best;
        }
    }
    toNearestGoal_.assign(n, UNREACHABLE);
    dead_.assign(n, 1);
    for (int c = 0; c < n; ++c) {
        if (wall[c]) continue;
        for (int gi = 0; gi < goalCount; ++gi)
            toNearestGoal_[c] = std::min(toNearestGoal_[c], ToGoal(gi, c));
        // the core's own live map must agree that a lone box here can reach a goal
        dead_[c] = toNearestGoal_[c] == UNREACHABLE || (!pulls && level.goalReach[c] == 0);
    }
}

}  // namespace ruk::pushbot
