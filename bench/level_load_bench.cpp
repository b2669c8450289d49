// The level load (FinishLevelLoad): every level of the shared collections with its p50, p99
// and max, and a generated worst case, a 48 x 48 open room with 64 goals and 64 boxes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "board/level_file.h"
#include "board/text_level_parser.h"
#include "level_generator.h"
#include "planner/level_status.h"
#include "records/core_state.h"

namespace {

using namespace ruk;

double MillisecondsOf(CoreState& core, const Board& loaded) {
    core.level.board = loaded;
    SetBoardGeometry(core.level.board, core.level.directions);
    const auto start = std::chrono::steady_clock::now();
    core.level.board.status = FinishLevelLoad(core);
    const auto stop = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

void BM_FinishLevelLoadSharedCollections(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    const std::filesystem::path folder = RUK_SHARED_LEVELS;
    std::vector<Board> boards;
    for (const char* name : {"original-90.txt", "microban-155.txt", "large-sasquatch-viii.txt",
                             "large-microban-iv.txt", "dries-696.txt"}) {
        const std::string path = (folder / name).string();
        if (!OpenLevelFile(core->level, path.c_str())) continue;
        for (int n = 1; n <= core->level.levelSet.count; ++n)
            if (SelectLevel(core->level, n)) boards.push_back(core->level.board);
    }
    if (boards.empty()) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    std::vector<double> times(boards.size(), 1e9);
    for (auto _ : state) {
        for (std::size_t i = 0; i < boards.size(); ++i)
            times[i] = std::min(times[i], MillisecondsOf(*core, boards[i]));
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    auto at = [&](double q) { return sorted[static_cast<std::size_t>(q * (sorted.size() - 1))]; };
    state.counters["levels"] = static_cast<double>(boards.size());
    state.counters["p50_ms"] = at(0.50);
    state.counters["p99_ms"] = at(0.99);
    state.counters["max_ms"] = sorted.back();
}
BENCHMARK(BM_FinishLevelLoadSharedCollections)->Unit(benchmark::kMillisecond)->Iterations(3);

// 48 x 48 with its walls: 64 goals in the middle, 64 boxes around them, the keeper in a corner.
std::string WorstCaseRoom() {
    auto rows = gen::WalledRoom(48);
    for (int k = 0; k < 64; ++k) {
        rows[12 + (k / 8) * 3][12 + (k % 8) * 3] = '.';
        rows[13 + (k / 8) * 3][13 + (k % 8) * 3] = '$';
    }
    rows[2][2] = '@';
    return gen::LevelText(rows);
}

void BM_FinishLevelLoadOpenRoom64(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    CopyText(core->level.levelSet.sourceText, WorstCaseRoom().c_str());
    ParseTextLevel(core->level);
    const Board loaded = core->level.board;
    double worst = 0;
    for (auto _ : state) worst = std::max(worst, MillisecondsOf(*core, loaded));
    state.counters["max_ms"] = worst;
    state.counters["status_playable"] = core->level.board.status == LevelStatus::PLAYABLE;
}
BENCHMARK(BM_FinishLevelLoadOpenRoom64)->Unit(benchmark::kMillisecond);

}  // namespace
