// Command conditions (see command_rules.h).
#include "panel/command_rules.h"

namespace ruk {

bool AlreadySolved(const CoreState& core) {
    const ShownPosition& shown = core.game.shown;
    if (shown.shownPushes == 0) return false;
    const int cells = core.level.board.cellCount;
    for (int i = 0; i < cells; ++i)
        if (shown.positionBoard[i] == BOX && core.planner.goalMap[i] == 0) return false;
    return true;
}

}  // namespace ruk
