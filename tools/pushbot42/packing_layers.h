// The order in which a goal area fills, taken from emptying it: with a box on every goal, the
// boxes that the keeper can pull off their goals go first (the outer layer), then those freed
// by that, and so on. Filling runs the other way, deepest layer first, so a box brought to a
// goal of an outer layer while a deeper goal of its group is free may well block that goal.
#pragma once

#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

class PackingLayers {
  public:
    void Build(const LevelCells& level);

    // Whether every deeper goal of goal's group holds a box on board (0 floor, BOX, WALL).
    bool DeeperFilled(const std::uint32_t* board, int goal) const {
        for (const int deeper : deeper_[goal])
            if (board[deeper] != BOX) return false;
        return true;
    }
    // The layer of each goal cell, 0 the outermost; -1 off goals.
    int Layer(int cell) const { return layer_[cell]; }

  private:
    std::vector<int> layer_;                // per cell
    std::vector<std::vector<int>> deeper_;  // per cell: the deeper goals of its group
};

}  // namespace ruk::pushbot
