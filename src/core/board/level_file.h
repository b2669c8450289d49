// Level files: blocks of level rows found and parsed through the sliding window, stepping one
// accepted level forward or back, opening a file and selecting a level by number.
//
// A step that cannot finish (the file was removed or shortened, or it has no such level)
// leaves the Board and the LevelSet exactly as they were and reports failure, so that the game
// on the shown level goes on.
#pragma once

#include <cstdint>

#include "board/level_model.h"

namespace ruk {

// Parses the block whose first row starts at file offset position. An accepted block fills the
// Board and gets its status; a block that is not a level leaves the Board and sets NONE. Returns
// the offset of the last character of the block's last row. Blocks of any length are read whole.
std::int64_t ParseLevelBlock(LevelModel& model, std::int64_t position);

// One accepted level forward / back; false when there is none (status NONE).
bool NextLevel(LevelModel& model);
bool PreviousLevel(LevelModel& model);

// The name a file's levels are shown by: the file's name without its extension, cut to fit.
void SetNameFromPath(std::array<char, NAME_CAPACITY>& name, const char* path);

// Opens path, counts its levels and makes level 1 current. On failure nothing changes.
bool OpenLevelFile(LevelModel& model, const char* path);

// Makes level n (clamped to 1 … count) current. False, with nothing changed, when count is 0 or
// the level can no longer be read.
bool SelectLevel(LevelModel& model, int n);

}  // namespace ruk
