// Fixed scratch storage for parsing, stepping and placing a level: sized once, never grown.
#pragma once

#include <array>
#include <cstdint>

#include "board/board.h"
#include "board/level_set.h"
#include "search/mark_map.h"

namespace ruk {

constexpr int FRAME_SIDE = GRID_SIDE + 2;  // the largest level with a one-cell margin
constexpr int FRAME_CELLS = FRAME_SIDE * FRAME_SIDE;

// Tallies and cells of the level being read, before the acceptance rules decide on it.
struct ParseTally {
    std::array<CellCode, MAX_CELLS> grid{};  // 50 x 50, stride 50
    std::int32_t rows = 0;
    std::int32_t width = 0;
    std::int32_t boxes = 0;
    std::int32_t goals = 0;
    std::int32_t keepers = 0;
    std::int32_t keeperRow = -1;  // the first keeper read
    std::int32_t keeperCol = -1;
};

// A small piece of the file read beside the window, for the title lines next to a level that
// the window no longer (or not yet) holds; the window itself is left where the scan put it.
constexpr int TITLE_PEEK_SIZE = 4096;
struct TitlePeek {
    std::array<char, TITLE_PEEK_SIZE> bytes{};
    std::int64_t base = 0;  // file offset of bytes[0]
    std::int32_t fill = 0;  // bytes held; 0 until the first read of a title search
};

struct LevelScratch {
    ParseTally tally;
    // The state before a file step, put back when the step fails.
    Board backupBoard;
    LevelSet backupSet;
    // The closedness walk.
    MarkMap reached;
    std::array<std::int32_t, MAX_CELLS> walkQueue{};
    // The placement's code grid, fill mask and fill queue (52 x 52 each).
    std::array<CellCode, FRAME_CELLS> codeGrid{};
    std::array<std::uint8_t, FRAME_CELLS> fillMask{};
    std::array<std::int32_t, FRAME_CELLS> fillQueue{};
    bool openFlag = false;
    TitlePeek titlePeek;
};

}  // namespace ruk
