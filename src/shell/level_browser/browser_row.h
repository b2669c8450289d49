// One row of the level browser: the small facts of one level of the open file and what the
// progress store keeps of it. No grid and no file text, so that a file of any count of levels
// lists in small memory; a level's cells are read again from its file offset when drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "board/board.h"
#include "level_record.h"

namespace ruk {

enum class RowState : std::uint8_t {
    UNREAD,      // the reader has not reached the level yet
    READ,        // the level's facts below are known
    UNREADABLE,  // the file changed or went away before the level was read
};

struct BestCounts {
    bool present = false;
    std::uint32_t moves = 0;
    std::uint32_t pushes = 0;
};

struct BrowserRow {
    RowState state = RowState::UNREAD;
    LevelStatus status = LevelStatus::NONE;
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    std::int32_t boxes = 0;
    std::int64_t fileStart = -1;  // the offset of the level's first row
    std::array<char, 33> key{};   // the progress key, zero-terminated
    std::string title;            // as the file gives it
    bool solved = false;
    bool hasGame = false;
    BestCounts byMoves;
    BestCounts byPushes;
};

// The row's progress fields from a summary of the store (letters are not looked at).
void SetRowProgress(BrowserRow& row, const LevelRecord& summary);

}  // namespace ruk
