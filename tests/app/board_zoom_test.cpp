// Board zoom: which tile sizes a level allows, the preferred size kept across levels, and the
// board-pixel to grid-cell mapping at every scale, checked pixel by pixel.
#include "panel/board_zoom.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "../test_files.h"

namespace ruk {
namespace {

using test::Core;
using test::LoadText;

// A closed room of width (at least 5) x height cells: the keeper, a box and a goal in a row.
std::string Room(int width, int height) {
    std::string text;
    for (int r = 0; r < height; ++r) {
        std::string row(width, ' ');
        row.front() = row.back() = '#';
        if (r == 0 || r == height - 1) row.assign(width, '#');
        text += row + "\n";
    }
    text[width + 2] = '@';
    text[width + 3] = '$';
    text[width + 4] = '.';
    return text;
}

void Load(CoreState& core, int width, int height, int maxWidth, int maxHeight) {
    core.level.grids.maxWidth = maxWidth;
    core.level.grids.maxHeight = maxHeight;
    LoadText(core, Room(width, height));
}

TEST(BoardZoom, TileSizesAndTheLargestScaleThatFits) {
    EXPECT_EQ(ScaleOfTile(24), 1);
    EXPECT_EQ(ScaleOfTile(48), 2);
    EXPECT_EQ(ScaleOfTile(72), 3);
    EXPECT_EQ(ScaleOfTile(96), 4);
    for (const int junk : {0, -24, 12, 25, 120, 240, 2147483647, -2147483647 - 1})
        EXPECT_EQ(ScaleOfTile(junk), 1) << junk;

    EXPECT_EQ(LargestFittingScale(12, 12, 50, 40), 3);  // 4 x 12 = 48 rows > 40
    EXPECT_EQ(LargestFittingScale(12, 10, 50, 40), 4);
    EXPECT_EQ(LargestFittingScale(5, 5, 50, 50), 4);  // never beyond 96 pixels
    EXPECT_EQ(LargestFittingScale(25, 20, 50, 40), 2);
    EXPECT_EQ(LargestFittingScale(26, 20, 50, 40), 1);
    EXPECT_EQ(LargestFittingScale(17, 13, 50, 40), 2);
    EXPECT_EQ(LargestFittingScale(16, 13, 50, 40), 3);
    EXPECT_EQ(LargestFittingScale(50, 50, 50, 50), 1);
    EXPECT_EQ(LargestFittingScale(60, 60, 50, 40), 1);  // too big even for 24
    EXPECT_EQ(LargestFittingScale(0, 5, 50, 40), 1);
}

TEST(BoardZoom, PreferredScaleFallsBackPerLevelAndTheKeysStepFromTheShownOne) {
    Core core;
    CoreState& state = *core.state;
    // Nothing shown yet: always 24 pixels, and the keys change nothing.
    EXPECT_EQ(ShownScale(state.level, 4), 1);
    EXPECT_EQ(SteppedScale(state.level, 3, ZoomStep::IN), 3);
    EXPECT_EQ(SteppedScale(state.level, 3, ZoomStep::FIT), 3);

    Load(state, 12, 12, 50, 40);  // fits up to 3
    EXPECT_EQ(ShownScale(state.level, 1), 1);
    EXPECT_EQ(ShownScale(state.level, 2), 2);
    EXPECT_EQ(ShownScale(state.level, 4), 3);  // falls back to the largest that fits
    EXPECT_EQ(SteppedScale(state.level, 1, ZoomStep::IN), 2);
    EXPECT_EQ(SteppedScale(state.level, 2, ZoomStep::IN), 3);
    EXPECT_EQ(SteppedScale(state.level, 3, ZoomStep::IN), 3);   // 96 would not fit
    EXPECT_EQ(SteppedScale(state.level, 4, ZoomStep::IN), 4);   // the preference is kept
    EXPECT_EQ(SteppedScale(state.level, 4, ZoomStep::OUT), 2);  // out from what is shown
    EXPECT_EQ(SteppedScale(state.level, 1, ZoomStep::OUT), 1);
    EXPECT_EQ(SteppedScale(state.level, 1, ZoomStep::FIT), 3);
    EXPECT_EQ(SteppedScale(state.level, 4, ZoomStep::FIT), 3);

    // The editor keeps 24-pixel cells whatever the preference.
    state.level.editor.editMode = EditMode::EDIT;
    EXPECT_EQ(ShownScale(state.level, 3), 1);
    EXPECT_EQ(SteppedScale(state.level, 2, ZoomStep::IN), 2);
    state.level.editor.editMode = EditMode::PLAY;

    // A level too big for the board is shown at 24 as it always was.
    Load(state, 30, 45, 50, 40);
    ASSERT_EQ(state.level.board.status, LevelStatus::SIZE_OVER);
    EXPECT_EQ(ShownScale(state.level, 4), 1);
    EXPECT_EQ(SteppedScale(state.level, 1, ZoomStep::FIT), 1);

    // A level that cannot be played but fits still zooms, its banner with it.
    LoadText(state, "#####\n#@$ #\n#####");
    ASSERT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL);
    EXPECT_EQ(ShownScale(state.level, 4), 4);
}

// Fit is a mode: every level is shown at the largest scale it fits, until IN or OUT pick a fixed
// scale from the one shown. Ctrl+0 may choose it before any level; the editor takes no key.
TEST(BoardZoom, FitFollowsEveryLevelUntilAStepFixesTheShownScale) {
    Core core;
    CoreState& state = *core.state;
    const ZoomChoice fixed{2, false};
    const ZoomChoice fit = SteppedZoom(state.level, fixed, ZoomStep::FIT);
    EXPECT_TRUE(fit.fit);  // chosen on the empty board
    EXPECT_EQ(SteppedZoom(state.level, fit, ZoomStep::IN), fit);
    EXPECT_EQ(ShownScale(state.level, fit), 1);

    Load(state, 12, 12, 50, 40);  // fits up to 3
    EXPECT_EQ(ShownScale(state.level, fit), 3);
    Load(state, 6, 6, 50, 40);  // fits up to 4
    EXPECT_EQ(ShownScale(state.level, fit), 4);
    EXPECT_EQ(ShownScale(state.level, fixed), 2);
    EXPECT_EQ(SteppedZoom(state.level, fit, ZoomStep::OUT), (ZoomChoice{3, false}));
    const ZoomChoice in = SteppedZoom(state.level, fit, ZoomStep::IN);
    EXPECT_EQ(in, (ZoomChoice{4, false}));  // already the largest: fixed there
    Load(state, 12, 12, 50, 40);
    EXPECT_EQ(ShownScale(state.level, in), 3);
    Load(state, 30, 45, 50, 40);  // too big for the board
    EXPECT_EQ(ShownScale(state.level, fit), 1);

    state.level.editor.editMode = EditMode::EDIT;
    EXPECT_EQ(SteppedZoom(state.level, fixed, ZoomStep::FIT), fixed);
    EXPECT_EQ(ShownScale(state.level, fit), 1);
}

// Every pixel of the board area maps to the grid cell drawn there: the cell whose scaled square
// holds it. The level is centred to the pixel, and at scale 1 the old mapping is unchanged.
TEST(BoardZoom, EveryBoardPixelMapsToTheCellDrawnUnderIt) {
    Core core;
    CoreState& state = *core.state;
    std::mt19937 rng(18);
    const int left = 132, top = 6;
    for (int round = 0; round < 40; ++round) {
        const int maxWidth = 22 + static_cast<int>(rng() % 29);
        const int maxHeight = 22 + static_cast<int>(rng() % 29);
        const int width = 5 + static_cast<int>(rng() % 18);
        const int height = 3 + static_cast<int>(rng() % 20);
        Load(state, width, height, maxWidth, maxHeight);
        const Grids& grids = state.level.grids;
        const int fitting = LargestFittingScale(width, height, maxWidth, maxHeight);
        for (int scale = 1; scale <= fitting; ++scale) {
            SCOPED_TRACE(testing::Message() << width << "x" << height << " on " << maxWidth << "x"
                                            << maxHeight << " at " << scale);
            const BoardZoom zoom = ZoomBoard(state.level, scale);
            ASSERT_EQ(zoom.CellPixels(), 24 * scale);
            const int areaWidth = maxWidth * 24;
            const int areaHeight = maxHeight * 24;
            // The level's cells lie inside the area, centred: equal margins on both sides.
            const int levelLeft = zoom.originX + grids.colOffset * zoom.CellPixels();
            const int levelTop = zoom.originY + grids.rowOffset * zoom.CellPixels();
            const int levelRight = levelLeft + width * zoom.CellPixels();
            const int levelBottom = levelTop + height * zoom.CellPixels();
            ASSERT_GE(levelLeft, 0);
            ASSERT_GE(levelTop, 0);
            if (scale == 1) {
                EXPECT_EQ(zoom.originX, 0);
                EXPECT_EQ(zoom.originY, 0);
            } else {
                EXPECT_EQ(levelLeft, areaWidth - levelRight);
                EXPECT_EQ(levelTop, areaHeight - levelBottom);
                // The grid covers the whole area, so no pixel of it is left undrawn.
                EXPECT_LE(zoom.originX, 0);
                EXPECT_LE(zoom.originY, 0);
                EXPECT_GE(zoom.originX + maxWidth * zoom.CellPixels(), areaWidth);
                EXPECT_GE(zoom.originY + maxHeight * zoom.CellPixels(), areaHeight);
            }
            // The cells drawn are exactly those with a pixel in the area.
            const CellSpan drawn = VisibleCells(zoom, grids);
            auto covers = [&](int first, int end, int origin, int usable, int area) {
                const int size = zoom.CellPixels();
                return first >= 0 && end <= usable && first < end &&
                       origin + (first + 1) * size > 0 &&
                       (first == 0 || origin + first * size <= 0) &&
                       origin + (end - 1) * size < area &&
                       (end == usable || origin + end * size >= area);
            };
            EXPECT_TRUE(covers(drawn.firstCol, drawn.endCol, zoom.originX, maxWidth, areaWidth));
            EXPECT_TRUE(covers(drawn.firstRow, drawn.endRow, zoom.originY, maxHeight, areaHeight));
            if (scale == 1) {
                EXPECT_EQ(drawn.firstCol + drawn.firstRow, 0);
                EXPECT_EQ(drawn.endCol, maxWidth);
                EXPECT_EQ(drawn.endRow, maxHeight);
            }
            for (int y = 0; y < areaHeight; y += 1 + static_cast<int>(rng() % 5)) {
                for (int x = 0; x < areaWidth; x += 1 + static_cast<int>(rng() % 5)) {
                    const GridCell cell =
                        ZoomedPointToCell(zoom, grids, left, top, left + x, top + y);
                    ASSERT_TRUE(cell.valid()) << x << "," << y;
                    const int cellLeft = zoom.originX + cell.col * zoom.CellPixels();
                    const int cellTop = zoom.originY + cell.row * zoom.CellPixels();
                    ASSERT_TRUE(x >= cellLeft && x < cellLeft + zoom.CellPixels() && y >= cellTop &&
                                y < cellTop + zoom.CellPixels())
                        << x << "," << y << " -> " << cell.row << "," << cell.col;
                    if (scale == 1) {
                        const GridCell old = PointToCell(grids, left, top, left + x, top + y);
                        ASSERT_EQ(cell.row, old.row);
                        ASSERT_EQ(cell.col, old.col);
                    }
                }
            }
            // Round trip through every cell of the level, and outside the area nothing.
            for (int r = 0; r < height; ++r) {
                for (int c = 0; c < width; ++c) {
                    const GridCell cell{grids.rowOffset + r, grids.colOffset + c};
                    const BoardPoint at = CellCentre(zoom, cell);
                    ASSERT_TRUE(at.x >= levelLeft && at.x < levelRight);
                    ASSERT_TRUE(at.y >= levelTop && at.y < levelBottom);
                    const GridCell back =
                        ZoomedPointToCell(zoom, grids, left, top, left + at.x, top + at.y);
                    ASSERT_EQ(back.row, cell.row);
                    ASSERT_EQ(back.col, cell.col);
                }
            }
            for (const auto& [x, y] :
                 {std::pair{-1, 0}, {0, -1}, {areaWidth, 0}, {0, areaHeight}, {65535 - left, 5}})
                EXPECT_FALSE(ZoomedPointToCell(zoom, grids, left, top, left + x, top + y).valid())
                    << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace ruk
