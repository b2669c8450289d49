// The level-change sequence (see level_change.h).
#include "level_change.h"

#include "board/placement.h"
#include "engine/box_selection.h"
#include "engine/play_reset.h"
#include "planner/level_status.h"
#include "planner/unsolvable_check.h"
#include "records/core_state.h"

namespace ruk {

void RunLevelChange(CoreState& core) {
    // The play fields are the engine's; the planner's load step only reads them.
    ClearMarks(core.level, core.view);
    ResetPlayForLevel(core.game, core.level.board);
    core.level.board.status = FinishLevelLoad(core);
    PlaceLevel(core.level);
    ResetShownForPlacement(core.game, core.view, core.level.grids);
    RefreshUnsolvable(core);
}

}  // namespace ruk
