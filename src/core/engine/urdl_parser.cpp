// The URDL text parser (see urdl_parser.h).
#include "engine/urdl_parser.h"

#include "board/board_steps.h"
#include "engine/move_letters.h"

namespace ruk {

namespace {

// What a letter changed, so that it can be taken back.
struct Applied {
    int keeper = -1;
    int boxFrom = -1;
    int boxTo = -1;
};

void TakeBack(PlayState& play, const Applied& applied) {
    if (applied.boxFrom >= 0) {
        play.planBoard[applied.boxTo] = FLOOR;
        play.planBoard[applied.boxFrom] = BOX;
    }
    play.planKeeper = applied.keeper;
}

// Applies one letter to the PlanBoard and planKeeper (keeper is planKeeper's place); false,
// changing nothing, when it does not fit the position.
bool ApplyLetter(const LevelModel& level, PlayState& play, char letter, BoardPlace& keeper,
                 Applied& applied) {
    const std::optional<Direction> d = LetterDirection(letter);
    if (!d) return false;
    std::uint32_t* plan = play.planBoard.data();
    const BoardPlace next = StepPlace(level.board, keeper, *d);
    if (next.index < 0) return false;
    if (!IsPushLetter(letter)) {
        if (plan[next.index] != FLOOR) return false;
    } else {
        const int beyond = StepPlace(level.board, next, *d).index;
        if (plan[next.index] != BOX || beyond < 0 || plan[beyond] != FLOOR) return false;
        plan[next.index] = FLOOR;
        plan[beyond] = BOX;
        applied.boxFrom = next.index;
        applied.boxTo = beyond;
    }
    applied.keeper = play.planKeeper;
    play.planKeeper = next.index;
    keeper = next;
    return true;
}

}  // namespace

bool ParseUrdl(const LevelModel& level, PlayState& play, const char* input) {
    MoveHistory& history = play.history;
    CutAtCursor(history);
    for (int i = 0; i < level.board.cellCount; ++i) play.planBoard[i] = play.shown.positionBoard[i];
    play.planKeeper = play.shown.keeperCell;
    BoardPlace keeper = PlaceOf(level.board, play.planKeeper);
    for (const char* p = input; *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') continue;
        if (history.failed) return false;
        // The letter goes in only when it fits and the text can hold it.
        Applied applied;
        if (!ApplyLetter(level, play, *p, keeper, applied)) return false;
        if (!AppendLetter(history, *p)) {
            TakeBack(play, applied);
            return false;
        }
    }
    return true;
}

}  // namespace ruk
