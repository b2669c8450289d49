// The level-change sequence (see level_change.h).
#include "level_change.h"

#include "board/placement.h"
#include "planner/level_status.h"
#include "planner/unsolvable_check.h"

namespace ruk {

void RunLevelChange(CoreState& core) {
    core.level.board.status = FinishLevelLoad(core);
    PlaceLevel(core.level, core.play);
    RefreshUnsolvable(core);
}

}  // namespace ruk
