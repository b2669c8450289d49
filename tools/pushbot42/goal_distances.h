// Pushes that a box alone on the board needs to reach each goal, and the dead cells: those from
// which a lone box reaches no goal at all, so no box may ever be pushed there.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

constexpr std::uint16_t UNREACHABLE = 0xffff;

class GoalDistances {
  public:
    // Pull searches from every goal, the keeper's side of the box part of the state.
    void Build(const LevelCells& level);

    // Pushes of a lone box from cell to goal number goalIndex (of LevelCells::goals), or
    // UNREACHABLE.
    std::uint16_t ToGoal(int goalIndex, int cell) const {
        return toGoal_[static_cast<std::size_t>(goalIndex) * cells_ + cell];
    }
    std::uint16_t ToNearestGoal(int cell) const { return toNearestGoal_[cell]; }
    int Cells() const { return cells_; }
    // No goal is reachable from cell, or the core's live map says so too.
    bool Dead(int cell) const { return dead_[cell] != 0; }
    const std::uint8_t* DeadCells() const { return dead_.data(); }

  private:
    int cells_ = 0;
    std::vector<std::uint16_t> toGoal_;  // [goal * cells + cell]
    std::vector<std::uint16_t> toNearestGoal_;
    std::vector<std::uint8_t> dead_;
};

}  // namespace ruk::pushbot
