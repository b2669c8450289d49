// A file level's title, read from the lines next to its block. Which line gives it, best first:
//   1. a "Title:" line in the lines directly after the block (up to a blank line or the end);
//   2. a "Title:" line in the lines directly before the block (up to a blank line);
//   3. a "Title:" line after the block in lines that run straight into the next block, with no
//      blank line between (they may as well head the next block, so they count only here);
//   4. the last comment line (";") before the block with text after its ";" and spaces.
// The title is cut to TITLE_CAPACITY - 1 bytes; control bytes show as spaces. Lines are looked
// at up to TITLE_SCAN_LIMIT bytes away from the block, so a huge comment costs a bounded read.
#pragma once

#include <cstdint>

#include "board/level_scratch.h"
#include "board/level_set.h"

namespace ruk {

constexpr std::int64_t TITLE_SCAN_LIMIT = 64 * 1024;

// Sets set.title for the level at window.levelStart … levelEnd; reads beyond the window go
// through peek, so that the window stays where the level scan left it.
void ReadLevelTitle(LevelSet& set, TitlePeek& peek);

}  // namespace ruk
