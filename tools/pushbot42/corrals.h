// Corrals: floor the keeper cannot reach, with the boxes around it. When every push of a
// corral's boxes goes into it and the keeper stands beside each of them, some push of theirs
// must come before the corral can be left behind, so the other boxes' pushes need not be tried
// now. A corral that can never be opened, or whose fence the core's corral search proves
// stuck, makes the position dead.
#pragma once

#include <cstdint>
#include <vector>

#include "keeper_reach.h"
#include "level_cells.h"
#include "planner/deadlock_context.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

enum class CorralVerdict {
    NONE,    // every box may be pushed
    PICKED,  // only the boxes marked allowed need be pushed
    DEAD,    // the position is proved dead
};

class Corrals {
  public:
    // context: the core's corral search runs on its corral table (emptied here and by
    // NewSearch), its freeze tests with context.deadCells.
    Corrals(const LevelCells& level, const std::uint8_t* dead, DeadlockContext& context);

    // The corrals of the position on board (0 floor, BOX, WALL) with the keeper's region
    // marked in reach. held: cells whose boxes may not move in this search. allowed gets one
    // entry per box (of boxCount): which may be pushed. keeper: a cell of the keeper's region.
    CorralVerdict Pick(const std::uint32_t* board, const KeeperReach& reach,
                       const std::uint8_t* held, const std::uint16_t* boxes,
                       std::vector<std::uint8_t>& allowed, int keeper);

    // A new search: the corral table forgets the positions of the last one.
    void NewSearch();

  private:
    int Root(int area);
    bool FenceStuck(const std::uint32_t* board, int area, int keeper);

    const LevelCells& level_;
    const std::uint8_t* dead_;
    DeadlockContext& context_;
    std::vector<std::uint32_t> walls_;   // WALL on the walls, else 0
    std::vector<std::uint32_t> stamps_;  // a floor cell of a corral: its root + 1; else 0
    std::vector<std::int32_t> boxCells_;
    std::vector<std::int32_t> queue_;
    MarkMap areaMarks_;                  // areaOf_[c] holds when c is marked
    std::vector<std::int32_t> areaOf_;   // a floor cell's area; a box cell's corral (or -1)
    std::vector<std::int32_t> parent_;   // union-find of areas
    std::vector<std::uint8_t> needed_;   // the corral holds an empty goal or a box off goals
    std::vector<std::uint8_t> spoiled_;  // a push of its fence that another push may enable
    std::vector<std::int32_t> pushes_;   // pushes of its fence boxes into it
};

}  // namespace ruk::pushbot
