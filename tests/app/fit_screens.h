// The window-fit tests' screens: a 1600 x 900 one, where a frameless layout leaves no room for
// a frame, and a 2560 x 1440 one right of it; windows get frames.
#pragma once

#define RUK_TEST_SCREENS                                         \
    R"({"windowFrameMargins":true,"screens":[)"                  \
    R"({"name":"S1","x":0,"y":0,"width":1600,"height":900,)"     \
    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1},)"           \
    R"({"name":"S2","x":1600,"y":0,"width":2560,"height":1440,)" \
    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})"
