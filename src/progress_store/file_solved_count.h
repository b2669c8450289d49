// How many levels of a level file the store holds as solved, read in one pass over the file
// with a fixed amount of memory however many levels it holds.
#pragma once

#include <atomic>

#include "progress_store.h"

namespace ruk {

struct CoreState;

struct FileSolvedCount {
    bool known = false;  // false: the file could not be read, the store failed or it was stopped
    int solved = 0;
    int levels = 0;
    // With solutions read: levels given a new best from the file, and solutions it carries
    // that could not be read or do not solve.
    int imported = 0;
    int invalid = 0;
};

// Opens path in core (a state of its own, as FileLevelKeys does) and asks the store about its
// levels a batch at a time. With readSolutions, the solutions each level carries are first
// offered to the store (see level_solutions_import.h), so that the count includes them.
// Returns early, not known, once stop is set.
FileSolvedCount CountSolvedInFile(CoreState& core, ProgressStore& store, const char* path,
                                  const std::atomic<bool>& stop, bool readSolutions = false);

}  // namespace ruk
