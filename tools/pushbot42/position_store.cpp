// The position store and its hash table (see position_store.h).
#include "position_store.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace ruk::pushbot {

std::size_t PositionsFitting(std::size_t memoryBytes, int boxCount, std::size_t perPosition) {
    perPosition += sizeof(Position) + sizeof(std::uint16_t) * boxCount + 2 * sizeof(std::uint32_t);
    const std::size_t positions = std::max<std::size_t>(memoryBytes / perPosition, 16);
    return std::min<std::size_t>(positions, 0xfffffff0u);
}

void PositionStore::Allocate(int boxCount, std::size_t maxPositions) {
    boxCount_ = boxCount;
    maxPositions_ = maxPositions;
    maxTable_ = 16;
    while (maxTable_ < maxPositions * 2) maxTable_ *= 2;
    positions_.reserve(maxPositions);
    boxes_.reserve(maxPositions * boxCount);
}

void PositionStore::Clear(std::size_t cap) {
    positions_.clear();
    boxes_.clear();
    table_.assign(std::min<std::size_t>(maxTable_, 1 << 16), 0);
    tableMask_ = table_.size() - 1;
    cap_ = std::min(cap, maxPositions_);
}

std::uint32_t PositionStore::Find(std::uint64_t hash, const std::uint16_t* boxes,
                                  int anchor) const {
    for (std::uint64_t slot = hash & tableMask_;; slot = (slot + 1) & tableMask_) {
        const std::uint32_t entry = table_[slot];
        if (entry == 0) return NO_POSITION;
        const Position& position = positions_[entry - 1];
        if (position.hash == hash && position.anchor == anchor &&
            std::memcmp(Boxes(entry - 1), boxes, sizeof(std::uint16_t) * boxCount_) == 0)
            return entry - 1;
    }
}

bool PositionStore::Add(const Position& position, const std::uint16_t* boxes) {
    const auto index = static_cast<std::uint32_t>(positions_.size());
    positions_.push_back(position);
    boxes_.insert(boxes_.end(), boxes, boxes + boxCount_);
    if (Insert(index)) return true;
    positions_.pop_back();
    boxes_.resize(boxes_.size() - boxCount_);
    return false;
}

bool PositionStore::GrowTable() {
    const std::size_t size = table_.size() * 2;
    if (size > maxTable_) return false;
    std::vector<std::uint32_t> bigger;
    try {
        bigger.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const std::uint64_t mask = size - 1;
    for (std::uint32_t entry : table_) {
        if (entry == 0) continue;
        std::uint64_t slot = positions_[entry - 1].hash & mask;
        while (bigger[slot] != 0) slot = (slot + 1) & mask;
        bigger[slot] = entry;
    }
    table_.swap(bigger);
    tableMask_ = mask;
    return true;
}

bool PositionStore::Insert(std::uint32_t index) {
    // Keep the table at most half full while it may grow, at most 7/8 when it may not.
    if (positions_.size() * 2 > table_.size() && !GrowTable() &&
        positions_.size() * 8 > table_.size() * 7)
        return false;
    std::uint64_t slot = positions_[index].hash & tableMask_;
    while (table_[slot] != 0) slot = (slot + 1) & tableMask_;
    table_[slot] = index + 1;
    return true;
}

}  // namespace ruk::pushbot
