// Level files of any bytes: opened, then stepped through with Next, Previous, Jump and a second
// opening as the window does, each level loaded. The file is the input, after filler lines and
// repeated (both set by the first byte) so that levels fall across the halves of the sliding
// window; bytes 1-7 are the steps.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "board/board_checksum.h"
#include "board/jump_number.h"
#include "fuzz_support.h"

namespace ruk::fuzz {
namespace {

constexpr std::size_t FILLER_UNIT = 397;  // odd, so that levels start at every offset
constexpr int WALKED_LEVELS = 40;

std::string FileBytes(const std::uint8_t* data, std::size_t size) {
    const unsigned layout = size > 0 ? data[0] : 0;
    std::string bytes((layout >> 3) * FILLER_UNIT, ';');
    for (std::size_t i = 63; i < bytes.size(); i += 64) bytes[i] = '\n';
    if (!bytes.empty()) bytes.back() = '\n';
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (unsigned copy = 0; copy <= (layout & 7); ++copy) bytes += input;
    return bytes;
}

struct Visit {
    CoreState& core;
    int count = 0;
    std::map<int, std::uint64_t> seen;  // checksum of each level number read so far

    // A level read again is the same level, whatever way it was reached.
    void Check() {
        const LevelSet& set = core.level.levelSet;
        FUZZ_CHECK(set.count == count);
        FUZZ_CHECK(set.current >= 1 && set.current <= count);
        FUZZ_CHECK(core.level.board.status != LevelStatus::NONE);
        const std::uint64_t sum = BoardChecksum(core.level.board);
        const auto [at, added] = seen.emplace(set.current, sum);
        FUZZ_CHECK(added || at->second == sum);
    }

    // The file is not touched while it is open, so every step can finish. Selecting the current
    // level reads nothing: the Board stays as the last load left it.
    void Select(int n, bool load) {
        const int current = core.level.levelSet.current;
        const int expected = n < 1 ? 1 : n > count ? count : n;
        FUZZ_CHECK(door::ReadLevel(core, n));
        FUZZ_CHECK(core.level.levelSet.current == expected);
        if (expected != current) Check();
        if (!load) return;
        door::ShowCurrentLevel(core);
        if (core.level.board.status == LevelStatus::PLAYABLE) ShownBoxes(core);
    }
};

}  // namespace
}  // namespace ruk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    CoreState& core = fuzz::SharedCore();
    ResetLevelModel(core.level);
    fuzz::UseLargestGrids(core);
    static const std::string path = fuzz::TempFolder::File("levels.txt");
    const std::string bytes = fuzz::FileBytes(data, size);
    fuzz::WriteFile(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());

    if (!door::OpenLevelSet(core, path.c_str())) {
        // Nothing changes: the start-up state stays.
        FUZZ_CHECK(core.level.levelSet.count == 0 && core.level.levelSet.current == 0);
        FUZZ_CHECK(core.level.board.status == LevelStatus::NONE);
        return 0;
    }
    fuzz::Visit visit{core, core.level.levelSet.count, {}};
    FUZZ_CHECK(visit.count >= 1 && core.level.levelSet.current == 1);
    visit.Check();
    door::ShowCurrentLevel(core);

    for (std::size_t i = 1; i < 8 && i < size; ++i) {
        const int step = data[i];
        const int current = core.level.levelSet.current;
        switch (step & 3) {
            case 0:  // Next
                if (current < visit.count) visit.Select(current + 1, true);
                break;
            case 1:  // Previous
                if (current > 1) visit.Select(current - 1, true);
                break;
            case 2: {  // Jump, to a number typed in the box
                const std::string typed = std::to_string((step >> 2) - 8);
                if (visit.count >= 2)
                    visit.Select(JumpLevelNumber(typed.c_str(), visit.count), true);
                break;
            }
            default:  // the same file opened again: the same levels
                FUZZ_CHECK(door::OpenLevelSet(core, path.c_str()));
                FUZZ_CHECK(core.level.levelSet.current == 1);
                visit.Check();
                door::ShowCurrentLevel(core);
                break;
        }
    }

    // The first levels forward and back again, each read as before.
    const int walked = visit.count < fuzz::WALKED_LEVELS ? visit.count : fuzz::WALKED_LEVELS;
    for (int n = 1; n <= walked; ++n) visit.Select(n, false);
    for (int n = walked - 1; n >= 1; --n) visit.Select(n, false);
    return 0;
}
