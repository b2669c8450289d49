// Which sides of a box a keeper reaches, for every cell of one free area at once. One depth-first
// pass over the area finds its cut cells: two free neighbours of a cell are joined without that
// cell exactly when no cut there separates them. A box path's search then asks this per state
// instead of filling the keeper's region each time.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

class SideGroups {
  public:
    explicit SideGroups(const LevelCells& level);

    // Analyses the free cells (board 0) joined to start, which must be free.
    void Build(const std::uint32_t* board, int start);
    // The free sides of cell (in the built area) that a keeper on side keeperSide reaches with a
    // box on cell, as BoxSides reports them: side d is bit 1 << d.
    std::uint32_t Sides(const std::uint32_t* board, int cell, int keeperSide) const;

  private:
    // The part of the area without cell that the free neighbour next of cell belongs to: a
    // child subtree cut off at cell (named by that child), or -1 for the rest.
    int GroupOf(int cell, int next) const;
    bool Built(int cell) const { return seen_[cell] == stamp_; }

    const LevelCells& level_;
    std::uint32_t stamp_ = 0;
    std::vector<std::uint32_t> seen_;  // per cell: the stamp when the entries below are valid
    std::vector<std::int32_t> order_;  // when the walk entered the cell
    std::vector<std::int32_t> low_;    // the earliest entry its subtree reaches by one back step
    std::vector<std::int32_t> last_;   // the latest entry within its subtree
    std::vector<std::int32_t> parent_;
    std::vector<std::int32_t> stack_;    // the walk's path
    std::vector<std::uint8_t> nextDir_;  // per cell on the path: the next side to try
};

}  // namespace ruk::pushbot
