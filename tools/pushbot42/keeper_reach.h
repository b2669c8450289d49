// The keeper's region of a position: the floor it walks to without pushing, named by its
// smallest cell (the anchor), so that positions differing only in where the keeper stands
// within one region are one position.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

class KeeperReach {
  public:
    explicit KeeperReach(const LevelCells& level);

    // Marks the region of keeper on board (0 floor) as the one being expanded; returns its
    // anchor.
    int Mark(const std::uint32_t* board, int keeper);
    bool Reached(int cell) const { return reach_.Marked(cell); }

    // The anchor after the push of the box from `from` to `to` (made on board already), the
    // keeper then on keeper, the region before the push marked by Mark. A single push that
    // merges no other area into the region and splits none off only swaps the box's new cell
    // for its old one; otherwise the region is filled anew.
    int ChildAnchor(const std::uint32_t* board, int parentAnchor, int from, int to, int length,
                    int keeper);

  private:
    // Whether the free cells around cell, which has just been filled, still connect all its
    // free side neighbours: then filling it split no region.
    bool OneArc(const std::uint32_t* board, int cell) const;

    const LevelCells& level_;
    MarkMap reach_, child_;
    std::vector<std::int32_t> queue_;
};

}  // namespace ruk::pushbot
