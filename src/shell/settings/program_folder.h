// Where the player finds itself and where it keeps its settings and solver job files.
#pragma once

#include <string>

namespace ruk {

// The folder of the running executable, without a trailing separator ("/" for the root):
// from /proc/self/exe, else argv0 made absolute (looked up in PATH when it has no '/').
// "" when unknown.
std::string ExecutableFolder(const char* argv0);

// The program folder when a file can be created there; else $XDG_CONFIG_HOME/ruk (when that is
// set and absolute) or $HOME/.config/ruk, created when missing; the program folder itself when
// none of those can be used either.
std::string WorkingFolder(const std::string& programFolder);

}  // namespace ruk
