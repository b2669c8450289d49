// What a position is like, beyond its bound: boxes on goals, the floor areas that the boxes cut
// the level into, and free goals sealed off by boxes on goals. These name its cell in the
// feature space, and sealed goals also rank it later.
#pragma once

#include <cstdint>
#include <vector>

#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

class PackingLayers;

constexpr int FEATURE_REGIONS = 16;  // floor areas told apart (more count as the last)
constexpr int FEATURE_SEALED = 3;    // sealed goals told apart

// Feature cells of a level with boxCount boxes.
inline std::size_t FeatureCells(int boxCount) {
    return static_cast<std::size_t>(boxCount + 1) * FEATURE_REGIONS * FEATURE_SEALED;
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

  private:
    const LevelCells& level_;
    MarkMap areas_;
    std::vector<std::int32_t> queue_;
};

}  // namespace ruk::pushbot
