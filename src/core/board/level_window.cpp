// The sliding window on a level file (see level_window.h).
#include "board/level_window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "board/cell_code.h"

namespace ruk {

namespace {

// Files are opened for each read and closed again, so a removed or shortened file shows as a
// short read instead of a stale handle. Unbuffered: the window is the only buffer.
std::FILE* OpenForReading(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file) std::setvbuf(file, nullptr, _IONBF, 0);
    return file;
}

// Reads through file when one is given (a long line passed over keeps one handle), else
// opens the file for this read alone.
std::int32_t ReadPiece(const char* path, std::FILE* file, std::int64_t offset, char* buffer,
                       std::int32_t n) {
    if (!file) return ReadFilePiece(path, offset, buffer, n);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    return static_cast<std::int32_t>(std::fread(buffer, 1, static_cast<std::size_t>(n), file));
}

std::int32_t ReadInto(LevelSet& set, std::int64_t offset, char* buffer, std::int32_t n,
                      std::FILE* file = nullptr) {
    const std::int32_t got = ReadPiece(set.path.data(), file, offset, buffer, n);
    set.window.bytesRead += static_cast<std::uint64_t>(got);
    const std::int64_t expected = std::min<std::int64_t>(n, set.window.fileSize - offset);
    if (got < expected) set.window.readFailed = true;
    return got;
}

void SlideForward(LevelSet& set, std::FILE* file = nullptr) {
    LevelWindow& w = set.window;
    char* text = set.sourceText.data();
    std::memmove(text, text + WINDOW_HALF, WINDOW_HALF);
    w.windowBase += WINDOW_HALF;
    const std::int32_t got =
        ReadInto(set, w.windowBase + WINDOW_HALF, text + WINDOW_HALF, WINDOW_HALF, file);
    w.windowFill = WINDOW_HALF + got;
    text[w.windowFill] = '\0';
}

void SlideBackward(LevelSet& set, std::FILE* file = nullptr) {
    LevelWindow& w = set.window;
    char* text = set.sourceText.data();
    const std::int32_t kept = std::min(w.windowFill, WINDOW_HALF);
    std::memmove(text + WINDOW_HALF, text, static_cast<std::size_t>(kept));
    w.windowBase -= WINDOW_HALF;
    ReadInto(set, w.windowBase, text, WINDOW_HALF, file);
    w.windowFill = WINDOW_HALF + kept;
    text[w.windowFill] = '\0';
}

// Brings offset into the window: by one half when it lies just beyond either end, else by
// loading a whole window around it (forward: offset in the first half; backward: in the second).
void MoveWindowTo(LevelSet& set, std::int64_t offset) {
    LevelWindow& w = set.window;
    const std::int64_t windowEnd = w.windowBase + w.windowFill;
    if (w.windowFill == WINDOW_SIZE && offset >= windowEnd && offset < windowEnd + WINDOW_HALF) {
        SlideForward(set);
    } else if (offset < w.windowBase && offset >= w.windowBase - WINDOW_HALF) {
        SlideBackward(set);
    } else {
        std::int64_t base = offset / WINDOW_HALF * WINDOW_HALF;
        if (offset < w.windowBase && base >= WINDOW_HALF) base -= WINDOW_HALF;
        LoadWindowAt(set, base);
    }
}

// The first '\n' or '\r' in [from, end), or end.
const char* FirstLineBreak(const char* from, const char* end) {
    const void* newline = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
    const char* stop = newline ? static_cast<const char*>(newline) : end;
    const void* ret = std::memchr(from, '\r', static_cast<std::size_t>(stop - from));
    return ret ? static_cast<const char*>(ret) : stop;
}

}  // namespace

std::int32_t ReadFilePiece(const char* path, std::int64_t offset, char* buffer, std::int32_t n) {
    std::FILE* file = OpenForReading(path);
    if (!file) return 0;
    std::int32_t got = 0;
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0)
        got = static_cast<std::int32_t>(std::fread(buffer, 1, static_cast<std::size_t>(n), file));
    std::fclose(file);
    return got;
}

std::int64_t LevelFileSize(const char* path) {
    static_assert(sizeof(long) >= 8, "file offsets need a 64-bit long");
    // Only regular files: opening a pipe would wait for a writer, a device may never end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return -1;
    std::FILE* file = OpenForReading(path);
    if (!file) return -1;
    std::int64_t size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    std::fclose(file);
    return size;
}

void LoadWindowAt(LevelSet& set, std::int64_t base) {
    LevelWindow& w = set.window;
    w.windowBase = base;
    w.windowFill = ReadInto(set, base, set.sourceText.data(), WINDOW_SIZE);
    set.sourceText[static_cast<std::size_t>(w.windowFill)] = '\0';
}

int WindowByteAt(LevelSet& set, std::int64_t offset) {
    LevelWindow& w = set.window;
    if (offset < 0 || offset >= w.fileSize || w.readFailed) return WINDOW_END;
    std::int64_t inWindow = offset - w.windowBase;
    if (inWindow < 0 || inWindow >= w.windowFill) {
        MoveWindowTo(set, offset);
        inWindow = offset - w.windowBase;
        if (w.readFailed || inWindow < 0 || inWindow >= w.windowFill) return WINDOW_END;
    }
    return static_cast<unsigned char>(set.sourceText[static_cast<std::size_t>(inWindow)]);
}

std::int64_t LineBreakFrom(LevelSet& set, std::int64_t offset) {
    if (WindowByteAt(set, offset) == WINDOW_END) return offset;
    LevelWindow& w = set.window;
    // Slid by halves as byte-by-byte reading would, through one handle: a line of a gigabyte
    // costs reads, not reopenings.
    std::FILE* file = nullptr;
    for (;;) {
        const char* text = set.sourceText.data();
        const char* end = text + w.windowFill;
        const char* hit = FirstLineBreak(text + (offset - w.windowBase), end);
        offset = w.windowBase + (hit - text);
        if (hit != end || w.windowFill < WINDOW_SIZE || offset >= w.fileSize) break;
        if (!file) file = OpenForReading(set.path.data());
        SlideForward(set, file);
        if (w.readFailed) break;
    }
    if (file) std::fclose(file);
    return offset;
}

std::int64_t LineBreakBefore(LevelSet& set, std::int64_t offset) {
    if (offset < 0) return -1;
    if (WindowByteAt(set, offset) == WINDOW_END) return offset;
    LevelWindow& w = set.window;
    std::FILE* file = nullptr;
    for (;;) {
        const char* text = set.sourceText.data();
        std::int64_t i = offset - w.windowBase;
        while (i >= 0 && !IsLineBreak(text[i])) --i;
        offset = w.windowBase + i;
        if (i >= 0 || w.windowBase == 0) break;
        if (!file) file = OpenForReading(set.path.data());
        SlideBackward(set, file);
        if (w.readFailed) break;
    }
    if (file) std::fclose(file);
    return offset;
}

}  // namespace ruk
