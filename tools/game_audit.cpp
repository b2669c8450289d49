// The game audit (see game_audit.h).
#include "game_audit.h"

#include "engine/action_bounds.h"
#include "engine/replay_steps.h"
#include "planner/unsolvable_check.h"

namespace ruk::tool {

namespace {

// Plays forward to target (to the end when target is the cursor); false when nothing moved.
bool PlayTo(CoreState& core, std::uint32_t target) {
    PlayState& play = core.play;
    const std::uint32_t before = play.history.cursor;
    play.animTarget = target;
    play.animMode = AnimMode::STEP_FORWARD;
    while (play.animMode != AnimMode::IDLE) StepForward(core.level, play);
    return play.history.cursor != before;
}

}  // namespace

AuditResult AuditGame(CoreState& core) {
    AuditResult result;
    PlayState& play = core.play;
    auto check = [&] {
        ++result.positions;
        RefreshUnsolvable(core);
        if (!core.planner.unsolvable) return;
        if (result.unsolvableClaims++ == 0) result.firstClaimMove = play.history.cursor;
    };
    check();
    while (play.history.cursor < play.history.end) {
        FindActionBoundaries(core.level, play);
        if (!PlayTo(core, play.bounds.redoTarget)) break;
        check();
    }
    return result;
}

bool UnsolvableAtEnd(CoreState& core) {
    if (core.play.history.cursor < core.play.history.end) PlayTo(core, core.play.history.end);
    RefreshUnsolvable(core);
    return core.planner.unsolvable;
}

}  // namespace ruk::tool
