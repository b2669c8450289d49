// What Ctrl+V finds on the clipboard: a level, with the moves written after it, or moves alone.
#pragma once

#include <string>
#include <string_view>

namespace ruk {

struct PastedText {
    // The text holds a level row: a line of level characters with a wall in it.
    bool level = false;
    // With a level: the moves of its first "Solution" line or block, read as level files read
    // them; without one, the lines of move letters after the level's rows (empty when there is
    // none before another level). Without: the whole text with the blanks around it and a leading
    // "Solution:" taken off, to be read as URDL Input reads it.
    std::string moves;
};

PastedText ReadPastedText(std::string_view text);

}  // namespace ruk
