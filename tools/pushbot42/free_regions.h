// How many floor areas the boxes cut the level into, for each child of one position: the
// parent's areas are labelled once, and a push of one box changes the count only around its
// old and new cells unless its new cell splits an area.
#pragma once

#include <cstdint>
#include <vector>

#include "keeper_reach.h"
#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

class FreeRegions {
  public:
    explicit FreeRegions(const LevelCells& level);

    // A new parent position: its areas are labelled at the next AfterPush.
    void NewParent() { labelled_ = false; }
    // The free areas (board 0) of board, the parent's board after pushes of one box from
    // `from` to `to`, the parent's keeper region marked in reach; -1 when the push may split
    // an area that reach cannot tell about, and the board must be counted whole.
    int AfterPush(const std::uint32_t* board, int from, int to, KeeperReach& reach);

  private:
    void Label(const std::uint32_t* board, int from, int to);

    const LevelCells& level_;
    MarkMap marks_;
    std::vector<std::int32_t> label_;  // per free cell of the parent: its area
    std::vector<std::int32_t> queue_;
    int regions_ = 0;  // the parent's areas
    bool labelled_ = false;
};

}  // namespace ruk::pushbot
