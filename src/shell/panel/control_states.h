// Which controls can be used now: a table over the program state, applied to the widgets by
// the window. Labels and group boxes are never disabled.
#pragma once

#include <array>

#include "panel/control_ids.h"
#include "panel/window_state.h"
#include "records/core_state.h"

namespace ruk {

struct ControlStates {
    std::array<bool, CONTROL_COUNT> enabled{};
    bool Enabled(int id) const { return enabled[id - FIRST_CONTROL_ID]; }
};

ControlStates UpdateControlStates(const CoreState& core, const WindowState& window);

}  // namespace ruk
