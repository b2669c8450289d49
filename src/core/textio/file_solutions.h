// The solutions a level file carries after the current level's rows (see solution_text.h),
// read through the level file's sliding window, so that a file of any size is read in the same
// small memory. The window moves as the reading needs; stepping on to the next level afterwards
// reads from where the level ended, as always.
#pragma once

#include <cstdint>

#include "board/level_set.h"
#include "textio/move_runs.h"

namespace ruk {

constexpr int MAX_LEVEL_SOLUTIONS = 8;  // solutions read after one level; more are passed over

// Where the next solution of the current level is looked for; a fresh one starts after its rows.
struct SolutionCursor {
    std::int64_t next = -1;
    int taken = 0;
};

// The next solution after the current file level (set.window.levelStart … levelEnd): its
// letters, run lengths expanded, go to sink (at most MAX_EXPANDED_MOVES) and read says whether it
// could be read whole. False when the level carries no more solutions.
bool NextFileSolution(LevelSet& set, SolutionCursor& cursor, LetterSink& sink, MoveTextRead& read);

}  // namespace ruk
