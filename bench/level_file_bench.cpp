// Level file benchmarks: opening and counting a 10 MB file, stepping, placing a level.
#include <benchmark/benchmark.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "board/level_file.h"
#include "board/level_title.h"
#include "board/level_window.h"
#include "board/placement.h"
#include "board/text_level_parser.h"
#include "level_generator.h"
#include "records/core_state.h"

namespace {

using namespace ruk;

// One generated file of about 10 MB, written once per run and removed at exit.
struct GeneratedFile {
    std::string path;
    gen::GeneratorResult result;
    GeneratedFile() {
        // Named per process: benchmarks run side by side must not remove each other's file.
        path = (std::filesystem::temp_directory_path() /
                ("ruk-bench-10mb-" + std::to_string(getpid()) + ".txt"))
                   .string();
        gen::GeneratorOptions options;
        options.seed = 42;
        options.levels = 1;
        options.minBytes = 10 * 1000 * 1000;
        options.lineEnds = gen::LineEnds::CRLF;
        gen::WriteLevelFile(path.c_str(), options, result);
    }
    ~GeneratedFile() { std::remove(path.c_str()); }
};

const GeneratedFile& TenMegabytes() {
    static const GeneratedFile file;
    return file;
}

struct Core {
    std::unique_ptr<LevelModel> level = std::make_unique<LevelModel>();
    Core() { ResetLevelModel(*level); }
};

void BM_OpenAndCount10MB(benchmark::State& state) {
    const GeneratedFile& file = TenMegabytes();
    Core core;
    std::int64_t levels = 0;
    for (auto _ : state) {
        if (!OpenLevelFile(*core.level, file.path.c_str())) state.SkipWithError("open failed");
        levels += core.level->levelSet.count;
    }
    state.counters["levels"] = static_cast<double>(core.level->levelSet.count);
    state.counters["levels_per_s"] =
        benchmark::Counter(static_cast<double>(levels), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(state.iterations() * file.result.bytes);
}
BENCHMARK(BM_OpenAndCount10MB)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The count's walk over the whole file, as OpenLevelFile does it; with the argument 1 every
// level's title is read as well, as if each were landed on: what titles cost against a count.
void BM_CountWalk10MB(benchmark::State& state) {
    const bool titles = state.range(0) != 0;
    const GeneratedFile& file = TenMegabytes();
    Core core;
    LevelModel& model = *core.level;
    LevelSet& set = model.levelSet;
    if (!OpenLevelFile(model, file.path.c_str())) state.SkipWithError("open failed");
    const int count = set.count;
    std::int64_t titled = 0;
    for (auto _ : state) {
        LoadWindowAt(set, 0);
        set.window.levelEnd = -1;
        set.current = 0;
        set.count = INT_MAX;
        while (NextLevel(model)) {
            if (!titles) continue;
            ReadLevelTitle(set, model.scratch.titlePeek);
            titled += set.title[0] != '\0';
        }
        if (set.current != count) state.SkipWithError("count differs");
        set.count = count;
    }
    state.counters["levels"] = static_cast<double>(count);
    state.counters["titled"] =
        static_cast<double>(titled) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * file.result.bytes);
}
BENCHMARK(BM_CountWalk10MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_NextAndPrevStep(benchmark::State& state) {
    const GeneratedFile& file = TenMegabytes();
    Core core;
    OpenLevelFile(*core.level, file.path.c_str());
    const int middle = core.level->levelSet.count / 2;
    SelectLevel(*core.level, middle);
    for (auto _ : state) {
        SelectLevel(*core.level, middle + 1);
        SelectLevel(*core.level, middle);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_NextAndPrevStep)->Unit(benchmark::kMicrosecond);

void BM_JumpAcrossFile(benchmark::State& state) {
    const GeneratedFile& file = TenMegabytes();
    Core core;
    OpenLevelFile(*core.level, file.path.c_str());
    const int last = core.level->levelSet.count;
    for (auto _ : state) {
        SelectLevel(*core.level, last);
        SelectLevel(*core.level, 1);
    }
    state.counters["levels"] = static_cast<double>(last);
}
BENCHMARK(BM_JumpAcrossFile)->Unit(benchmark::kMillisecond);

void BM_PlaceLevel(benchmark::State& state) {
    Core core;
    std::string text = std::string(48, '#') + "\n";
    for (int r = 0; r < 38; ++r) text += "#" + std::string(46, r % 3 ? ' ' : '$') + "#\n";
    text += "#@" + std::string(45, '.') + "#\n" + std::string(48, '#') + "\n";
    CopyText(core.level->levelSet.sourceText, text.c_str());
    ParseTextLevel(*core.level);
    for (auto _ : state) {
        PlaceLevel(*core.level);
        benchmark::DoNotOptimize(core.level->grids.displayGrid.data());
    }
}
BENCHMARK(BM_PlaceLevel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
