// The Options group's window side (see options_part.h).
#include "window/options_part.h"

#include "panel/replay_speed.h"
#include "window/board_view.h"
#include "window/control_panel.h"

namespace ruk {

void OptionsPart::Load(const WorkingPaths& paths) {
    const Options options = LoadOptions(paths);
    door::SetOptions(c_.core, options.instantMove, options.guardEnabled);
    c_.panel.SetChecked(ID_GUARD, options.guardEnabled);
    c_.panel.SetChecked(ID_INSTANT_MOVE, options.instantMove);
    door::SetReplaySlowdown(c_.core, LoadReplaySlowdown(paths));
    storedSlowdown_ = door::ReplaySlowdown(c_.core);
}

void OptionsPart::Save(const WorkingPaths& paths) const {
    SaveOptions(paths, {door::InstantMove(c_.core), door::GuardOn(c_.core)});
    if (door::ReplaySlowdown(c_.core) != storedSlowdown_)
        SaveReplaySlowdown(paths, door::ReplaySlowdown(c_.core));
}

void OptionsPart::InstantMoveChanged() {
    door::SetInstantMove(c_.core, c_.panel.Checked(ID_INSTANT_MOVE));
}

void OptionsPart::GuardChanged() {
    const bool reselected = door::SetGuard(c_.core, c_.panel.Checked(ID_GUARD));
    UpdateUnsolvableLabel(c_.core, c_.texts);
    c_.frame.ApplyPanel();
    if (reselected) c_.board.Redraw();
}

void OptionsPart::ChangeReplaySpeed(bool faster) {
    const ReplaySpeed now{door::ReplaySlowdown(c_.core), door::InstantMove(c_.core)};
    const ReplaySpeed next = faster ? FasterReplay(now) : SlowerReplay(now);
    if (next.instantMove != now.instantMove) {
        // Instant Move changes only where its check box could be clicked.
        if (!c_.panel.Enabled(ID_INSTANT_MOVE)) return;
        c_.panel.SetChecked(ID_INSTANT_MOVE, next.instantMove);
        door::SetInstantMove(c_.core, next.instantMove);
    }
    door::SetReplaySlowdown(c_.core, next.slowdown);
}

}  // namespace ruk
