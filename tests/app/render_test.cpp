// The board and palette renderers against a skin whose every pixel tells where it came from.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <bit>

#include "../test_files.h"
#include "engine/mouse_play.h"
#include "render/board_renderer.h"
#include "render/palette_renderer.h"
#include "render/text_drawing.h"
#include "render/zoomed_board.h"

namespace ruk::test {
namespace {

constexpr int T = CELL_PIXELS;
constexpr QRgb FRAME = 0xff0064ffu;  // RGB(0, 100, 255)
const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";

QRgb SideColour(int k) {
    return qRgb(250, 10 + 40 * k, 5);
}
QRgb SmallColour(int k) {
    return qRgb(5, 10 + 40 * k, 250);
}

// Each tile pixel is unique (red from the column and x, green from the row and y); the marks
// are plain colours per direction with a magenta diagonal and left edge.
Skin TestSkin() {
    QImage image(SKIN_WIDTH, SKIN_HEIGHT, QImage::Format_RGB32);
    for (int y = 0; y < SKIN_HEIGHT; ++y)
        for (int x = 0; x < SKIN_WIDTH; ++x)
            image.setPixel(x, y, qRgb(x / T * 30 + x % T, y / T * 26 + y % T, 60));
    auto mark = [&](int left, int top, int size, QRgb colour) {
        for (int dy = 0; dy < size; ++dy)
            for (int dx = 0; dx < size; ++dx)
                image.setPixel(left + dx, top + dy, dx == dy || dx == 0 ? MARK_KEY_COLOUR : colour);
    };
    for (int k = 0; k < 4; ++k) {
        mark(72 + 14 * k, 120, 14, SideColour(k));
        mark(72 + 10 * k, 134, 10, SmallColour(k));
    }
    return {image, false};
}

QImage Tile(const Skin& skin, int column, int row) {
    return skin.image.copy(column * T, row * T, T, T);
}

QImage CellOf(const QImage& buffer, int row, int col) {
    return buffer.copy(col * T, row * T, T, T);
}

// A tile with a mark laid over it where the mark is not magenta.
QImage WithMark(QImage tile, const Skin& skin, int sx, int sy, int size, int ox, int oy) {
    for (int dy = 0; dy < size; ++dy)
        for (int dx = 0; dx < size; ++dx)
            if (skin.image.pixel(sx + dx, sy + dy) != MARK_KEY_COLOUR)
                tile.setPixel(ox + dx, oy + dy, skin.image.pixel(sx + dx, sy + dy));
    return tile;
}
QImage WithSideArrow(const QImage& tile, const Skin& skin, int k) {
    const int at[4][2] = {{5, 10}, {0, 5}, {5, 0}, {10, 5}};
    return WithMark(tile, skin, 72 + 14 * k, 120, 14, at[k][0], at[k][1]);
}
QImage WithSmallArrow(const QImage& tile, const Skin& skin, int k) {
    const int at[4][2] = {{7, 0}, {14, 7}, {7, 14}, {0, 7}};
    return WithMark(tile, skin, 72 + 10 * k, 134, 10, at[k][0], at[k][1]);
}
QImage WithFrame(QImage tile) {
    for (int y = 1; y <= 23; ++y)
        for (int x = 1; x <= 23; ++x)
            if (x <= 2 || x >= 22 || y <= 2 || y >= 22) tile.setPixel(x, y, FRAME);
    return tile;
}

// The tile a Play-mode cell shows before any mark.
QImage PlayTile(const CoreState& core, const Skin& skin, int row, int col) {
    const int grid = GridIndex(row, col);
    const CellCode value = core.level.grids.displayGrid[grid];
    TilePlace tile = TileOf(EditMode::PLAY, value);
    if (core.view.targets.targetFlag[grid]) tile.row += 2;
    if (value & KEEPER) tile.column += core.game.shown.facing;
    return Tile(skin, tile.column, tile.row);
}

TEST(BoardRendererTest, TilesPosesAndMarksPixelExact) {
    const Skin skin = TestSkin();
    Core core;
    CoreState& state = *core.state;
    Grids& grids = state.level.grids;
    grids.maxWidth = 4;
    grids.maxHeight = 3;
    Board& board = state.level.board;
    board.width = 4;
    board.height = 3;
    SetBoardGeometry(board, state.level.directions);
    board.status = LevelStatus::PLAYABLE;
    GameRecord& game = state.game;
    ViewState& view = state.view;
    const auto& step = state.level.directions.stepOffset;
    auto set = [&](int row, int col, CellCode value, bool target = false, int sides = 0) {
        const int grid = GridIndex(row, col);
        grids.displayGrid[grid] = value;
        view.targets.targetFlag[grid] = target;
        view.targets.sideCount[grid] = static_cast<std::uint8_t>(sides);
    };
    set(0, 0, KEEPER | GOAL, true);
    set(0, 1, WALL_FACE);
    set(0, 2, EXTERIOR);
    set(0, 3, WALL);
    set(1, 0, BOX, true, 1);
    view.targets.sideOffsets[GridIndex(1, 0)][0] = step[1];  // the keeper ends right of it
    set(1, 1, FLOOR | (DIR_DOWN | DIR_LEFT) << MARKER_SHIFT);
    set(1, 2, BOX | GOAL);
    set(1, 3, GOAL | DIR_UP << MARKER_SHIFT, true);
    set(2, 0, BOX | GOAL, true, 2);
    set(2, 1, BOX, false, 1);
    set(2, 2, GOAL);
    set(2, 3, FLOOR);
    game.shown.facing = 4;  // left
    view.boxSelected = true;
    view.selectedBox = GridToBoard(board, grids, 1, 2);

    QImage buffer = MakeBoardBuffer(grids);
    ASSERT_EQ(buffer.size(), QSize(4 * T, 3 * T));
    RenderBoard(state, skin, buffer);
    const QImage expected[3][4] = {
        {Tile(skin, 5, 4), Tile(skin, 1, 5), Tile(skin, 2, 5), Tile(skin, 0, 5)},
        {WithSmallArrow(Tile(skin, 6, 3), skin, 1), WithSideArrow(Tile(skin, 0, 1), skin, 2),
         WithFrame(Tile(skin, 6, 2)), WithSideArrow(Tile(skin, 0, 4), skin, 0)},
        {Tile(skin, 6, 4), Tile(skin, 6, 1), Tile(skin, 0, 2), Tile(skin, 0, 1)}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(CellOf(buffer, row, col), expected[row][col]) << row << "," << col;
    // The magenta pixels of a mark leave the tile below visible.
    EXPECT_EQ(buffer.pixel(T + 5, T + 0), Tile(skin, 0, 1).pixel(5, 0));
    EXPECT_EQ(buffer.pixel(T + 6, T + 0), SideColour(2));

    // No pose without a facing, no highlight without a target.
    game.shown.facing = 0;
    view.targets.targetFlag[GridIndex(0, 0)] = 0;
    RenderBoard(state, skin, buffer);
    EXPECT_EQ(CellOf(buffer, 0, 0), Tile(skin, 1, 2));

    // Edit mode draws the editor grid from row 0 alone: no highlight, frame, marks or banner.
    state.level.editor.editMode = EditMode::EDIT;
    board.status = LevelStatus::BAD_LEVEL;
    game.shown.facing = 2;
    const CellCode edited[3][4] = {{FLOOR, GOAL, BOX, BOX | GOAL},
                                   {KEEPER, KEEPER | GOAL, WALL, FLOOR},
                                   {WALL, WALL, WALL, WALL}};
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) grids.editorGrid[GridIndex(row, col)] = edited[row][col];
    RenderBoard(state, skin, buffer);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col) {
            const CellCode value = edited[row][col];
            EXPECT_EQ(CellOf(buffer, row, col), Tile(skin, value == WALL ? 6 : int(value), 0))
                << row << "," << col;
        }
}

TEST(BoardRendererTest, SelectedBoxOnARealLevelShowsTargetsAndSides) {
    const Skin skin = TestSkin();
    Core core;
    CoreState& state = *core.state;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 6));
    const Grids& grids = state.level.grids;
    const auto& targets = state.view.targets;
    // A box with a target that the keeper can leave from several sides.
    GridCell box, several;
    WindowRequests requests;
    for (int b = 0; b < state.game.shown.boxListCount && !several.valid(); ++b) {
        box = BoardToGrid(state.level.board, grids, state.game.shown.boxList[b]);
        BoardClick(state, box.row, box.col, requests);
        ASSERT_TRUE(state.view.boxSelected);
        for (int grid = 0; grid < MAX_CELLS; ++grid)
            if (targets.targetFlag[grid] && targets.sideCount[grid] > 1)
                several = {grid / GRID_SIDE, grid % GRID_SIDE};
        if (!several.valid()) BoardClick(state, box.row, box.col, requests);  // deselect
    }
    ASSERT_TRUE(several.valid());
    QImage buffer = MakeBoardBuffer(grids);
    RenderBoard(state, skin, buffer);

    // The frame, and the small arrow where a box may stay with one way out.
    const QImage boxCell = CellOf(buffer, box.row, box.col);
    for (const QPoint p : {QPoint(1, 1), QPoint(23, 23), QPoint(2, 12), QPoint(12, 22)})
        EXPECT_EQ(boxCell.pixel(p), FRAME) << p.x() << "," << p.y();
    EXPECT_EQ(boxCell.pixel(0, 0), PlayTile(state, skin, box.row, box.col).pixel(0, 0));
    int highlighted = 0;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col) {
            const int grid = GridIndex(row, col);
            if (!targets.targetFlag[grid]) continue;
            ++highlighted;
            QImage expected = PlayTile(state, skin, row, col);
            if (row == box.row && col == box.col) expected = WithFrame(expected);
            if ((grids.displayGrid[grid] & BOX) && targets.sideCount[grid] == 1) {
                const auto& step = state.level.directions.stepOffset;
                const int k = static_cast<int>(
                    std::find(step.begin(), step.end(), targets.sideOffsets[grid][0]) -
                    step.begin());
                ASSERT_LT(k, 4);
                expected = WithSmallArrow(expected, skin, k);
            }
            EXPECT_EQ(CellOf(buffer, row, col), expected) << row << "," << col;
        }
    EXPECT_GT(highlighted, 2);

    // Clicking that target shows its sides.
    BoardClick(state, several.row, several.col, requests);
    RenderBoard(state, skin, buffer);
    int marked = 0;
    for (int row = 0; row < grids.maxHeight; ++row)
        for (int col = 0; col < grids.maxWidth; ++col) {
            const CellCode bits = grids.displayGrid[GridIndex(row, col)] >> MARKER_SHIFT;
            if (bits == 0) continue;
            ++marked;
            const int k = std::countr_zero(bits);
            EXPECT_EQ(CellOf(buffer, row, col),
                      WithSideArrow(PlayTile(state, skin, row, col), skin, k));
        }
    EXPECT_GE(marked, 2);
}

TEST(BoardRendererTest, BannerOverALevelThatCannotBePlayed) {
    InstallFontSubstitutes();  // as the program does at start-up
    const Skin skin = TestSkin();
    Core core;
    CoreState& state = *core.state;
    LoadText(state, "#####\n#@$ #\n#####");  // a box and no goal
    ASSERT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL);
    const int top = (state.level.grids.maxHeight - 3) * T;
    const QRect banner(T, top, 144, 48);
    auto render = [&](LevelStatus status) {
        state.level.board.status = status;
        QImage buffer = MakeBoardBuffer(state.level.grids);
        RenderBoard(state, skin, buffer);
        return buffer;
    };
    const QImage plain = render(LevelStatus::PLAYABLE);
    for (const LevelStatus status : {LevelStatus::BAD_LEVEL, LevelStatus::SIZE_OVER}) {
        const QImage buffer = render(status);
        int white = 0, red = 0;
        for (int y = banner.top(); y <= banner.bottom(); ++y)
            for (int x = banner.left(); x <= banner.right(); ++x) {
                const QRgb p = buffer.pixel(x, y);
                white += p == qRgb(255, 255, 255);
                red += qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
            }
        EXPECT_GT(white, 144 * 48 / 2) << LevelStatusName(status);
        EXPECT_GT(red, 50) << LevelStatusName(status);
        // Nothing outside the banner changes.
        auto blanked = [&](QImage image) {
            QPainter(&image).fillRect(banner, Qt::black);
            return image;
        };
        EXPECT_EQ(blanked(buffer), blanked(plain)) << LevelStatusName(status);
    }
    EXPECT_NE(render(LevelStatus::BAD_LEVEL).copy(banner),
              render(LevelStatus::SIZE_OVER).copy(banner));
}

// The zoomed picture is the back buffer blown up pixel for pixel (the selection frame and the
// marks with it), the level centred; a level that cannot be played has its banner at the
// zoomed size, and nothing else changes.
TEST(BoardRendererTest, ZoomedPictureIsTheBufferScaledPixelExact) {
    InstallFontSubstitutes();
    const Skin skin = TestSkin();
    Core core;
    CoreState& state = *core.state;
    state.level.grids.maxWidth = 31;  // odd sizes: the level's middle is not the grid's
    state.level.grids.maxHeight = 23;
    ASSERT_TRUE(LoadLevel(state, SAMPLES, 6));
    const GridCell box =
        BoardToGrid(state.level.board, state.level.grids, state.game.shown.boxList[0]);
    WindowRequests requests;
    BoardClick(state, box.row, box.col, requests);
    ASSERT_TRUE(state.view.boxSelected);
    QImage buffer = MakeBoardBuffer(state.level.grids);
    RenderBoard(state, skin, buffer);
    const int width = 31 * T, height = 23 * T;
    QImage view;
    for (int scale = 2;
         scale <= LargestFittingScale(state.level.board.width, state.level.board.height, 31, 23);
         ++scale) {
        const BoardZoom zoom = ZoomBoard(state.level, scale);
        ShowZoomedBoard(state, buffer, zoom, view);
        ASSERT_EQ(view.size(), QSize(width, height));
        ASSERT_EQ(view.format(), QImage::Format_RGB32);
        int mismatches = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int bx = (x - zoom.originX) / scale, by = (y - zoom.originY) / scale;
                mismatches += view.pixel(x, y) != buffer.pixel(bx, by);
            }
        EXPECT_EQ(mismatches, 0) << scale;
    }

    // A level with no goal: the banner, at three times its size, bottom left.
    LoadText(state, "#####\n#@$ #\n#####");
    ASSERT_EQ(state.level.board.status, LevelStatus::BAD_LEVEL);
    RenderBoard(state, skin, buffer);
    const BoardZoom zoom = ZoomBoard(state.level, 3);
    ShowZoomedBoard(state, buffer, zoom, view);
    const QRect banner(3 * T, height - 9 * T, 3 * 144, 3 * 48);
    int white = 0, red = 0, changed = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb p = view.pixel(x, y);
            if (banner.contains(x, y)) {
                white += p == qRgb(255, 255, 255);
                red += qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
            } else {
                changed += p != buffer.pixel((x - zoom.originX) / 3, (y - zoom.originY) / 3);
            }
        }
    EXPECT_GT(white, banner.width() * banner.height() / 2);
    EXPECT_GT(red, 9 * 50);
    EXPECT_EQ(changed, 0);
}

TEST(PaletteRendererTest, RowsByModeAndSelection) {
    const Skin skin = TestSkin();
    const QColor face(1, 2, 3);
    QImage palette, wallTool;
    struct Case {
        EditMode mode;
        CellCode selected;
    };
    for (const Case c :
         {Case{EditMode::PLAY, KEEPER}, Case{EditMode::EDIT, KEEPER}, Case{EditMode::EDIT, WALL}}) {
        RenderPalette(c.mode, c.selected, skin, face, palette, wallTool);
        ASSERT_EQ(palette.size(), QSize(PALETTE_WIDTH, PALETTE_HEIGHT));
        ASSERT_EQ(wallTool.size(), QSize(WALL_TOOL_SIDE, WALL_TOOL_SIDE));
        auto row = [&](CellCode tool) {
            return c.mode == EditMode::PLAY ? 8 : tool == c.selected ? 7 : 6;
        };
        for (CellCode tool = 0; tool <= 5; ++tool)
            EXPECT_EQ(palette.copy(39 * int(tool / 2) + 3, 30 * int(tool & 1) + 3, T, T),
                      Tile(skin, int(tool), row(tool)))
                << tool;
        EXPECT_EQ(wallTool.copy(3, 3, T, T), Tile(skin, 6, row(WALL)));
        for (const QPoint p : {QPoint(0, 0), QPoint(30, 10), QPoint(107, 59)})
            EXPECT_EQ(palette.pixel(p), face.rgb());
        EXPECT_EQ(wallTool.pixel(29, 29), face.rgb());
    }
}

}  // namespace
}  // namespace ruk::test
