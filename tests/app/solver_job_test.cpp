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
    SolverSettings settings{SolverKind::OtherProgram, "", 10, AutoPlay::On};
    for (const char* name : {"", "../x", "a/b", "..", "x..y"}) {
        settings.solverFileName = name;
        EXPECT_EQ(SolverProgramPath(settings, "/p"), "") << name;
    }
    settings.solverFileName = "my solver";
    EXPECT_EQ(SolverProgramPath(settings, "/p"), "/p/my solver");
    settings.solverChoice = SolverKind::Festival;
    EXPECT_EQ(SolverProgramPath(settings, "/p"), "/p/festival");
    EXPECT_EQ(ShellQuote("it's $x"), "'it'\\''s $x'");
}

TEST(SolverJobTest, AFirstOpeningOffersTheBundledSolverWhenOnlyItIsThere) {
    TempDir dir;
    const std::string folder = dir.Path("p");
    fs::create_directories(folder);
    EXPECT_EQ(FirstSolverChoice(folder), SolverKind::Festival);
    dir.Write("p/pushbot42", "x");
    EXPECT_EQ(FirstSolverChoice(folder), SolverKind::OtherProgram);
    const SolverSettings first =
        LoadSolverSettings(BuildWorkingPaths(folder), SolverKind::OtherProgram);
    EXPECT_EQ(first.solverChoice, SolverKind::OtherProgram);
    EXPECT_EQ(first.solverFileName, "pushbot42");
    dir.Write("p/festival", "x");
    EXPECT_EQ(FirstSolverChoice(folder), SolverKind::Festival);
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
    const SolverSettings settings{SolverKind::OtherProgram, "solver", 5, AutoPlay::On};
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

// The banner shows the command as it would be typed at a prompt in the working folder; the
// script keeps every path in full and quoted.
TEST(SolverJobTest, TheShownCommandIsTheOneAPersonWouldType) {
    TempDir dir;
    const std::string folder = dir.Path("it's here");
    const std::string other = dir.Path("program folder");
    fs::create_directories(folder);
    fs::create_directories(other);
    Core core;
    LoadText(*core.state, "#####\n#.$@#\n#####\n");
    const WorkingPaths paths = BuildWorkingPaths(folder);
    struct Case {
        SolverSettings settings;
        std::string programFolder, shown;
    };
    const Case cases[] = {
        {{SolverKind::OtherProgram, "pushbot42", 120, AutoPlay::On},
         folder,
         "pushbot42 -in ruk_in.txt -out ruk_out.txt -time 120"},
        {{SolverKind::Festival, "", 7, AutoPlay::On}, folder, "festival ruk_in.txt -time 7"},
        {{SolverKind::OtherProgram, "my 'solver'", 5, AutoPlay::Off},
         folder,
         R"('my '\''solver'\''' -in ruk_in.txt -out ruk_out.txt -time 5)"},
        // An installed copy: the program is typed by its full path.
        {{SolverKind::OtherProgram, "pushbot42", 9, AutoPlay::On},
         other,
         "'" + other + "/pushbot42' -in ruk_in.txt -out ruk_out.txt -time 9"},
    };
    for (const Case& c : cases) {
        const SolverJob job = WriteJobFiles(*core.state, c.settings, paths, c.programFolder);
        ASSERT_EQ(job.message, "");
        EXPECT_EQ(job.shownCommand, c.shown);
        EXPECT_EQ(ReadWholeFile(paths.solverScript), "cd " + ShellQuote(folder) +
                                                         " || exit 127\nexec 2>solver_err.txt\n" +
                                                         job.commandLine + "\n");
        const std::string program = ShellQuote(SolverProgramPath(c.settings, c.programFolder));
        EXPECT_EQ(job.commandLine.rfind(program, 0), 0u) << job.commandLine;
    }
    EXPECT_EQ(ShellWord("a-b_c.d/e:1"), "a-b_c.d/e:1");
    EXPECT_EQ(ShellWord(""), "''");
    EXPECT_EQ(ShellWord("a b"), "'a b'");
    EXPECT_EQ(ShellWord("$x"), "'$x'");
}

// The failure message's last line: the solver's own comment when its answer file holds no
// solution, else the last line of its error output; bounded and cleaned for a message box.
TEST(SolverJobTest, AFailedRunSaysWhyAsTheSolverSaidIt) {
    TempDir dir;
    SolverJob job;
    job.outputPath = dir.Path("out.txt");
    job.errorPath = dir.Path("err.txt");
    const auto reason = [&](const std::string& output, const std::string& errors) {
        dir.Write("out.txt", output);
        dir.Write("err.txt", errors);
        return SolverFailureReason(job);
    };
    EXPECT_EQ(reason("; pushbot42: no solution: dead end (0.01 s)\n", "ignored\n"),
              "pushbot42: no solution: dead end (0.01 s)");
    EXPECT_EQ(reason("title\r\n  ;  why \r\n; second\r\n", ""), "why");
    // An answer that was there but failed on the board: its comment would say "solved".
    EXPECT_EQ(reason("; solved in 3 pushes\nUUU\n", "warning\nout of memory\n\n  \n"),
              "out of memory");
    EXPECT_EQ(reason(std::string(1, '\0'), "no trailing line end"), "no trailing line end");
    EXPECT_EQ(reason(std::string(1, '\0'), ""), "");
    EXPECT_EQ(reason(";\n", "\x1b[31mred\x07\tbell"), "[31mredbell");
    // Only the end of a huge error output is read; a long line is cut.
    EXPECT_EQ(reason("", std::string(5 << 20, 'x') + "\nlast\n"), "last");
    EXPECT_EQ(reason("", std::string(1000, 'y')), std::string(200, 'y'));
    job.errorPath.clear();
    EXPECT_EQ(reason("", "x"), "");
    job.outputPath = dir.Path("missing");
    EXPECT_EQ(SolverFailureReason(job), "");
}

}  // namespace
}  // namespace ruk::test
