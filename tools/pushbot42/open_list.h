// The positions waiting to be expanded, best first: one priority queue, or for the feature-space
// search one queue per feature cell, the cells taken in turn.
#pragma once

#include <cstdint>
#include <queue>
#include <vector>

namespace ruk::pushbot {

struct OpenEntry {
    // The priority in the high bits; below it 0xffffff minus the depth, so that of equal
    // priorities the deeper position comes first.
    std::uint64_t key;
    std::uint32_t position;
    bool operator<(const OpenEntry& other) const { return key > other.key; }  // min-heap
    std::uint64_t Priority() const { return key >> 24; }
};

class OpenList {
  public:
    // At most maxEntries entries at a time; further ones are dropped (and Dropped() says so).
    void SetCapacity(std::size_t maxEntries) { maxEntries_ = maxEntries; }
    // Empties the list: one queue when featureCells is 0, else one per feature cell.
    void Clear(std::size_t featureCells);

    // False when the list is full and the entry was dropped.
    bool Push(std::uint64_t priority, std::uint32_t depth, std::uint32_t position, int feature);
    // An entry for a position that an advisor picked out (its push improved a feature): the
    // advised positions take every other turn, best first. The position is also in its cell.
    bool PushAdvised(std::uint64_t priority, std::uint32_t depth, std::uint32_t position);
    // The best entry of the single queue, or of the next nonempty feature cell in turn.
    bool Pop(OpenEntry& top);

    std::size_t Size() const { return count_; }
    bool Dropped() const { return dropped_; }

  private:
    std::size_t NextNonempty(std::size_t cell) const;

    std::size_t maxEntries_ = 0;
    std::size_t count_ = 0;
    bool dropped_ = false;
    std::priority_queue<OpenEntry> single_, advised_;
    bool advisedTurn_ = false;
    std::vector<std::priority_queue<OpenEntry>> byFeature_;
    std::vector<std::uint64_t> nonempty_;  // a bit per feature cell with entries
    std::size_t cursor_ = 0;               // the feature cell whose turn is next
};

}  // namespace ruk::pushbot
