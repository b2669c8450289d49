// Position features (see position_features.h).
#include "position_features.h"

#include <algorithm>

#include "packing_layers.h"
#include "packing_order.h"
#include "room_split.h"
#include "search/breadth_fill.h"

namespace ruk::pushbot {

PositionFeatures::PositionFeatures(const LevelCells& level)
    : level_(level), queue_(level.cells + 1) {}

int PositionFeatures::SealedGoals(const std::uint32_t* board) const {
    auto stopper = [&](int c) { return level_.wall[c] || (board[c] == BOX && level_.Goal(c)); };
    int sealed = 0;
    for (const int g : level_.goals) {
        if (board[g] == BOX) continue;
        bool open = false;
        for (int k = 0; k < 4 && !open; ++k)
            open = !stopper(g + level_.step[k]) && !stopper(g + 2 * level_.step[k]);
        if (!open) ++sealed;
    }
    return sealed;
}

// Taking the cells in turn keeps a search from sinking into one plateau of the bound.
int PositionFeatures::FeatureOf(const std::uint32_t* board, const PackingLayers* layers,
                                int regions) {
    int packed = 0;
    if (layers == nullptr && order_ != nullptr)
        packed = order_->Packed(board);
    else
        for (const int g : level_.goals)
            packed +=
                board[g] == BOX && (layers == nullptr || layers->DeeperFilled(board, g)) ? 1 : 0;
    if (rooms_ != nullptr) {
        regions = rooms_->Blocked(board) + 1;
    } else if (regions < 0) {
        areas_.NewStamp();
        regions = 0;
        for (int c = 0; c < level_.cells; ++c) {
            if (board[c] != 0 || areas_.Marked(c)) continue;
            ++regions;
            MarkRegion(areas_, c, level_.step, queue_.data(),
                       [&](int cell) { return board[cell] == 0; });
        }
    }
    regions = std::min(regions, FEATURE_REGIONS) - 1;
    const int sealed = std::min(SealedGoals(board), FEATURE_SEALED - 1);
    packed = std::min(packed, FEATURE_PACKED);
    return (packed * FEATURE_REGIONS + regions) * FEATURE_SEALED + sealed;
}

}  // namespace ruk::pushbot
