// The text of the "Text out" dialog: the level, and in Play mode the status and the moves.
#pragma once

#include <string>

#include "records/core_state.h"

namespace ruk {

struct OutputText {
    std::string title;
    std::string text;
};

// Edit mode: "Level Output" and the EditorGrid. Play mode: "URDL Output", the level (the Board
// as loaded for a playable level, else the DisplayGrid with a status line), the solved test's
// status line and the whole move string. Runs the solved test, which may cut the string.
OutputText BuildOutputText(CoreState& core, char floor);

}  // namespace ruk
