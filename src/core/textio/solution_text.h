// Solutions that level texts carry after a level's rows, as other players and collections
// write them:
//   Solution: uuRRdL...                 one line (what ruk-tool progress --export writes)
//   Solution (moves 230, pushes 51):    a header line, with the moves on the lines below it,
//   uuRRdL...                           up to a blank line or any line that is not moves
//   Solution/Pushes
// The word is taken in either case; moves may use run lengths (see move_runs.h). The scan is
// generic over a byte source, so that a level file's sliding window and a plain text (a pasted
// level) are read by the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "board/cell_code.h"
#include "board/level_set.h"
#include "textio/move_runs.h"

namespace ruk {

// Bytes after a level that are looked through for a "Solution" line, so that a level followed
// by a huge comment costs a bounded read; the moves themselves may run on past it.
constexpr std::int64_t SOLUTION_SCAN_LIMIT = 64 * 1024;

// Where one solution's moves lie: from … end - 1 (line breaks between move lines included).
struct SolutionPlace {
    bool found = false;
    std::int64_t from = 0;
    std::int64_t end = 0;
    std::int64_t next = 0;  // the line after the moves: where to look for another solution
};

namespace solution_text_detail {

constexpr int Lower(int ch) {
    return (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : ch;
}
constexpr bool IsSpace(int ch) {
    return ch == ' ' || ch == '\t';
}
constexpr bool IsMoveTextByte(int ch) {
    return IsMoveLetter(static_cast<char>(ch)) || (ch >= '0' && ch <= '9') || ch == '(' ||
           ch == ')' || IsSpace(ch);
}

// The line starting at start ends at its line break or the text's end.
template <class ByteAt>
std::int64_t LineEnd(ByteAt& byteAt, std::int64_t start) {
    std::int64_t p = start;
    for (int ch = byteAt(p); ch >= 0 && !IsLineBreak(ch); ch = byteAt(++p)) {
    }
    return p;
}

template <class ByteAt>
std::int64_t NextLine(ByteAt& byteAt, std::int64_t lineEnd) {
    const int ch = byteAt(lineEnd);
    if (ch < 0) return lineEnd;
    if (ch == '\r' && byteAt(lineEnd + 1) == '\n') return lineEnd + 2;
    return lineEnd + 1;
}

// A level row as the level files read one: level characters only, a wall among them.
template <class ByteAt>
bool IsLevelRow(ByteAt& byteAt, std::int64_t start, std::int64_t end) {
    if (end - start > MAX_ROW_LENGTH) return false;
    bool wall = false;
    for (std::int64_t p = start; p < end; ++p) {
        const int ch = byteAt(p);
        if (ch < 0 || CellCodeOf(static_cast<unsigned char>(ch)) < 0) return false;
        wall = wall || ch == '#';
    }
    return wall;
}

// Moves only (letters, counts, brackets, spaces), and at least one byte that is not a space.
template <class ByteAt>
bool IsMovesLine(ByteAt& byteAt, std::int64_t start, std::int64_t end) {
    bool shown = false;
    for (std::int64_t p = start; p < end; ++p) {
        const int ch = byteAt(p);
        if (ch < 0 || !IsMoveTextByte(ch)) return false;
        shown = shown || !IsSpace(ch);
    }
    return shown;
}

// When the line is a solution header, the offset its moves start at (its end when they follow
// on the next lines); -1 otherwise. After the word may come "(...)" or "/word", then ":" and
// the moves; without ":" the rest must be moves or nothing, so "Solutions by ..." is no header.
template <class ByteAt>
std::int64_t HeaderMoves(ByteAt& byteAt, std::int64_t start, std::int64_t end) {
    std::int64_t p = start;
    while (p < end && IsSpace(byteAt(p))) ++p;
    for (const char* key = "solution"; *key != '\0'; ++key, ++p)
        if (p >= end || Lower(byteAt(p)) != *key) return -1;
    if (p < end) {
        const int after = byteAt(p);
        if (!IsSpace(after) && after != ':' && after != '(' && after != '/') return -1;
    }
    while (p < end && IsSpace(byteAt(p))) ++p;
    if (p < end && byteAt(p) == '/') {
        while (p < end && !IsSpace(byteAt(p)) && byteAt(p) != ':') ++p;
    } else if (p < end && byteAt(p) == '(') {
        std::int64_t close = p;
        while (close < end && byteAt(close) != ')') ++close;
        // "(3r)U" is moves, "(moves 12, pushes 3)" is not: only the latter is skipped.
        if (close < end && !IsMovesLine(byteAt, p, close + 1)) p = close + 1;
    }
    while (p < end && IsSpace(byteAt(p))) ++p;
    // After ":" a rest that is not moves ("Solution: 12 Moves 3 Pushes 5 Actions", as URDL
    // Output writes) is a note: the moves are on the lines below.
    if (p < end && byteAt(p) == ':') return IsMovesLine(byteAt, p + 1, end) ? p + 1 : end;
    return (p == end || IsMovesLine(byteAt, p, end)) ? p : -1;
}

}  // namespace solution_text_detail

// The first solution in the lines from line start `from`, looking for its header no further than
// limit; with stopAtLevel a level row ends the search (it starts the next level). byteAt gives a
// byte 0-255, or a negative value past the text's end.
template <class ByteAt>
SolutionPlace FindSolution(ByteAt&& byteAt, std::int64_t from, std::int64_t limit,
                           bool stopAtLevel) {
    using namespace solution_text_detail;
    SolutionPlace place;
    for (std::int64_t line = from; line < limit && byteAt(line) >= 0;) {
        const std::int64_t end = LineEnd(byteAt, line);
        if (stopAtLevel && IsLevelRow(byteAt, line, end)) return place;
        const std::int64_t moves = HeaderMoves(byteAt, line, end);
        if (moves < 0) {
            line = NextLine(byteAt, end);
            continue;
        }
        place.found = true;
        place.from = moves;
        place.end = end;
        for (std::int64_t next = NextLine(byteAt, end); next != place.end && byteAt(next) >= 0;) {
            const std::int64_t nextEnd = LineEnd(byteAt, next);
            if (!IsMovesLine(byteAt, next, nextEnd)) break;
            place.end = nextEnd;
            next = NextLine(byteAt, nextEnd);
        }
        place.next = NextLine(byteAt, place.end);
        return place;
    }
    return place;
}

// Appends to a string, up to MAX_EXPANDED_MOVES letters.
class StringLetterSink final : public LetterSink {
  public:
    explicit StringLetterSink(std::string& letters) : letters_(letters) {}
    bool Put(char letter) override {
        letters_.push_back(letter);
        return true;
    }

  private:
    std::string& letters_;
};

// ---- A level's solution in a plain text (a pasted level) ----------------------------------

// The first solution after the first level row of text (wherever the rows end); not found when
// the text has no level row or no solution header after one.
SolutionPlace FindSolutionInText(std::string_view text);

// That solution's letters, run lengths expanded, into letters (emptied first). False when the
// text carries no solution; read says whether the one it carries could be read.
bool SolutionLettersInText(std::string_view text, std::string& letters, MoveTextRead& read);

}  // namespace ruk
