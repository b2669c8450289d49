// What a position is like, beyond its bound: boxes on goals, the floor areas that the boxes cut
// the level into, and free goals sealed off by boxes on goals. These name its cell in the
// feature space, and sealed goals also rank it later.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

class PackingLayers;
class PackingOrder;
class RoomSplit;

constexpr int FEATURE_REGIONS = 16;  // floor areas told apart (more count as the last)
constexpr int FEATURE_SEALED = 3;    // sealed goals told apart
// Packed boxes told apart, so that a cell's number fits a position's 16 bits.
constexpr int FEATURE_PACKED = 1300;

// Feature cells of a level with boxCount boxes.
inline std::size_t FeatureCells(int boxCount) {
    return static_cast<std::size_t>(std::min(boxCount, FEATURE_PACKED) + 1) * FEATURE_REGIONS *
           FEATURE_SEALED;
}

// The packed boxes of a feature cell.
inline int PackedOf(int feature) {
    return feature / (FEATURE_REGIONS * FEATURE_SEALED);
}

// The floor areas of a feature cell, less one, or its blocked doorways (capped).
inline int RegionsOf(int feature) {
    return feature / FEATURE_SEALED % FEATURE_REGIONS;
}

class PositionFeatures {
  public:
    explicit PositionFeatures(const LevelCells& level);

    // Free goals that no box could be pushed onto while the boxes on goals stay where they
    // are: a packing order gone wrong, usually. Not a proof. board: 0 floor, BOX, WALL.
    int SealedGoals(const std::uint32_t* board) const;
    // The position's feature cell, below FeatureCells(boxCount). With layers, a box on a goal
    // counts as packed only once the deeper goals of its group are filled. regions: the
    // board's floor areas when the caller knows them, else -1.
    int FeatureOf(const std::uint32_t* board, const PackingLayers* layers = nullptr,
                  int regions = -1);
    // Without layers, count the boxes packed in this order instead (null: every box on a goal).
    void UseOrder(const PackingOrder* order) { order_ = order; }
    // Count the doorways that boxes block in place of floor areas (null: floor areas).
    void UseRooms(const RoomSplit* rooms) { rooms_ = rooms; }

  private:
    const LevelCells& level_;
    const PackingOrder* order_ = nullptr;
    const RoomSplit* rooms_ = nullptr;
    MarkMap areas_;
    std::vector<std::int32_t> queue_;
};

}  // namespace ruk::pushbot
