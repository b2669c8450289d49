// The MoveHistory: the whole game as one string of move letters, with the shown position
// (cursor) and the redo limit (end). Its text is one of the two long-lived heap buffers.
#pragma once

#include <cstdint>
#include <memory>

namespace ruk {

constexpr std::uint32_t HISTORY_STEP = 5000;  // the first size and the least growth, in bytes

struct MoveHistory {
    std::unique_ptr<char[]> text;  // move letters only, NUL-terminated
    std::uint32_t capacity = 0;    // bytes allocated for text
    std::uint32_t cursor = 0;      // first letter not yet applied to the shown position
    std::uint32_t end = 0;         // the terminating NUL; the redo limit
    bool failed = false;           // growing failed or a route could not be built
};

// Allocates the first 5000 bytes; false when that fails.
bool InitMoveHistory(MoveHistory& history);

// The size a full buffer of capacity bytes grows to: half as much again, at least 5000 bytes
// more, at most the largest size the counters hold (equal to capacity when it cannot grow).
std::uint32_t GrownCapacity(std::uint32_t capacity);

// Appends one letter at end, growing the buffer (GrownCapacity) when it is full. False, with
// failed set, when growing fails or failed was already set.
bool AppendLetter(MoveHistory& history, char letter);

// Drops every letter from the cursor on (a new move replaces the redo tail).
void CutAtCursor(MoveHistory& history);

// An empty game: text "", cursor and end at the start, failed cleared.
void EmptyMoveHistory(MoveHistory& history);

}  // namespace ruk
