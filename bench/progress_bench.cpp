// The progress store on the 155-level public collection, every level solved and stored: one
// level's key and record as a level is shown, and the solved count of the whole file (every
// level read for its key, asked about in batches).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core_door.h"
#include "file_solved_count.h"
#include "level_key.h"
#include "progress_store.h"

namespace {

using namespace ruk;
namespace fs = std::filesystem;

const std::string LEVELS = std::string(RUK_SHARED_LEVELS) + "/microban-155.txt";
const std::string SOLUTIONS = std::string(RUK_SHARED_LEVELS) + "/microban-155-solutions.txt";

// A store in a folder of its own under /tmp holding a solution of every level it could read,
// with the keys of the file's levels; removed when it goes.
struct SolvedFile {
    std::string folder;
    ProgressStore store;
    std::vector<std::string> keys;
    std::unique_ptr<CoreState> core = CreateCoreState();
    int stored = 0;

    SolvedFile() {
        char pattern[] = "/tmp/ruk-progress-bench-XXXXXX";
        if (!mkdtemp(pattern)) return;
        folder = pattern;
        if (store.Open(folder + "/progress.sqlite") != ProgressState::READY) return;
        if (!door::OpenLevelSet(*core, LEVELS.c_str())) return;
        for (int n = 1; n <= door::Levels(*core).count; ++n) {
            door::ReadLevel(*core, n);
            keys.push_back(LevelKey(core->level.board));
        }
        std::ifstream in(SOLUTIONS);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == ';') continue;
            std::istringstream fields(line);
            int n = 0;
            std::string moves;
            if (!(fields >> n >> moves) || !door::ReadLevel(*core, n)) continue;
            if (store.SaveSolution(core->level.board, moves) == SolutionVerdict::IMPROVED) {
                ++stored;
            }
        }
    }
    ~SolvedFile() {
        store.Close();
        std::error_code ec;
        if (!folder.empty()) fs::remove_all(folder, ec);
    }
};

// What showing a level adds: its key from the Board and its record from the store.
void BM_LevelKeyAndRecord(benchmark::State& state) {
    SolvedFile file;
    if (file.stored == 0) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    std::vector<Board> boards;
    for (int n = 1; n <= door::Levels(*file.core).count; ++n) {
        door::ReadLevel(*file.core, n);
        boards.push_back(file.core->level.board);
    }
    std::size_t i = 0;
    std::uint32_t moves = 0;
    for (auto _ : state) {
        const LevelRecord record = file.store.Load(LevelKey(boards[i++ % boards.size()]));
        moves += record.byMoves.moves;
    }
    benchmark::DoNotOptimize(moves);
    state.counters["stored"] = file.stored;
}

// The record alone, key known.
void BM_LoadRecord(benchmark::State& state) {
    SolvedFile file;
    if (file.stored == 0) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const LevelRecord record = file.store.Load(file.keys[i++ % file.keys.size()]);
        benchmark::DoNotOptimize(record.byMoves.moves);
    }
}

// The file read level by level for its keys, asked about a batch at a time, as the window's
// count does.
void BM_CountSolvedOfTheFile(benchmark::State& state) {
    SolvedFile file;
    if (file.stored == 0) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    FileSolvedCount count;
    auto core = CreateCoreState();
    const std::atomic<bool> go{false};
    for (auto _ : state) count = CountSolvedInFile(*core, file.store, LEVELS.c_str(), go);
    state.counters["levels"] = count.levels;
    state.counters["solved"] = count.solved;
}

// All the window's counting thread does: a state and a read-only connection of its own, then
// the count.
void BM_CountSolvedWithItsOwnState(benchmark::State& state) {
    SolvedFile file;
    if (file.stored == 0) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    FileSolvedCount count;
    const std::atomic<bool> go{false};
    ProgressStore::Options options;
    options.readOnly = true;
    for (auto _ : state) {
        auto core = CreateCoreState();
        ProgressStore reader;
        reader.Open(file.folder + "/progress.sqlite", options);
        count = CountSolvedInFile(*core, reader, LEVELS.c_str(), go);
    }
    state.counters["solved"] = count.solved;
}

// Opening the store at start-up: the soundness check reads the whole file.
void BM_OpenStore(benchmark::State& state) {
    SolvedFile file;
    if (file.stored == 0) {
        state.SkipWithError("shared level collections not found");
        return;
    }
    file.store.Close();
    ProgressStore store;
    for (auto _ : state) {
        if (store.Open(file.folder + "/progress.sqlite") != ProgressState::READY) {
            state.SkipWithError("the store did not open");
            return;
        }
        store.Close();
    }
}

BENCHMARK(BM_LevelKeyAndRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadRecord)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CountSolvedOfTheFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountSolvedWithItsOwnState)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStore)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
