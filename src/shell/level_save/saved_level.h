// The drawn level as a level file holds it, and the rule that would keep it from loading back.
#pragma once

#include <string>
#include <vector>

#include "records/core_state.h"

namespace ruk {

// The editor's level as the lines of a level file, without line ends: its rows (floor as space,
// trimmed to what is drawn), then "Title: TITLE" when title is not empty. Nothing when the
// editor holds no drawing.
std::vector<std::string> SavedLevelLines(const CoreState& core, const std::string& title);

// Why the drawn level, saved as lines, would not load back as a playable level (the first rule
// it breaks, as a phrase: "it has no keeper"); empty when it would.
std::string UnloadableReason(const CoreState& core, const std::vector<std::string>& lines);

// How many levels the file at path holds, read as File reads it; 0 when it holds none.
int LevelsInFile(const std::string& path);

}  // namespace ruk
