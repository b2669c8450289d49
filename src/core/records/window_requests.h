// What a play operation asks of the window: the window performs these after the call, and
// tests read them. The operations themselves never touch a widget or a timer.
#pragma once

namespace ruk {

enum class AutoPlayCaption { KEEP, AUTO_PLAY, STOP };

struct WindowRequests {
    bool redraw = false;          // RenderBoard
    bool counters = false;        // the shown counters
    bool result = false;          // the Result group
    bool levelInfo = false;       // the level panel
    bool controlStates = false;   // enable and disable the controls
    bool congratulate = false;    // "Status: Solved\r\n\r\nCongratulations !!"
    bool startAutoTimer = false;  // the auto-play timer, 60 ms
    bool killAutoTimer = false;
    AutoPlayCaption caption = AutoPlayCaption::KEEP;
};

}  // namespace ruk
