// The display check before Qt starts (see display_check.h).
#include "launch/display_check.h"

#include <string_view>

namespace ruk {

namespace {

bool Unset(const char* value) {
    return !value || !*value;
}

// The platform Qt is told to use: the last -platform (or --platform) option, else the
// variable; its name without the plugin's ":options".
std::string_view PlatformName(int argc, const char* const* argv, const char* variable) {
    std::string_view platform = variable ? variable : "";
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform") platform = argv[i + 1];
    }
    return platform.substr(0, platform.find(':'));
}

}  // namespace

std::string NoDisplayFault(int argc, const char* const* argv, const char* platform,
                           const char* display, const char* waylandDisplay) {
    const std::string_view name = PlatformName(argc, argv, platform);
    if (!name.empty() && name != "xcb") return "";
    if (!Unset(display) || !Unset(waylandDisplay)) return "";
    return "no display (DISPLAY is not set); RUK needs a graphical desktop";
}

}  // namespace ruk
