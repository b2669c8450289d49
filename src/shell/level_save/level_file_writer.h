// Saving a level to a level file so that a failure never leaves a damaged file: the new text is
// written whole to a temporary file in the same folder, flushed to the disk and renamed over
// the old file in one step.
#pragma once

#include <string>
#include <vector>

namespace ruk {

struct LevelSaveResult {
    bool saved = false;
    bool appended = false;  // the level went to the end of a file that was there
    std::string message;    // when not saved: one line that says why
};

// Saves the level's lines (without line ends) to path. A new file gets LF line ends. A file that
// is there keeps every byte and its permissions and gets the level as its last one, after one
// blank line, in its own line ends; a symbolic link is followed to the file it names. On any
// failure the file at path is as it was and no temporary file is left.
LevelSaveResult SaveLevelLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace ruk
