// Where the main window goes on the desktop, how many grid cells the board gets and where each
// control sits in the client area. Pure arithmetic so it can be tested without a window.
#pragma once

#include <array>

namespace ruk {

// Client pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ControlPlace {
    int id = 0;  // a ControlId; 0 for a slot that holds no control
    int x = 0, y = 0, width = 0, height = 0;
};

struct LayoutInput {
    int frameWidth = 0;   // window width - client width (0 where the platform has no frame)
    int frameHeight = 0;  // window height - client height
    int workLeft = 0, workTop = 0, workWidth = 0, workHeight = 0;  // desktop work area, screen px
};

// Every control with a place, the board frame and the logo included: all the ids.
constexpr int PLACED_CONTROLS = 42;

struct WindowLayout {
    bool fits = false;                // false: the display is too small
    int maxWidth = 0, maxHeight = 0;  // usable grid columns and rows (<= 50)
    bool oneColumn = false;
    int boardLeft = 0;
    PixelRect boardRect, paletteRect, wallToolRect;
    int windowX = 0, windowY = 0, windowWidth = 0, windowHeight = 0;  // outer frame, screen px
    int clientWidth = 0, clientHeight = 0;
    // Indexed by id - ID_TEXT; all zero when the layout does not fit.
    std::array<ControlPlace, PLACED_CONTROLS> controls{};
};

// The layout for a frame and work area. When the work area is too small for 22 rows or a single
// column, only `fits` (false) is meaningful.
WindowLayout LayoutWindow(const LayoutInput& input);

// The place of control `id`, or nullptr when it has none (unknown id or a layout that does not
// fit).
const ControlPlace* FindPlace(const WindowLayout& layout, int id);

}  // namespace ruk
