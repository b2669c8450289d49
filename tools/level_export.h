// A level with its solution in the common text format that other players import: the level's
// rows, a "Title:" line when it has a title, a "Solution:" line when it has a solution.
#pragma once

#include <string>

#include "board/board.h"

namespace ruk::tool {

// The block for one level, LF-ended, with a blank line after it so that the next level's
// block does not run into this one's lines. title and solution may be empty.
std::string ExportedLevel(const Board& board, const std::string& title,
                          const std::string& solution);

}  // namespace ruk::tool
