// The replay speed the minus and plus keys step through, and its SPEED key in ruk.ini.
#include "panel/replay_speed.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../test_files.h"
#include "settings/settings.h"

namespace ruk {
namespace {

using test::ReadWholeFile;
using test::TempDir;

TEST(ReplaySpeed, PlusAndMinusWalkTheLadderAndStopAtItsEnds) {
    // From the slowest to Instant Move and back, one key at a time.
    const std::vector<ReplaySpeed> ladder = {{16, false}, {8, false}, {4, false},
                                             {2, false},  {1, false}, {1, true}};
    for (std::size_t i = 0; i + 1 < ladder.size(); ++i) {
        EXPECT_EQ(FasterReplay(ladder[i]), ladder[i + 1]) << i;
        EXPECT_EQ(SlowerReplay(ladder[i + 1]), ladder[i]) << i;
    }
    EXPECT_EQ(FasterReplay({1, true}), (ReplaySpeed{1, true}));
    EXPECT_EQ(SlowerReplay({16, false}), (ReplaySpeed{16, false}));
    // Instant Move checked by hand over a kept slow-down: one step down is the plain replay.
    EXPECT_EQ(SlowerReplay({8, true}), (ReplaySpeed{1, false}));
    EXPECT_EQ(FasterReplay({8, true}), (ReplaySpeed{8, true}));
}

TEST(ReplaySpeed, SpeedKeyReadAbsentPresentAndJunkAndWrittenInPlace) {
    const std::pair<std::string, int> files[] = {
        {"", 1},
        {"[OPTION]\nIMOVE=0\nGUARD=1\n", 1},
        {"[OPTION]\nSPEED=4\n", 4},
        {"[option]\r\nspeed = 16\r\n", 16},
        {"[OPTION]\nSPEED=3\n", 1},
        {"[OPTION]\nSPEED=32\n", 1},
        {"[OPTION]\nSPEED=-8\n", 1},
        {"[OPTION]\nSPEED=fast\n", 1},
        {"[OPTION]\nSPEED=1600\n", 1},  // cut to "160" by the read width: still junk
        {"[SOLVER]\nSPEED=8\n", 1},
    };
    for (const auto& [file, slowdown] : files) {
        TempDir dir;
        const WorkingPaths paths = BuildWorkingPaths(dir.Path("."));
        if (!file.empty()) dir.Write("ruk.ini", file);
        EXPECT_EQ(LoadReplaySlowdown(paths), slowdown) << file;
        EXPECT_EQ(ReadWholeFile(paths.settings), file) << "reading never writes";
    }
    TempDir dir;
    const WorkingPaths paths = BuildWorkingPaths(dir.Path("."));
    dir.Write("ruk.ini", "[OPTION]\r\nIMOVE=1\r\n[SOLVER]\r\nTIME=5\r\n");
    SaveReplaySlowdown(paths, 8);
    EXPECT_EQ(ReadWholeFile(paths.settings),
              "[OPTION]\r\nIMOVE=1\r\nSPEED=8\r\n[SOLVER]\r\nTIME=5\r\n");
    EXPECT_EQ(LoadReplaySlowdown(paths), 8);
}

}  // namespace
}  // namespace ruk
