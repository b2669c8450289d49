// Where the progress store lives: the user's data folder, never beside the program.
#pragma once

#include <string>

namespace ruk {

// $XDG_DATA_HOME/ruk/progress.sqlite when XDG_DATA_HOME is set and absolute, else
// $HOME/.local/share/ruk/progress.sqlite; "" when neither gives an absolute folder.
std::string ProgressFilePath();

}  // namespace ruk
