// Fitting the window into the work area (see window_fit.h).
#include "panel/window_fit.h"

#include <algorithm>

namespace ruk {

namespace {

// The start of a span of `size` centred in [start, start + room), never before start.
int Centre(int start, int room, int size) {
    return start + std::max(0, (room - size) / 2);
}

bool SameInput(const LayoutInput& a, const LayoutInput& b) {
    return a.frameWidth == b.frameWidth && a.frameHeight == b.frameHeight &&
           a.workLeft == b.workLeft && a.workTop == b.workTop && a.workWidth == b.workWidth &&
           a.workHeight == b.workHeight;
}

}  // namespace

WindowSpot PlaceWindow(const LayoutInput& input, int clientWidth, int clientHeight) {
    const int width = clientWidth + input.frameWidth;
    const int height = clientHeight + input.frameHeight;
    return {Centre(input.workLeft, input.workWidth, width),
            Centre(input.workTop, input.workHeight, height), width, height};
}

bool FitsWorkArea(const LayoutInput& input, int clientWidth, int clientHeight) {
    return clientWidth + input.frameWidth <= input.workWidth &&
           clientHeight + input.frameHeight <= input.workHeight;
}

Refit ChooseRefit(const LayoutInput& laidOut, const LayoutInput& now, bool boardMayChange) {
    if (SameInput(laidOut, now)) return Refit::NONE;
    return boardMayChange ? Refit::LAYOUT : Refit::MOVE;
}

}  // namespace ruk
