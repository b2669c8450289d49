// A level with its solution in the common text format that other players import: the level's
// rows, a "Title:" line when it has a title, a "Solution:" line when it has a solution.
#pragma once

#include <string>

#include "records/core_state.h"

namespace ruk::tool {

// The block for one level, LF-ended, with a blank line after it so that the next level's
// block does not run into this one's lines: rows (see LevelRows), then title and solution,
// each of which may be empty.
std::string ExportedLevel(const std::string& rows, const std::string& title,
                          const std::string& solution);

// The rows of the level the core has read from the file at path: the canonical text of its
// Board, or, for a level larger than the stored board, its rows as the file holds them
// (line breaks made LF). False when the file cannot be read again.
bool LevelRows(const CoreState& core, std::string& rows);

}  // namespace ruk::tool
