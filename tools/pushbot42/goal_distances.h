// Pushes that a box alone on the board needs to reach each goal, and the dead cells: those from
// which a lone box reaches no goal at all, so no box may ever be pushed there. Built for pulls,
// the same for the pull search: pulls to each start box cell (its goals), and the cells dead
// for pulling.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

constexpr std::uint16_t UNREACHABLE = 0xffff;

// How a lone box moves toward the goals: pushed (the push search's goals), or pulled (the pull
// search's, the cells of the start boxes).
enum class BoxMoves { PUSHES, PULLS };

class GoalDistances {
  public:
    // Searches from every goal by the opposite moves, a state being a box's cell and the side
    // the keeper stands on. The goals are level.goals for pushes and level.startBoxes for pulls.
    void Build(const LevelCells& level, BoxMoves moves = BoxMoves::PUSHES);

    // Pushes (pulls) of a lone box from cell to goal number goalIndex (of LevelCells::goals,
    // or startBoxes), or UNREACHABLE.
    std::uint16_t ToGoal(int goalIndex, int cell) const {
        return toGoal_[static_cast<std::size_t>(goalIndex) * cells_ + cell];
    }
    std::uint16_t ToNearestGoal(int cell) const { return toNearestGoal_[cell]; }
    int Cells() const { return cells_; }
    // No goal is reachable from cell, or for pushes the core's live map says so too.
    bool Dead(int cell) const { return dead_[cell] != 0; }
    const std::uint8_t* DeadCells() const { return dead_.data(); }

  private:
    int cells_ = 0;
    std::vector<std::uint16_t> toGoal_;  // [goal * cells + cell]
    std::vector<std::uint16_t> toNearestGoal_;
    std::vector<std::uint8_t> dead_;
};

}  // namespace ruk::pushbot
