// Move text with run lengths: "3r2U" is "rrrUU" and "2(rU)" is "rUrU" (a count applies to the
// next letter or group). Expanded letter by letter into a sink with a fixed amount of memory: a
// group is read again from the text for each of its repeats, never copied.
#pragma once

#include <cstdint>

#include "engine/move_letters.h"

namespace ruk {

constexpr std::uint32_t MAX_RUN_COUNT = 1000000;        // a larger count is refused
constexpr int MAX_GROUP_DEPTH = 8;                      // groups inside groups
constexpr std::uint64_t MAX_EXPANDED_MOVES = 1u << 22;  // letters one move text may expand to

enum class MoveTextError : std::uint8_t {
    NONE,
    NO_MOVES,            // nothing but spaces and line breaks
    BAD_CHARACTER,       // a byte that is neither a move letter, a digit nor a bracket
    ZERO_COUNT,          // "0r"
    COUNT_WITHOUT_MOVE,  // a count with no letter or group after it
    COUNT_TOO_LARGE,     // over MAX_RUN_COUNT
    OPEN_GROUP,          // "(" never closed
    STRAY_CLOSE,         // ")" with no group open
    EMPTY_GROUP,         // "()" or "3()"
    GROUPS_TOO_DEEP,     // more than MAX_GROUP_DEPTH open at once
    TOO_LONG,            // expands past the limit, or the sink could take no more
};

// How to read bytes that are not counts or brackets: SOLUTION skips spaces, tabs and line
// breaks and refuses anything but move letters; PASS_THROUGH hands every such byte on as it
// is, for a reader that judges the letters itself (URDL Input).
enum class RunMode : std::uint8_t { SOLUTION, PASS_THROUGH };

struct MoveTextRead {
    MoveTextError error = MoveTextError::NONE;
    std::int64_t at = 0;        // offset of the byte the error was found at
    std::uint64_t letters = 0;  // bytes handed to the sink
};

// One line saying what is wrong ("a count of 0", ...); "" for NONE.
const char* MoveTextErrorText(MoveTextError error);

// Takes the expanded letters; false when it can take no more.
class LetterSink {
  public:
    virtual bool Put(char letter) = 0;

  protected:
    ~LetterSink() = default;
};

// True when text holds a digit or a bracket: only then is there anything to expand.
bool HasRunLengths(const char* text);

namespace move_runs_detail {

constexpr bool IsDigit(int ch) {
    return ch >= '0' && ch <= '9';
}
constexpr bool IsBlank(int ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

}  // namespace move_runs_detail

// Expands bytes from … end - 1 (byteAt(offset) gives 0-255, or a negative value past the text's
// end) into sink, at most maxLetters letters. Each group's repeat must give a letter, and the
// bytes read again for repeats are bounded by 4 x maxLetters, so the work is bounded too.
template <class ByteAt>
MoveTextRead ExpandMoveRuns(ByteAt&& byteAt, std::int64_t from, std::int64_t end, RunMode mode,
                            std::uint64_t maxLetters, LetterSink& sink) {
    using namespace move_runs_detail;
    struct Group {
        std::int64_t start = 0;  // the byte after "("
        std::uint32_t left = 0;  // repeats still to read, this one included
        std::uint64_t lettersAtStart = 0;
    };
    Group groups[MAX_GROUP_DEPTH];
    int depth = 0;
    MoveTextRead read;
    std::uint64_t reread = 0;
    std::uint32_t count = 0;
    std::int64_t countAt = -1;  // where the pending count began; -1 for none
    const auto fail = [&read](MoveTextError error, std::int64_t at) {
        read.error = error;
        read.at = at;
        return read;
    };
    const auto put = [&](char letter) {
        if (read.letters >= maxLetters || !sink.Put(letter)) return false;
        ++read.letters;
        return true;
    };
    for (std::int64_t p = from; p < end; ++p) {
        const int ch = byteAt(p);
        if (ch < 0) break;
        if (mode == RunMode::SOLUTION && IsBlank(ch)) continue;
        if (IsDigit(ch)) {
            if (countAt < 0) {
                countAt = p;
                count = 0;
            }
            count = count * 10 + static_cast<std::uint32_t>(ch - '0');
            if (count > MAX_RUN_COUNT) return fail(MoveTextError::COUNT_TOO_LARGE, countAt);
            continue;
        }
        const bool counted = countAt >= 0;
        const std::uint32_t times = counted ? count : 1;
        if (counted && count == 0) return fail(MoveTextError::ZERO_COUNT, countAt);
        const std::int64_t pendingAt = countAt;
        countAt = -1;
        if (ch == '(') {
            if (depth == MAX_GROUP_DEPTH) return fail(MoveTextError::GROUPS_TOO_DEEP, p);
            groups[depth++] = Group{p + 1, times, read.letters};
            continue;
        }
        if (ch == ')') {
            if (counted) return fail(MoveTextError::COUNT_WITHOUT_MOVE, pendingAt);
            if (depth == 0) return fail(MoveTextError::STRAY_CLOSE, p);
            Group& group = groups[depth - 1];
            if (read.letters == group.lettersAtStart) return fail(MoveTextError::EMPTY_GROUP, p);
            if (--group.left == 0) {
                --depth;
                continue;
            }
            reread += static_cast<std::uint64_t>(p - group.start);
            if (reread > 4 * maxLetters) return fail(MoveTextError::TOO_LONG, p);
            group.lettersAtStart = read.letters;
            p = group.start - 1;
            continue;
        }
        if (IsMoveLetter(static_cast<char>(ch))) {
            for (std::uint32_t i = 0; i < times; ++i)
                if (!put(static_cast<char>(ch))) return fail(MoveTextError::TOO_LONG, p);
            continue;
        }
        if (counted) return fail(MoveTextError::COUNT_WITHOUT_MOVE, pendingAt);
        if (mode == RunMode::SOLUTION) return fail(MoveTextError::BAD_CHARACTER, p);
        if (!put(static_cast<char>(ch))) return fail(MoveTextError::TOO_LONG, p);
    }
    if (countAt >= 0) return fail(MoveTextError::COUNT_WITHOUT_MOVE, countAt);
    if (depth > 0) return fail(MoveTextError::OPEN_GROUP, groups[depth - 1].start - 1);
    if (mode == RunMode::SOLUTION && read.letters == 0) return fail(MoveTextError::NO_MOVES, from);
    return read;
}

}  // namespace ruk
