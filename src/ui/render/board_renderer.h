// Drawing the board from the skin into its back buffer.
#pragma once

#include <QImage>

#include "panel/board_zoom.h"
#include "records/core_state.h"
#include "render/skin.h"

namespace ruk {

// A back buffer of the board's size (maxWidth x maxHeight cells), Format_RGB32.
QImage MakeBoardBuffer(const Grids& grids);

// The skin tile (column, row) for a cell value in a mode, before highlight and pose.
struct TilePlace {
    int column = 0;
    int row = 0;
};
TilePlace TileOf(EditMode mode, CellCode value);

// Redraws every used cell: tiles, and in Play mode the target highlight, the keeper's pose,
// the selection frame, the arrows and the banner over a level that cannot be played.
void RenderBoard(const CoreState& core, const Skin& skin, QImage& buffer);
// The tiles and marks of the given cells only, no banner: what a zoomed board shows of the
// buffer. The rest of the buffer is left as it was.
void RenderBoardCells(const CoreState& core, const Skin& skin, QImage& buffer,
                      const CellSpan& cells);

// The white banner over a level that cannot be played ("Bad Level", "Size Over"), nothing for
// any other status: its top-left corner at (left, top), every length times scale.
void DrawStatusBanner(LevelStatus status, QImage& image, int left, int top, int scale);

}  // namespace ruk
