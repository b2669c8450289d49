// The planner's per-level tables (goal list, GoalReach, OpenDeadMap) and the fixed scratch that
// its searches share: mark maps, queues and the reverse-search node list, all sized once.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "search/mark_map.h"

namespace ruk {

using CellMap = std::array<std::uint32_t, MAX_CELLS>;

constexpr int MAX_GOAL_LIST = 64;
constexpr int MAX_REVERSE_NODES = 4 * MAX_CELLS;  // at most one node per side of a cell

// A node of the reverse search: a box cell and the sides of it the keeper can reach.
struct ReverseNode {
    std::int32_t cell;
    std::uint32_t sides;
};

constexpr int CORRAL_FENCE_MAX = 8;

// The value of a cell of the live map (GoalReach with more than 64 boxes): a lone box there can
// be pushed onto some goal. Other cells hold 0.
constexpr std::uint64_t LIVE_CELL = 1;
// The value of a cell of the OpenDeadMap: a lone box there can be pushed onto an open dead cell.
// Other cells hold 0.
constexpr std::uint32_t OPEN_DEAD_REACH = 1;

// Scratch of the closed-area test and the assignment test (at most 64 boxes and goals).
struct ClosedAreaScratch {
    CellMap walls{};  // L: the walls with the frozen box as a new one
    CellMap marks{};
    std::array<std::int32_t, MAX_GOAL_LIST> boxes{};
    std::array<std::int32_t, MAX_GOAL_LIST> goals{};
    std::array<std::uint64_t, MAX_CELLS> masks{};
};

// Private copies of the unsolvable check.
struct UnsolvableScratch {
    CellMap position{};  // B
    CellMap walls{};     // W
    CellMap goals{};     // G
    CellMap marks{};
    std::array<std::int32_t, MAX_CELLS> boxes{};
    std::int32_t boxCount = 0;
    std::array<std::int32_t, MAX_GOAL_LIST> goalList{};
    std::int32_t goalCount = 0;
    std::array<std::uint64_t, MAX_CELLS> masks{};
};

// The target search of a selected box: nodes (box cell, keeper cell after the push that made
// it), their side sets, and the union of the side sets per cell.
struct TargetSearchScratch {
    std::array<std::int32_t, MAX_REVERSE_NODES> nodeCells{};
    std::array<std::int32_t, MAX_REVERSE_NODES> nodePrev{};
    std::array<std::uint32_t, MAX_REVERSE_NODES> nodeSides{};
    CellMap sideUnion{};
    MarkMap marks;  // the keeper fills that find a node's sides
};

struct PlannerTables {
    CellMap goalMap{};                                   // per Board cell: 1 goal, 8 wall, 0 other
    std::array<std::int32_t, MAX_GOAL_LIST> goalList{};  // the first 64 goals, in Board order
    std::int32_t goalListCount = 0;
    std::int32_t goalCount = 0;  // every goal left after the start analysis
    std::array<std::uint64_t, MAX_CELLS> goalReach{};
    bool manyBoxes = false;
    CellMap openDeadMap{};

    bool unsolvable = false;  // the shown position is proved lost

    // Scratch.
    ClosedAreaScratch closedArea;
    UnsolvableScratch check;
    TargetSearchScratch targets;
    CellMap marks{};
    CellMap wallMap{};  // walls only, with the one box a reverse search pulls
    CellMap distance{};
    std::array<std::uint32_t, MAX_CELLS> seen{};  // reverse search: SideSet per cell
    std::array<ReverseNode, MAX_REVERSE_NODES> nodes{};
    std::array<std::int32_t, MAX_CELLS> queue{};
    std::array<std::int32_t, MAX_CELLS> queueStarts{};  // start cells of a many-start search
    // The reverse search's own marks: each keeper fill takes a new stamp instead of clearing.
    MarkMap reverseMarks;
};

}  // namespace ruk
