// Zooming the board: which tile sizes a level allows, and how board-area pixels map to grid
// cells when the 24-pixel grid is shown scaled by a whole factor and centred on the level.
#pragma once

#include "board/grids.h"
#include "board/level_model.h"

namespace ruk {

constexpr int MAX_ZOOM_SCALE = 4;  // tiles of 24, 48, 72 and 96 pixels

// The scale a stored tile size stands for: 48 -> 2. Anything but 24, 48, 72 or 96 is 1.
int ScaleOfTile(int tilePixels);

// The largest scale at which a level of width x height cells fits a board area of
// maxWidth x maxHeight cells; 1 when it fits at no larger one (or not even at 24 pixels).
int LargestFittingScale(int width, int height, int maxWidth, int maxHeight);

// The scale the board is shown at: the preferred one, or the largest that fits when it does not
// fit. The editor, the empty board and a level too big for the board are always at 1.
int ShownScale(const LevelModel& level, int preferredScale);

// The preferred scale after a zoom key, from the scale shown now: one step in while the level
// still fits, one step out down to 1, or the largest that fits. Unchanged while no level is
// shown in Play mode.
enum class ZoomStep { IN, OUT, FIT };
int SteppedScale(const LevelModel& level, int preferredScale, ZoomStep step);

// The zoom the player chose: a fixed scale, or fit, which shows every level at the largest
// scale at which it fits.
struct ZoomChoice {
    int scale = 1;
    bool fit = false;
    bool operator==(const ZoomChoice&) const = default;
};
int ShownScale(const LevelModel& level, const ZoomChoice& choice);
// The choice after a zoom key: FIT chooses fit, also before any level is shown; IN and OUT
// leave it for a fixed scale stepped from the one shown, and change nothing while no level is
// shown. The editor takes no zoom key.
ZoomChoice SteppedZoom(const LevelModel& level, const ZoomChoice& choice, ZoomStep step);

// How the 24-pixel grid lies in the board area: its pixel (0, 0) lands on the board-area pixel
// (originX, originY) and every grid pixel becomes scale x scale pixels. At scale 1 the grid is
// the board area itself, as it has always been; larger scales centre the level's cells.
struct BoardZoom {
    int scale = 1;
    int originX = 0;
    int originY = 0;
    int CellPixels() const { return scale * CELL_PIXELS; }
};
BoardZoom ZoomBoard(const LevelModel& level, int scale);

// The grid cells with a pixel in the board area, ends exclusive: all the usable ones at scale 1.
struct CellSpan {
    int firstRow = 0, endRow = 0, firstCol = 0, endCol = 0;
};
CellSpan VisibleCells(const BoardZoom& zoom, const Grids& grids);

// The grid cell under client pixel (x, y) of a board area whose top-left pixel is (left, top);
// invalid outside the area or off the grid's usable cells.
GridCell ZoomedPointToCell(const BoardZoom& zoom, const Grids& grids, int left, int top, int x,
                           int y);

// The board-area pixel at the centre of a grid cell (where a press selects that cell).
struct BoardPoint {
    int x = 0;
    int y = 0;
};
BoardPoint CellCentre(const BoardZoom& zoom, GridCell cell);

}  // namespace ruk
