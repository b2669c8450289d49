// An answer's pushes as URDL letters: the keeper walks to each pushing side by a shortest path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level_cells.h"

namespace ruk::pushbot {

// Plays steps from the level's start; false when a step cannot be made there (a box missing,
// the pushing side out of reach, a cell taken).
bool PushLetters(const LevelCells& level, const std::vector<PushStep>& steps, std::string& letters,
                 std::uint32_t& pushes);

}  // namespace ruk::pushbot
