// Window layout: grid size and arrangement from the frame and work area, window placement, and
// every control's place in both panel arrangements.
#include "panel/window_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "panel/control_ids.h"

namespace ruk {
namespace {

// The usual decorated window: 8-pixel borders and a 39-pixel caption.
constexpr int FRAME_W = 16;
constexpr int FRAME_H = 55;

struct SizingCase {
    const char* name;
    LayoutInput input;
    int rows, cols;
    bool oneColumn;
    int boardLeft;
    int x, y, width, height;  // outer window, screen pixels
    int clientWidth, clientHeight;
};

// Rows = (workH - f - 12 - caption) / 24; with the usual frame that is (workH - 67) / 24.
// clang-format off
const SizingCase SIZING_CASES[] = {
    // frame and work area; rows, columns, one column?, board left; window x y w h; client w h
    {"FullHd",
     {16, 55, 0, 0, 1920, 1040},       40, 50, true,  132, 283,   6,   1354, 1027, 1338, 972},
    {"TwentyTwoRows",
     {16, 55, 0, 0, 1920, 595},        22, 50, false, 264, 217,   0,   1486, 595,  1470, 540},
    {"ThirtyNineRows",
     {16, 55, 0, 0, 1920, 1026},       39, 50, false, 264, 217,   11,  1486, 1003, 1470, 948},
    {"FortyRows",
     {16, 55, 0, 0, 1920, 1027},       40, 50, true,  132, 283,   0,   1354, 1027, 1338, 972},
    {"RowsCutToFifty",
     {16, 55, 0, 0, 3840, 2160},       50, 50, true,  132, 1243,  446, 1354, 1267, 1338, 1212},
    {"FewColumns",
     {16, 55, 0, 0, 800, 1040},        40, 26, true,  132, 11,    6,   778,  1027, 762,  972},
    {"OneCellBesideTwoPanelColumns",
     {16, 55, 0, 0, 310, 600},         22, 1,  false, 264, 0,     2,   310,  595,  294,  540},
    {"OneCellBesideOnePanelColumn",
     {16, 55, 0, 0, 178, 1100},        43, 1,  true,  132, 0,     0,   178,  1099, 162,  1044},
    {"OffsetWorkArea",
     {16, 55, 1920, 30, 1280, 994},    38, 41, false, 264, 1925,  37,  1270, 979,  1254, 924},
    {"WorkAreaLeftOfPrimary",
     {16, 55, -1280, -20, 1280, 1024}, 39, 41, false, 264, -1275, -10, 1270, 1003, 1254, 948},
    {"NoFrame",
     {0, 0, 0, 0, 1920, 1080},         44, 50, true,  132, 291,   6,   1338, 1068, 1338, 1068},
    {"OddFrameWidthRoundsDown",
     {17, 56, 0, 0, 1920, 1040},       40, 50, true,  132, 283,   6,   1354, 1028, 1337, 972},
};

const LayoutInput TOO_SMALL[] = {
    {FRAME_W, FRAME_H, 0, 0, 1920, 594},  // 21 rows
    {FRAME_W, FRAME_H, 0, 0, 309, 600},   // 22 rows, no cell beside two panel columns
    {FRAME_W, FRAME_H, 0, 0, 177, 1100},  // 43 rows, no cell beside one panel column
    {0, 0, 0, 0, 1920, 539},              // 21 rows without a frame
    {FRAME_W, FRAME_H, 0, 0, 100, 50},    // the rows' numerator is negative
    {FRAME_W, FRAME_H, 0, 0, 0, 0},
};
// clang-format on

TEST(WindowLayoutTest, TooSmallWorkAreasPlaceNothing) {
    for (const LayoutInput& input : TOO_SMALL) {
        SCOPED_TRACE(testing::Message() << input.workWidth << "x" << input.workHeight);
        const WindowLayout layout = LayoutWindow(input);
        EXPECT_FALSE(layout.fits);
        for (int id = FIRST_CONTROL_ID; id <= LAST_CONTROL_ID; ++id)
            EXPECT_EQ(FindPlace(layout, id), nullptr) << id;
    }
}

TEST(WindowLayoutTest, GridSizeArrangementAndWindowPlacement) {
    for (const SizingCase& c : SIZING_CASES) {
        SCOPED_TRACE(c.name);
        const WindowLayout layout = LayoutWindow(c.input);
        ASSERT_TRUE(layout.fits);
        EXPECT_EQ(layout.maxHeight, c.rows);
        EXPECT_EQ(layout.maxWidth, c.cols);
        EXPECT_EQ(layout.oneColumn, c.oneColumn);
        EXPECT_EQ(layout.boardLeft, c.boardLeft);
        EXPECT_EQ(layout.windowX, c.x);
        EXPECT_EQ(layout.windowY, c.y);
        EXPECT_EQ(layout.windowWidth, c.width);
        EXPECT_EQ(layout.windowHeight, c.height);
        EXPECT_EQ(layout.clientWidth, c.clientWidth);
        EXPECT_EQ(layout.clientHeight, c.clientHeight);

        const PixelRect& b = layout.boardRect;
        EXPECT_EQ(b.left, c.boardLeft);
        EXPECT_EQ(b.top, 6);
        EXPECT_EQ(b.right, c.boardLeft + 24 * c.cols);
        EXPECT_EQ(b.bottom, 6 + 24 * c.rows);
        const ControlPlace* frame = FindPlace(layout, ID_BOARD_FRAME);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->x, b.left);
        EXPECT_EQ(frame->y, b.top);
        EXPECT_EQ(frame->width, b.right - b.left);
        EXPECT_EQ(frame->height, b.bottom - b.top);

        // The window never leaves the work area.
        EXPECT_GE(layout.windowX, c.input.workLeft);
        EXPECT_GE(layout.windowY, c.input.workTop);
        EXPECT_LE(layout.windowX + layout.windowWidth, c.input.workLeft + c.input.workWidth);
        EXPECT_LE(layout.windowY + layout.windowHeight, c.input.workTop + c.input.workHeight);
    }
}

struct Place {
    int id, x, y, width, height;
};

// Logo, Level Loader and Level Selector do not move with the arrangement.
const Place FIXED[] = {
    {1016, 14, 6, 104, 90},   {1018, 6, 103, 120, 86},  {1001, 12, 119, 52, 22},
    {1002, 68, 119, 52, 22},  {1024, 12, 147, 108, 20}, {1025, 12, 167, 108, 20},
    {1019, 6, 200, 120, 114}, {1003, 12, 216, 52, 22},  {1004, 68, 216, 52, 22},
    {1013, 12, 246, 52, 18},  {1005, 68, 244, 52, 22},  {1026, 12, 272, 108, 20},
    {1027, 12, 292, 108, 20},
};

// Options, Solution Viewer, Result and Editor stacked under the selector.
const Place ONE_COLUMN[] = {
    {1020, 6, 325, 120, 78},  {1042, 12, 338, 108, 21}, {1015, 12, 357, 60, 22},
    {1006, 70, 356, 50, 22},  {1028, 12, 383, 108, 18}, {1021, 6, 414, 120, 202},
    {1007, 12, 430, 108, 22}, {1008, 12, 458, 108, 22}, {1009, 12, 486, 52, 30},
    {1010, 68, 486, 52, 30},  {1011, 12, 522, 108, 26}, {1029, 12, 554, 108, 20},
    {1030, 12, 574, 108, 20}, {1031, 12, 594, 106, 20}, {1022, 6, 627, 120, 126},
    {1032, 12, 643, 46, 20},  {1041, 58, 643, 60, 20},  {1033, 12, 663, 108, 20},
    {1034, 12, 683, 108, 20}, {1035, 12, 703, 106, 20}, {1012, 12, 723, 108, 22},
    {1023, 6, 764, 120, 202}, {1039, 12, 780, 52, 22},  {1040, 68, 780, 52, 22},
    {1014, 54, 871, 64, 22},  {1036, 12, 904, 108, 20}, {1037, 12, 924, 105, 20},
    {1038, 12, 944, 100, 20},
};

// Options, Solution Viewer and Editor in a second column; Result under the selector.
const Place TWO_COLUMNS[] = {
    {1020, 138, 6, 120, 78},    {1042, 144, 19, 108, 21},  {1015, 144, 38, 60, 22},
    {1006, 202, 37, 50, 22},    {1028, 144, 64, 108, 18},  {1021, 138, 95, 120, 202},
    {1007, 144, 111, 108, 22},  {1008, 144, 139, 108, 22}, {1009, 144, 167, 52, 30},
    {1010, 200, 167, 52, 30},   {1011, 144, 203, 108, 26}, {1029, 144, 235, 108, 20},
    {1030, 144, 255, 108, 20},  {1031, 144, 275, 106, 20}, {1022, 6, 386, 120, 126},
    {1032, 12, 402, 46, 20},    {1041, 58, 402, 60, 20},   {1033, 12, 422, 108, 20},
    {1034, 12, 442, 108, 20},   {1035, 12, 462, 106, 20},  {1012, 12, 482, 108, 22},
    {1023, 138, 310, 120, 202}, {1039, 144, 326, 52, 22},  {1040, 200, 326, 52, 22},
    {1014, 186, 417, 64, 22},   {1036, 144, 450, 108, 20}, {1037, 144, 470, 105, 20},
    {1038, 144, 490, 100, 20},
};

template <std::size_t N>
void ExpectPlaces(const WindowLayout& layout, const Place (&table)[N], std::vector<int>& seen) {
    for (const Place& p : table) {
        SCOPED_TRACE(p.id);
        const ControlPlace* place = FindPlace(layout, p.id);
        ASSERT_NE(place, nullptr);
        EXPECT_EQ(place->id, p.id);
        EXPECT_EQ(place->x, p.x);
        EXPECT_EQ(place->y, p.y);
        EXPECT_EQ(place->width, p.width);
        EXPECT_EQ(place->height, p.height);
        seen.push_back(p.id);
    }
}

bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(WindowLayoutTest, EveryControlPlacedAsTheTablesSayInBothArrangements) {
    struct Arrangement {
        int workHeight;
        bool oneColumn;
        const Place (&blocks)[28];
        PixelRect palette, wallTool;
    };
    const Arrangement arrangements[] = {
        {1040, true, ONE_COLUMN, {12, 806, 120, 866}, {12, 866, 42, 896}},
        {700, false, TWO_COLUMNS, {144, 352, 252, 412}, {144, 412, 174, 442}},
    };
    for (const Arrangement& a : arrangements) {
        SCOPED_TRACE(a.oneColumn ? "one column" : "two columns");
        const WindowLayout layout = LayoutWindow({FRAME_W, FRAME_H, 0, 0, 1920, a.workHeight});
        ASSERT_TRUE(layout.fits);
        ASSERT_EQ(layout.oneColumn, a.oneColumn);
        std::vector<int> seen{ID_BOARD_FRAME};  // its place is checked with the grid sizes
        ExpectPlaces(layout, FIXED, seen);
        ExpectPlaces(layout, a.blocks, seen);
        EXPECT_TRUE(layout.paletteRect == a.palette);
        EXPECT_TRUE(layout.wallToolRect == a.wallTool);

        // Between them the tables above name each of the 42 ids exactly once.
        std::sort(seen.begin(), seen.end());
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(PLACED_CONTROLS));
        for (int i = 0; i < PLACED_CONTROLS; ++i) EXPECT_EQ(seen[i], FIRST_CONTROL_ID + i);
    }
    static_assert(PLACED_CONTROLS == CONTROL_COUNT);
}

TEST(WindowLayoutTest, FindPlaceRefusesIdsThatAreNotControls) {
    const WindowLayout layout = LayoutWindow({FRAME_W, FRAME_H, 0, 0, 1920, 1040});
    ASSERT_TRUE(layout.fits);
    for (int id : {0, -1, FIRST_CONTROL_ID - 1, LAST_CONTROL_ID + 1, 2000})
        EXPECT_EQ(FindPlace(layout, id), nullptr) << id;
    EXPECT_EQ(FindPlace(WindowLayout{}, ID_TEXT), nullptr);
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const PixelRect& inner, const PixelRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

PixelRect RectOf(const ControlPlace& p) {
    return {p.x, p.y, p.x + p.width, p.y + p.height};
}

bool IsTopLevel(int id) {
    return id == ID_LOGO || id == ID_BOARD_FRAME ||
           (id >= ID_LOADER_GROUP && id <= ID_EDITOR_GROUP);
}

// The smallest and largest boards of each arrangement, with and without a frame.
TEST(WindowLayoutTest, PanelNeverMeetsTheBoardAndStaysInTheClientArea) {
    const LayoutInput inputs[] = {
        {FRAME_W, FRAME_H, 0, 0, 310, 595},
        {FRAME_W, FRAME_H, 0, 0, 1920, 1026},
        {FRAME_W, FRAME_H, 0, 0, 178, 1027},
        {FRAME_W, FRAME_H, 0, 0, 3840, 2160},
        {17, 56, 0, 0, 179, 1028},
        {0, 0, 0, 0, 294, 540},
        {0, 0, 0, 0, 162, 972},
    };
    for (const LayoutInput& input : inputs) {
        const WindowLayout layout = LayoutWindow(input);
        SCOPED_TRACE(testing::Message() << input.workWidth << "x" << input.workHeight);
        ASSERT_TRUE(layout.fits);
        const PixelRect client{0, 0, layout.clientWidth, layout.clientHeight};
        std::vector<PixelRect> topLevel;
        for (const ControlPlace& p : layout.controls) {
            SCOPED_TRACE(p.id);
            const PixelRect r = RectOf(p);
            EXPECT_TRUE(Inside(r, client));
            if (p.id != ID_BOARD_FRAME) {
                EXPECT_FALSE(Overlap(r, layout.boardRect));
            }
            if (IsTopLevel(p.id)) topLevel.push_back(r);
        }
        // Group boxes, logo and board are side by side, never stacked on each other ...
        for (std::size_t i = 0; i < topLevel.size(); ++i)
            for (std::size_t j = i + 1; j < topLevel.size(); ++j)
                EXPECT_FALSE(Overlap(topLevel[i], topLevel[j])) << i << " " << j;
        // ... and every other control sits wholly inside exactly one of them.
        for (const ControlPlace& p : layout.controls) {
            if (IsTopLevel(p.id)) continue;
            int holders = 0;
            for (const PixelRect& box : topLevel) holders += Inside(RectOf(p), box);
            EXPECT_EQ(holders, 1) << p.id;
        }

        // The palette and wall tool are drawn in the Editor group where no control covers them.
        const PixelRect editor = RectOf(*FindPlace(layout, ID_EDITOR_GROUP));
        EXPECT_TRUE(Inside(layout.paletteRect, editor));
        EXPECT_TRUE(Inside(layout.wallToolRect, editor));
        EXPECT_FALSE(Overlap(layout.paletteRect, layout.wallToolRect));
        for (const ControlPlace& p : layout.controls) {
            if (p.id == ID_EDITOR_GROUP) continue;
            EXPECT_FALSE(Overlap(RectOf(p), layout.paletteRect)) << p.id;
            EXPECT_FALSE(Overlap(RectOf(p), layout.wallToolRect)) << p.id;
        }
    }
}

TEST(WindowLayoutTest, FortyRowsLeaveRoomForTheStackedPanel) {
    const WindowLayout layout = LayoutWindow({FRAME_W, FRAME_H, 0, 0, 1920, 1027});
    ASSERT_TRUE(layout.oneColumn);
    ASSERT_EQ(layout.maxHeight, 40);
    const ControlPlace* editor = FindPlace(layout, ID_EDITOR_GROUP);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->y + editor->height, 966);
    EXPECT_EQ(layout.clientHeight, 972);
}

}  // namespace
}  // namespace ruk
