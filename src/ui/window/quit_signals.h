// SIGTERM, SIGHUP and SIGINT (a logout, a closed terminal, Ctrl+C) close the window as its
// close box does, so that the game, the place and the options are kept before the player ends.
#pragma once

#include <functional>

class QWidget;

namespace ruk {

// From now on those signals close window; with a modal box open the program then ends once the
// window's closing has run and then finish (what the program does after its window has gone,
// such as writing what is left). When window goes they end the program again as by default.
// False when the signals could not be taken over.
bool CloseOnQuitSignals(QWidget& window, std::function<void()> finish = {});

}  // namespace ruk
