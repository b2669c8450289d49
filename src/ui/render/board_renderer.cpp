// The board renderer (see board_renderer.h). It runs on every 10 ms animation tick over up to
// 2,500 cells, so tiles and marks are copied row by row straight into the buffer's pixels;
// only the banner's text goes through a painter.
#include "render/board_renderer.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

#include "render/text_drawing.h"

namespace ruk {

namespace {

constexpr int TILE = CELL_PIXELS;
constexpr int SIDE_ARROW = 14;
constexpr int SMALL_ARROW = 10;
constexpr int MARK_ROW_Y = 120;
constexpr int SMALL_ARROW_Y = 134;
constexpr int MARK_X = 72;
// Where a mark lies inside its cell, by direction up, right, down, left.
constexpr int SIDE_ARROW_AT[4][2] = {{5, 10}, {0, 5}, {5, 0}, {10, 5}};
constexpr int SMALL_ARROW_AT[4][2] = {{7, 0}, {14, 7}, {7, 14}, {0, 7}};

constexpr QRgb FRAME_COLOUR = 0xff0064ffu;  // RGB(0, 100, 255)
constexpr int BANNER_WIDTH = 144;
constexpr int BANNER_HEIGHT = 48;

// Indexed by (cell value & 31), for Edit and Play mode.
constexpr TilePlace EDIT_TILES[17] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0},
                                      {0, 0}, {0, 0}, {6, 0}, {0, 0}, {0, 0}, {0, 0},
                                      {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}};
constexpr TilePlace PLAY_TILES[17] = {{0, 1}, {0, 2}, {6, 1}, {6, 2}, {1, 1}, {1, 2},
                                      {0, 0}, {0, 0}, {0, 5}, {1, 5}, {0, 0}, {0, 0},
                                      {0, 0}, {0, 0}, {0, 0}, {0, 0}, {2, 5}};

// Raw access to the two images: rows of 32-bit pixels.
struct Pixels {
    uchar* bits;
    qsizetype stride;
    QRgb* Row(int y) const { return reinterpret_cast<QRgb*>(bits + y * stride); }
};
struct SkinPixels {
    const uchar* bits;
    qsizetype stride;
    const QRgb* Row(int y) const { return reinterpret_cast<const QRgb*>(bits + y * stride); }
};

void CopyTile(const SkinPixels& skin, TilePlace tile, const Pixels& out, int x, int y) {
    for (int dy = 0; dy < TILE; ++dy)
        std::memcpy(out.Row(y + dy) + x, skin.Row(tile.row * TILE + dy) + tile.column * TILE,
                    TILE * sizeof(QRgb));
}

void CopyMark(const SkinPixels& skin, int sx, int sy, int size, const Pixels& out, int x, int y) {
    for (int dy = 0; dy < size; ++dy) {
        const QRgb* from = skin.Row(sy + dy) + sx;
        QRgb* to = out.Row(y + dy) + x;
        for (int dx = 0; dx < size; ++dx)
            if (from[dx] != MARK_KEY_COLOUR) to[dx] = from[dx];
    }
}

// A 2-pixel frame just inside the cell, from (x + 1, y + 1) to (x + 23, y + 23).
void DrawFrame(const Pixels& out, int x, int y) {
    const int first = 1;
    const int last = TILE - 1;
    for (int dy = first; dy <= last; ++dy) {
        QRgb* row = out.Row(y + dy) + x;
        const bool edge = dy <= first + 1 || dy >= last - 1;
        for (int dx = first; dx <= last; ++dx)
            if (edge || dx <= first + 1 || dx >= last - 1) row[dx] = FRAME_COLOUR;
    }
}

int DirectionOfOffset(const DirectionTables& directions, int offset) {
    for (int k = 0; k < 4; ++k)
        if (directions.stepOffset[k] == offset) return k;
    return -1;
}

int LowestBit(std::uint32_t bits) {
    for (int k = 0; k < 4; ++k)
        if (bits & (1u << k)) return k;
    return -1;
}

void DrawPlayMarks(const CoreState& core, const SkinPixels& skin, const Pixels& out, int row,
                   int col, CellCode value) {
    const ViewState& view = core.view;
    const Grids& grids = core.level.grids;
    const int grid = GridIndex(row, col);
    const int x = col * TILE;
    const int y = row * TILE;
    const bool holdsBox = (value & BOX) != 0;
    if (view.boxSelected && holdsBox &&
        GridToBoard(core.level.board, grids, row, col) == view.selectedBox)
        DrawFrame(out, x, y);
    if (view.targets.targetFlag[grid] && view.targets.sideCount[grid] == 1 && holdsBox) {
        const int k = DirectionOfOffset(core.level.directions, view.targets.sideOffsets[grid][0]);
        if (k >= 0)
            CopyMark(skin, MARK_X + SMALL_ARROW * k, SMALL_ARROW_Y, SMALL_ARROW, out,
                     x + SMALL_ARROW_AT[k][0], y + SMALL_ARROW_AT[k][1]);
    }
    const int k = LowestBit(value >> MARKER_SHIFT);
    if (k >= 0)
        CopyMark(skin, MARK_X + SIDE_ARROW * k, MARK_ROW_Y, SIDE_ARROW, out,
                 x + SIDE_ARROW_AT[k][0], y + SIDE_ARROW_AT[k][1]);
}

}  // namespace

QImage MakeBoardBuffer(const Grids& grids) {
    QImage buffer(grids.maxWidth * TILE, grids.maxHeight * TILE, QImage::Format_RGB32);
    buffer.fill(Qt::black);
    return buffer;
}

TilePlace TileOf(EditMode mode, CellCode value) {
    const CellCode plain = value & PLAIN_MASK;
    if (plain > EXTERIOR) return {0, 0};
    return mode == EditMode::EDIT ? EDIT_TILES[plain] : PLAY_TILES[plain];
}

void RenderBoard(const CoreState& core, const Skin& skin, QImage& buffer) {
    const Grids& grids = core.level.grids;
    RenderBoardCells(core, skin, buffer, {0, grids.maxHeight, 0, grids.maxWidth});
    if (core.level.editor.editMode == EditMode::PLAY)
        DrawStatusBanner(core.level.board.status, buffer, TILE, (grids.maxHeight - 3) * TILE, 1);
}

void RenderBoardCells(const CoreState& core, const Skin& skin, QImage& buffer,
                      const CellSpan& cells) {
    const Grids& grids = core.level.grids;
    const EditMode mode = core.level.editor.editMode;
    if (buffer.width() < grids.maxWidth * TILE || buffer.height() < grids.maxHeight * TILE ||
        buffer.format() != QImage::Format_RGB32)
        buffer = MakeBoardBuffer(grids);
    const SkinPixels from{skin.image.constBits(), skin.image.bytesPerLine()};
    const Pixels out{buffer.bits(), buffer.bytesPerLine()};
    const bool play = mode == EditMode::PLAY;
    const auto& codes = play ? grids.displayGrid : grids.editorGrid;
    const std::int32_t facing = core.game.shown.facing;
    const int endRow = std::min(cells.endRow, static_cast<int>(grids.maxHeight));
    const int endCol = std::min(cells.endCol, static_cast<int>(grids.maxWidth));
    for (int row = std::max(cells.firstRow, 0); row < endRow; ++row) {
        for (int col = std::max(cells.firstCol, 0); col < endCol; ++col) {
            const int grid = GridIndex(row, col);
            const CellCode value = codes[grid];
            TilePlace tile = TileOf(mode, value);
            if (play) {
                if (core.view.targets.targetFlag[grid]) tile.row += 2;
                if ((value & KEEPER) && facing != 0) tile.column += facing;
            }
            CopyTile(from, tile, out, col * TILE, row * TILE);
            if (play) DrawPlayMarks(core, from, out, row, col, value);
        }
    }
}

void DrawStatusBanner(LevelStatus status, QImage& image, int left, int top, int scale) {
    if (status != LevelStatus::BAD_LEVEL && status != LevelStatus::SIZE_OVER) return;
    QPainter painter(&image);
    painter.translate(left, top);
    painter.scale(scale, scale);
    painter.fillRect(0, 0, BANNER_WIDTH, BANNER_HEIGHT, Qt::white);
    DrawRukText(painter, 12, 12, 26, QColor(255, 0, 0),
                status == LevelStatus::BAD_LEVEL ? "Bad Level" : "Size Over");
}

}  // namespace ruk
