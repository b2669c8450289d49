// Corrals: floor the keeper cannot reach, with the boxes around it. When every push of a
// corral's boxes goes into it and the keeper stands beside each of them, some push of theirs
// must come before the corral can be left behind, so the other boxes' pushes need not be tried
// now. A corral that can never be opened, or whose boxes alone are lost, makes the position
// dead.
#pragma once

#include <cstdint>
#include <vector>

#include "corral_alone.h"
#include "keeper_reach.h"
#include "level_cells.h"
#include "search/mark_map.h"

namespace ruk::pushbot {

enum class CorralVerdict {
    NONE,    // every box may be pushed
    PICKED,  // only the boxes marked allowed need be pushed
    DEAD,    // the position is proved dead
};

class Corrals {
  public:
    Corrals(const LevelCells& level, const std::uint8_t* dead);

    // The corrals of the position on board (0 floor, BOX, WALL) with the keeper's region
    // marked in reach. held: cells whose boxes may not move in this search. allowed gets one
    // entry per box (of boxCount): which may be pushed. storedPositions bounds the work of the
    // corral searches.
    CorralVerdict Pick(const std::uint32_t* board, const KeeperReach& reach,
                       const std::uint8_t* held, const std::uint16_t* boxes,
                       std::vector<std::uint8_t>& allowed, int keeper, std::size_t storedPositions);

    // The floor areas outside the keeper's region at the last Pick.
    int Areas() const { return areas_; }
    // A new search: the corral searches' work counts afresh.
    void NewSearch() { alone_.NewSearch(); }
    // The box sets the corral searches proved dead.
    const DeadPatterns& Patterns() const { return alone_.Patterns(); }

  private:
    int Root(int area);

    const LevelCells& level_;
    const std::uint8_t* dead_;
    CorralAlone alone_;
    std::vector<std::int32_t> queue_;
    int areas_ = 0;
    MarkMap areaMarks_;                  // areaOf_[c] holds when c is marked
    std::vector<std::int32_t> areaOf_;   // a floor cell's area; a box cell's corral (or -1)
    std::vector<std::int32_t> parent_;   // union-find of areas
    std::vector<std::uint8_t> needed_;   // the corral holds an empty goal or a box off goals
    std::vector<std::uint8_t> spoiled_;  // a push of its fence that another push may enable
    std::vector<std::int32_t> pushes_;   // pushes of its fence boxes into it
};

}  // namespace ruk::pushbot
