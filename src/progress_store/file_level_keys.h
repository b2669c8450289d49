// The keys of every level of a level file, in one pass over it: what a solved count of the
// file needs besides one query of the store.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace ruk {

struct CoreState;

// Opens path in core (a state of its own: its Board is left holding the last level read, and
// nothing is shown) and returns one key per level, level 1 first; a level that cannot be read
// gets "". Empty when path has no level.
std::vector<std::string> FileLevelKeys(CoreState& core, const char* path);

// The key of level n of the file at path, opened in core as above; "" when the file has no
// level n or it cannot be read, or once stop is set: the levels before n are passed a few hundred
// at a time, so that a far level of a large file does not hold up a caller that is closing.
std::string FileLevelKey(CoreState& core, const char* path, int n,
                         const std::atomic<bool>* stop = nullptr);

}  // namespace ruk
