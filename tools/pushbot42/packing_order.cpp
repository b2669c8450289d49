// The packing order (see packing_order.h).
#include "packing_order.h"

#include <algorithm>

#include "goal_room.h"
#include "pushbot_search.h"
#include "search/breadth_fill.h"

namespace ruk::pushbot {

namespace {

// Added to the pulls of a box that only gets as far as a cell next to a goal: one pulled
// clear of the goals is taken out first.
constexpr int NEAR_GOALS = 10000;

}  // namespace

void PackingOrder::Build(const LevelCells& level, double deadline) {
    const int cells = level.cells;
    board_.assign(cells, 0);
    for (int c = 0; c < cells; ++c)
        if (level.wall[c]) board_[c] = WALL;
    for (const int g : level.goals) board_[g] = BOX;
    queue_.assign(cells + 1, 0);
    start_.assign(cells, 0);
    for (const std::uint16_t b : level.startBoxes) start_[b] = 1;
    seen_.assign(static_cast<std::size_t>(cells) * 4, -1);
    std::vector<int> left(level.goals), removed, outs, keepers;
    while (!left.empty() && Now() <= deadline) {
        // Where the keeper may stand to start pulling: the floor joined to a cell off the goals,
        // the same for every goal of this round.
        outside_.NewStamp();
        for (int c = 0; c < cells; ++c)
            if (board_[c] == 0 && !level.Goal(c) && !outside_.Marked(c))
                MarkRegion(outside_, c, level.step, queue_.data(),
                           [&](int n) { return board_[n] == 0; });
        int best = -1, bestCost = 0, bestOut = 0, bestKeeper = 0;
        for (const int g : left) {
            int out = 0, keeper = 0;
            const int cost = PullOut(level, g, out, keeper);
            if (cost >= 0 && (best < 0 || cost < bestCost)) {
                best = g;
                bestCost = cost;
                bestOut = out;
                bestKeeper = keeper;
            }
        }
        if (best < 0) break;  // the rest stay: no pull frees any of them
        board_[best] = 0;
        std::erase(left, best);
        removed.push_back(best);
        outs.push_back(bestOut);
        keepers.push_back(bestKeeper);
    }
    fill_ = left;
    out_.assign(left.size(), -1);
    outKeeper_.assign(left.size(), -1);
    fill_.insert(fill_.end(), removed.rbegin(), removed.rend());
    out_.insert(out_.end(), outs.rbegin(), outs.rend());
    outKeeper_.insert(outKeeper_.end(), keepers.rbegin(), keepers.rend());
    groups_.clear();
    for (const std::vector<int>& group : GoalGroups(level)) {
        std::vector<int>& cellsInOrder = groups_.emplace_back();
        for (const int g : fill_)
            for (const int i : group)
                if (level.goals[i] == g) cellsInOrder.push_back(g);
    }
}

// Pulls the box on goal (the keeper starting on the floor joined to a cell off the goals) by
// the fewest pulls to a cell off the goals with no goal beside it; the pulls, or NEAR_GOALS +
// the pulls to the first cell off the goals when that is as far as it goes; -1: no pull at all.
// A state is the box's cell * 4 + the side the keeper stands on.
int PackingOrder::PullOut(const LevelCells& level, int goal, int& out, int& keeper) {
    const std::int32_t* step = level.step;
    for (const int state : states_) seen_[state] = -1;
    states_.clear();
    board_[goal] = 0;
    auto pullsFrom = [&](int box, int pulls, const MarkMap& reach) {
        for (int d = 0; d < 4; ++d) {
            const int stand = box + step[d], back = stand + step[d];
            const int state = stand * 4 + d;
            if (!reach.Marked(stand) || board_[back] != 0 || seen_[state] >= 0) continue;
            seen_[state] = pulls + 1;
            states_.push_back(state);
        }
    };
    pullsFrom(goal, 0, outside_);
    int weak = -1, clear = -1;
    // A box pulled out only counts when pulls also take it on to where a box starts: filling
    // runs the other way, and a box can only come in from there.
    bool fromStart = start_[goal] != 0;
    for (std::size_t head = 0; head < states_.size(); ++head) {
        const int state = states_[head], box = state / 4, side = state % 4;
        const int pulls = seen_[state];
        fromStart = fromStart || start_[box] != 0;
        if (clear < 0 && !level.Goal(box)) {
            bool nearGoal = false;
            for (int d = 0; d < 4; ++d) nearGoal = nearGoal || level.Goal(box + step[d]);
            if (!nearGoal || weak < 0) {
                out = box;
                keeper = box + step[side];
                weak = pulls;
            }
            if (!nearGoal) clear = pulls;
        }
        if (clear >= 0 && fromStart) break;
        board_[box] = BOX;
        reach_.NewStamp();
        MarkRegion(reach_, box + step[side], step, queue_.data(),
                   [&](int n) { return board_[n] == 0; });
        pullsFrom(box, pulls, reach_);
        board_[box] = 0;
    }
    board_[goal] = BOX;
    if (!fromStart) return -1;
    if (clear >= 0) return clear;
    return weak < 0 ? -1 : NEAR_GOALS + weak;
}

int PackingOrder::Packed(const std::uint32_t* board) const {
    int packed = 0;
    for (const std::vector<int>& group : groups_)
        for (const int g : group) {
            if (board[g] != BOX) break;
            ++packed;
        }
    return packed;
}

}  // namespace ruk::pushbot
