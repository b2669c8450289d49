// A solver's output file of any bytes, read back and imported into three sample levels as the
// window does when the solver ends; an answer that solves its level is then auto-played.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/solved_check.h"
#include "fuzz_support.h"
#include "solver/solver_job.h"

namespace ruk::fuzz {
namespace {

bool IsLetter(char ch) {
    return ch == 'u' || ch == 'r' || ch == 'd' || ch == 'l' || ch == 'U' || ch == 'R' ||
           ch == 'D' || ch == 'L';
}

// The first line, broken at any CR or LF, that is not empty and holds only move letters.
bool FirstSolutionLine(const std::string& bytes, std::string& line) {
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string::npos) stop = bytes.size();
        line = bytes.substr(start, stop - start);
        bool letters = !line.empty();
        for (char ch : line) letters = letters && IsLetter(ch);
        if (letters) return true;
        start = stop + 1;
    }
    line.clear();
    return false;
}

}  // namespace
}  // namespace ruk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruk;
    static const std::string outputPath = fuzz::TempFolder::File("ruk_out.txt");
    fuzz::WriteFile(outputPath, data, size);

    std::string line;
    const bool found = ReadSolutionLine(outputPath, line);
    std::string expected;
    const bool expectedFound =
        fuzz::FirstSolutionLine(std::string(reinterpret_cast<const char*>(data), size), expected);
    FUZZ_CHECK(found == expectedFound);
    FUZZ_CHECK(!found || line == expected);

    CoreState& core = fuzz::SharedCore();
    for (int level : {1, 2, 5}) {
        fuzz::LoadSample(core, level);
        SolverJob job;
        job.outputPath = outputPath;
        job.levelText = ShownLevelText(core);
        const ImportResult result = ImportSolution(core, job);
        FUZZ_CHECK(result != ImportResult::OUT_OF_MEMORY);
        FUZZ_CHECK(found || result == ImportResult::FAILED);
        FUZZ_CHECK(core.game.history.cursor == 0);
        FUZZ_CHECK(core.game.history.end <= line.size());
        if (result != ImportResult::SOLVED) continue;
        // What the window does next with "play when solved" set.
        FUZZ_CHECK(core.game.totals.solved);
        WindowRequests requests;
        AutoPlayButton(core, requests);
        fuzz::Clocks clocks;
        clocks.Apply(requests);
        clocks.RunUntilIdle(core);
        FUZZ_CHECK(core.game.history.cursor == core.game.history.end);
        for (int b = 0; b < core.game.shown.boxListCount; ++b)
            FUZZ_CHECK(core.planner.goalMap[core.game.shown.boxList[b]] == GOAL);
        FUZZ_CHECK(SolvedTest(core.level, core.game, core.scratch));
    }
    return 0;
}
