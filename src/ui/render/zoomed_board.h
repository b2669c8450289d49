// The board area's picture at a zoom: the 24-pixel back buffer blown up by a whole factor.
#pragma once

#include <QImage>

#include "panel/board_zoom.h"
#include "records/core_state.h"

namespace ruk {

// Fills view (made the board area's size, Format_RGB32) with the buffer scaled by zoom.scale,
// nearest neighbour so the pixel art stays crisp, the buffer's pixel (0, 0) at (zoom.originX,
// zoom.originY); what the buffer does not cover is black. The status banner is drawn over it at
// the zoomed size, one zoomed cell in from the board's left and two up from its bottom.
void ShowZoomedBoard(const CoreState& core, const QImage& buffer, const BoardZoom& zoom,
                     QImage& view);

}  // namespace ruk
