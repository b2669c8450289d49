// The level key (see level_key.h).
#include "level_key.h"

#include <algorithm>
#include <vector>

#include "sha256.h"

namespace ruk {
namespace {

char LetterOf(CellCode code) {
    if (code & WALL) return '#';
    const bool goal = code & GOAL;
    if (code & BOX) return goal ? '*' : '$';
    if (code & KEEPER) return goal ? '+' : '@';
    return goal ? '.' : ' ';
}

}  // namespace

std::string CanonicalBoardText(const Board& board) {
    const int stride = RowStride(board);
    const int rows = StoredRows(board);
    std::vector<std::string> lines;
    for (int r = 0; r < rows; ++r) {
        std::string line;
        for (int c = 0; c < stride; ++c) line += LetterOf(board.cells[r * stride + c]);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(std::move(line));
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && lines[first].empty()) ++first;
    std::size_t indent = std::string::npos;
    for (std::size_t r = first; r < lines.size(); ++r) {
        if (lines[r].empty()) continue;
        indent = std::min(indent, lines[r].find_first_not_of(' '));
    }
    if (indent == std::string::npos) indent = 0;

    std::string text;
    for (std::size_t r = first; r < lines.size(); ++r) {
        if (r > first) text += '\n';
        if (lines[r].size() > indent) text.append(lines[r], indent, std::string::npos);
    }
    if (board.width > GRID_SIDE || board.height > GRID_SIDE) {
        text += "\n~" + std::to_string(board.width) + "x" + std::to_string(board.height);
    }
    return text;
}

std::string LevelKey(const Board& board) {
    static constexpr char HEX[] = "0123456789abcdef";
    const Sha256Digest digest = Sha256(CanonicalBoardText(board));
    std::string key;
    for (int i = 0; i < 16; ++i) {
        key += HEX[digest[i] >> 4];
        key += HEX[digest[i] & 15];
    }
    return key;
}

}  // namespace ruk
