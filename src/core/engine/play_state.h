// The records of the game in progress: history, recording side, shown position, result totals,
// animation state and the per-cell maps and overlays the planner fills for the mouse.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "board/board.h"
#include "board/grids.h"
#include "engine/move_history.h"
#include "search/mark_map.h"

namespace ruk {

enum class AnimMode : std::int32_t {
    IDLE = 0,
    STEP_FORWARD = 1,
    ACTION_FORWARD = 2,
    STEP_BACKWARD = -1,
    AUTO_ACTIONS = 4,
};

// The position at the cursor. Board-sized maps use the Board's row stride.
struct ShownPosition {
    std::array<CellCode, MAX_CELLS> positionBoard{};  // a position map (see board/cell_code.h)
    std::int32_t keeperCell = 0;
    std::array<std::int32_t, MAX_CELLS> boxList{};  // one Board index per box
    std::int32_t boxListCount = 0;
    std::optional<Direction> facing;  // of the last step shown; none before the first
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

// Per DisplayGrid cell, for the selected box.
struct TargetOverlay {
    std::array<std::uint8_t, MAX_CELLS> targetFlag{};
    std::array<std::uint8_t, MAX_CELLS> sideCount{};
    std::array<std::array<std::int32_t, 4>, MAX_CELLS> sideOffsets{};
};

// Where Undo, Redo and auto-play take their targets (positions in the history text).
constexpr std::uint32_t NO_POSITION = 0xffffffffu;
struct ActionBounds {
    std::uint32_t redoTarget = 0;
    std::uint32_t undoTarget = 0;
    std::uint32_t actionFirstPush = NO_POSITION;  // NO_POSITION when the run holds no push
};

// The box route search's store: one node per state (box cell, direction of the last push),
// since a state's pushes and moves are final once the layer before it has been expanded.
constexpr int ROUTE_STATES = 4 * MAX_CELLS;
struct RouteNode {
    std::int32_t boxFrom = 0;
    std::int32_t boxTo = 0;
    std::uint32_t pushes = 0;  // 0: the state has not been reached
    std::uint32_t moves = 0;
    std::int32_t parent = -1;    // state of the previous push; -1 for the first push
    std::int32_t previous = -1;  // neighbours in its layer's list
    std::int32_t next = -1;
};
struct RouteStore {
    std::array<RouteNode, ROUTE_STATES> nodes{};
    std::array<std::uint32_t, MAX_CELLS> sideMap{};
    std::array<std::uint32_t, MAX_CELLS> startMap{};
    std::array<std::uint32_t, MAX_CELLS> distance{};
    MarkMap distanceMarks;  // distance[c] holds when c is marked
    std::array<std::int32_t, MAX_CELLS> queue{};
    std::array<std::int32_t, ROUTE_STATES> chain{};
};

// The slow-downs a replay can have: one letter every 1, 2, 4, 8 or 16 ticks of timer 1.
constexpr int MAX_REPLAY_SLOWDOWN = 16;
constexpr bool IsReplaySlowdown(int factor) {
    return factor == 1 || factor == 2 || factor == 4 || factor == 8 || factor == 16;
}

struct PlayState {
    MoveHistory history;
    // Recording side: the state at the end of the string.
    std::array<CellCode, MAX_CELLS> planBoard{};  // a position map (see board/cell_code.h)
    std::int32_t planKeeper = 0;
    ShownPosition shown;
    ResultTotals totals;
    AnimMode animMode = AnimMode::IDLE;
    std::uint32_t animTarget = 0;                       // position in the history text
    std::array<CellCode, MAX_CELLS> goalMap{};          // per Board cell: GOAL, WALL or FLOOR
    std::array<std::uint8_t, MAX_CELLS> keeperReach{};  // per DisplayGrid cell
    TargetOverlay targets;
    bool boxSelected = false;
    std::int32_t selectedBox = 0;  // Board index of the clicked box
    bool guardOn = false;          // the Guard option
    bool instantMove = false;      // the Instant Move option
    ActionBounds bounds;
    std::array<CellCode, MAX_CELLS> replayCells{};  // the solved test's scratch board
    RouteStore route;
    // Redo and Auto-play letter by letter show one letter every replaySlowdown ticks of timer 1
    // (1, 2, 4, 8 or 16); replayWait counts the ticks since the last one.
    std::int32_t replaySlowdown = 1;
    std::int32_t replayWait = 0;
};

// Start-up: the history buffer allocated (false when that fails), everything else idle.
bool InitPlayState(PlayState& play);

// A new level: the game emptied, totals zeroed, the recording side set from the Board's boxes
// and walls, the keeper at its start, no last push. The shown counters are the placement's.
void ResetPlayForLevel(PlayState& play, const Board& board);

// After a level is placed: the sideCount layer of the used grid cleared, the shown counters
// and facing zeroed.
void ResetShownForPlacement(PlayState& play, const Grids& grids);

}  // namespace ruk
