// The positions a search has met: a record and a box list each, found again through an
// open-addressing hash table keyed by the boxes and the keeper's region.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace ruk::pushbot {

constexpr std::uint32_t NO_POSITION = 0xffffffffu;

// One stored position. A position is its boxes and the keeper's region, the region named by its
// smallest cell (the anchor).
struct Position {
    std::uint64_t hash;
    std::uint32_t parent;  // NO_POSITION for the start
    std::uint32_t g;       // pushes from the start
    std::uint32_t h;       // lower bound on the pushes left; DEAD_BOUND for a proved dead one
    std::uint16_t anchor;
    std::uint16_t from;  // the pushed box's cell before the push
    std::uint8_t dir;
    std::uint8_t length;  // pushes in a row (tunnel macro)
    std::uint8_t closed;
    std::uint8_t fill;      // 1 + the goal room's fill index when the push went on to that goal
    std::uint16_t feature;  // the position's cell in the feature space
};

// Positions that memoryBytes hold: a record, boxCount cells, two table slots and perPosition
// bytes more (an open entry, say) each; at least 16.
std::size_t PositionsFitting(std::size_t memoryBytes, int boxCount, std::size_t perPosition);

// A position's box list (ascending) with box k moved to cell, kept ascending, into out.
inline void MoveBox(const std::uint16_t* boxes, int boxCount, int k, int cell, std::uint16_t* out) {
    std::copy(boxes, boxes + boxCount, out);
    int i = k;
    out[i] = static_cast<std::uint16_t>(cell);
    while (i > 0 && out[i - 1] > out[i]) {
        std::swap(out[i - 1], out[i]);
        --i;
    }
    while (i + 1 < boxCount && out[i + 1] < out[i]) {
        std::swap(out[i + 1], out[i]);
        ++i;
    }
}

class PositionStore {
  public:
    // Room for maxPositions records and box lists of boxCount cells, reserved at once; the
    // table may grow to twice that many slots. Throws std::bad_alloc when that cannot be had.
    void Allocate(int boxCount, std::size_t maxPositions);
    // Empties the store; at most cap positions (and maxPositions) may be added afterwards.
    void Clear(std::size_t cap);

    std::size_t Size() const { return positions_.size(); }
    bool Empty() const { return positions_.empty(); }
    bool Full() const { return positions_.size() >= cap_; }
    std::size_t MaxPositions() const { return maxPositions_; }
    Position& At(std::uint32_t index) { return positions_[index]; }
    const Position& At(std::uint32_t index) const { return positions_[index]; }
    const std::uint16_t* Boxes(std::uint32_t index) const {
        return &boxes_[static_cast<std::size_t>(index) * boxCount_];
    }

    // The index of the position with these boxes (ascending) and anchor, or NO_POSITION.
    std::uint32_t Find(std::uint64_t hash, const std::uint16_t* boxes, int anchor) const;
    // Stores a new position (not in the store yet); false, storing nothing, when the table
    // is full and may not grow. Full() is the caller's to check first.
    bool Add(const Position& position, const std::uint16_t* boxes);

  private:
    bool GrowTable();
    bool Insert(std::uint32_t index);

    int boxCount_ = 0;
    std::size_t maxPositions_ = 0;
    std::size_t maxTable_ = 0;
    std::size_t cap_ = 0;
    std::vector<Position> positions_;
    std::vector<std::uint16_t> boxes_;  // boxCount cells per position
    std::vector<std::uint32_t> table_;  // position index + 1; 0 empty
    std::uint64_t tableMask_ = 0;
};

}  // namespace ruk::pushbot
