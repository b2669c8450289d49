// Sets of boxes proved dead on their own: with only those boxes on the board and the keeper in
// a given region of that board, they can never all reach goals. Any later position that holds
// the same boxes, its keeper in that region, is dead too, whatever the other boxes do: an answer
// for it, its other boxes taken away, would be one for the set alone (the keeper only gains
// room). Learnt from the corral searches, matched at every push.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

constexpr std::size_t PATTERN_CAP = 4096;  // sets kept at most
constexpr std::size_t PATTERN_BOXES = 8;   // boxes in one set at most

class DeadPatterns {
  public:
    explicit DeadPatterns(const LevelCells& level);

    // Records the n boxes (ascending) as dead with the keeper anywhere in keeper's region of
    // the board holding only them. Ignored once PATTERN_CAP sets are kept, or for more than
    // PATTERN_BOXES boxes. The room for all of them is taken at the start.
    void Add(const std::uint16_t* boxes, std::size_t n, int keeper);
    // Whether some set holding cell has all its boxes on board (0 floor, BOX, WALL) and keeper
    // in its region.
    bool Dead(const std::uint32_t* board, int cell, int keeper) const;
    std::size_t Size() const { return count_; }

  private:
    bool InRegion(std::size_t pattern, int cell) const {
        return (regions_[pattern * words_ + static_cast<std::size_t>(cell) / 64] >> (cell % 64)) &
               1u;
    }

    const LevelCells& level_;
    std::size_t words_;  // 64-bit words of one region's cell set
    std::size_t count_ = 0;
    std::vector<std::uint16_t> boxes_;    // per set: the count, then the boxes
    std::vector<std::uint64_t> regions_;  // per set: the keeper's region, a bit per cell
    // The sets holding a box on each cell, as lists: the first entry per cell, then per entry
    // its set and the next entry (NO_ENTRY ends a list).
    static constexpr std::uint32_t NO_ENTRY = 0xffffffffu;
    std::vector<std::uint32_t> firstEntry_, entrySet_, nextEntry_;
    std::vector<std::uint32_t> board_;  // walls only, but for the set being added
    MarkMap marks_;
    std::vector<std::int32_t> queue_;
};

}  // namespace ruk::pushbot
