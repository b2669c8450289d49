// Shared by the progress tests: a small level with two different bests, boards of texts, and
// checks run where file permissions bind.
#pragma once

#include <functional>
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

// How a check run in a forked child went. The child prints its own failed expectations.
enum class ChildRun { PASSED, FAILED, UNAVAILABLE };

// Runs check in a forked child once prepare has set the child up; UNAVAILABLE when it could not.
ChildRun RunInChild(const std::function<bool()>& prepare, const std::function<void()>& check);

// Runs check where permission bits bind: here for an ordinary user; for root, whom they do not
// bind, in a child that has become the user "nobody" (files it reads must be readable by all).
ChildRun RunUnprivileged(const std::function<void()>& check);

}  // namespace ruk::test
