// A level's key in the progress store: computed from its board alone, so that the same level
// in two files, or in one file after an edit elsewhere, shares its record, and a level that
// differs in any cell does not.
#pragma once

#include <string>

#include "board/board.h"

namespace ruk {

// The board as level text in one canonical form: walls, goals, boxes and keeper only; rows
// joined by '\n'; floor around the level (trailing floor of a row, whole floor rows above and
// below, floor columns on the left common to every row) left out. A board larger than the
// stored 50 x 50 gets its real size on a last line, so that two such boards never meet.
std::string CanonicalBoardText(const Board& board);

// 32 lowercase hexadecimal digits: the first 128 bits of the SHA-256 of the canonical text.
std::string LevelKey(const Board& board);

}  // namespace ruk
