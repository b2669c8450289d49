// The keys of a file's levels (see file_level_keys.h).
#include "file_level_keys.h"

#include "core_door.h"
#include "level_key.h"

namespace ruk {

std::vector<std::string> FileLevelKeys(CoreState& core, const char* path) {
    std::vector<std::string> keys;
    if (!door::OpenLevelSet(core, path)) return keys;
    const int count = door::Levels(core).count;
    keys.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
        keys.push_back(door::ReadLevel(core, n) ? LevelKey(core.level.board) : std::string());
    }
    return keys;
}

std::string FileLevelKey(CoreState& core, const char* path, int n, const std::atomic<bool>* stop) {
    if (n < 1 || !door::OpenLevelSet(core, path) || n > door::Levels(core).count) return "";
    constexpr int STEP = 256;  // levels passed between looks at stop
    for (int at = 1 + STEP; at < n; at += STEP) {
        if ((stop && stop->load()) || !door::ReadLevel(core, at)) return "";
    }
    return door::ReadLevel(core, n) ? LevelKey(core.level.board) : "";
}

}  // namespace ruk
