// Loading a level of a file and a move string for the ruk-tool commands that play one.
#pragma once

#include <string>

#include "records/core_state.h"
#include "tool_args.h"

namespace ruk::tool {

// Opens FILE, selects level N and runs the level-change sequence; an error message, or "".
std::string LoadFileLevel(CoreState& core, const std::string& file, const std::string& number);

// The move text from the file named by positional argument `index`, or else from standard
// input (nothing when standard input is a terminal); an error message, or "".
std::string ReadMoves(const Args& args, std::size_t index, std::string& moves);

}  // namespace ruk::tool
