// The LevelSet: where the current level came from, with the sliding window on a level file.
#pragma once

#include <array>
#include <cstdint>

namespace ruk {

constexpr int WINDOW_HALF = 5000;
constexpr int WINDOW_SIZE = 2 * WINDOW_HALF;  // bytes of the file held at once
// A file line longer than this is never a level row (a row's cells fit 50 columns; the rest
// can only be trailing floor): such a line is passed over without being read byte by byte.
constexpr int MAX_ROW_LENGTH = WINDOW_SIZE;
constexpr int NAME_CAPACITY = 100;   // with its terminating zero
constexpr int TITLE_CAPACITY = 128;  // a level's title, with its terminating zero
// Paths are longer on this platform than the classic 260; a longer one is refused, not cut.
constexpr int PATH_CAPACITY = 4096;

// A piece of a level file held in sourceText: two halves of 5,000 bytes. Offsets are file
// offsets; 64-bit so that files of any size can be stepped through.
struct LevelWindow {
    std::int64_t fileSize = 0;
    std::int64_t windowBase = 0;  // file offset of sourceText[0]
    std::int32_t windowFill = 0;  // bytes held
    std::int64_t levelStart = 0;  // first character of the current level
    std::int64_t levelEnd = -1;   // last character of its last row; -1 before the first level
    std::uint64_t bytesRead = 0;  // bytes read from the file since it was opened
    bool readFailed = false;      // a read gave fewer bytes than the file should hold
};

struct LevelSet {
    std::int32_t count = 0;    // levels; 1 for a Text-dialog or editor level
    std::int32_t current = 0;  // from 1; 0 before the first
    std::array<char, NAME_CAPACITY> name{};
    std::array<char, PATH_CAPACITY> path{};
    // The Text dialog's text, or the window on the file; always followed by a zero byte.
    std::array<char, WINDOW_SIZE + 1> sourceText{};
    LevelWindow window;
    // The current file level's title as its file gives it (empty when it has none, and for a
    // Text-dialog or editor level); shown only, never part of the level.
    std::array<char, TITLE_CAPACITY> title{};
    bool fromFile = false;  // the current level was read from the file at path
};

// Copies text into a fixed character field, cut to fit and zero-terminated.
template <std::size_t N>
void CopyText(std::array<char, N>& field, const char* text) {
    std::size_t i = 0;
    for (; text && text[i] != '\0' && i + 1 < N; ++i) field[i] = text[i];
    field[i] = '\0';
}

}  // namespace ruk
