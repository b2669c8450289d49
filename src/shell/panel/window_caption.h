// The main window's caption: the program's name, then where the shown level comes from.
#pragma once

#include <string>

#include "board/level_set.h"

namespace ruk {

constexpr const char* WINDOW_CAPTION = "RUK (Rukplayer) v2.2";

// WINDOW_CAPTION alone while no level is loaded; a file level adds " - NAME N/COUNT" and, when
// the level has a title, ": TITLE"; a Text-dialog or editor level adds " - NAME" only.
std::string WindowCaption(const LevelSet& set);

}  // namespace ruk
