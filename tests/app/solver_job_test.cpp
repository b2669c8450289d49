// The solver's job files and the reading of its answer, without a window.
#include "solver/solver_job.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../test_files.h"

namespace ruk::test {
namespace {

namespace fs = std::filesystem;

std::pair<bool, std::string> SolutionIn(const TempDir& dir, const std::string& bytes) {
    std::string line;
    const bool found = ReadSolutionLine(dir.Write("out.txt", bytes), line);
    return {found, line};
}

TEST(SolverJobTest, TheFirstLineOfLettersAloneIsTheSolution) {
    TempDir dir;
    using Found = std::pair<bool, std::string>;
    EXPECT_EQ(SolutionIn(dir, "; title\r\nuRdL\r\nUUUU\r\n"), (Found{true, "uRdL"}));
    EXPECT_EQ(SolutionIn(dir, "title\nuRdL"), (Found{true, "uRdL"}));  // no line end
    EXPECT_EQ(SolutionIn(dir, "title\ruRdL\r"), (Found{true, "uRdL"}));
    // One stray CR among LF lines does not merge the file into one line.
    EXPECT_EQ(SolutionIn(dir, "a\rb\n\nuuLL\nrr\n"), (Found{true, "uuLL"}));
    EXPECT_EQ(SolutionIn(dir, "uRdL \nrr\n"), (Found{true, "rr"}));  // a trailing blank
    EXPECT_EQ(SolutionIn(dir, std::string(1, '\0')), (Found{false, ""}));
    EXPECT_EQ(SolutionIn(dir, std::string("ur\0dl\n", 6)), (Found{false, ""}));
    std::string line;
    EXPECT_FALSE(ReadSolutionLine(dir.Path("missing"), line));
}

TEST(SolverJobTest, HugeAndBinaryOutputsAreReadInPieces) {
    TempDir dir;
    std::string binary(100 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 251);
    EXPECT_FALSE(SolutionIn(dir, binary + "\nx").first);
    binary.clear();
    std::string letters(10 << 20, 'u');
    const auto [found, line] = SolutionIn(dir, "; big\n" + letters);
    EXPECT_TRUE(found);
    EXPECT_EQ(line.size(), letters.size());

    // Lines longer than one piece: a stray byte past the first piece still rejects the line,
    // and the letters of a whole one arrive in order.
    std::string mixed;
    for (int i = 0; i < 200'000; ++i) mixed += "urdlURDL"[i * 7 % 8];
    EXPECT_EQ(SolutionIn(dir, mixed + "x" + mixed + "\r\nuR\n"),
              (std::pair{true, std::string("uR")}));
    EXPECT_EQ(SolutionIn(dir, "\n" + mixed + "\r\nuR\n"), (std::pair{true, mixed}));
}

TEST(SolverJobTest, NamesThatLeaveTheFolderAreRefusedAndPathsAreQuoted) {
    SolverSettings settings{1, "", 10, 1};
    for (const char* name : {"", "../x", "a/b", "..", "x..y"}) {
        settings.solverFileName = name;
        EXPECT_EQ(SolverProgramPath(settings, "/p"), "") << name;
    }
    settings.solverFileName = "my solver";
    EXPECT_EQ(SolverProgramPath(settings, "/p"), "/p/my solver");
    settings.solverChoice = FESTIVAL_CHOICE;
    EXPECT_EQ(SolverProgramPath(settings, "/p"), "/p/festival");
    EXPECT_EQ(ShellQuote("it's $x"), "'it'\\''s $x'");
}

TEST(SolverJobTest, AFirstOpeningOffersTheBundledSolverWhenOnlyItIsThere) {
    TempDir dir;
    const std::string folder = dir.Path("p");
    fs::create_directories(folder);
    EXPECT_EQ(FirstSolverChoice(folder), FESTIVAL_CHOICE);
    dir.Write("p/pushbot42", "x");
    EXPECT_EQ(FirstSolverChoice(folder), 1);
    const SolverSettings first = LoadSolverSettings(BuildWorkingPaths(folder), 1);
    EXPECT_EQ(first.solverChoice, 1);
    EXPECT_EQ(first.solverFileName, "pushbot42");
    dir.Write("p/festival", "x");
    EXPECT_EQ(FirstSolverChoice(folder), FESTIVAL_CHOICE);
}

// An installed copy keeps its job files elsewhere: the script runs there, the solver is still
// found beside the program by its full name.
TEST(SolverJobTest, JobFilesInAnotherFolderRunTheProgramBesideThePlayer) {
    TempDir dir;
    const fs::path program = dir.Path("program folder");
    const fs::path work = dir.Path("work 'folder'");
    fs::create_directories(program);
    fs::create_directories(work);
    std::ofstream(program / "solver") << "#!/bin/sh\npwd > where; printf 'UU\\n' > \"$4\"\n";
    fs::permissions(program / "solver", fs::perms::owner_all);
    Core core;
    LoadText(*core.state, "#####\n#.$@#\n#####\n");
    const SolverSettings settings{1, "solver", 5, 1};
    ASSERT_EQ(CheckSolver(settings, program.string()), "");
    const SolverJob job =
        WriteJobFiles(*core.state, settings, BuildWorkingPaths(work.string()), program.string());
    ASSERT_EQ(job.message, "");
    EXPECT_EQ(job.title, "solver");
    const std::string run = "/bin/sh " + ShellQuote((work / "solver.sh").string());
    ASSERT_EQ(std::system(run.c_str()), 0);
    std::string where;
    std::getline(std::ifstream(work / "where"), where);
    EXPECT_EQ(fs::path(where), work);
    std::string line;
    ASSERT_TRUE(ReadSolutionLine(job.outputPath, line));
    EXPECT_EQ(line, "UU");
    EXPECT_EQ(ReadWholeFile((work / "ruk_in.txt").string()), "#####\r\n#.$@#\r\n#####\r\n");
}

}  // namespace
}  // namespace ruk::test
