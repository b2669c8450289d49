// What the progress store keeps of one level.
#pragma once

#include <cstdint>
#include <string>

namespace ruk {

// Seconds since 1970; 0 for never.
using ChangeTime = std::int64_t;

struct StoredSolution {
    bool present = false;
    std::uint32_t moves = 0;
    std::uint32_t pushes = 0;
    std::string letters;
    ChangeTime changed = 0;
};

struct LevelRecord {
    bool solved = false;
    ChangeTime solvedChanged = 0;
    StoredSolution byMoves;   // fewest moves, then fewest pushes
    StoredSolution byPushes;  // fewest pushes, then fewest moves
    // The last game left unfinished: the whole move string (redo tail included) and the cursor.
    bool hasGame = false;
    std::string gameLetters;
    std::uint32_t gameCursor = 0;
    ChangeTime gameChanged = 0;
};

}  // namespace ruk
