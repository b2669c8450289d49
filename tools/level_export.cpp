// A level in the common text format (see level_export.h).
#include "level_export.h"

#include "level_key.h"

namespace ruk::tool {

std::string ExportedLevel(const Board& board, const std::string& title,
                          const std::string& solution) {
    // The canonical text is what the level's key is made of, so that the written level is
    // read back as the same level and finds the same record.
    std::string text = CanonicalBoardText(board);
    // A board over the stored size ends with a line giving its real size: not a level row.
    if (board.width > GRID_SIDE || board.height > GRID_SIDE) text.erase(text.rfind('\n'));
    text += '\n';
    if (!title.empty()) text += "Title: " + title + "\n";
    if (!solution.empty()) text += "Solution: " + solution + "\n";
    text += '\n';
    return text;
}

}  // namespace ruk::tool
