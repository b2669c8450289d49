// The progress file's place (see progress_path.h).
#include "progress_path.h"

#include <cstdlib>

namespace ruk {

std::string ProgressFilePath() {
    // A relative value is ignored, as the base directory rules ask: it would name a different
    // folder for every working directory.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    std::string folder;
    if (dataHome && dataHome[0] == '/') {
        folder = dataHome;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || home[0] != '/') return "";
        folder = std::string(home) + "/.local/share";
    }
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder == "/") folder.clear();
    return folder + "/ruk/progress.sqlite";
}

}  // namespace ruk
