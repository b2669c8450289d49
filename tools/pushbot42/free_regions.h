// How many floor areas the boxes cut the level into, for each child of one position: a push of
// one box changes the parent's count only around its old and new cells, given the areas outside
// the keeper's region and the region's cut cells, which KeeperReach keeps per expansion.
#pragma once

#include <cstdint>

#include "keeper_reach.h"
#include "level_cells.h"

namespace ruk::pushbot {

class FreeRegions {
  public:
    explicit FreeRegions(const LevelCells& level) : level_(level) {}

    // A new parent position with regions floor areas (the keeper's region among them).
    void NewParent(int regions) { regions_ = regions; }
    // The free areas (board 0) of board, the parent's board after pushes of one box from
    // `from` to `to`, the parent's keeper region marked in reach; -1 when the push may split
    // an area that reach cannot tell about, and the board must be counted whole.
    int AfterPush(const std::uint32_t* board, int from, int to, KeeperReach& reach) const;

  private:
    const LevelCells& level_;
    int regions_ = 0;  // the parent's areas
};

}  // namespace ruk::pushbot
