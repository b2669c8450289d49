// Shared by the progress tests: a small level with two different bests, and boards of texts.
#pragma once

#include <string>

#include "board/board.h"

namespace ruk::test {

// One box; its fewest-moves solution and its fewest-pushes solution differ.
inline const std::string ROOM =
    "#######\n"
    "# #   #\n"
    "# $   #\n"
    "#.  @ #\n"
    "# #   #\n"
    "#######\n";
inline const std::string ROOM_BY_MOVES = "llluRRurDrdLLL";     // 14 moves, 6 pushes
inline const std::string ROOM_BY_PUSHES = "llluRdrruulDrdLL";  // 16 moves, 4 pushes

// The Board of level text loaded as the Text dialog does.
Board BoardOf(const std::string& text);

}  // namespace ruk::test
