// The keeper's region of a position: the floor it walks to without pushing, named by its
// smallest cell (the anchor), so that positions differing only in where the keeper stands
// within one region are one position.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"
#include "side_groups.h"

namespace ruk::pushbot {

class KeeperReach {
  public:
    explicit KeeperReach(const LevelCells& level);

    // Marks the region of keeper on board (0 floor) as the one being expanded; returns its
    // anchor.
    int Mark(const std::uint32_t* board, int keeper);
    bool Reached(int cell) const { return reach_.Marked(cell); }
    // After pushes of one box from `from` to `to` (made on board), to a cell of the region
    // beside from: the pieces of the region that to cuts off from the box's old cell.
    int PiecesLeft(const std::uint32_t* board, int from, int to);
    // The smallest cell of the area (floor outside the region) around cell before the pushes of
    // the box from `from` to `to` (made on board); filled once per marked region.
    int AreaMin(const std::uint32_t* board, int cell, int from, int to);

    // The anchor after length pushes of one box from `from` to `to` (made on board already),
    // the keeper then on keeper, the region before the pushes marked by Mark. When to splits
    // no area off, the new region is the old one and the areas its box opened, less to: their
    // smallest cells are kept per expansion. Otherwise the region is filled anew.
    int ChildAnchor(const std::uint32_t* board, int parentAnchor, int from, int to, int length,
                    int keeper);

  private:
    // The smallest cell of the region's pieces, less to, that a keeper on from joins after one
    // push from `from` to `to` (a cell of the region).
    int PiecesMin(const std::uint32_t* board, int from, int to);
    // The region's cut cells, found once per marked region, from its cell.
    void BuildCuts(int cell);

    const LevelCells& level_;
    MarkMap reach_, child_;
    std::vector<std::int32_t> queue_;
    MarkMap areas_;                   // cells whose area is known for the marked region
    std::vector<std::int32_t> area_;  // per such cell: its area's smallest cell
    SideGroups cuts_;                 // the region's cut cells
    bool cutsBuilt_ = false;
};

}  // namespace ruk::pushbot
