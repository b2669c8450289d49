// The palette (see palette_renderer.h).
#include "render/palette_renderer.h"

#include <QPainter>

namespace ruk {

namespace {

constexpr int SKIN_ROW_NORMAL = 6;
constexpr int SKIN_ROW_SELECTED = 7;
constexpr int SKIN_ROW_DISABLED = 8;

int SkinRow(EditMode mode, CellCode selectedTool, CellCode tool) {
    if (mode == EditMode::PLAY) return SKIN_ROW_DISABLED;
    return selectedTool == tool ? SKIN_ROW_SELECTED : SKIN_ROW_NORMAL;
}

void DrawTool(QPainter& painter, const Skin& skin, int skinColumn, int skinRow, int x, int y) {
    painter.drawImage(x, y, skin.image, skinColumn * 24, skinRow * 24, 24, 24);
}

}  // namespace

void RenderPalette(EditMode mode, CellCode selectedTool, const Skin& skin, const QColor& face,
                   QImage& palette, QImage& wallTool) {
    if (palette.size() != QSize(PALETTE_WIDTH, PALETTE_HEIGHT))
        palette = QImage(PALETTE_WIDTH, PALETTE_HEIGHT, QImage::Format_RGB32);
    if (wallTool.size() != QSize(WALL_TOOL_SIDE, WALL_TOOL_SIDE))
        wallTool = QImage(WALL_TOOL_SIDE, WALL_TOOL_SIDE, QImage::Format_RGB32);
    palette.fill(face);
    wallTool.fill(face);
    {
        QPainter painter(&palette);
        for (CellCode tool = 0; tool <= 5; ++tool) {
            const int row = tool & 1;     // goals below their plain cells
            const int column = tool / 2;  // floor, box, keeper
            DrawTool(painter, skin, tool, SkinRow(mode, selectedTool, tool), 39 * column + 3,
                     30 * row + 3);
        }
    }
    QPainter painter(&wallTool);
    DrawTool(painter, skin, 6, SkinRow(mode, selectedTool, WALL), 3, 3);
}

}  // namespace ruk
