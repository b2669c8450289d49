// The editor's tool palette and wall tool, drawn from the skin's palette rows.
#pragma once

#include <QColor>
#include <QImage>

#include "core_door.h"
#include "render/skin.h"

namespace ruk {

constexpr int PALETTE_WIDTH = 108;
constexpr int PALETTE_HEIGHT = 60;
constexpr int WALL_TOOL_SIDE = 30;

// Every tool in its disabled row in Play mode; in Edit mode the selected one stands out.
void RenderPalette(EditMode mode, CellCode selectedTool, const Skin& skin, const QColor& face,
                   QImage& palette, QImage& wallTool);

}  // namespace ruk
