// The Text-dialog level parser (see text_level_parser.h).
#include "board/text_level_parser.h"

#include "board/closedness.h"
#include "board/level_tally.h"

namespace ruk {

namespace {

struct TextBytes {
    const char* text;
    int operator()(std::int64_t offset) const {
        const unsigned char ch = static_cast<unsigned char>(text[offset]);
        return ch == '\0' ? -1 : ch;
    }
};

// Skips leading line breaks and every line that holds a byte outside the level set; the
// offset of the first line made only of level characters, or -1 when the text ends first.
std::int64_t FindStartingLine(const char* text) {
    std::int64_t p = 0;
    for (;;) {
        while (IsLineBreak(text[p])) ++p;
        if (text[p] == '\0') return -1;
        std::int64_t q = p;
        bool inSet = true;
        for (; text[q] != '\0' && !IsLineBreak(text[q]); ++q)
            if (CellCodeOf(static_cast<unsigned char>(text[q])) < 0) inSet = false;
        if (inSet) return p;
        p = q;
    }
}

}  // namespace

bool ParseTextLevel(LevelModel& model) {
    LevelSet& set = model.levelSet;
    Board& board = model.board;
    CopyText(set.name, "Text");
    set.title[0] = '\0';
    set.fromFile = false;
    set.count = 0;
    set.current = 0;
    board.keeperStart = 0;
    board.boxCount = 0;
    board.height = 0;
    board.width = 0;
    board.status = LevelStatus::NONE;

    const char* text = set.sourceText.data();
    const std::int64_t start = FindStartingLine(text);
    if (start < 0) return false;
    set.count = 1;
    set.current = 1;
    board.status = LevelStatus::PLAYABLE;

    ParseTally& tally = model.scratch.tally;
    BeginTally(tally);
    const TextBytes bytes{text};
    for (std::int64_t p = start;;) {
        const RowLine line = ReadRowLine(bytes, p, tally);
        if (!line.inSet) break;
        CommitRow(tally, line);
        if (text[line.end] == '\0') break;
        p = line.end + ((text[line.end] == '\r' && text[line.end + 1] == '\n') ? 2 : 1);
        // A line break after the last row adds no row; each further empty line does.
        if (text[p] == '\0') break;
    }
    CopyTallyToBoard(tally, board);
    SetBoardGeometry(board, model.directions);
    board.status = TextLevelStatus(tally);
    if (board.status != LevelStatus::SIZE_OVER && board.status != LevelStatus::BAD_LEVEL)
        ApplyClosednessTest(model);
    return true;
}

}  // namespace ruk
