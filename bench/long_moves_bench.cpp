// Long move strings on the window thread: a solver answer read from its output file and
// imported, a URDL text loaded through the URDL input dialog, and Undo and Redo over a long
// walk after a push, each in one Instant Move tick. All of them must stay far below a second.
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "core_door.h"
#include "dialogs/text_input_dialog.h"
#include "engine/playback.h"
#include "engine/urdl_parser.h"
#include "records/core_state.h"
#include "solver/solver_job.h"

namespace {

using namespace ruk;

// The keeper walks between its cell and the one to its right; "rR" then solves the level.
const char* const SHORT_CORRIDOR = "######\n#@ $.#\n######";
// Room for a push that does not solve it: "rR", then walks.
const char* const LONG_CORRIDOR = "########\n#@ $  .#\n########";

std::unique_ptr<CoreState> LoadedCorridor(const char* text = SHORT_CORRIDOR) {
    auto core = CreateCoreState();
    core->level.grids.maxWidth = core->level.grids.maxHeight = GRID_SIDE;
    door::LoadText(*core, text);
    return core;
}

// A history as a fresh level has it, so that every run grows it from its first size.
void FreshHistory(CoreState& core) {
    InitMoveHistory(core.game.history);
}

std::string WalkThenSolve(std::size_t bytes) {
    std::string moves;
    moves.reserve(bytes);
    while (moves.size() + 2 < bytes) moves += "rl";
    return moves + "rR";
}

class NoPrompts : public Prompts {
  public:
    void Message(const std::string&, const std::string&, PromptIcon) override {}
    bool Confirm(const std::string&, const std::string&) override { return false; }
    std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void RunDialog(QDialog&) override {}
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The solver's output file holds one line of letters that all fit: read back and appended as
// when the solver run ends.
void ImportFittingAnswer(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    auto core = LoadedCorridor();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("ruk_bench_answer_" + std::to_string(bytes));
    std::ofstream(file, std::ios::binary) << WalkThenSolve(bytes) << "\r\n";
    SolverJob job;
    job.outputPath = file.string();
    job.levelText = ShownLevelText(*core);
    for (auto _ : state) {
        FreshHistory(*core);
        const auto start = std::chrono::steady_clock::now();
        const ImportResult result = ImportSolution(*core, job);
        state.SetIterationTime(SecondsSince(start));
        if (result != ImportResult::SOLVED) state.SkipWithError("the answer did not import");
    }
    state.counters["letters"] = core->game.history.end;
    std::filesystem::remove(file);
}
BENCHMARK(ImportFittingAnswer)
    ->Arg(10)
    ->Arg(30)
    ->Arg(100)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The URDL input dialog's Load with the text already in its box (the paste is not timed).
void LoadUrdlInput(benchmark::State& state) {
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) << 20;
    auto core = LoadedCorridor();
    NoPrompts prompts;
    const std::string moves = WalkThenSolve(bytes);
    const QString text = QString::fromLatin1(moves.data(), static_cast<qsizetype>(moves.size()));
    for (auto _ : state) {
        FreshHistory(*core);
        TextInputDialog dialog(TextInputDialog::Purpose::MOVES, *core, prompts, nullptr);
        dialog.TextBox()->setPlainText(text);
        const auto start = std::chrono::steady_clock::now();
        dialog.LoadButton()->click();
        state.SetIterationTime(SecondsSince(start));
        if (!core->game.totals.solved) state.SkipWithError("the text did not load");
    }
    state.counters["letters"] = core->game.history.end;
}
BENCHMARK(LoadUrdlInput)->Arg(1)->Arg(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// One push, then N walk letters; the cursor at the end.
std::unique_ptr<CoreState> PushThenWalk(std::int64_t walkLetters) {
    auto core = LoadedCorridor(LONG_CORRIDOR);
    std::string moves = "rR";
    for (std::int64_t i = 0; i < walkLetters; i += 2) moves += "lr";
    ParseUrdl(core->level, core->game, moves.c_str());
    core->view.instantMove = true;
    return core;
}

void PlayToEnd(CoreState& core) {
    WindowRequests requests;
    while (core.game.history.cursor < core.game.history.end) {
        Redo(core, requests);
        OnStepTimer(core, requests);
    }
}

// Undo takes back the walk and the push in one tick.
void UndoLongWalk(benchmark::State& state) {
    auto core = PushThenWalk(state.range(0));
    for (auto _ : state) {
        PlayToEnd(*core);
        WindowRequests requests;
        const auto start = std::chrono::steady_clock::now();
        Undo(*core, requests);
        OnStepTimer(*core, requests);
        state.SetIterationTime(SecondsSince(start));
        if (core->game.history.cursor != 0) state.SkipWithError("Undo stopped early");
    }
}
BENCHMARK(UndoLongWalk)
    ->Arg(10'000)
    ->Arg(40'000)
    ->Arg(80'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Redo from the start: the walk to the push and the push, then the rest of the walk.
void RedoLongWalk(benchmark::State& state) {
    auto core = PushThenWalk(state.range(0));
    for (auto _ : state) {
        WindowRequests requests;
        Restart(*core, requests);
        const auto start = std::chrono::steady_clock::now();
        PlayToEnd(*core);
        state.SetIterationTime(SecondsSince(start));
    }
}
BENCHMARK(RedoLongWalk)
    ->Arg(10'000)
    ->Arg(40'000)
    ->Arg(80'000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
