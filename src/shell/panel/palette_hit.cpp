// The palette hit test (see palette_hit.h). The tested area is the union of the palette and
// the wall tool, bounds included, so a press on its edge lines still picks a tool.
#include "panel/palette_hit.h"

namespace ruk {

namespace {

constexpr int COLUMN_PITCH = 39;  // a 30-pixel tool and an 8-pixel gap, plus the edge line
constexpr int TOOL_SPAN = 30;
constexpr int ROW_PITCH = 30;
// Row-major over three columns; the entries past the wall tool are reached only on the
// boundary lines.
constexpr CellCode PALETTE_TOOLS[10] = {FLOOR,         BOX,  KEEPER, GOAL, BOX | GOAL,
                                        KEEPER | GOAL, WALL, 0,      0,    0};

}  // namespace

PaletteHit HitPalette(const WindowState& window, EditMode mode, int x, int y) {
    const PixelRect& palette = window.paletteRect;
    const PixelRect& wallTool = window.wallToolRect;
    if (x < palette.left || x > palette.right || y < palette.top || y > wallTool.bottom) return {};
    if (mode == EditMode::PLAY) return {PaletteHitKind::IGNORED, 0};
    if (y > palette.bottom && x > wallTool.right) return {PaletteHitKind::IGNORED, 0};
    const int dx = x - palette.left;
    const int column = dx / COLUMN_PITCH;
    if (dx - COLUMN_PITCH * column > TOOL_SPAN) return {PaletteHitKind::IGNORED, 0};
    const int row = (y - palette.top) / ROW_PITCH;
    const int index = row * 3 + column;
    if (index < 0 || index >= 10) return {PaletteHitKind::IGNORED, 0};
    return {PaletteHitKind::TOOL, PALETTE_TOOLS[index]};
}

}  // namespace ruk
