// The main window's own state: what the mouse is doing, the solver job's clock and the three
// drawn areas. The options and the editor's mode and tool live in the core state.
#pragma once

#include <string>

#include "panel/window_layout.h"

namespace ruk {

struct WindowState {
    int paintState = 0;  // 1 left button held, -1 right button held, 0 neither
    // Level column and row last written to the info line; -1 when it shows no cell (so the
    // first move onto the level's top-left cell is shown too).
    int lastShownX = -1;
    int lastShownY = -1;
    bool solverRunning = false;
    int solverSeconds = 0;
    int solverTimeLimit = 0;
    bool autoPlayWhenSolved = false;
    std::string solverTitle;  // the solver's file name without its extension
    PixelRect boardRect;
    PixelRect paletteRect;
    PixelRect wallToolRect;
};

}  // namespace ruk
