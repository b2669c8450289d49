// Boxes frozen on goals are walls for good: a box must still reach a free goal past them, and a
// free goal that no push can fill any more makes the position dead. The cells a lone box can
// still go to a free goal from are worked out once per set of frozen goal boxes and kept, and
// with them which free goals each cell leads to: when the boxes cannot all get goals of their
// own that way (say a pocket of goals that no box can enter any more), the position is dead.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "level_cells.h"
#include "zobrist_keys.h"

namespace ruk::pushbot {

class SettledGoals {
  public:
    SettledGoals(const LevelCells& level, const ZobristKeys& keys);

    // The set of boxes (boxCount cells, any order) frozen on goals on board, as an index for
    // Allows; -1 when there is none, or no room to keep another. board: changed while it runs,
    // restored.
    int SetOf(std::uint32_t* board, const std::uint16_t* boxes);
    // Whether the push of the box at from to `to` (already made on board) keeps every box able
    // to reach a free goal, every sealed goal filled and every box a goal of its own;
    // parentSet is SetOf before the push.
    bool Allows(std::uint32_t* board, int parentSet, const std::uint16_t* boxes, int from, int to);

  private:
    struct FrozenSet {
        std::vector<std::uint16_t> frozen;  // the boxes frozen on goals, ascending
        std::vector<std::uint8_t> live;     // a lone box here can still reach a free goal
        std::vector<std::uint16_t> sealed;  // free goals that no push can fill
        // Per cell, the goals (bit k: LevelCells::goals[k]) a lone box there can still reach;
        // a frozen box's goal only its own. Empty for more than 64 goals.
        std::vector<std::uint64_t> goalsFrom;
    };
    bool FrozenOnGoal(std::uint32_t* board, int cell) const;

    const LevelCells& level_;
    const ZobristKeys& keys_;
    std::vector<FrozenSet> sets_;
    // The xor of the frozen boxes' Zobrist keys, to the indices of the sets with that key: a
    // set is told by its boxes, never by the key alone, since a wrong set's live cells would
    // prune live positions.
    std::unordered_multimap<std::uint64_t, int> setsOfKey_;
    std::vector<std::uint16_t> frozen_;  // the frozen boxes of the position being looked up
    std::vector<std::uint16_t> childBoxes_;
    std::vector<std::uint8_t> blocked_;
    std::vector<std::int32_t> childCells_;  // the child's boxes, for the assignment test
    std::vector<std::int32_t> queue_;
    std::vector<std::uint8_t> reached_;  // the cells of one goal's pull fill
};

}  // namespace ruk::pushbot
