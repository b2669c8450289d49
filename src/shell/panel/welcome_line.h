// The welcome screen's added line: the place Ctrl+L goes back to, and the fit zoom's key until
// a zoom has been chosen. Built without Qt; the board draws it below the greeting.
#pragma once

#include <optional>
#include <string>

namespace ruk {

// The file level shown when the player last closed, as the line names it.
struct WelcomePlace {
    std::string name;  // the file as the caption names it: its name without the extension
    int level = 0;
    bool gameKept = false;  // that level has an unfinished game kept (Ctrl+G goes on with it)
};

// "Ctrl+L: microban-155, level 5 (a game in progress: Ctrl+G)", then, while no zoom has been
// chosen, "Ctrl+0: fit levels to the board"; "" when there is nothing to say.
std::string WelcomeLine(const std::optional<WelcomePlace>& place, bool zoomChosen);

}  // namespace ruk
