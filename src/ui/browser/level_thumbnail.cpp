// The level thumbnail (see level_thumbnail.h).
#include "browser/level_thumbnail.h"

#include <QPainter>
#include <algorithm>
#include <vector>

#include "board/cell_code.h"
#include "board/grids.h"
#include "render/board_renderer.h"

namespace ruk {

namespace {

// The cells reached from the border without crossing a wall: outside the level.
std::vector<bool> OutsideCells(const Board& board, int cols, int rows) {
    std::vector<bool> outside(static_cast<std::size_t>(cols * rows), false);
    std::vector<int> todo;
    const auto visit = [&](int col, int row) {
        if (col < 0 || row < 0 || col >= cols || row >= rows) return;
        const int cell = row * cols + col;
        if (outside[static_cast<std::size_t>(cell)] || board.cells[cell] == WALL) return;
        outside[static_cast<std::size_t>(cell)] = true;
        todo.push_back(cell);
    };
    for (int col = 0; col < cols; ++col) visit(col, 0), visit(col, rows - 1);
    for (int row = 0; row < rows; ++row) visit(0, row), visit(cols - 1, row);
    while (!todo.empty()) {
        const int cell = todo.back();
        todo.pop_back();
        const int col = cell % cols;
        const int row = cell / cols;
        visit(col + 1, row), visit(col - 1, row), visit(col, row + 1), visit(col, row - 1);
    }
    return outside;
}

// The code drawn for a cell, as the DisplayGrid would hold it.
CellCode ShownCode(const Board& board, const std::vector<bool>& outside, int cols, int rows,
                   int cell) {
    const CellCode code = board.cells[cell];
    if (outside[static_cast<std::size_t>(cell)]) return EXTERIOR;
    if (code != WALL) return code & (GOAL | BOX | KEEPER);
    const int below = cell + cols;
    return cell / cols == rows - 1 || board.cells[below] != WALL ? WALL_FACE : WALL;
}

}  // namespace

QImage DrawLevelThumbnail(const Board& board, const Skin& skin, QSize box) {
    const int cols = RowStride(board);
    const int rows = StoredRows(board);
    if (cols <= 0 || rows <= 0 || box.isEmpty()) return QImage();
    const int tile = std::clamp(std::min(box.width() / cols, box.height() / rows), 1, CELL_PIXELS);
    QImage out(cols * tile, rows * tile, QImage::Format_RGB32);
    const std::vector<bool> outside = OutsideCells(board, cols, rows);
    // Each tile is scaled once, not once per cell.
    QImage tiles[PLAIN_MASK + 1];
    QPainter painter(&out);
    for (int cell = 0; cell < cols * rows; ++cell) {
        const CellCode code = ShownCode(board, outside, cols, rows, cell);
        QImage& scaled = tiles[code];
        if (scaled.isNull()) {
            const TilePlace place = TileOf(EditMode::PLAY, code);
            scaled = skin.image
                         .copy(place.column * CELL_PIXELS, place.row * CELL_PIXELS, CELL_PIXELS,
                               CELL_PIXELS)
                         .scaled(tile, tile, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        painter.drawImage((cell % cols) * tile, (cell / cols) * tile, scaled);
    }
    return out;
}

}  // namespace ruk
