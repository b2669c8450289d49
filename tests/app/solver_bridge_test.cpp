// The solver bridge end to end on the offscreen window: small solver programs written into the
// program folder run through the Solver dialog, and their answers, failures, time limit and
// cancel are checked, down to no process of theirs being left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "dialogs/solver_dialog.h"
#include "engine/urdl_parser.h"
#include "process/solver_process.h"
#include "settings/profile_file.h"
#include "solver/solver_job.h"
#include "window_session.h"

namespace ruk::test {
namespace {

namespace fs = std::filesystem;

// Sample level 3 and its known solution.
constexpr int LEVEL = 3;
const std::string SOLUTION = "RRllddrrUrUUdLL";

// A process is gone when it no longer exists or only waits to be reaped. A killed process
// takes a moment to die, so this looks again for up to two seconds.
bool ProcessGone(long pid) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string line;
        if (!std::getline(stat, line)) return true;
        const auto close = line.rfind(')');
        if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z')
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

std::vector<long> ReadPids(const std::string& path) {
    std::vector<long> pids;
    std::ifstream in(path);
    for (long pid; in >> pid;) pids.push_back(pid);
    return pids;
}

struct SolverSession : Session {
    // Writes an executable shell script as the solver program.
    void Solver(const std::string& name, const std::string& body) {
        const std::string path = Folder() + "/" + name;
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        fs::permissions(path,
                        fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    }
    void Settings(const std::string& name, int time, int play) {
        WriteProfileString(Ini(), "SOLVER", "SELECT", "1");
        WriteProfileString(Ini(), "SOLVER", "SOLVER", name.c_str());
        WriteProfileString(Ini(), "SOLVER", "TIME", std::to_string(time).c_str());
        WriteProfileString(Ini(), "SOLVER", "PLAY", std::to_string(play).c_str());
    }
    bool StartLevel() {
        if (!subfolder.empty()) fs::create_directories(Folder());
        if (!Start()) return false;
        Open(SAMPLES);
        JumpTo(QString::number(LEVEL));
        return true;
    }
    // Opens the Solver dialog and presses Start; the dialog's message when it stays open.
    std::string RunSolver() {
        std::string message;
        prompts.dialogScript = [&](QDialog& dialog) {
            auto& solver = dynamic_cast<SolverDialog&>(dialog);
            solver.StartButton()->click();
            message = solver.Message().toStdString();
        };
        Toggle(ID_SOLVER);
        prompts.dialogScript = nullptr;
        return message;
    }
    // Lets the solver end by itself, then the clock's next tick reports it.
    void Finish() {
        ASSERT_TRUE(W().WaitForSolverProcess(10000));
        W().OnSolverClockTick();
    }
    // The shell's and its sleeping child's pids, once the stubborn solver has written them.
    std::vector<long> StubbornPids() const {
        std::vector<long> pids;
        for (int i = 0; i < 200 && pids.size() < 2; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            pids = ReadPids(Folder() + "/pids");
        }
        return pids;
    }
    std::string Last() const { return prompts.shown.empty() ? "" : prompts.shown.back().text; }
};

TEST(SolverBridgeTest, AnAnswerWithATitleAndCrLfIsImportedAndPlayedWhenAsked) {
    for (int play : {0, 1}) {
        SolverSession s;
        s.Solver("good solver", "printf '; a title line\\r\\n" + SOLUTION +
                                    "\\r\\n' > \"$4\"  # -in FILE -out FILE -time N");
        s.Settings("good solver", 30, play);
        ASSERT_TRUE(s.StartLevel());
        EXPECT_EQ(s.RunSolver(), "");
        EXPECT_TRUE(s.W().State().solverRunning);
        EXPECT_EQ(s.Text(ID_SOLVER), "Cancel");
        s.Finish();
        EXPECT_EQ(s.prompts.shown.back(),
                  (Shown{"good solver", "Status: Solved\r\nTime: 1sec", PromptIcon::INFORMATION}));
        EXPECT_EQ(s.Text(ID_SOLVER), "Solver");
        EXPECT_EQ(s.Text(ID_SOLVED), "Solved");
        EXPECT_EQ(s.Text(ID_TOTAL_PUSHES), "7 Pushes ");
        s.Settle();
        for (int i = 0; i < 1000 && s.Core().view.animMode != AnimMode::IDLE; ++i)
            s.W().OnAutoPlayTimerTick();
        const bool played = s.Core().game.history.cursor == s.Core().game.history.end;
        EXPECT_EQ(played, play == 1) << play;
    }
}

TEST(SolverBridgeTest, AnswersThatAreMissingDoNotFitOrDoNotSolveFail) {
    struct Case {
        const char* name;
        std::string output;  // written by the solver; none: it writes nothing
        int appended;        // letters left after the cursor
        std::string why;     // the message's last line, as the solver said it
    };
    const Case cases[] = {
        {"nothing written", "", 0, ""},
        {"no solution line", "; no solution\\nRRX\\n", 0, "\r\nno solution"},
        {"does not fit", "RRllddrrUUUU\\n", 9, ""},  // the second U runs into a wall
        {"fits, not solved", "RRll\\n", 4, ""},
        {"exits at once with an error", "exit 3", 0, ""},
        {"says why on its error output", "echo trying >&2; echo 'no memory left' >&2; exit 3", 0,
         "\r\nno memory left"},
    };
    for (const Case& c : cases) {
        SolverSession s;
        const bool script =
            c.output.empty() || c.output.rfind("exit", 0) == 0 || c.output.rfind("echo", 0) == 0;
        const std::string body = script ? c.output : "printf '" + c.output + "' > \"$4\"";
        s.Solver("solver", body);
        s.Settings("solver", 30, 1);
        ASSERT_TRUE(s.StartLevel());
        s.RunSolver();
        s.Finish();
        EXPECT_EQ(s.prompts.shown.back(),
                  (Shown{"solver", "Status: Failed\r\nTime: 1sec" + c.why, PromptIcon::ERROR}))
            << c.name;
        const MoveHistory& history = s.Core().game.history;
        EXPECT_EQ(static_cast<int>(history.end - history.cursor), c.appended) << c.name;
        EXPECT_EQ(s.Core().view.animMode, AnimMode::IDLE) << c.name;
    }
}

TEST(SolverBridgeTest, AKeeperMovedDuringTheRunGetsNothingAppended) {
    SolverSession s;
    s.Solver("solver", "printf '" + SOLUTION + "\\n' > \"$4\"");
    s.Settings("solver", 30, 1);
    ASSERT_TRUE(s.StartLevel());
    s.RunSolver();
    const int keeper = s.Core().game.shown.keeperCell;
    // A walk one cell down, taken while the solver runs.
    s.Click(keeper + s.Core().level.board.width);
    ASSERT_NE(s.Core().game.shown.keeperCell, keeper);
    const std::uint32_t end = s.Core().game.history.end;
    s.Finish();
    EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 1sec");
    EXPECT_EQ(s.Core().game.history.end, end);
}

TEST(SolverBridgeTest, TimeLimitAndCancelStopTheSolverAndWhatItStarted) {
    for (const bool cancel : {false, true}) {
        SolverSession s;
        s.Solver("stubborn", "echo $$ > pids; sleep 600 & echo $! >> pids; wait");
        s.Settings("stubborn", 1, 1);
        ASSERT_TRUE(s.StartLevel());
        s.RunSolver();
        const std::vector<long> pids = s.StubbornPids();
        ASSERT_EQ(pids.size(), 2u);
        if (cancel) {
            s.Toggle(ID_SOLVER);
            EXPECT_EQ(s.prompts.shown.back(), (Shown{"RUK", "Canceled.", PromptIcon::INFORMATION}));
        } else {
            s.W().OnSolverClockTick();  // 1 s: within the limit
            EXPECT_TRUE(s.W().State().solverRunning);
            EXPECT_EQ(s.Text(ID_INFO_LINE), " 1 / 1 sec");
            s.W().OnSolverClockTick();  // 2 s: over it
            EXPECT_EQ(s.prompts.shown.back(),
                      (Shown{"stubborn", "Status: Failed\r\nTime: 2sec", PromptIcon::ERROR}));
        }
        EXPECT_FALSE(s.W().State().solverRunning);
        for (long pid : pids) EXPECT_TRUE(ProcessGone(pid)) << pid;
    }
}

TEST(SolverBridgeTest, ClosingTheWindowDuringARunStopsIt) {
    SolverSession s;
    s.Solver("stubborn", "echo $$ > pids; sleep 600 & echo $! >> pids; wait");
    s.Settings("stubborn", 100, 1);
    ASSERT_TRUE(s.StartLevel());
    s.RunSolver();
    const std::vector<long> pids = s.StubbornPids();
    ASSERT_EQ(pids.size(), 2u);
    const std::size_t messages = s.prompts.shown.size();
    s.W().close();
    EXPECT_FALSE(s.W().isVisible());
    EXPECT_EQ(s.prompts.shown.size(), messages);  // the report was dropped
    for (long pid : pids) EXPECT_TRUE(ProcessGone(pid)) << pid;
}

// The processes whose command line holds marker, and the ended children of this process that
// nobody reaped. A killed process takes a moment to go, so this looks again for two seconds,
// or as many hundredths as asked.
std::vector<long> LeftBehind(const std::string& marker, int tries = 200) {
    std::vector<long> left;
    for (int i = 0; i < tries; ++i) {
        left.clear();
        for (const auto& entry : fs::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos) continue;
            std::ifstream cmdline(entry.path() / "cmdline");
            // Read through the stream, which turns the error of a process that just went
            // into an empty text instead of an exception.
            std::string text;
            for (std::string part; std::getline(cmdline, part, '\0');) text += part + ' ';
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            std::getline(stat, line);
            const auto close = line.rfind(')');
            long parent = 0;
            char state = 0;
            if (close != std::string::npos)
                std::istringstream(line.substr(close + 1)) >> state >> parent;
            const bool ourZombie = state == 'Z' && parent == static_cast<long>(::getpid());
            if (text.find(marker) != std::string::npos || ourZombie)
                left.push_back(std::stol(name));
        }
        if (left.empty()) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return left;
}

// A solver that leaves its process group (setsid), and one of its processes that is orphaned
// on top (a double fork): Cancel, the time limit, closing the window and the solver's own end
// leave none of them, and no unreaped child either.
TEST(SolverBridgeTest, ProcessesThatLeaveTheGroupEndWithTheRun) {
    enum class End { CANCEL, TIME_LIMIT, CLOSE, BY_ITSELF };
    for (const End end : {End::CANCEL, End::TIME_LIMIT, End::CLOSE, End::BY_ITSELF}) {
        // An odd sleep length names this run's processes, apart from any other program's.
        const std::string marker = "600." + std::to_string(::getpid()) + std::to_string(int(end));
        SolverSession s;
        std::string body = "setsid sleep " + marker + " & echo $! > pids\n" +
                           "setsid sh -c 'sleep " + marker + " & echo $! >> pids'\n";
        body += end == End::BY_ITSELF ? "echo x >> pids; printf 'RR\\n' > \"$4\""
                                      : "sleep " + marker + " & echo $! >> pids; wait";
        s.Solver("runaway", body);
        s.Settings("runaway", end == End::TIME_LIMIT ? 1 : 100, 0);
        ASSERT_TRUE(s.StartLevel());
        s.RunSolver();
        std::vector<long> pids;
        for (int i = 0; i < 500 && pids.size() < 3; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            pids = ReadPids(s.Folder() + "/pids");
        }
        ASSERT_EQ(pids.size(), end == End::BY_ITSELF ? 2u : 3u);
        switch (end) {
            case End::CANCEL:
                s.Toggle(ID_SOLVER);
                EXPECT_EQ(s.Last(), "Canceled.");
                break;
            case End::TIME_LIMIT:
                s.W().OnSolverClockTick();
                s.W().OnSolverClockTick();
                EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 2sec");
                break;
            case End::CLOSE:
                s.W().close();
                break;
            case End::BY_ITSELF:
                s.Finish();
                EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 1sec");
                break;
        }
        EXPECT_FALSE(s.W().State().solverRunning);
        EXPECT_EQ(LeftBehind(marker), std::vector<long>{}) << int(end);
    }
}

// A player killed outright (kill -9) takes its solver and the processes the solver started
// along within a few seconds: none is left to run on, adopted by init.
TEST(SolverBridgeTest, ASolverEndsWithAPlayerKilledOutright) {
    const std::string marker = "600." + std::to_string(::getpid()) + "9";
    SolverSession s;
    s.Solver("runaway", "sleep " + marker + " & echo $! > pids\nsh -c 'sleep " + marker +
                            " & echo $! >> pids; wait' &\nsleep " + marker);
    ASSERT_TRUE(s.StartLevel());
    const WorkingPaths paths = BuildWorkingPaths(s.Folder());
    const SolverJob job = WriteJobFiles(
        s.Core(), {SolverKind::OtherProgram, "runaway", 100, AutoPlay::Off}, paths, s.Folder());
    const pid_t player = ::fork();
    if (player == 0) {
        SolverProcess process;
        process.Start(paths.solverScript, paths.folder, job.errorPath);
        while (true) ::pause();
    }
    EXPECT_EQ(s.StubbornPids().size(), 2u);
    ::kill(player, SIGKILL);
    ::waitpid(player, nullptr, 0);
    std::vector<long> left;
    for (int i = 0; i < 10 && (i == 0 || !left.empty()); ++i) {
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }  // orphans that came to this process
        left = LeftBehind(marker, 50);
    }
    EXPECT_EQ(left, std::vector<long>{});
    for (const long pid : left) ::kill(static_cast<pid_t>(pid), SIGKILL);
}

// A solver that writes without end to its error output leaves only the end of it, which still
// gives the failure's reason.
TEST(SolverBridgeTest, TheErrorOutputKeepsOnlyItsEnd) {
    SolverSession s;
    s.Solver("chatty", "head -c 8000000 /dev/zero | tr '\\0' x >&2; echo >&2; echo gave up >&2");
    s.Settings("chatty", 30, 0);
    ASSERT_TRUE(s.StartLevel());
    s.RunSolver();
    s.Finish();
    EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 1sec\r\ngave up");
    const std::string errors = ReadWholeFile(s.Folder() + "/solver_err.txt");
    EXPECT_LE(errors.size(), SolverProcess::ERROR_TAIL_BYTES);
    EXPECT_EQ(errors.substr(errors.size() - std::min<std::size_t>(errors.size(), 9)),
              "\ngave up\n");
}

// A failed import leaves the Result group as it was, and never with a "Solved" beside the
// failure: neither one its answer earned while failing (a solution followed by letters that
// do not fit), nor one an earlier, now cut, solution had earned.
TEST(SolverBridgeTest, AFailedRunNeverShowsSolved) {
    {
        SolverSession s;
        s.Solver("solver", "printf '" + SOLUTION + std::string(60, 'L') + "\\n' > \"$4\"");
        s.Settings("solver", 30, 1);
        ASSERT_TRUE(s.StartLevel());
        const std::string pushes = s.Text(ID_TOTAL_PUSHES);
        s.RunSolver();
        s.Finish();
        EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 1sec");
        EXPECT_EQ(s.Text(ID_SOLVED), "");
        EXPECT_EQ(s.Text(ID_TOTAL_PUSHES), pushes);
    }
    {
        SolverSession s;
        s.Solver("solver", "printf 'RRll\\n' > \"$4\"");
        s.Settings("solver", 30, 1);
        ASSERT_TRUE(s.StartLevel());
        ParseUrdl(s.Core().level, s.Core().game, SOLUTION.c_str());
        s.W().Action(ID_AUTO_PLAY)->trigger();
        s.Settle();
        ASSERT_EQ(s.Text(ID_SOLVED), "Solved");
        for (int i = 0; i < 100 && s.Core().game.history.cursor > 0; ++i) {
            s.W().Action(ID_UNDO)->trigger();
            s.Settle();
        }
        ASSERT_EQ(s.Text(ID_SOLVED), "Solved");  // the letters after the cursor still solve
        s.RunSolver();
        s.Finish();
        EXPECT_EQ(s.Last(), "Status: Failed\r\nTime: 1sec");
        EXPECT_EQ(s.Text(ID_SOLVED), "");
    }
}

// A folder whose name is not valid UTF-8 reaches the solver as the bytes the disk holds.
TEST(SolverBridgeTest, AFolderNamedInLatin1StillRuns) {
    SolverSession s;
    s.subfolder = "caf\xe9 \xff";
    ASSERT_TRUE(s.StartLevel());
    s.Solver("solver", "pwd > where; printf '" + SOLUTION + "\\n' > \"$4\"");
    s.Settings("solver", 30, 0);
    EXPECT_EQ(s.RunSolver(), "");
    s.Finish();
    EXPECT_EQ(s.Last(), "Status: Solved\r\nTime: 1sec");
    std::string where;
    std::getline(std::ifstream(s.Folder() + "/where"), where);
    EXPECT_EQ(fs::path(where), fs::path(s.Folder()));
}

// The longest time limit the dialog takes (nine digits) is one the bundled solver takes too.
TEST(SolverBridgeTest, TheBundledSolverTakesTheLongestTimeLimit) {
    SolverSession s;
    fs::copy_file(RUK_PUSHBOT_PATH, s.Folder() + "/pushbot42");
    ASSERT_TRUE(s.StartLevel());
    s.prompts.dialogScript = [&](QDialog& dialog) {
        auto& solver = dynamic_cast<SolverDialog&>(dialog);
        solver.OtherChoice()->click();
        solver.NameBox()->setText("pushbot42");
        solver.TimeBox()->setText("99999999999");
        EXPECT_EQ(solver.TimeBox()->text(), "999999999");
        solver.StartButton()->click();
        EXPECT_EQ(solver.Message().toStdString(), "");
    };
    s.Toggle(ID_SOLVER);
    s.Finish();
    EXPECT_EQ(s.Last(), "Status: Solved\r\nTime: 1sec");
}

TEST(SolverBridgeTest, TheDialogChecksNameAndTimeAndKeepsTheSettings) {
    SolverSession s;
    ASSERT_TRUE(s.StartLevel());
    s.Solver("present", "exit 0");
    std::vector<std::string> messages;
    s.prompts.dialogScript = [&](QDialog& dialog) {
        auto& solver = dynamic_cast<SolverDialog&>(dialog);
        // The first opening: the first kind, the default name, 120 s, play when solved.
        EXPECT_TRUE(solver.FestivalChoice()->isChecked());
        EXPECT_EQ(solver.NameBox()->text(), "pushbot42");
        EXPECT_EQ(solver.TimeBox()->text(), "120");
        EXPECT_TRUE(solver.PlayBox()->isChecked());
        EXPECT_EQ(GetProfileString(s.Ini(), "SOLVER", "SOLVER", "", 100), "pushbot42");
        EXPECT_EQ(GetProfileString(s.Ini(), "SOLVER", "TIME", "", 10), "120");
        solver.OtherChoice()->click();
        const std::pair<const char*, const char*> entries[] = {
            {"", "120"},      {"a/present", "120"}, {"..", "120"},   {"..present", "120"},
            {"missing", "0"}, {"present", "0"},     {"present", ""}, {"present", "7"},
        };
        for (const auto& [name, time] : entries) {
            solver.NameBox()->setText(name);
            solver.TimeBox()->setText(time);
            solver.Check();
            messages.push_back(solver.Message().toStdString());
        }
    };
    s.Toggle(ID_SOLVER);
    const std::vector<std::string> expected = {
        "Solver program not found.", "Solver program not found.",
        "Solver program not found.", "Solver program not found.",
        "Solver program not found.", "Time limit is invalid.",
        "Time limit is invalid.",    ""};
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(GetProfileString(s.Ini(), "SOLVER", "SELECT", "", 2), "1");
    EXPECT_EQ(GetProfileString(s.Ini(), "SOLVER", "TIME", "", 10), "7");
    EXPECT_FALSE(s.W().State().solverRunning);  // closed without Start
}

TEST(SolverBridgeTest, AFolderWithQuotesSpacesAndDollarsStillRuns) {
    SolverSession s;
    s.subfolder = "it's a \"$HOME\" `dir`";
    ASSERT_TRUE(s.StartLevel());
    s.Solver("it's mine", "printf '" + SOLUTION + "' > \"$4\"");  // no line end at all
    s.Settings("it's mine", 30, 0);
    EXPECT_EQ(s.RunSolver(), "");
    s.Finish();
    EXPECT_EQ(s.Last(), "Status: Solved\r\nTime: 1sec");
}

TEST(SolverBridgeTest, TheDialogOpensWithNoPushShownAndNotOnASolvedPosition) {
    SolverSession s;
    s.Settings("solver", 30, 1);
    ASSERT_TRUE(s.StartLevel());
    int opened = 0;
    s.prompts.dialogScript = [&](QDialog&) { ++opened; };
    s.Toggle(ID_SOLVER);
    EXPECT_EQ(opened, 1);
    // Played to the end by hand-fed moves: every box on a goal after a push.
    ParseUrdl(s.Core().level, s.Core().game, SOLUTION.c_str());
    s.W().Action(ID_AUTO_PLAY)->trigger();
    s.Settle();
    s.Toggle(ID_SOLVER);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(s.prompts.shown.back(),
              (Shown{"RUK", "It's already solved.", PromptIcon::INFORMATION}));
}

}  // namespace
}  // namespace ruk::test

namespace ruk::test {
namespace {

// The bundled solver, found by the first opening's defaults, answers and its answer is played.
TEST(SolverBridgeTest, TheBundledSolverWorksOutOfTheBox) {
    SolverSession s;
    fs::copy_file(RUK_PUSHBOT_PATH, s.Folder() + "/pushbot42");
    ASSERT_TRUE(s.StartLevel());
    bool offered = false;
    s.prompts.dialogScript = [&](QDialog& dialog) {
        auto& solver = dynamic_cast<SolverDialog&>(dialog);
        offered = solver.OtherChoice()->isChecked() && solver.NameBox()->text() == "pushbot42" &&
                  solver.PlayBox()->isChecked();
        solver.StartButton()->click();
    };
    s.Toggle(ID_SOLVER);
    EXPECT_TRUE(offered);
    s.Finish();
    EXPECT_EQ(s.prompts.shown.back(),
              (Shown{"pushbot42", "Status: Solved\r\nTime: 1sec", PromptIcon::INFORMATION}));
    s.Settle();
    EXPECT_TRUE(s.Core().game.totals.solved);
    EXPECT_EQ(s.Core().game.history.cursor, s.Core().game.history.end);
    EXPECT_EQ(s.Text(ID_SOLVED), "Solved");
}

}  // namespace
}  // namespace ruk::test
