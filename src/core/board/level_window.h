// The sliding window on a level file: two 5,000-byte halves of sourceText, moved by halves as
// the scan walks forward or backward, so that a file of any size is read in fixed memory.
#pragma once

#include <cstdint>

#include "board/level_set.h"

namespace ruk {

constexpr int WINDOW_END = -1;  // past the end of the file, or after a failed read

// Reads up to n bytes at a file offset; the count read (0 when the file cannot be read).
std::int32_t ReadFilePiece(const char* path, std::int64_t offset, char* buffer, std::int32_t n);

// The size of a readable file, or -1.
std::int64_t LevelFileSize(const char* path);

// Fills the whole window from file offset base (a multiple of the half size).
void LoadWindowAt(LevelSet& set, std::int64_t base);

// The byte at a file offset (0-255), sliding the window there when it lies outside it; any
// byte, the zero byte included, is data. WINDOW_END past the end of the file or when the file
// no longer gives the bytes it held.
int WindowByteAt(LevelSet& set, std::int64_t offset);

// The offset of the first line break at or after offset, or of the file's end (or of the byte
// a failed read stopped at: WindowByteAt tells WINDOW_END there). The window ends holding it.
std::int64_t LineBreakFrom(LevelSet& set, std::int64_t offset);

// The offset of the last line break at or before offset; -1 when the line runs back to the
// file's start (or the offset of the byte a failed read stopped at).
std::int64_t LineBreakBefore(LevelSet& set, std::int64_t offset);

}  // namespace ruk
