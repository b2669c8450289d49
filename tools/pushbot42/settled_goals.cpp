// Boxes frozen on goals and what they leave live (see settled_goals.h).
#include "settled_goals.h"

#include <algorithm>

#include "planner/deadlock_checks.h"
#include "records/planner_tables.h"
#include "search/breadth_fill.h"

namespace ruk::pushbot {

namespace {

// The kept sets' tables, nine bytes per cell each, on top of the position store's budget.
constexpr std::size_t SETTLED_BYTES = 64u << 20;
constexpr std::size_t SET_BYTES_PER_CELL = 1 + sizeof(std::uint64_t);

}  // namespace

SettledGoals::SettledGoals(const LevelCells& level, const ZobristKeys& keys)
    : level_(level),
      keys_(keys),
      childBoxes_(level.boxCount),
      childCells_(level.boxCount),
      queue_(level.cells + 1) {}

bool SettledGoals::FrozenOnGoal(std::uint32_t* board, int cell) const {
    return level_.Goal(cell) && IsFrozen(board, level_.goalMap, cell, *level_.directions) ==
                                    FreezeVerdict::FrozenOnGoals;
}

int SettledGoals::SetOf(std::uint32_t* board, const std::uint16_t* boxes) {
    const int n = level_.boxCount;
    std::uint64_t key = 0x5bd1e995ull;
    frozen_.clear();
    for (int i = 0; i < n; ++i) {
        if (!FrozenOnGoal(board, boxes[i])) continue;
        key ^= keys_.Box(boxes[i]);
        frozen_.push_back(boxes[i]);
    }
    if (frozen_.empty()) return -1;
    std::sort(frozen_.begin(), frozen_.end());  // a child's box list may be out of order
    const auto [first, last] = setsOfKey_.equal_range(key);
    for (auto known = first; known != last; ++known)
        if (sets_[known->second].frozen == frozen_) return known->second;
    if (sets_.size() * level_.cells * SET_BYTES_PER_CELL >= SETTLED_BYTES) return -1;
    FrozenSet set;
    set.frozen = frozen_;
    set.live.assign(level_.cells, 0);
    blocked_.assign(level_.wall.begin(), level_.wall.end());
    for (const std::uint16_t b : frozen_) blocked_[b] = 1;
    const std::int32_t* step = level_.step;
    for (const int g : level_.goals) {
        set.live[g] = 1;  // a frozen box stands on a goal of its own
        bool fillable = false;
        for (int k = 0; k < 4; ++k)
            if (!blocked_[g + step[k]] && !blocked_[g + 2 * step[k]]) fillable = true;
        if (!blocked_[g] && !fillable) set.sealed.push_back(static_cast<std::uint16_t>(g));
    }
    // The cells a box can be pulled to from a free goal, the keeper on the far side.
    for (const int g : level_.goals) {
        if (blocked_[g]) continue;
        BreadthFill(
            g, step, queue_.data(),
            [&](int p, int c) { return !blocked_[p] && !blocked_[2 * p - c] && !set.live[p]; },
            [&](int p, int) { set.live[p] = 1; });
    }
    // The same per goal, for the assignment test. The pulls ignore where the keeper can walk, so
    // a cell may get goals that no box there reaches, never the other way round.
    const int goalCount = static_cast<int>(level_.goals.size());
    if (goalCount <= MAX_GOAL_LIST) {
        set.goalsFrom.assign(level_.cells, 0);
        reached_.assign(level_.cells, 0);
        for (int k = 0; k < goalCount; ++k) {
            const int g = level_.goals[k];
            const std::uint64_t bit = std::uint64_t{1} << k;
            if (blocked_[g]) {
                set.goalsFrom[g] = bit;  // a frozen box keeps its goal
                continue;
            }
            std::fill(reached_.begin(), reached_.end(), 0);
            BreadthFill(
                g, step, queue_.data(),
                [&](int p, int c) { return !blocked_[p] && !blocked_[2 * p - c] && !reached_[p]; },
                [&](int p, int) {
                    reached_[p] = 1;
                    set.goalsFrom[p] |= bit;
                });
        }
    }
    sets_.push_back(std::move(set));
    const int id = static_cast<int>(sets_.size()) - 1;
    setsOfKey_.emplace(key, id);
    return id;
}

bool SettledGoals::Allows(std::uint32_t* board, int parentSet, const std::uint16_t* boxes, int from,
                          int to) {
    const int n = level_.boxCount;
    int id = parentSet;
    bool grew = false;
    if (FrozenOnGoal(board, to)) {
        // The set grew: look it up with the child's boxes.
        std::copy(boxes, boxes + n, childBoxes_.begin());
        for (int i = 0; i < n; ++i)
            if (childBoxes_[i] == from) childBoxes_[i] = static_cast<std::uint16_t>(to);
        id = SetOf(board, childBoxes_.data());
        grew = true;
    }
    if (id < 0) return true;
    const FrozenSet& set = sets_[id];
    for (const std::uint16_t g : set.sealed)
        if (board[g] != BOX) return false;
    if (!grew && !set.live[to]) return false;
    for (int i = 0; i < n; ++i) {
        const int b = boxes[i] == from ? to : boxes[i];
        if (grew && !set.live[b]) return false;
        childCells_[i] = b;
    }
    return set.goalsFrom.empty() ||
           AssignmentTest(set.goalsFrom.data(), childCells_.data(), n) == DeadVerdict::NotProven;
}

}  // namespace ruk::pushbot
