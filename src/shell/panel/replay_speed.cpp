// The replay speed steps (see replay_speed.h).
#include "panel/replay_speed.h"

#include "records/core_state.h"

namespace ruk {

ReplaySpeed FasterReplay(ReplaySpeed speed) {
    if (speed.instantMove) return speed;
    if (speed.slowdown <= 1) return {1, true};
    return {speed.slowdown / 2, false};
}

ReplaySpeed SlowerReplay(ReplaySpeed speed) {
    // From Instant Move the first step down is the unslowed replay, whatever factor was kept.
    if (speed.instantMove) return {1, false};
    if (speed.slowdown >= MAX_REPLAY_SLOWDOWN) return {MAX_REPLAY_SLOWDOWN, false};
    return {speed.slowdown * 2, false};
}

}  // namespace ruk
