// Level files through the sliding window (see level_file.h).
#include "board/level_file.h"

#include <climits>
#include <cstring>

#include "board/closedness.h"
#include "board/level_tally.h"
#include "board/level_title.h"
#include "board/level_window.h"

namespace ruk {

namespace {

struct FileBytes {
    LevelSet& set;
    int operator()(std::int64_t offset) const { return WindowByteAt(set, offset); }
};

// The offset just past a line break that starts at offset (CR LF counts as one).
std::int64_t PastLineBreak(LevelSet& set, std::int64_t offset) {
    const int ch = WindowByteAt(set, offset);
    if (ch == '\r' && WindowByteAt(set, offset + 1) == '\n') return offset + 2;
    return offset + 1;
}

// Classifies the line that starts at offset; end receives its line break or the file's end.
// A line is passed over as soon as it cannot be a level row.
bool IsLevelRowAt(LevelSet& set, std::int64_t offset, std::int64_t& end) {
    bool hasWall = false;
    std::int64_t p = offset;
    for (int ch = WindowByteAt(set, p); ch != WINDOW_END && !IsLineBreak(ch);
         ch = WindowByteAt(set, ++p)) {
        if (p - offset == MAX_ROW_LENGTH || CellCodeOf(static_cast<unsigned char>(ch)) < 0) {
            end = LineBreakFrom(set, p);
            return false;
        }
        if (ch == '#') hasWall = true;
    }
    end = p;
    return hasWall;
}

// Classifies the line whose last character is at offset, walking back; start receives its
// first character.
bool IsLevelRowEndingAt(LevelSet& set, std::int64_t offset, std::int64_t& start) {
    bool hasWall = false;
    std::int64_t p = offset;
    for (; p >= 0; --p) {
        const int ch = WindowByteAt(set, p);
        if (ch == WINDOW_END || IsLineBreak(ch)) break;
        if (offset - p == MAX_ROW_LENGTH || CellCodeOf(static_cast<unsigned char>(ch)) < 0) {
            start = LineBreakBefore(set, p) + 1;
            return false;
        }
        if (ch == '#') hasWall = true;
    }
    start = p + 1;
    return hasWall;
}

// The last character of the line directly above the line that starts at offset; -1 when that
// line is empty or there is none.
std::int64_t LastCharOfLineAbove(LevelSet& set, std::int64_t offset) {
    if (offset <= 0) return -1;
    std::int64_t lineBreak = offset - 1;
    if (WindowByteAt(set, lineBreak) == '\n' && lineBreak > 0 &&
        WindowByteAt(set, lineBreak - 1) == '\r')
        --lineBreak;
    if (lineBreak <= 0) return -1;
    const int ch = WindowByteAt(set, lineBreak - 1);
    return (ch == WINDOW_END || IsLineBreak(ch)) ? -1 : lineBreak - 1;
}

void BackUp(LevelModel& model) {
    model.scratch.backupBoard = model.board;
    model.scratch.backupSet = model.levelSet;
}

bool Restore(LevelModel& model) {
    model.board = model.scratch.backupBoard;
    model.levelSet = model.scratch.backupSet;
    return false;
}

}  // namespace

std::int64_t ParseLevelBlock(LevelModel& model, std::int64_t position) {
    LevelSet& set = model.levelSet;
    ParseTally& tally = model.scratch.tally;
    BeginTally(tally);
    std::int64_t lastChar = position - 1;
    for (std::int64_t p = position;;) {
        const RowLine line = ReadRowLine(FileBytes{set}, p, tally, MAX_ROW_LENGTH);
        if (!line.isFileRow()) break;
        CommitRow(tally, line);
        lastChar = line.end - 1;
        if (WindowByteAt(set, line.end) == WINDOW_END) break;
        p = PastLineBreak(set, line.end);
    }
    const LevelStatus status = FileBlockStatus(tally);
    model.board.status = status;
    if (status != LevelStatus::NONE) CopyTallyToBoard(tally, model.board);
    return lastChar;
}

bool NextLevel(LevelModel& model) {
    LevelSet& set = model.levelSet;
    LevelWindow& w = set.window;
    if (set.current != 0 && set.current == set.count) return false;
    model.board.status = LevelStatus::NONE;
    std::int64_t p = w.levelEnd + 1;
    for (;;) {
        int ch = WindowByteAt(set, p);
        while (IsLineBreak(ch)) ch = WindowByteAt(set, ++p);
        if (ch == WINDOW_END) return false;
        std::int64_t lineEnd = 0;
        if (!IsLevelRowAt(set, p, lineEnd)) {
            p = lineEnd;
            continue;
        }
        const std::int64_t last = ParseLevelBlock(model, p);
        if (w.readFailed) return false;
        if (model.board.status != LevelStatus::NONE) {
            ++set.current;
            w.levelStart = p;
            w.levelEnd = last;
            return true;
        }
        p = last + 1;
    }
}

bool PreviousLevel(LevelModel& model) {
    LevelSet& set = model.levelSet;
    LevelWindow& w = set.window;
    if (set.current <= 1) return false;
    model.board.status = LevelStatus::NONE;
    std::int64_t p = w.levelStart;
    for (;;) {
        std::int64_t last = p - 1;
        int ch = WindowByteAt(set, last);
        while (last >= 0 && IsLineBreak(ch)) ch = WindowByteAt(set, --last);
        if (last < 0 || ch == WINDOW_END) return false;
        std::int64_t first = 0;
        if (!IsLevelRowEndingAt(set, last, first)) {
            p = first;
            continue;
        }
        // The block's first row is the topmost of the level rows directly above each other.
        for (std::int64_t above = LastCharOfLineAbove(set, first); above >= 0;
             above = LastCharOfLineAbove(set, first)) {
            std::int64_t start = 0;
            if (!IsLevelRowEndingAt(set, above, start)) break;
            first = start;
        }
        const std::int64_t blockEnd = ParseLevelBlock(model, first);
        if (w.readFailed) return false;
        if (model.board.status != LevelStatus::NONE) {
            --set.current;
            w.levelStart = first;
            w.levelEnd = blockEnd;
            return true;
        }
        p = first;
    }
}

bool OpenLevelFile(LevelModel& model, const char* path) {
    if (!path || std::strlen(path) >= PATH_CAPACITY) return false;
    BackUp(model);
    LevelSet& set = model.levelSet;
    LevelWindow& w = set.window;
    set.name[0] = '\0';
    set.title[0] = '\0';
    set.count = 0;
    set.current = 0;
    model.board.status = LevelStatus::NONE;
    CopyText(set.path, path);

    w = LevelWindow{};
    w.fileSize = LevelFileSize(path);
    if (w.fileSize < 0) return Restore(model);
    LoadWindowAt(set, 0);
    w.levelEnd = -1;
    if (!NextLevel(model)) return Restore(model);
    SetNameFromPath(set.name, path);

    set.count = INT_MAX;
    while (NextLevel(model)) {
    }
    if (w.readFailed) return Restore(model);
    set.count = set.current;

    LoadWindowAt(set, 0);
    set.current = 0;
    w.levelEnd = -1;
    if (!NextLevel(model)) return Restore(model);
    // Only the level landed on gets its title: counting and Jump pass the others unread.
    ReadLevelTitle(set, model.scratch.titlePeek);
    set.fromFile = true;
    SetBoardGeometry(model.board, model.directions);
    ApplyClosednessTest(model);
    return true;
}

bool SelectLevel(LevelModel& model, int n) {
    LevelSet& set = model.levelSet;
    if (set.count <= 0) return false;
    if (n < 1) n = 1;
    if (n > set.count) n = set.count;
    BackUp(model);
    while (set.current < n && NextLevel(model)) {
    }
    while (set.current > n && PreviousLevel(model)) {
    }
    // A Text-dialog or editor level holds its text where the window was: no file to read.
    if (set.fromFile) ReadLevelTitle(set, model.scratch.titlePeek);
    if (set.current != n || set.window.readFailed) return Restore(model);
    SetBoardGeometry(model.board, model.directions);
    ApplyClosednessTest(model);
    return true;
}

void SetNameFromPath(std::array<char, NAME_CAPACITY>& name, const char* path) {
    const char* title = std::strrchr(path, '/');
    title = title ? title + 1 : path;
    std::size_t length = std::strlen(title);
    const char* dot = std::strrchr(title, '.');
    if (dot && dot != title) length = static_cast<std::size_t>(dot - title);
    if (length > NAME_CAPACITY - 1) length = NAME_CAPACITY - 1;
    std::memcpy(name.data(), title, length);
    name[length] = '\0';
}

}  // namespace ruk
