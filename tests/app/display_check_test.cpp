// The player without a display: one line and status 1 instead of Qt's abort, and only when
// the window would go to X11.
#include "launch/display_check.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace ruk {
namespace {

std::string Fault(std::initializer_list<const char*> args, const char* platform,
                  const char* display, const char* wayland) {
    std::vector<const char*> argv{"ruk"};
    argv.insert(argv.end(), args);
    return NoDisplayFault(static_cast<int>(argv.size()), argv.data(), platform, display, wayland);
}

TEST(DisplayCheck, OnlyX11WithoutAnyDisplayIsRefused) {
    EXPECT_NE(Fault({}, nullptr, nullptr, nullptr), "");
    EXPECT_NE(Fault({"levels.txt"}, "", "", ""), "");
    EXPECT_NE(Fault({}, "xcb", nullptr, nullptr), "");
    EXPECT_NE(Fault({"-platform", "xcb:nograb"}, "offscreen", nullptr, nullptr), "");
    EXPECT_EQ(Fault({}, nullptr, ":0", nullptr), "");
    EXPECT_EQ(Fault({}, nullptr, nullptr, "wayland-0"), "");
    EXPECT_EQ(Fault({}, "offscreen", nullptr, nullptr), "");
    EXPECT_EQ(Fault({"-platform", "offscreen"}, nullptr, nullptr, nullptr), "");
    EXPECT_EQ(Fault({"--platform", "vnc:size=800x600"}, "xcb", nullptr, nullptr), "");
}

// Run as a user would: no display named at all, and one named that nothing answers at.
TEST(DisplayCheck, ThePlayerPrintsOneLineAndEndsWithStatusOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"-u DISPLAY", "ruk: no display (DISPLAY is not set); RUK needs a graphical desktop\n"},
        {"DISPLAY=:1999", "ruk: no display answers (see DISPLAY); RUK needs a graphical desktop\n"},
    };
    for (const auto& [display, line] : cases) {
        const std::string command = std::string("env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                                    display + " " + RUK_PLAYER_PATH + " 2>&1";
        std::FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string out;
        std::array<char, 4096> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe)) out += buffer.data();
        const int status = pclose(pipe);
        ASSERT_TRUE(WIFEXITED(status)) << display << ": " << out;
        EXPECT_EQ(WEXITSTATUS(status), 1) << display << ": " << out;
        EXPECT_EQ(out, line) << display;
    }
}

}  // namespace
}  // namespace ruk
