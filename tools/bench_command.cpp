// ruk-tool bench: per playable level, the time of the level load, of the unsolvable check at
// the start, and of selecting every box at the start.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "core_door.h"
#include "planner/unsolvable_check.h"

namespace ruk::tool {

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void PrintSpread(const char* name, std::vector<double> ms) {
    if (ms.empty()) ms.push_back(0);
    std::sort(ms.begin(), ms.end());
    std::printf("%s p50 %.3f p99 %.3f max %.3f\n", name, ms[ms.size() / 2],
                ms[(ms.size() - 1) * 99 / 100], ms.back());
}

}  // namespace

int BenchCommand(const Args& args) {
    if (args.positional.size() != 1) return Fail("usage: ruk-tool bench FILE [--guard on|off]");
    const std::string guard = args.Value("--guard", "on");
    if (guard != "on" && guard != "off") return Fail("--guard takes on or off");
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);
    const std::string& file = args.positional[0];
    if (!door::OpenLevelSet(*core, file.c_str()))
        return Fail("no level could be read from " + file);
    core->view.guardOn = guard == "on";
    std::vector<double> loads;
    std::vector<double> checks;
    std::vector<double> selects;
    for (int n = 1; n <= core->level.levelSet.count; ++n) {
        const auto start = Clock::now();
        if (!door::ShowLevel(*core, n))
            return Fail("level " + std::to_string(n) + " could not be read");
        const double load = Since(start);
        if (core->level.board.status != LevelStatus::PLAYABLE) continue;
        const auto checkStart = Clock::now();
        UnsolvableCheck(*core);
        const double check = Since(checkStart);
        double select = 0;
        for (int b = 0; b < core->game.shown.boxListCount; ++b) {
            const auto selectStart = Clock::now();
            door::SelectBoxAt(*core, core->game.shown.boxList[b]);
            select = std::max(select, Since(selectStart));
        }
        std::printf("%d load-ms %.3f unsolvable-ms %.3f select-max-ms %.3f\n", n, load, check,
                    select);
        loads.push_back(load);
        checks.push_back(check);
        selects.push_back(select);
    }
    PrintSpread("load-ms", loads);
    PrintSpread("unsolvable-ms", checks);
    PrintSpread("select-ms", selects);
    return 0;
}

}  // namespace ruk::tool
