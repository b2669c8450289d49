// The solutions a level file carries after a level's rows (see textio/solution_text.h), each
// replayed from the level's start and offered to the store exactly as a solve on screen is
// (ProgressStore::SaveSolution: a better one replaces, a worse one does not). A solution that
// cannot be read or does not solve is skipped and counted, never fatal.
#pragma once

#include <cstdint>
#include <string>

#include "progress_store.h"

namespace ruk {

struct CoreState;

// What became of the solutions one level carries.
struct LevelImport {
    int carried = 0;      // solutions found after the level's rows
    int invalid = 0;      // unreadable, or not solving the level
    int improved = 0;     // stored as a new best
    int kept = 0;         // solving, but the store's bests were at least as good
    int notWritten = 0;   // the store could not be written
    SolutionCounts best;  // the improving solution with the fewest moves (then pushes)
};

// Reads and offers the solutions of the level core last read from its file (door::ReadLevel),
// one at a time through the file's window; the letters of one solution at a time are held.
class LevelSolutionsImport {
  public:
    LevelImport Import(CoreState& core, ProgressStore& store);

  private:
    std::string letters_;
};

}  // namespace ruk
