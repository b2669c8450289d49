// The box-to-goal assignment test: a Hall-type check on the n x n reach matrix, removing groups
// of boxes and goals that must pair with each other, and finding groups that cannot. Rows and
// columns are 64-bit sets, so each comparison is one word.
#include "planner/goal_assignment.h"

#include <bit>
#include <cassert>

#include "records/planner_tables.h"

namespace ruk {

namespace {

// The sweep over one side of the matrix: lines are rows (boxes) or columns (goals); a line's
// bits are the other side. Removes groups of lines that must take exactly their shared cells.
// Returns 1 when a group has fewer cells than lines.
int Sweep(const std::uint64_t* lines, int n, std::uint64_t& removedLines,
          std::uint64_t& removedCells, bool& changed) {
    for (int j = 0; j < n; ++j) {
        if (removedLines >> j & 1) continue;
        const std::uint64_t live = lines[j] & ~removedCells;
        const int count = std::popcount(live);
        if (count == 0) return 1;
        std::uint64_t same = 0;
        for (int i = j; i < n; ++i)
            if (!(removedLines >> i & 1) && (lines[i] & ~removedCells) == live) same |= 1ull << i;
        const int sameCount = std::popcount(same);
        if (sameCount > count) return 1;
        if (sameCount == count) {
            removedCells |= live;
            removedLines |= same;
            changed = true;
        }
    }
    return 0;
}

}  // namespace

DeadVerdict AssignmentTest(const std::uint64_t* masks, const std::int32_t* boxCells, int n) {
    assert(n <= MAX_GOAL_LIST);  // the rows and columns are 64-bit sets
    if (n <= 0) return DeadVerdict::NotProven;
    const std::uint64_t all = n >= 64 ? ~0ull : (1ull << n) - 1;
    std::uint64_t rows[MAX_GOAL_LIST];
    std::uint64_t columns[MAX_GOAL_LIST] = {};
    for (int j = 0; j < n; ++j) {
        rows[j] = masks[boxCells[j]] & all;
        for (int k = 0; k < n; ++k)
            if (rows[j] >> k & 1) columns[k] |= 1ull << j;
    }
    std::uint64_t removedBoxes = 0;
    std::uint64_t removedGoals = 0;
    for (bool changed = true; changed;) {
        changed = false;
        if (Sweep(rows, n, removedBoxes, removedGoals, changed)) return DeadVerdict::Dead;
        if (Sweep(columns, n, removedGoals, removedBoxes, changed)) return DeadVerdict::Dead;
    }
    return DeadVerdict::NotProven;
}

}  // namespace ruk
