// The scratch that the play operations' own searches write and no one else reads: the box
// route search's store, the solved test's board and the keeper's reach for a click.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "search/mark_map.h"

namespace ruk {

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

struct PlayScratch {
    RouteStore route;
    std::array<CellCode, MAX_CELLS> replayCells{};      // the solved test's board
    std::array<std::uint8_t, MAX_CELLS> keeperReach{};  // per DisplayGrid cell
};

}  // namespace ruk
