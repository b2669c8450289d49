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
};

// Opens path in core (a state of its own, as FileLevelKeys does) and asks the store about its
// levels a batch at a time. Returns early, not known, once stop is set.
FileSolvedCount CountSolvedInFile(CoreState& core, ProgressStore& store, const char* path,
                                  const std::atomic<bool>& stop);

}  // namespace ruk
