// Recording and showing a new action (see action_recording.h).
#include "engine/action_recording.h"

#include "engine/solved_check.h"

namespace ruk {

bool SolvedOnScreen(const CoreState& core) {
    return core.play.shown.shownPushes > 0 && EveryBoxOnAGoal(core);
}

void RecordFromCursor(CoreState& core) {
    PlayState& play = core.play;
    if (play.history.cursor >= play.history.end) return;
    CutAtCursor(play.history);
    for (int i = 0; i < core.level.board.cellCount; ++i)
        play.planBoard[i] = play.shown.positionBoard[i];
    play.planKeeper = play.shown.keeperCell;
}

void PlayRecorded(CoreState& core, WindowRequests& requests, bool pushes) {
    PlayState& play = core.play;
    SolvedTest(core.level, play);
    play.animTarget = play.history.end;
    play.animMode = AnimMode::ACTION_FORWARD;
    play.history.cursor = static_cast<std::uint32_t>(play.shown.shownMoves);
    // The controls keep the states they had before the click until the animation ends; every
    // command that stays enabled knows how to act on a half-shown walk or push.
    requests.counters = true;
    if (pushes) requests.result = true;
}

}  // namespace ruk
