// The game in progress: the move history, the recording side (the position at the end of the
// history), the shown position at the cursor, the result totals and the action bounds.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "records/move_history.h"

namespace ruk {

// The position at the cursor. Board-sized maps use the Board's row stride.
struct ShownPosition {
    std::array<std::uint32_t, MAX_CELLS> positionBoard{};  // 0 free, 2 box, other blocked
    std::int32_t keeperCell = 0;
    std::array<std::int32_t, MAX_CELLS> boxList{};  // one Board index per box
    std::int32_t boxListCount = 0;
    std::int32_t facing = 0;  // 0 none, 1 up, 2 right, 3 down, 4 left
    std::int32_t shownMoves = 0;
    std::int32_t shownPushes = 0;
    std::int32_t shownActions = 0;
    std::int32_t lastPushTarget = 0;  // 0 when no push lies before the cursor
};

struct ResultTotals {
    std::uint32_t totalMoves = 0;
    std::uint32_t totalPushes = 0;
    std::uint32_t totalActions = 0;
    bool solved = false;
};

// Where Undo, Redo and auto-play take their targets (positions in the history text).
constexpr std::uint32_t NO_POSITION = 0xffffffffu;
struct ActionBounds {
    std::uint32_t redoTarget = 0;
    std::uint32_t undoTarget = 0;
    std::uint32_t actionFirstPush = NO_POSITION;  // NO_POSITION when the run holds no push
};

struct GameRecord {
    MoveHistory history;
    // Recording side: the state at the end of the string.
    std::array<std::uint32_t, MAX_CELLS> planBoard{};  // 0 free, 2 box, other blocked
    std::int32_t planKeeper = 0;
    ShownPosition shown;
    ResultTotals totals;
    ActionBounds bounds;
};

}  // namespace ruk
