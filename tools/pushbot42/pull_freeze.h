// Boxes that can never be pulled again: a pull needs the two cells beyond the box, on the side
// it goes to, free. A set of boxes each of whose pulls needs a cell held by a wall or by a box
// of the set stays put for good, since none of them can be the first to move. Such a box off
// the start cells never gets back to one, so the pull search cuts the position.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

class PullFreeze {
  public:
    explicit PullFreeze(const LevelCells& level);

    // Whether a box of boxes (boxCount cells) off the start cells is in the largest set that
    // can never be pulled.
    bool Dead(const std::uint16_t* boxes);

  private:
    const LevelCells& level_;
    std::vector<std::uint8_t> start_;  // per cell
    std::vector<std::uint8_t> stuck_;  // per cell: a box still in the set
};

}  // namespace ruk::pushbot
