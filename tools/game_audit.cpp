// The game audit (see game_audit.h).
#include "game_audit.h"

#include "core_door.h"
#include "engine/action_bounds.h"
#include "engine/move_letters.h"
#include "engine/replay_steps.h"

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

// The box of the action ahead of the cursor and the cell where the action leaves it; false
// when no push lies ahead.
bool ActionAhead(const CoreState& core, int& box, int& target) {
    const MoveHistory& h = core.play.history;
    int keeper = core.play.shown.keeperCell;
    box = -1;
    for (std::uint32_t p = h.cursor; p < core.play.bounds.redoTarget; ++p) {
        const std::optional<Direction> d = LetterDirection(h.text[p]);
        if (!d) continue;
        const int step = StepOffset(core.level.directions, *d);
        keeper += step;
        if (!IsPushLetter(h.text[p])) continue;
        if (box < 0) box = keeper;
        target = keeper + step;
    }
    return box >= 0;
}

bool GuardOffers(CoreState& core, int box, int target) {
    const bool guard = core.play.guardOn;
    core.play.guardOn = true;
    door::SelectBoxAt(core, box);
    const GridCell cell = BoardToGrid(core.level.board, core.level.grids, target);
    const bool offered = core.play.targets.targetFlag[GridIndex(cell.row, cell.col)] != 0;
    door::ClearSelection(core);
    core.play.guardOn = guard;
    return offered;
}

}  // namespace

AuditResult AuditGame(CoreState& core) {
    AuditResult result;
    PlayState& play = core.play;
    auto check = [&] {
        ++result.positions;
        door::RecheckUnsolvable(core);
        if (!core.planner.unsolvable) return;
        if (result.unsolvableClaims++ == 0) result.firstClaimMove = play.history.cursor;
    };
    check();
    while (play.history.cursor < play.history.end) {
        FindActionBoundaries(core.level, play);
        int box = 0;
        int target = 0;
        if (ActionAhead(core, box, target) && !GuardOffers(core, box, target) &&
            result.guardRefusals++ == 0)
            result.firstRefusalMove = play.history.cursor;
        if (!PlayTo(core, play.bounds.redoTarget)) break;
        check();
    }
    return result;
}

bool UnsolvableAtEnd(CoreState& core) {
    if (core.play.history.cursor < core.play.history.end) PlayTo(core, core.play.history.end);
    door::RecheckUnsolvable(core);
    return core.planner.unsolvable;
}

}  // namespace ruk::tool
