// A packing order found by emptying the goals: with a box on every goal, boxes are pulled out one
// at a time, each time the one that the fewest pulls take clear of the goals, until none is left.
// A box counts as out only if pulls can also take it on to a cell where a box starts: one that
// only reaches a pocket no box can come from must be filled before the goals that close it in.
// Filling runs the other way, and each box's pulls reversed are pushes that bring it in, so the
// order is one that can be filled. A position's packing is the boxes it holds in that order.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

class PackingOrder {
  public:
    // Stops emptying once the clock (Now) passes deadline: the goals left come first.
    void Build(const LevelCells& level, double deadline = 1e300);

    // The goal cells, first filled first.
    const std::vector<int>& FillOrder() const { return fill_; }
    // Where a box pulled off FillOrder()[i] was left, and the keeper beside it then; -1 for
    // goals that no pull emptied (they come first, in no order of their own).
    int OutCell(int i) const { return out_[i]; }
    int OutKeeper(int i) const { return outKeeper_[i]; }

    // The boxes on board (0 floor, BOX, WALL) packed in the order: per goal group, the goals
    // of the longest run from the start of the group's order that all hold boxes.
    int Packed(const std::uint32_t* board) const;

  private:
    int PullOut(const LevelCells& level, int goal, int& out, int& keeper);

    std::vector<std::uint32_t> board_;  // the boxes left while emptying
    std::vector<std::uint8_t> start_;   // per cell: a box starts there
    std::vector<int> fill_, out_, outKeeper_;
    std::vector<std::vector<int>> groups_;  // per goal group: its goal cells, in fill order
    std::vector<std::int32_t> queue_, seen_, states_;
    MarkMap reach_, outside_;
};

}  // namespace ruk::pushbot
