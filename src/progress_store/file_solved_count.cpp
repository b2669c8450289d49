// The solved count of a level file (see file_solved_count.h).
#include "file_solved_count.h"

#include <string>
#include <vector>

#include "core_door.h"
#include "level_key.h"
#include "level_solutions_import.h"

namespace ruk {

namespace {

// Keys asked about in one query: enough to keep the queries few, few enough that a file of
// any size costs the same memory.
constexpr std::size_t KEY_BATCH = 256;

bool AddBatch(ProgressStore& store, std::vector<std::string>& keys, FileSolvedCount& count) {
    if (keys.empty()) return true;
    const int solved = store.CountSolved(keys);
    keys.clear();
    if (solved < 0) return false;
    count.solved += solved;
    return true;
}

}  // namespace

FileSolvedCount CountSolvedInFile(CoreState& core, ProgressStore& store, const char* path,
                                  const std::atomic<bool>& stop, bool readSolutions) {
    FileSolvedCount count;
    if (!door::OpenLevelSet(core, path)) return count;
    count.levels = door::Levels(core).count;
    std::vector<std::string> keys;
    keys.reserve(KEY_BATCH);
    LevelSolutionsImport import;
    for (int n = 1; n <= count.levels; ++n) {
        if (stop.load(std::memory_order_relaxed)) return {};
        // A level that cannot be read is counted as a level, never as solved.
        if (!door::ReadLevel(core, n)) continue;
        if (readSolutions) {
            const LevelImport level = import.Import(core, store);
            count.imported += level.improved > 0 ? 1 : 0;
            count.invalid += level.invalid;
        }
        keys.push_back(LevelKey(core.level.board));
        if (keys.size() == KEY_BATCH && !AddBatch(store, keys, count)) return {};
    }
    if (!AddBatch(store, keys, count)) return {};
    count.known = true;
    return count;
}

}  // namespace ruk
