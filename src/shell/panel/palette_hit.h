// Presses on the editor's palette and wall tool, which are drawn, not controls.
#pragma once

#include "board/editor_state.h"
#include "panel/window_state.h"

namespace ruk {

enum class PaletteHitKind { OUTSIDE, IGNORED, TOOL };

struct PaletteHit {
    PaletteHitKind kind = PaletteHitKind::OUTSIDE;
    CellCode tool = 0;
};

// A left press at client pixel (x, y): outside the palette and wall tool area, inside it but
// not choosing a tool (Play mode, a gap, the space beside the wall tool), or a tool.
PaletteHit HitPalette(const WindowState& window, EditMode mode, int x, int y);

}  // namespace ruk
