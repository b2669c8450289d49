// Board zoom arithmetic (see board_zoom.h).
#include "panel/board_zoom.h"

#include <algorithm>

namespace ruk {

namespace {

bool ShowsALevel(const LevelModel& level) {
    const Board& board = level.board;
    return level.editor.editMode == EditMode::PLAY && board.status != LevelStatus::NONE &&
           board.status != LevelStatus::SIZE_OVER && board.width > 0 && board.height > 0;
}

int FittingScale(const LevelModel& level) {
    if (!ShowsALevel(level)) return 1;
    return LargestFittingScale(level.board.width, level.board.height, level.grids.maxWidth,
                               level.grids.maxHeight);
}

// Where the grid's first pixel lands so that the level's middle is the area's middle.
int CentredOrigin(int usableCells, int offset, int size, int scale) {
    const int areaMiddle = usableCells * CELL_PIXELS / 2;
    const int levelMiddle = offset * CELL_PIXELS + size * CELL_PIXELS / 2;
    return areaMiddle - scale * levelMiddle;
}

}  // namespace

int ScaleOfTile(int tilePixels) {
    if (tilePixels % CELL_PIXELS != 0) return 1;
    const int scale = tilePixels / CELL_PIXELS;
    return scale >= 1 && scale <= MAX_ZOOM_SCALE ? scale : 1;
}

int LargestFittingScale(int width, int height, int maxWidth, int maxHeight) {
    if (width <= 0 || height <= 0) return 1;
    const int scale = std::min(maxWidth / width, maxHeight / height);
    return std::clamp(scale, 1, MAX_ZOOM_SCALE);
}

int ShownScale(const LevelModel& level, int preferredScale) {
    return std::clamp(std::min(preferredScale, FittingScale(level)), 1, MAX_ZOOM_SCALE);
}

int SteppedScale(const LevelModel& level, int preferredScale, ZoomStep step) {
    if (!ShowsALevel(level)) return preferredScale;
    const int fitting = FittingScale(level);
    const int shown = ShownScale(level, preferredScale);
    switch (step) {
        case ZoomStep::IN:
            return shown < fitting ? shown + 1 : preferredScale;
        case ZoomStep::OUT:
            return shown > 1 ? shown - 1 : 1;
        case ZoomStep::FIT:
            return fitting;
    }
    return preferredScale;
}

int ShownScale(const LevelModel& level, const ZoomChoice& choice) {
    return choice.fit ? FittingScale(level) : ShownScale(level, choice.scale);
}

ZoomChoice SteppedZoom(const LevelModel& level, const ZoomChoice& choice, ZoomStep step) {
    if (level.editor.editMode != EditMode::PLAY) return choice;
    if (step == ZoomStep::FIT) return {choice.scale, true};
    if (!ShowsALevel(level)) return choice;
    return {SteppedScale(level, ShownScale(level, choice), step), false};
}

BoardZoom ZoomBoard(const LevelModel& level, int scale) {
    BoardZoom zoom;
    zoom.scale = std::clamp(scale, 1, MAX_ZOOM_SCALE);
    if (zoom.scale == 1) return zoom;
    const Grids& grids = level.grids;
    zoom.originX = CentredOrigin(grids.maxWidth, grids.colOffset, level.board.width, zoom.scale);
    zoom.originY = CentredOrigin(grids.maxHeight, grids.rowOffset, level.board.height, zoom.scale);
    return zoom;
}

CellSpan VisibleCells(const BoardZoom& zoom, const Grids& grids) {
    const int size = zoom.CellPixels();
    // The cells from the one holding the area's first pixel to the one holding its last.
    auto span = [size](int origin, int usable, int& first, int& end) {
        const int area = usable * CELL_PIXELS;
        first = std::clamp(-origin / size, 0, usable);
        end = std::clamp((area - origin + size - 1) / size, first, usable);
    };
    CellSpan cells;
    span(zoom.originX, grids.maxWidth, cells.firstCol, cells.endCol);
    span(zoom.originY, grids.maxHeight, cells.firstRow, cells.endRow);
    return cells;
}

GridCell ZoomedPointToCell(const BoardZoom& zoom, const Grids& grids, int left, int top, int x,
                           int y) {
    if (x < left || y < top) return {};
    if (x >= left + grids.maxWidth * CELL_PIXELS || y >= top + grids.maxHeight * CELL_PIXELS)
        return {};
    const int gx = x - left - zoom.originX;
    const int gy = y - top - zoom.originY;
    if (gx < 0 || gy < 0) return {};
    const int col = gx / zoom.CellPixels();
    const int row = gy / zoom.CellPixels();
    if (col >= grids.maxWidth || row >= grids.maxHeight) return {};
    return {row, col};
}

BoardPoint CellCentre(const BoardZoom& zoom, GridCell cell) {
    const int half = zoom.CellPixels() / 2;
    return {zoom.originX + cell.col * zoom.CellPixels() + half,
            zoom.originY + cell.row * zoom.CellPixels() + half};
}

}  // namespace ruk
