// The solver's job files and the reading of its answer, without a window.
#include "solver/solver_job.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

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
        const std::string script = ReadWholeFile(paths.solverScript);
        EXPECT_EQ(script.rfind("cd " + ShellQuote(folder) + " || exit 127\n", 0), 0u) << script;
        const std::string last = "\nexec " + job.commandLine + "\n";
        EXPECT_EQ(script.substr(script.size() - std::min(script.size(), last.size())), last);
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

// Runs what in a child process, so that a hang or an abort fails the test instead of ending
// the run: its text, or "(died)" when it did not end well within 20 s.
std::string InChild(const std::function<std::string()>& what) {
    int ends[2];
    if (::pipe(ends) != 0) return "(no pipe)";
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(20);
        const std::string text = what();
        ::_exit(::write(ends[1], text.data(), text.size()) == ssize_t(text.size()) ? 0 : 1);
    }
    ::close(ends[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    char text[4096];
    const ssize_t got = ::read(ends[0], text, sizeof text);
    ::close(ends[0]);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "(died)";
    return std::string(text, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
}

SolverJob JobAt(const std::string& outputPath, const std::string& errorPath = "") {
    SolverJob job;
    job.outputPath = outputPath;
    job.errorPath = errorPath;
    return job;
}

// The import's result and the failure's reason line, away from this process; with at most
// memoryLeft kB more address space when given.
std::string Outcome(SolverJob job, std::uint64_t memoryLeft = 0) {
    return InChild([&]() -> std::string {
        Core core;
        LoadText(*core.state, "#####\n#.$@#\n#####\n");
        job.levelText = ShownLevelText(*core.state);
        if (memoryLeft > 0) {
            std::ifstream status("/proc/self/status");
            std::string key;
            std::uint64_t kb = 0;
            while (status >> key && key != "VmSize:") status.ignore(1 << 10, '\n');
            status >> kb;
            const rlimit bound{(kb + memoryLeft) << 10, (kb + memoryLeft) << 10};
            if (kb == 0 || ::setrlimit(RLIMIT_AS, &bound) != 0) return "(no limit)";
        }
        const ImportResult result = ImportSolution(*core.state, job);
        if (result == ImportResult::OUT_OF_MEMORY) return "out of memory";
        return (result == ImportResult::FAILED ? "" : "imported; ") + SolverFailureReason(job);
    });
}

// An answer file that is a link (to a device that never ends, or to a file of letters), a
// FIFO that no one writes, a folder or a file over the size bound is not read: the run fails
// at once, saying so. The error file is read the same way.
TEST(SolverJobTest, AnAnswerThatIsNoRegularFileOrTooLargeIsNotRead) {
    TempDir dir;
    const SolverJob job = JobAt(dir.Path("out.txt"), dir.Path("err.txt"));
    const std::string notRegular = "The answer file is not a regular file.";
    for (const std::string& target : {std::string("/dev/zero"), dir.Write("letters", "RR\n")}) {
        fs::create_symlink(target, job.outputPath);
        EXPECT_EQ(Outcome(job), notRegular) << target;
        fs::remove(job.outputPath);
    }
    ASSERT_EQ(::mkfifo(job.outputPath.c_str(), 0600), 0);
    EXPECT_EQ(Outcome(job), notRegular);
    fs::remove(job.outputPath);
    fs::create_directory(job.outputPath);
    EXPECT_EQ(Outcome(job), notRegular);
    fs::remove(job.outputPath);
    ASSERT_EQ(::mkfifo(job.errorPath.c_str(), 0600), 0);
    dir.Write("out.txt", "");
    EXPECT_EQ(Outcome(job), "");
    std::string line;
    dir.Write("out.txt", "UU\n");
    EXPECT_EQ(ReadAnswer(job.outputPath, line, 3), AnswerState::FOUND);
    EXPECT_EQ(ReadAnswer(job.outputPath, line, 2), AnswerState::TOO_LARGE);
    fs::resize_file(job.outputPath, (256 << 20) + 1);  // sparse: no disk needed
    EXPECT_EQ(Outcome(job), "The answer file is larger than 256 MB.");
}

// An answer longer than the memory left ends the import as out of memory, never as an
// exception that ends the program with the game in it.
TEST(SolverJobTest, AnAnswerThatCannotBeHeldIsOutOfMemory) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves terabytes of address space: no limit fits";
#endif
    TempDir dir;
    std::ofstream(dir.Path("out.txt"), std::ios::binary) << std::string(96 << 20, 'u');
    EXPECT_EQ(Outcome(JobAt(dir.Path("out.txt")), 48 << 10), "out of memory");
}

// A job file that is a link, or a second name of a file, is replaced: what it named elsewhere
// keeps its bytes.
TEST(SolverJobTest, JobFilesNeverWriteThroughLinks) {
    TempDir dir;
    const std::string folder = dir.Path("work");
    fs::create_directories(folder);
    const WorkingPaths paths = BuildWorkingPaths(folder);
    const std::string jobFiles[] = {paths.solverInput, folder + "/ruk_out.txt",
                                    folder + "/solver_err.txt", paths.solverScript};
    for (int i = 0; i < 4; ++i) {
        const std::string outside = dir.Write("outside" + std::to_string(i), "keep me");
        i % 2 == 0 ? fs::create_symlink(outside, jobFiles[i])
                   : fs::create_hard_link(outside, jobFiles[i]);
    }
    Core core;
    LoadText(*core.state, "#####\n#.$@#\n#####\n");
    const SolverSettings settings{SolverKind::OtherProgram, "solver", 5, AutoPlay::On};
    ASSERT_EQ(WriteJobFiles(*core.state, settings, paths, folder).message, "");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(ReadWholeFile(dir.Path("outside" + std::to_string(i))), "keep me");
        EXPECT_EQ(fs::hard_link_count(jobFiles[i]), 1u) << jobFiles[i];
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(jobFiles[i]))) << jobFiles[i];
    }
}

}  // namespace
}  // namespace ruk::test
