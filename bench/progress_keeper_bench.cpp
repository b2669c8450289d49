// How long the window's thread is held by the progress of a very long game: storing its
// solution, one keep (the cursor moved alone, and letters appended), closing, and showing the
// level at the next start with a 100 MB game kept. The figures are the keeper's calls on the
// window's thread; the writes themselves run on the writer's thread and are waited for outside
// the timing (reported as "writer_s").
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "core_door.h"
#include "level_key.h"
#include "progress/progress_keeper.h"
#include "progress/progress_test_util.h"
#include "records/move_history.h"

namespace {

using namespace ruk;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A walk to and fro of about size letters, then the solution when solved is asked for.
std::string LongGame(std::size_t size, bool solved) {
    std::string letters;
    letters.reserve(size + test::ROOM_BY_MOVES.size());
    while (letters.size() < size) letters += "rl";
    if (solved) letters += test::ROOM_BY_MOVES;
    return letters;
}

// A folder of its own under /tmp, removed when it goes.
struct Folder {
    std::string path;
    Folder() {
        char pattern[] = "/tmp/ruk-keeper-bench-XXXXXX";
        if (mkdtemp(pattern)) path = pattern;
    }
    ~Folder() {
        std::error_code ec;
        if (!path.empty()) fs::remove_all(path, ec);
    }
    std::string Store() const { return path + "/progress.sqlite"; }
};

// The room shown with letters played up to cursor (the end when cursor is past it).
bool Show(CoreState& core, ProgressKeeper& keeper, const std::string& letters,
          std::uint32_t cursor) {
    if (!door::LoadText(core, test::ROOM.c_str())) return false;
    keeper.LevelShown(core);
    WindowRequests requests;
    if (cursor > letters.size()) cursor = static_cast<std::uint32_t>(letters.size());
    return door::ResumeGame(core, letters.c_str(), cursor, requests);
}

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Waits for the writer outside the timing, adding its seconds to writer.
void WaitForWriter(benchmark::State& state, ProgressKeeper& keeper, double& writer) {
    state.PauseTiming();
    const Clock::time_point start = Clock::now();
    keeper.Flush();
    writer += Seconds(start);
    state.ResumeTiming();
}

// A 30 MB solution stored: the window's share is taking a copy of it.
void BM_StoreSolution30MB(benchmark::State& state) {
    Folder folder;
    std::unique_ptr<CoreState> core = CreateCoreState();
    ProgressKeeper keeper;
    keeper.Open(folder.Store());
    const std::string letters = LongGame(30u << 20, true);
    double writer = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!Show(*core, keeper, letters, UINT32_MAX) || !keeper.SolutionWaiting(*core)) {
            state.SkipWithError("the long game does not solve the room");
            return;
        }
        state.ResumeTiming();
        keeper.StoreSolution(*core);
        WaitForWriter(state, keeper, writer);
    }
    state.counters["writer_s"] = writer / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StoreSolution30MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// One keep of a 30 MB game already kept: range 0 moves the cursor alone (Undo, Redo), range 1
// appends a letter (a new move at the end).
void BM_Keep30MB(benchmark::State& state) {
    Folder folder;
    std::unique_ptr<CoreState> core = CreateCoreState();
    ProgressKeeper keeper;
    keeper.Open(folder.Store());
    const std::string letters = LongGame(30u << 20, false);
    const auto cursor = static_cast<std::uint32_t>(letters.size() - 10);
    if (!Show(*core, keeper, letters, cursor)) {
        state.SkipWithError("the long game could not be played");
        return;
    }
    keeper.StoreGame(*core);
    keeper.Flush();
    MoveHistory& history = core->game.history;
    double writer = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (state.range(0) == 0) {
            history.cursor = history.cursor == cursor ? cursor - 2 : cursor;
        } else {
            CutAtCursor(history);
            AppendLetter(history, 'r');
            AppendLetter(history, 'l');
            history.cursor = history.end;
        }
        state.ResumeTiming();
        keeper.StoreGame(*core);
        WaitForWriter(state, keeper, writer);
    }
    state.counters["writer_s"] = writer / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Keep30MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// Closing with an unkept 30 MB game: what the window's close runs (the solution check, the
// game, the place), then the wait for the writer once the window is gone, reported apart.
void BM_Close30MB(benchmark::State& state) {
    Folder folder;
    std::unique_ptr<CoreState> core = CreateCoreState();
    const std::string letters = LongGame(30u << 20, false);
    double writer = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto keeper = std::make_unique<ProgressKeeper>();
        keeper->Open(folder.Store());
        if (!Show(*core, *keeper, letters, static_cast<std::uint32_t>(letters.size() - 1))) {
            state.SkipWithError("the long game could not be played");
            return;
        }
        AppendLetter(core->game.history, 'r');
        state.ResumeTiming();
        keeper->StoreSolution(*core);
        keeper->StoreGame(*core);
        keeper->KeepPlace(*core);
        state.PauseTiming();
        const Clock::time_point start = Clock::now();
        keeper.reset();
        writer += Seconds(start);
        state.ResumeTiming();
    }
    state.counters["writer_s"] = writer / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Close30MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The next start with a 100 MB game kept for the room: the store opened and the level shown;
// "record_s" is the time until the level's record has come back from the writer's thread.
void BM_StartWith100MBGame(benchmark::State& state) {
    Folder folder;
    {
        ProgressStore store;
        std::unique_ptr<CoreState> core = CreateCoreState();
        if (store.Open(folder.Store()) != ProgressState::READY ||
            !door::LoadText(*core, test::ROOM.c_str()) ||
            !store.SaveGame(LevelKey(core->level.board), LongGame(100u << 20, false), 7)) {
            state.SkipWithError("the store could not be made");
            return;
        }
    }
    std::unique_ptr<CoreState> core = CreateCoreState();
    if (!door::LoadText(*core, test::ROOM.c_str())) return;
    double record = 0;
    for (auto _ : state) {
        ProgressKeeper keeper;
        const Clock::time_point start = Clock::now();
        keeper.Open(folder.Store());
        keeper.LevelShown(*core);
        state.PauseTiming();
        // The record's answer, which the caption's note waits for.
        keeper.Flush();
        record += Seconds(start);
        if (!keeper.Record().hasGame) state.SkipWithError("the kept game was not seen");
        keeper.Close();
        state.ResumeTiming();
    }
    state.counters["record_s"] = record / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StartWith100MBGame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
