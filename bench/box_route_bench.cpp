// Box routes: the first box of each of the largest shared levels to every free cell, and a box
// in a 48 x 48 open room to every cell; p50 and max time per route.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core_door.h"
#include "engine/box_route.h"
#include "engine/play_reset.h"
#include "level_generator.h"
#include "records/core_state.h"

namespace {

using namespace ruk;

struct Timing {
    std::vector<double> ms;
    int routes = 0;
};

// Routes from the first box to every free cell, the keeper's start as the side to keep.
void TimeRoutes(CoreState& core, Timing& timing) {
    const Board& board = core.level.board;
    if (board.status != LevelStatus::PLAYABLE || core.game.shown.boxListCount == 0) return;
    const int box = core.game.shown.boxList[0];
    for (int target = 0; target < board.cellCount; ++target) {
        if (target == box || core.game.shown.positionBoard[target] != 0) continue;
        EmptyMoveHistory(core.game.history);
        ResetPlayForLevel(core.game, board);
        const auto start = std::chrono::steady_clock::now();
        const bool found = AppendBoxRoute(core.level, core.game, core.scratch.route, box, target,
                                          board.keeperStart);
        const auto stop = std::chrono::steady_clock::now();
        timing.ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        timing.routes += found;
    }
}

void Report(benchmark::State& state, Timing& timing) {
    std::sort(timing.ms.begin(), timing.ms.end());
    if (timing.ms.empty()) return;
    state.counters["searches"] = static_cast<double>(timing.ms.size());
    state.counters["routes"] = timing.routes;
    state.counters["p50_ms"] = timing.ms[timing.ms.size() / 2];
    state.counters["max_ms"] = timing.ms.back();
}

void BM_BoxRouteLargestSharedLevels(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    const std::filesystem::path folder = RUK_SHARED_LEVELS;
    const std::pair<const char*, std::vector<int>> picks[] = {
        {"large-sasquatch-viii.txt", {44, 46, 47, 48, 49, 50}},
        {"large-microban-iv.txt", {100, 101, 102}},
        {"original-90.txt", {19, 51, 89}},
    };
    Timing timing;
    for (auto _ : state) {
        timing = Timing{};
        for (const auto& [name, levels] : picks) {
            const std::string path = (folder / name).string();
            if (!door::OpenLevelSet(*core, path.c_str())) continue;
            for (int n : levels) {
                if (!door::ShowLevel(*core, n)) continue;
                TimeRoutes(*core, timing);
            }
        }
    }
    if (timing.ms.empty()) state.SkipWithError("shared level collections not found");
    Report(state, timing);
}
BENCHMARK(BM_BoxRouteLargestSharedLevels)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_BoxRouteOpenRoom48(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    const std::string text = gen::OpenRoomWithOneBox();
    door::LoadText(*core, text.c_str());
    Timing timing;
    for (auto _ : state) {
        timing = Timing{};
        TimeRoutes(*core, timing);
    }
    Report(state, timing);
}
BENCHMARK(BM_BoxRouteOpenRoom48)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
