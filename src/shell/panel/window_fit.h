// Keeping the whole window, frame included, inside the work area: the frame assumed before the
// window manager has drawn one, where a window of a given size goes, and what a newly known
// frame or work area asks of a window already laid out. Pure arithmetic, tested without a window.
#pragma once

#include "panel/window_layout.h"

namespace ruk {

// The frame assumed until the window manager's own is known: wider than most, so that the
// first layout stays inside the work area; the real frame then fits the window again.
constexpr int GUESSED_FRAME_WIDTH = 16;
constexpr int GUESSED_FRAME_HEIGHT = 55;

// Outer window, screen pixels.
struct WindowSpot {
    int x = 0, y = 0, width = 0, height = 0;
};

// Where a window whose client area is clientWidth x clientHeight goes with input's frame:
// centred in the work area; one bigger than the area keeps its top-left corner (and so its
// caption) inside it.
WindowSpot PlaceWindow(const LayoutInput& input, int clientWidth, int clientHeight);

// Whether that window, frame included, lies inside input's work area.
bool FitsWorkArea(const LayoutInput& input, int clientWidth, int clientHeight);

// What a window laid out for `laidOut` does once the frame and work area are `now`.
enum class Refit {
    NONE,    // both as laid out
    LAYOUT,  // lay the window out afresh: the board gets the rows the work area has room for
    MOVE,    // keep the board (a game is on it) and only place the window again
};
// boardMayChange: nothing is played on the board, so that its rows may change.
Refit ChooseRefit(const LayoutInput& laidOut, const LayoutInput& now, bool boardMayChange);

}  // namespace ruk
