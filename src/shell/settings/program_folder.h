// Where the player finds itself and where it keeps its settings and solver job files.
#pragma once

#include <string>
#include <vector>

namespace ruk {

// The folder of the running executable, without a trailing separator ("/" for the root):
// from /proc/self/exe, else argv0 made absolute (looked up in PATH when it has no '/').
// "" when unknown.
std::string ExecutableFolder(const char* argv0);

// The program folder when a file can be created there; else $XDG_CONFIG_HOME/ruk (when that is
// set and absolute) or $HOME/.config/ruk, created when missing; the program folder itself when
// none of those can be used either.
std::string WorkingFolder(const std::string& programFolder);

// The user's own folder for the player: $XDG_CONFIG_HOME/ruk (when that is set and absolute),
// else $HOME/.config/ruk; "" when neither is known. Named only, not created.
std::string UserConfigFolder();

// The skin files to try, best first: the program folder's, the user's config folder's, and
// the working folder's when it is neither. Each named once.
std::vector<std::string> SkinPaths(const std::string& programFolder,
                                   const std::string& workingFolder);

}  // namespace ruk
