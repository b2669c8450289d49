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
    GameRecord& game = core.game;
    ViewState& view = core.view;
    const std::uint32_t before = game.history.cursor;
    view.animTarget = target;
    view.animMode = AnimMode::STEP_FORWARD;
    while (view.animMode != AnimMode::IDLE) StepForward(core.level, game, view);
    return game.history.cursor != before;
}

// The box of the action ahead of the cursor and the cell where the action leaves it; false
// when no push lies ahead.
bool ActionAhead(const CoreState& core, int& box, int& target) {
    const MoveHistory& h = core.game.history;
    const auto& step = core.level.directions.stepOffset;
    int keeper = core.game.shown.keeperCell;
    box = -1;
    for (std::uint32_t p = h.cursor; p < core.game.bounds.redoTarget; ++p) {
        const int d = LetterDirection(h.text[p]);
        keeper += step[d];
        if (!IsPushLetter(h.text[p])) continue;
        if (box < 0) box = keeper;
        target = keeper + step[d];
    }
    return box >= 0;
}

bool GuardOffers(CoreState& core, int box, int target) {
    const bool guard = core.view.guardOn;
    core.view.guardOn = true;
    door::SelectBoxAt(core, box);
    const GridCell cell = BoardToGrid(core.level.board, core.level.grids, target);
    const bool offered = core.view.targets.targetFlag[GridIndex(cell.row, cell.col)] != 0;
    door::ClearSelection(core);
    core.view.guardOn = guard;
    return offered;
}

}  // namespace

AuditResult AuditGame(CoreState& core) {
    AuditResult result;
    GameRecord& game = core.game;
    auto check = [&] {
        ++result.positions;
        door::RecheckUnsolvable(core);
        if (!core.planner.unsolvable) return;
        if (result.unsolvableClaims++ == 0) result.firstClaimMove = game.history.cursor;
    };
    check();
    while (game.history.cursor < game.history.end) {
        FindActionBoundaries(core.level, game);
        int box = 0;
        int target = 0;
        if (ActionAhead(core, box, target) && !GuardOffers(core, box, target) &&
            result.guardRefusals++ == 0)
            result.firstRefusalMove = game.history.cursor;
        if (!PlayTo(core, game.bounds.redoTarget)) break;
        check();
    }
    return result;
}

bool UnsolvableAtEnd(CoreState& core) {
    if (core.game.history.cursor < core.game.history.end) PlayTo(core, core.game.history.end);
    door::RecheckUnsolvable(core);
    return core.planner.unsolvable;
}

}  // namespace ruk::tool
