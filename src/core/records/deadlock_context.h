// The tables and scratch of the dead-position tests (freeze, closed area, corral search,
// unsolvable check) and of the reverse search they build goal reach with. The player's state
// owns one; a solver can own one per thread beside a single shared level, without the rest
// of the player's records.
#pragma once

#include <array>
#include <cstdint>

#include "board/level_model.h"
#include "records/corral_table.h"
#include "records/planner_tables.h"
#include "search/mark_map.h"

namespace ruk {

// The reverse search's tables: the walls it pulls a box over, the sides reached per cell, its
// nodes, and its own marks (each keeper fill takes a new stamp instead of clearing).
struct ReverseScratch {
    CellMap wallMap{};  // WALL or FLOOR, and BOX for the one box a reverse search pulls
    std::array<std::uint32_t, MAX_CELLS> seen{};  // SideSet per cell
    std::array<ReverseNode, MAX_REVERSE_NODES> nodes{};
    std::array<std::int32_t, MAX_CELLS> queueStarts{};  // start cells of a many-start search
    MarkMap marks;
};

struct DeadlockContext {
    const LevelModel* level = nullptr;  // read only: cell count and neighbour offsets
    // Cells where a box can never reach a goal, nonzero per cell, or null: with them the freeze
    // test also counts an axis whose two sides are both such cells as blocked.
    const std::uint8_t* deadCells = nullptr;
    ClosedAreaScratch closedArea;
    UnsolvableScratch check;
    ReverseScratch reverse;
    std::array<std::int32_t, MAX_CELLS> queue{};
    CorralTable corral;
};

// Points context at level (which must outlive it) and allocates its corral table; false when
// that fails.
bool InitDeadlockContext(DeadlockContext& context, const LevelModel& level);

}  // namespace ruk
