// Window placement and control geometry (see window_layout.h).
#include "panel/window_layout.h"

#include <algorithm>
#include <cstddef>

#include "board/grids.h"
#include "panel/control_ids.h"
#include "panel/window_fit.h"

namespace ruk {

namespace {

constexpr int MAX_GRID = GRID_SIDE;  // most columns and rows the board ever shows
constexpr int MIN_ROWS = 22;         // fewer rows than this and the panel does not fit
constexpr int ONE_COLUMN_ROWS = 40;  // from this many rows the panel is a single column
constexpr int BOARD_TOP = 6;
constexpr int MARGIN = 6;  // right of the board and below it
constexpr int ONE_COLUMN_BOARD_LEFT = 132;
constexpr int TWO_COLUMN_BOARD_LEFT = 264;

// Logo, Level Loader and Level Selector: the same in both arrangements.
constexpr std::array<ControlPlace, 13> FIXED_PLACES{{
    {ID_LOGO, 14, 6, 104, 90},
    {ID_LOADER_GROUP, 6, 103, 120, 86},
    {ID_TEXT, 12, 119, 52, 22},
    {ID_FILE, 68, 119, 52, 22},
    {ID_SET_NAME, 12, 147, 108, 20},
    {ID_LEVEL_COUNT, 12, 167, 108, 20},
    {ID_SELECTOR_GROUP, 6, 200, 120, 114},
    {ID_PREV, 12, 216, 52, 22},
    {ID_NEXT, 68, 216, 52, 22},
    {ID_LEVEL_NUMBER, 12, 246, 52, 18},
    {ID_JUMP, 68, 244, 52, 22},
    {ID_LEVEL_SIZE, 12, 272, 108, 20},
    {ID_STATUS_LINE, 12, 292, 108, 20},
}};

// The movable blocks, relative to their group box's origin.
constexpr std::array<ControlPlace, 5> OPTIONS_BLOCK{{
    {ID_OPTIONS_GROUP, 0, 0, 120, 78},
    {ID_INSTANT_MOVE, 6, 13, 108, 21},
    {ID_GUARD, 6, 32, 60, 22},
    {ID_SOLVER, 64, 31, 50, 22},
    {ID_INFO_LINE, 6, 58, 108, 18},
}};

constexpr std::array<ControlPlace, 9> VIEWER_BLOCK{{
    {ID_VIEWER_GROUP, 0, 0, 120, 202},
    {ID_URDL_INPUT, 6, 16, 108, 22},
    {ID_RESTART, 6, 44, 108, 22},
    {ID_UNDO, 6, 72, 52, 30},
    {ID_REDO, 62, 72, 52, 30},
    {ID_AUTO_PLAY, 6, 108, 108, 26},
    {ID_SHOWN_MOVES, 6, 140, 108, 20},
    {ID_SHOWN_PUSHES, 6, 160, 108, 20},
    {ID_SHOWN_ACTIONS, 6, 180, 106, 20},
}};

constexpr std::array<ControlPlace, 7> RESULT_BLOCK{{
    {ID_RESULT_GROUP, 0, 0, 120, 126},
    {ID_SOLVED, 6, 16, 46, 20},
    {ID_UNSOLVABLE, 52, 16, 60, 20},
    {ID_TOTAL_MOVES, 6, 36, 108, 20},
    {ID_TOTAL_PUSHES, 6, 56, 108, 20},
    {ID_TOTAL_ACTIONS, 6, 76, 106, 20},
    {ID_URDL_OUTPUT, 6, 96, 108, 22},
}};

constexpr std::array<ControlPlace, 7> EDITOR_BLOCK{{
    {ID_EDITOR_GROUP, 0, 0, 120, 202},
    {ID_PLAY, 6, 16, 52, 22},
    {ID_EDIT, 62, 16, 52, 22},
    {ID_CLEAR, 48, 107, 64, 22},
    {ID_EDITOR_BOXES, 6, 140, 108, 20},
    {ID_EDITOR_GOALS, 6, 160, 105, 20},
    {ID_EDITOR_STATUS, 6, 180, 100, 20},
}};

// Drawn, not controls: relative to the Editor block's origin.
constexpr PixelRect PALETTE_IN_EDITOR{6, 42, 114, 102};
constexpr PixelRect WALL_TOOL_IN_EDITOR{6, 102, 36, 132};

static_assert(FIXED_PLACES.size() + 1 + OPTIONS_BLOCK.size() + VIEWER_BLOCK.size() +
                      RESULT_BLOCK.size() + EDITOR_BLOCK.size() ==
                  PLACED_CONTROLS,
              "every control needs exactly one place");
static_assert(PLACED_CONTROLS == CONTROL_COUNT, "the board frame and logo are controls too");

struct Origin {
    int x = 0, y = 0;
};

struct BlockOrigins {
    Origin options, viewer, result, editor;
};

// Tall screens stack everything left of the board; short ones need a second panel column.
constexpr BlockOrigins ONE_COLUMN_ORIGINS{{6, 325}, {6, 414}, {6, 627}, {6, 764}};
constexpr BlockOrigins TWO_COLUMN_ORIGINS{{138, 6}, {138, 95}, {6, 386}, {138, 310}};

void Put(WindowLayout& layout, const ControlPlace& place, Origin at) {
    layout.controls[place.id - FIRST_CONTROL_ID] = {place.id, at.x + place.x, at.y + place.y,
                                                    place.width, place.height};
}

template <std::size_t N>
void PutBlock(WindowLayout& layout, const std::array<ControlPlace, N>& block, Origin at) {
    for (const ControlPlace& place : block) Put(layout, place, at);
}

PixelRect Shift(const PixelRect& rect, Origin at) {
    return {at.x + rect.left, at.y + rect.top, at.x + rect.right, at.y + rect.bottom};
}

}  // namespace

WindowLayout LayoutWindow(const LayoutInput& input) {
    WindowLayout layout;
    const int f = 2 * (input.frameWidth / 2);  // the side borders, even so both are alike
    const int caption = input.frameHeight - f;
    const int workW = input.workWidth;
    const int workH = input.workHeight;

    // Compared before dividing: a negative numerator would truncate towards zero.
    const int heightForRows = workH - (f + 2 * MARGIN) - caption;
    if (heightForRows < MIN_ROWS * CELL_PIXELS) return layout;
    int rows = heightForRows / CELL_PIXELS;

    const bool oneColumn = rows >= ONE_COLUMN_ROWS;
    const int boardLeft = oneColumn ? ONE_COLUMN_BOARD_LEFT : TWO_COLUMN_BOARD_LEFT;
    rows = std::min(rows, MAX_GRID);
    const int available = workW - f - boardLeft - MARGIN;
    if (available < CELL_PIXELS) return layout;  // not even one column: as hopeless as no rows
    const int cols = std::min(available / CELL_PIXELS, MAX_GRID);

    layout.fits = true;
    layout.maxHeight = rows;
    layout.maxWidth = cols;
    layout.oneColumn = oneColumn;
    layout.boardLeft = boardLeft;

    const int boardWidth = CELL_PIXELS * cols;
    const int boardHeight = CELL_PIXELS * rows;
    layout.boardRect = {boardLeft, BOARD_TOP, boardLeft + boardWidth, BOARD_TOP + boardHeight};
    Put(layout, {ID_BOARD_FRAME, boardLeft, BOARD_TOP, boardWidth, boardHeight}, {});

    layout.windowWidth = f + MARGIN + boardLeft + boardWidth;
    layout.windowHeight = f + 2 * MARGIN + boardHeight + caption;
    layout.clientWidth = layout.windowWidth - input.frameWidth;
    layout.clientHeight = layout.windowHeight - input.frameHeight;
    const WindowSpot spot = PlaceWindow(input, layout.clientWidth, layout.clientHeight);
    layout.windowX = spot.x;
    layout.windowY = spot.y;

    const BlockOrigins& origins = oneColumn ? ONE_COLUMN_ORIGINS : TWO_COLUMN_ORIGINS;
    PutBlock(layout, FIXED_PLACES, {});
    PutBlock(layout, OPTIONS_BLOCK, origins.options);
    PutBlock(layout, VIEWER_BLOCK, origins.viewer);
    PutBlock(layout, RESULT_BLOCK, origins.result);
    PutBlock(layout, EDITOR_BLOCK, origins.editor);
    layout.paletteRect = Shift(PALETTE_IN_EDITOR, origins.editor);
    layout.wallToolRect = Shift(WALL_TOOL_IN_EDITOR, origins.editor);
    return layout;
}

const ControlPlace* FindPlace(const WindowLayout& layout, int id) {
    const int index = id - FIRST_CONTROL_ID;
    if (index < 0 || index >= PLACED_CONTROLS) return nullptr;
    const ControlPlace& place = layout.controls[index];
    return place.id == id ? &place : nullptr;
}

}  // namespace ruk
