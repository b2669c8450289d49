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

void TakeBack(GameRecord& game, const Applied& applied) {
    if (applied.boxFrom >= 0) {
        game.planBoard[applied.boxTo] = 0;
        game.planBoard[applied.boxFrom] = BOX;
    }
    game.planKeeper = applied.keeper;
}

// Applies one letter to the PlanBoard and planKeeper (keeper is planKeeper's place); false,
// changing nothing, when it does not fit the position.
bool ApplyLetter(const LevelModel& level, GameRecord& game, char letter, BoardPlace& keeper,
                 Applied& applied) {
    const int d = LetterDirection(letter);
    if (d < 0) return false;
    std::uint32_t* plan = game.planBoard.data();
    const BoardPlace next = StepPlace(level.board, keeper, d);
    if (next.index < 0) return false;
    if (!IsPushLetter(letter)) {
        if (plan[next.index] != 0) return false;
    } else {
        const int beyond = StepPlace(level.board, next, d).index;
        if (plan[next.index] != BOX || beyond < 0 || plan[beyond] != 0) return false;
        plan[next.index] = 0;
        plan[beyond] = BOX;
        applied.boxFrom = next.index;
        applied.boxTo = beyond;
    }
    applied.keeper = game.planKeeper;
    game.planKeeper = next.index;
    keeper = next;
    return true;
}

}  // namespace

bool ParseUrdl(const LevelModel& level, GameRecord& game, const char* input) {
    MoveHistory& history = game.history;
    CutAtCursor(history);
    for (int i = 0; i < level.board.cellCount; ++i) game.planBoard[i] = game.shown.positionBoard[i];
    game.planKeeper = game.shown.keeperCell;
    BoardPlace keeper = PlaceOf(level.board, game.planKeeper);
    for (const char* p = input; *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') continue;
        if (history.failed) return false;
        // The letter goes in only when it fits and the text can hold it.
        Applied applied;
        if (!ApplyLetter(level, game, *p, keeper, applied)) return false;
        if (!AppendLetter(history, *p)) {
            TakeBack(game, applied);
            return false;
        }
    }
    return true;
}

}  // namespace ruk
