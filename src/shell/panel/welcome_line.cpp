// The welcome screen's added line (see welcome_line.h).
#include "panel/welcome_line.h"

namespace ruk {

namespace {
// Between the two parts: wide enough to read them as two hints on one line.
constexpr const char* PART_GAP = "      ";
}  // namespace

std::string WelcomeLine(const std::optional<WelcomePlace>& place, bool zoomChosen) {
    std::string line;
    if (place) {
        line = "Ctrl+L: " + place->name + ", level " + std::to_string(place->level);
        if (place->gameKept) line += " (a game in progress: Ctrl+G)";
    }
    if (!zoomChosen)
        line += (line.empty() ? "" : PART_GAP) + std::string("Ctrl+0: fit levels to the board");
    return line;
}

}  // namespace ruk
