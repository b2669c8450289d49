// Command conditions (see command_rules.h).
#include "panel/command_rules.h"

#include "core_door.h"

namespace ruk {

bool AlreadySolved(const CoreState& core) {
    return door::SolvedOnScreen(core);
}

}  // namespace ruk
