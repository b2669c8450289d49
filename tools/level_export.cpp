// A level in the common text format (see level_export.h).
#include "level_export.h"

#include <cstdio>

#include "level_key.h"

namespace ruk::tool {

namespace {

constexpr std::int64_t MAX_ROWS_BYTES = 64 * 1024 * 1024;

// Bytes first … last of the file, with CR LF and lone CR read as LF.
bool FileRows(const char* path, std::int64_t first, std::int64_t last, std::string& rows) {
    if (last - first > MAX_ROWS_BYTES) return false;
    std::FILE* in = std::fopen(path, "rb");
    if (!in) return false;
    bool read = std::fseek(in, static_cast<long>(first), SEEK_SET) == 0;
    char previous = '\0';
    for (std::int64_t p = first; read && p <= last; ++p) {
        const int ch = std::fgetc(in);
        if (ch == EOF) read = false;
        if (ch == '\n' && previous == '\r') continue;
        rows += ch == '\r' ? '\n' : static_cast<char>(ch);
        previous = static_cast<char>(ch);
    }
    std::fclose(in);
    return read;
}

}  // namespace

bool LevelRows(const CoreState& core, std::string& rows) {
    const Board& board = core.level.board;
    const LevelSet& set = core.level.levelSet;
    rows.clear();
    if (board.width > GRID_SIDE || board.height > GRID_SIDE)
        return FileRows(set.path.data(), set.window.levelStart, set.window.levelEnd, rows);
    // The canonical text is what the level's key is made of, so that the written level is
    // read back as the same level and finds the same record.
    rows = CanonicalBoardText(board);
    return true;
}

std::string ExportedLevel(const std::string& rows, const std::string& title,
                          const std::string& solution) {
    std::string text = rows + "\n";
    if (!title.empty()) text += "Title: " + title + "\n";
    if (!solution.empty()) text += "Solution: " + solution + "\n";
    text += '\n';
    return text;
}

}  // namespace ruk::tool
