// Setting up a deadlock context (see deadlock_context.h).
#include "records/deadlock_context.h"

namespace ruk {

bool InitDeadlockContext(DeadlockContext& context, const LevelModel& level) {
    context.level = &level;
    context.deadCells = nullptr;
    return AllocateCorralTable(context.corral);
}

}  // namespace ruk
