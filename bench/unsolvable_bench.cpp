// The unsolvable check: its time at every position (after every push) along every known
// solution, on generated 48 x 48 boards with 64 and 200 boxes, and its strength: of the pushes
// a solution does not make, how many lead to positions it proves lost.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core_door.h"
#include "engine/move_letters.h"
#include "engine/replay_steps.h"
#include "engine/urdl_parser.h"
#include "level_generator.h"
#include "planner/unsolvable_check.h"
#include "records/core_state.h"

namespace {

using namespace ruk;

struct Solved {
    std::string levels;
    int level;
    std::string moves;
};

std::vector<Solved> KnownSolutions() {
    const std::filesystem::path shared = RUK_SHARED_LEVELS;
    const std::filesystem::path samples = RUK_SAMPLE_LEVELS;
    const std::pair<std::filesystem::path, std::filesystem::path> files[] = {
        {shared / "microban-155.txt", shared / "microban-155-solutions.txt"},
        {shared / "microban-155.txt", shared / "microban-155-solutions-sokoplugin.txt"},
        {shared / "dries-696.txt", shared / "dries-696-solutions.txt"},
        {samples / "ruk-samples.txt", samples / "ruk-samples-solutions.txt"},
    };
    std::vector<Solved> all;
    for (const auto& [levels, solutions] : files) {
        std::ifstream in(solutions);
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == ';') continue;
            std::istringstream fields(line);
            Solved s{levels.string(), 0, ""};
            if (fields >> s.level >> s.moves) all.push_back(s);
        }
    }
    return all;
}

bool Load(CoreState& core, const Solved& s) {
    if (!door::ShowFileLevel(core, s.levels.c_str(), s.level)) return false;
    return core.level.board.status == LevelStatus::PLAYABLE;
}

void Step(CoreState& core) {
    core.view.animTarget = NO_POSITION;
    StepForward(core.level, core.game, core.view);
}

double Milliseconds(CoreState& core, int& result) {
    const auto start = std::chrono::steady_clock::now();
    result = UnsolvableCheck(core) == DeadVerdict::Dead ? 1 : 0;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void ReportTimes(benchmark::State& state, std::vector<double>& ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["positions"] = static_cast<double>(ms.size());
    state.counters["p50_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[ms.size() * 99 / 100];
    state.counters["max_ms"] = ms.back();
}

void BM_UnsolvableAlongKnownSolutions(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    std::vector<double> ms;
    int claims = 0;
    for (auto _ : state) {
        ms.clear();
        for (const Solved& s : KnownSolutions()) {
            if (!Load(*core, s) || !ParseUrdl(core->level, core->game, s.moves.c_str())) continue;
            int result = 0;
            ms.push_back(Milliseconds(*core, result));
            for (char letter : s.moves) {
                Step(*core);
                if (!IsPushLetter(letter)) continue;
                ms.push_back(Milliseconds(*core, result));
                claims += result;
            }
        }
    }
    state.counters["claims"] = claims;
    ReportTimes(state, ms);
}
BENCHMARK(BM_UnsolvableAlongKnownSolutions)->Unit(benchmark::kMillisecond)->Iterations(1);

// Every position along every known solution; each legal push the solution does not make there
// is tried, and the positions the check proves lost are counted.
void BM_UnsolvableStrength(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    long tried = 0;
    long proved = 0;
    for (auto _ : state) {
        for (const Solved& s : KnownSolutions()) {
            if (!Load(*core, s) || !ParseUrdl(core->level, core->game, s.moves.c_str())) continue;
            ShownPosition& shown = core->game.shown;
            const auto& step = core->level.directions.stepOffset;
            for (char letter : s.moves) {
                for (int d = 0; d < 4; ++d) {
                    const int box = shown.keeperCell + step[d];
                    const int beyond = box + step[d];
                    if (PushLetter(d) == letter || shown.positionBoard[box] != BOX ||
                        shown.positionBoard[beyond] != 0)
                        continue;
                    // The push the solution does not make, checked and taken back.
                    const int keeper = shown.keeperCell;
                    shown.positionBoard[box] = 0;
                    shown.positionBoard[beyond] = BOX;
                    shown.keeperCell = box;
                    ++tried;
                    proved += UnsolvableCheck(*core) == DeadVerdict::Dead ? 1 : 0;
                    shown.keeperCell = keeper;
                    shown.positionBoard[beyond] = 0;
                    shown.positionBoard[box] = BOX;
                }
                Step(*core);
            }
        }
    }
    state.counters["pushes_tried"] = static_cast<double>(tried);
    state.counters["proved_lost"] = static_cast<double>(proved);
    state.counters["share_pct"] = tried ? 100.0 * static_cast<double>(proved) / tried : 0;
}
BENCHMARK(BM_UnsolvableStrength)->Unit(benchmark::kSecond)->Iterations(1);

std::string RandomBoard(int boxes, unsigned seed) {
    std::mt19937 rng(seed);
    auto rows = gen::WalledRoom(48);
    auto place = [&](char ch) {
        for (;;) {
            const int r = 2 + static_cast<int>(rng() % 44);
            const int c = 2 + static_cast<int>(rng() % 44);
            if (rows[r][c] == ' ') {
                rows[r][c] = ch;
                return;
            }
        }
    };
    for (int i = 0; i < 60; ++i) place('#');
    for (int i = 0; i < boxes; ++i) {
        place('$');
        place('.');
    }
    place('@');
    return gen::LevelText(rows);
}

void BM_UnsolvableGenerated48(benchmark::State& state) {
    auto core = CreateCoreState();
    core->level.grids.maxHeight = GRID_SIDE;
    std::vector<double> ms;
    for (auto _ : state) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const std::string text = RandomBoard(static_cast<int>(state.range(0)), seed);
            door::LoadText(*core, text.c_str());
            if (core->level.board.status != LevelStatus::PLAYABLE) continue;
            int result = 0;
            ms.push_back(Milliseconds(*core, result));
        }
    }
    ReportTimes(state, ms);
}
BENCHMARK(BM_UnsolvableGenerated48)
    ->Arg(64)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
