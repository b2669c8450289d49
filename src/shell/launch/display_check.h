// Whether the player can have a window at all, decided before Qt starts: Qt's X11 platform
// aborts the process (a core dump) when it finds no display.
#pragma once

#include <string>

namespace ruk {

// The line to print when the window would go to X11 (no -platform option, QT_QPA_PLATFORM
// unset, empty or "xcb") and neither DISPLAY nor WAYLAND_DISPLAY names a display; "" when the
// window may start. platform, display and waylandDisplay are the variables' values (null when
// unset).
std::string NoDisplayFault(int argc, const char* const* argv, const char* platform,
                           const char* display, const char* waylandDisplay);

}  // namespace ruk
