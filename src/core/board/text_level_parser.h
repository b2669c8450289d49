// The one level of a Text-dialog text or of the editor's generated text.
#pragma once

#include "board/level_model.h"

namespace ruk {

// Reads the LevelSet's sourceText as one level: name "Text", and count, current and status 1
// once a starting line is found. The level always counts, whatever it holds; the status says
// whether it can be played. Returns whether a starting line was found.
bool ParseTextLevel(LevelModel& model);

}  // namespace ruk
