// ClearMarks (see box_selection.h).
#include "engine/box_selection.h"

namespace ruk {

void ClearMarks(LevelModel& level, PlayState& play) {
    play.boxSelected = false;
    Grids& grids = level.grids;
    for (int r = 0; r < grids.maxHeight; ++r)
        for (int c = 0; c < grids.maxWidth; ++c) grids.displayGrid[GridIndex(r, c)] &= PLAIN_MASK;
    play.targets.targetFlag.fill(0);
    play.targets.sideCount.fill(0);
}

}  // namespace ruk
