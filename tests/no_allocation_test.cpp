// Loading a level allocates nothing: operator new is counted around every step of a level
// change (the file step, the status check, the placement) and around a text load.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core_door.h"
#include "engine/box_selection.h"
#include "planner/unsolvable_check.h"
#include "test_files.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace ruk::test {
namespace {

TEST(NoAllocationTest, LevelChangesAndUnsolvableChecksAllocateNothing) {
    Core core;
    CoreState& state = *core.state;
    state.level.grids.maxHeight = GRID_SIDE;
    int loads = 0;
    // Our samples always; the public collections' large levels where they are beside the project.
    const std::string paths[] = {std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt",
                                 SharedLevelFile("original-90.txt"),
                                 SharedLevelFile("large-sasquatch-viii.txt")};
    for (const std::string& path : paths) {
        if (path.empty()) continue;
        const std::string name = path.substr(path.rfind('/') + 1);
        ASSERT_TRUE(door::OpenLevelSet(state, path.c_str()));
        for (int n = 1; n <= state.level.levelSet.count; ++n) {
            const long before = allocations.load();
            const bool selected = door::ShowLevel(state, n);
            UnsolvableCheck(state);
            for (const bool guard : {false, true}) {
                state.view.guardOn = guard;
                state.view.selectedBox = state.game.shown.boxList[0];
                SelectBox(state);
            }
            const long during = allocations.load() - before;
            ASSERT_TRUE(selected);
            ASSERT_EQ(during, 0) << name << " level " << n;
            ++loads;
        }
    }
    CopyText(state.level.levelSet.sourceText, "#######\n#@ $ .#\n#######");
    const long before = allocations.load();
    door::LoadSourceText(state);
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_EQ(state.level.board.status, LevelStatus::PLAYABLE);
    EXPECT_GT(loads, 20);
}

}  // namespace
}  // namespace ruk::test
