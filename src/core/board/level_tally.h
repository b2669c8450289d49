// Reading level rows into a ParseTally: shared by the file-block parser and the Text-dialog
// parser, which differ only in what ends a level.
#pragma once

#include <cstdint>

#include "board/board.h"
#include "board/level_scratch.h"

namespace ruk {

// One line as read: where it ends (its line break, or the end of the text) and what it holds.
struct RowLine {
    std::int64_t end = 0;
    bool inSet = true;     // only level characters
    bool hasWall = false;  // at least one "#"
    std::int32_t width = 0;
    std::int32_t boxes = 0;
    std::int32_t goals = 0;
    std::int32_t keepers = 0;
    std::int32_t keeperCol = -1;
    bool isFileRow() const { return inSet && hasWall; }
};

void BeginTally(ParseTally& tally);

// Reads the line starting at position into the tally's next row (stored while it lies inside
// 50 x 50), stopping at a line break, at the end (a negative byte) or at the first byte outside
// the level set. byteAt(position) gives a byte 0-255, or a negative value past the end. A line
// longer than maxLength stops there as outside the set too.
template <class ByteAt>
RowLine ReadRowLine(ByteAt&& byteAt, std::int64_t position, ParseTally& tally,
                    std::int64_t maxLength = INT64_MAX) {
    RowLine line;
    const bool stored = tally.rows < GRID_SIDE;
    CellCode* row = tally.grid.data() + (stored ? tally.rows * GRID_SIDE : 0);
    std::int32_t col = 0;
    for (std::int64_t p = position;; ++p, ++col) {
        const int ch = byteAt(p);
        if (ch < 0 || IsLineBreak(ch)) {
            line.end = p;
            break;
        }
        const int code = CellCodeOf(static_cast<unsigned char>(ch));
        if (code < 0 || col == maxLength) {
            line.inSet = false;
            line.end = p;
            return line;
        }
        if (code == static_cast<int>(WALL)) line.hasWall = true;
        if (code != static_cast<int>(FLOOR)) line.width = col + 1;
        if (code & BOX) ++line.boxes;
        if (code & GOAL) ++line.goals;
        if ((code & KEEPER) && line.keepers++ == 0) line.keeperCol = col;
        if (stored && col < GRID_SIDE) row[col] = static_cast<CellCode>(code);
    }
    if (stored)
        for (int c = col; c < GRID_SIDE; ++c) row[c] = FLOOR;
    return line;
}

// Counts a line read by ReadRowLine as the tally's next row.
void CommitRow(ParseTally& tally, const RowLine& line);

// The status of a file block by the acceptance rules; NONE when the block is not a level.
LevelStatus FileBlockStatus(const ParseTally& tally);

// The status of a Text-dialog or editor level before the closedness test.
LevelStatus TextLevelStatus(const ParseTally& tally);

// Copies the tally into the Board's cells with the Board's row stride (at most 50 x 50) and sets
// width, height, boxCount and keeperStart; the status is left to the caller.
void CopyTallyToBoard(const ParseTally& tally, Board& board);

}  // namespace ruk
