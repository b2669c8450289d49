// The level editor's state: mode, chosen tool, the keeper it holds and its tallies.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"

namespace ruk {

enum class EditMode : std::int32_t { EDIT = 0, PLAY = 1 };

// Why the drawn level would not load, as the last verdict found it (the first rule broken).
enum class EditorFault : std::int32_t {
    NONE,
    NO_KEEPER,
    NO_BOX,
    COUNTS_DIFFER,  // boxes and goals differ in number
    OPEN,           // the keeper's room reaches the edge of the grid: no wall closes it
    OUTSIDE_ROOM,   // a box or goal lies outside the keeper's room
};

struct EditorState {
    EditMode editMode = EditMode::PLAY;
    CellCode selectedTool = WALL;
    std::int32_t keeperCol = -1;  // -1, -1 when the editor grid has no keeper
    std::int32_t keeperRow = -1;
    std::int32_t boxCount = 0;
    std::int32_t goalCount = 0;
    EditorFault fault = EditorFault::NONE;
    // The validation fill over the used grid, and where Play must put back the status the game
    // had when the editor opened on it unchanged.
    std::array<std::uint8_t, MAX_CELLS> fillMask{};
    std::array<std::int32_t, MAX_CELLS> fillQueue{};
    LevelStatus statusBeforeEdit = LevelStatus::NONE;
};

}  // namespace ruk
