// The corral search: whether the boxes fencing an area the keeper can no longer reach are stuck
// for good. Only the fence boxes (at most 8) are kept; every push sequence of them is searched
// until no box still fences an area off goal. Exhausting the search proves the area dead.
#pragma once

#include <cstdint>

#include "records/core_state.h"
#include "records/deadlock_verdicts.h"

namespace ruk {

// Starts a run: CorralBoard = the walls of board, copies of goals and masks, every slot empty.
void ResetCorralTable(CoreState& core, const std::uint32_t* board, const std::uint32_t* goals,
                      const std::uint64_t* masks);

// Dead when a closed area next to cell (among its eight neighbours) is dead.
DeadVerdict CorralCheck(CoreState& core, const std::uint32_t* board, const std::int32_t* boxCells,
                        int boxCount, int cell, int keeper);

// Dead or NotDead for the area marked `stamp` in marks. Leaves marks alone.
CorralVerdict CorralSearch(CoreState& core, const std::uint32_t* board,
                           const std::int32_t* boxCells, int boxCount, int keeper,
                           const std::uint32_t* marks, std::uint32_t stamp);

// Stores the current corral position with the keeper at keeper: Open when stored or already
// queued; NotDead when harmless or a limit hit; otherwise the result recorded for the same
// position.
CorralVerdict StoreCorralPosition(CoreState& core, int keeper);

}  // namespace ruk
