// Creating the player's state object.
#include "records/core_state.h"

#include <new>

namespace ruk {

std::unique_ptr<CoreState> CreateCoreState() {
    std::unique_ptr<CoreState> core(new (std::nothrow) CoreState);
    if (!core) return nullptr;
    ResetLevelModel(core->level);
    if (!InitMoveHistory(core->game.history)) return nullptr;
    if (!AllocateCorralTable(core->corral)) return nullptr;
    return core;
}

}  // namespace ruk
