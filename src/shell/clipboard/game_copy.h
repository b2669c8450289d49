// The shown level and its game as one text for the clipboard, in the common format that other
// players read: the level's rows, its title, then the moves.
#pragma once

#include <string>

#include "records/core_state.h"

namespace ruk {

// In Play mode: the level's start position as URDL Output writes it, a "Title: TITLE" line when
// the level has a title, then the whole move string, on a "Solution: " line when it solves the
// level, else as it is (no line while no move was made); every line LF-ended. Empty in the editor
// or while no level is shown. Runs the solved test, as URDL Output does.
std::string GameCopyText(CoreState& core);

}  // namespace ruk
