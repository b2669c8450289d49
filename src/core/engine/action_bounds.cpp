// Action boundaries (see action_bounds.h). Keeper cells are derived from the shown keeper by
// walking the letters forward or backward from the cursor; no replay from the start.
#include "engine/action_bounds.h"

#include "engine/move_letters.h"

namespace ruk {

namespace {

struct RunAhead {
    std::uint32_t lastPush = NO_POSITION;  // the run's last push letter
    int firstPushFrom = -1;                // box-from cell of the first push after the cursor
    int keeperAfterLastPush = 0;
};

RunAhead ScanRunAhead(const LevelModel& level, const GameRecord& game) {
    const std::int32_t* step = level.directions.stepOffset.data();
    const MoveHistory& h = game.history;
    RunAhead run;
    int keeper = game.shown.keeperCell;
    int boxTo = -1;
    for (std::uint32_t p = h.cursor; p < h.end; ++p) {
        const int d = LetterDirection(h.text[p]);
        if (d < 0) continue;
        const int from = keeper + step[d];
        if (IsPushLetter(h.text[p])) {
            if (run.lastPush == NO_POSITION)
                run.firstPushFrom = from;
            else if (from != boxTo)
                break;
            boxTo = from + step[d];
            run.lastPush = p;
            run.keeperAfterLastPush = from;
        }
        keeper = from;
    }
    return run;
}

// Walks back from the letter at start (keeper = the cell after it) over walks and the pushes
// of one box; sets undoTarget and actionFirstPush.
void ScanRunBehind(const LevelModel& level, GameRecord& game, std::int64_t start, int keeper) {
    const std::int32_t* step = level.directions.stepOffset.data();
    const MoveHistory& h = game.history;
    ActionBounds& bounds = game.bounds;
    bounds.actionFirstPush = NO_POSITION;
    bounds.undoTarget = 0;
    int runFrom = -1;
    for (std::int64_t q = start; q >= 0; --q) {
        const int d = LetterDirection(h.text[q]);
        if (d < 0) continue;
        if (IsPushLetter(h.text[q])) {
            const int boxTo = keeper + step[d];
            if (bounds.actionFirstPush != NO_POSITION && boxTo != runFrom) {
                bounds.undoTarget = static_cast<std::uint32_t>(q + 1);
                return;
            }
            bounds.actionFirstPush = static_cast<std::uint32_t>(q);
            runFrom = keeper;
        }
        keeper -= step[d];
    }
}

}  // namespace

int LastPushTargetBefore(const LevelModel& level, const MoveHistory& history,
                         std::uint32_t position, int keeper) {
    const std::int32_t* step = level.directions.stepOffset.data();
    for (std::int64_t q = static_cast<std::int64_t>(position) - 1; q >= 0; --q) {
        const int d = LetterDirection(history.text[q]);
        if (d < 0) continue;
        if (IsPushLetter(history.text[q])) return keeper + step[d];
        keeper -= step[d];
    }
    return 0;
}

void FindActionBoundaries(const LevelModel& level, GameRecord& game) {
    const MoveHistory& h = game.history;
    const RunAhead ahead = ScanRunAhead(level, game);
    game.bounds.redoTarget = ahead.lastPush == NO_POSITION ? h.cursor : ahead.lastPush + 1;
    const int lastPushTarget = LastPushTargetBefore(level, h, h.cursor, game.shown.keeperCell);
    game.shown.lastPushTarget = lastPushTarget;

    const bool pushAhead = ahead.lastPush != NO_POSITION;
    const bool continuesBehind = pushAhead && ahead.firstPushFrom == lastPushTarget;
    const bool afterWalk = h.cursor > 0 && h.cursor != h.end && !IsPushLetter(h.text[h.cursor - 1]);
    const bool inside = continuesBehind || afterWalk;
    if (inside && pushAhead)
        ScanRunBehind(level, game, ahead.lastPush, ahead.keeperAfterLastPush);
    else
        ScanRunBehind(level, game, static_cast<std::int64_t>(h.cursor) - 1, game.shown.keeperCell);
}

}  // namespace ruk
