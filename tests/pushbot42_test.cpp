// pushbot42: answers that replay as solved, proofs of no answer, bad files and arguments, and
// the time and memory limits.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "engine/solved_check.h"
#include "engine/urdl_parser.h"
#include "pushbot_search.h"
#include "search_lanes.h"
#include "test_files.h"

namespace ruk {
namespace {

using pushbot::Limits;
using pushbot::Outcome;
using pushbot::Result;

const std::string SAMPLES = std::string(RUK_SAMPLE_LEVELS) + "/ruk-samples.txt";

// How far past its time limit a search may end. The lanes look at the clock at every position
// and their set-up takes a fraction of a second even with four lanes on two busy cores: a
// second more is an overrun, not a slow machine. The sanitizers make the set-up and each
// position several times slower.
#ifdef RUK_SANITIZED
constexpr double OVERRUN_SECONDS = 10.0;
#else
constexpr double OVERRUN_SECONDS = 1.0;
#endif

// Level n of a level file as a file of its own.
std::string LevelAsFile(const test::TempDir& dir, const std::string& file, int n) {
    test::Core core;
    EXPECT_TRUE(test::LoadLevel(*core.state, file, n));
    std::string text;
    for (const std::string& row : test::BoardRows(core.level->board)) text += row + "\n";
    const std::string name = file.substr(file.rfind('/') + 1) + "." + std::to_string(n);
    return dir.Write(name, "; level\n" + text);
}

std::string SampleLevel(const test::TempDir& dir, int n) {
    return LevelAsFile(dir, SAMPLES, n);
}

bool ReplaysSolved(const std::string& file, int n, const std::string& moves) {
    test::Core core;
    if (!test::LoadLevel(*core.state, file, n)) return false;
    return ParseUrdl(*core.level, *core.game, moves.c_str()) &&
           SolvedTest(*core.level, *core.game, *core.scratch);
}

// Runs the program; its exit status, and the output file's text in out.
int RunProgram(const std::string& arguments, std::string* out = nullptr,
               const std::string& outPath = "") {
    const std::string command =
        std::string("'") + PUSHBOT42_PATH + "' " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    if (out != nullptr) *out = test::ReadWholeFile(outPath);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Pushbot42, SolvesSamplesAndTheAnswersReplay) {
    test::TempDir dir;
    Limits limits;
    limits.seconds = 60;  // most levels take well under 1 s
#ifdef RUK_SANITIZED
    // The sanitizers slow the search ten- to twentyfold: the large rooms of the last levels are
    // left to the normal build, which must solve all of them.
    const int last = 20;
#else
    const int last = 22;
#endif
    for (int n = 1; n <= last; ++n) {
        const Result result = pushbot::SolveFile(SampleLevel(dir, n), limits);
        ASSERT_EQ(result.outcome, Outcome::SOLVED) << "level " << n << ": " << result.reason;
        EXPECT_TRUE(ReplaysSolved(SAMPLES, n, result.moves)) << "level " << n;
        EXPECT_EQ(result.moveCount, result.moves.size());
        // A comment line, then the letters on one line, LF-ended.
        const std::string text = pushbot::OutputText(result);
        EXPECT_EQ(
            text.rfind("; pushbot42: solved in " + std::to_string(result.pushes) + " pushes", 0),
            0u);
        EXPECT_EQ(text.substr(text.find('\n') + 1), result.moves + "\n");
    }
    // The program itself: exit 0 and the same kind of file.
    std::string out;
    const std::string outPath = dir.Path("answer.txt");
    ASSERT_EQ(RunProgram("-in '" + SampleLevel(dir, 8) + "' -out '" + outPath + "' -time 10 -mem 1",
                         &out, outPath),
              0);
    const std::size_t lineEnd = out.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(out.back(), '\n');
    EXPECT_TRUE(ReplaysSolved(SAMPLES, 8, out.substr(lineEnd + 1, out.size() - lineEnd - 2)));
}

// Original levels that need the goal room's fill order (6), corrals searched alone (2) and the
// feature space, where one open list sinks into a plateau of the bound (5, 7); none may ever be
// called lost.
TEST(Pushbot42, SolvesClassicsThatNeedTheRoomAndTheCorrals) {
    const std::string file = std::string(RUK_SHARED_LEVELS) + "/original-90.txt";
    if (test::ReadWholeFile(file).empty()) GTEST_SKIP() << "no " << file;
    test::TempDir dir;
    Limits limits;
    limits.seconds = 30;
    for (int n : {2, 5, 6, 7}) {
        const Result result = pushbot::SolveFile(LevelAsFile(dir, file, n), limits);
        EXPECT_NE(result.outcome, Outcome::NO_SOLUTION) << "level " << n << ": " << result.reason;
        if (result.outcome == Outcome::SOLVED) {
            EXPECT_TRUE(ReplaysSolved(file, n, result.moves));
        }
    }
    // A chosen weight is used alone.
    const std::string outPath = dir.Path("w3.txt");
    std::string out;
#ifdef RUK_SANITIZED
    const std::string limit =
        "240";  // well under a second normally, twenty to fifty times that here
#else
    const std::string limit = "30";
#endif
    EXPECT_EQ(RunProgram("-in '" + LevelAsFile(dir, file, 6) + "' -out '" + outPath + "' -time " +
                             limit + " -weight 3",
                         &out, outPath),
              0);
    EXPECT_TRUE(
        ReplaysSolved(file, 6, out.substr(out.find('\n') + 1, out.size() - out.find('\n') - 2)));
}

// Levels with known answers, cut short: whatever the pruning, never a claim of no answer.
TEST(Pushbot42, NeverCallsLevelsWithAnswersLost) {
    const std::string file = std::string(RUK_SHARED_LEVELS) + "/microban-155.txt";
    if (test::ReadWholeFile(file).empty()) GTEST_SKIP() << "no " << file;
    test::TempDir dir;
    Limits limits;
    limits.seconds = 0.2;
    for (int n = 1; n <= 155; n += 9) {
        const Result result = pushbot::SolveFile(LevelAsFile(dir, file, n), limits);
        EXPECT_NE(result.outcome, Outcome::NO_SOLUTION) << "level " << n << ": " << result.reason;
    }
}

TEST(Pushbot42, LostLevelsGetACommentOnly) {
    test::TempDir dir;
    const std::string levels[] = {
        // a box in a corner off goal
        "#####\n#$  #\n#  .#\n# @ #\n#####\n",
        // the keeper is on the wrong side of the box that the left goal needs
        "#######\n#.@$$.#\n#######\n",
        // the box slides along the wall and never reaches the goal below it
        "######\n#@ $ #\n#    #\n#   .#\n######\n",
    };
    int i = 0;
    for (const std::string& level : levels) {
        const std::string in = dir.Write("lost" + std::to_string(i) + ".txt", level);
        const std::string outPath = dir.Path("lost" + std::to_string(i++) + ".out");
        const Result result = pushbot::SolveFile(in, Limits{});
        EXPECT_EQ(result.outcome, Outcome::NO_SOLUTION) << level;
        std::string out;
        EXPECT_EQ(RunProgram("-in '" + in + "' -out '" + outPath + "'", &out, outPath), 1);
        EXPECT_EQ(out.rfind("; pushbot42: no solution", 0), 0u) << out;
        EXPECT_EQ(out.find('\n'), out.size() - 1) << "one line only: " << out;
    }
}

TEST(Pushbot42, BadFilesAndArgumentsFailCleanly) {
    test::TempDir dir;
    const std::string outPath = dir.Path("out.txt");
    const std::string inputs[] = {
        dir.Path("missing.txt"),
        dir.Write("empty.txt", ""),
        dir.Write("binary.bin", std::string("\x00\x01\xff#\x00#$@.\x7f", 10)),
        dir.Write("open.txt", "#####\n#@$.\n#####\n"),
    };
    for (const std::string& in : inputs) {
        const Result result = pushbot::SolveFile(in, Limits{});
        EXPECT_NE(result.outcome, Outcome::SOLVED) << in;
        EXPECT_FALSE(result.reason.empty()) << in;
        std::string out;
        EXPECT_NE(RunProgram("-in '" + in + "' -out '" + outPath + "' -time 2", &out, outPath), 0);
        EXPECT_EQ(out.rfind("; pushbot42: no ", 0), 0u) << in << ": " << out;
    }
    const std::string in = SampleLevel(dir, 3);
    for (const std::string& arguments :
         {std::string(""), "-in '" + in + "'", "-in '" + in + "' -out x -time abc",
          "-in '" + in + "' -out x -time -1", "-in '" + in + "' -out x -mem 0",
          "-in '" + in + "' -out x -time", "-in '" + in + "' -out x -speed 3"})
        EXPECT_EQ(RunProgram(arguments), 2) << arguments;
    // An output file that cannot be written.
    EXPECT_NE(RunProgram("-in '" + in + "' -out '" + dir.Path("no/such/dir/out.txt") + "'"), 0);
}

TEST(Pushbot42, StopsAtTheTimeLimit) {
    test::TempDir dir;
    const std::string in = SampleLevel(dir, 21);  // 25 boxes: many more positions than a tick
    Limits limits;
    limits.seconds = 0.001;
    const Result result = pushbot::SolveFile(in, limits);
    EXPECT_EQ(result.outcome, Outcome::TIME_LIMIT);
    EXPECT_TRUE(result.moves.empty());
    EXPECT_LT(result.seconds, limits.seconds + OVERRUN_SECONDS) << result.seconds << " s";
    std::string out;
    const std::string outPath = dir.Path("out.txt");
    EXPECT_EQ(RunProgram("-in '" + in + "' -out '" + outPath + "' -time 0.001", &out, outPath), 1);
    EXPECT_NE(out.find("time limit"), std::string::npos) << out;
    EXPECT_EQ(out.find('\n'), out.size() - 1);
}

// Several searches side by side all end at the time limit, at the memory limit (which they
// share) and at once on SIGTERM; a weight chosen by hand runs alone.
TEST(Pushbot42, ThreadsEndTogetherAtTheLimitsAndOnSigterm) {
    test::TempDir dir;
    // The sample that takes longest: about a second and 400,000 positions on four threads.
    const std::string in = SampleLevel(dir, 22);
    Limits limits;
    limits.threads = 4;
    limits.seconds = 0.2;
    Result result = pushbot::SolveFile(in, limits);
    EXPECT_EQ(result.outcome, Outcome::TIME_LIMIT) << result.reason;
    EXPECT_LT(result.seconds, limits.seconds + OVERRUN_SECONDS) << result.seconds << " s";
    limits.seconds = 60;
    limits.memoryMb = 1;
    result = pushbot::SolveFile(in, limits);
    EXPECT_EQ(result.outcome, Outcome::MEMORY_LIMIT) << result.reason;

    EXPECT_EQ(pushbot::PlanLanes(4, 3, true).size(), 4u);
    EXPECT_EQ(pushbot::PlanLanes(4, 7, false).size(), 1u);
    EXPECT_EQ(pushbot::PlanLanes(1, 3, true).size(), 1u);

    const std::string outPath = dir.Path("out.txt");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(PUSHBOT42_PATH, "pushbot42", "-in", in.c_str(), "-out", outPath.c_str(), "-time",
              "60", "-threads", "4", static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(300 * 1000);  // well into the search
    kill(child, SIGTERM);
    int status = 0;
    pid_t ended = 0;
    for (int i = 0; i < 1000 && ended == 0; ++i) {
        ended = waitpid(child, &status, WNOHANG);
        if (ended == 0) usleep(10 * 1000);
    }
    if (ended == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    EXPECT_EQ(ended, child) << "still searching 10 s after SIGTERM";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
}

// The player's dialog takes up to nine digits of seconds; the longest of them, and any larger
// number, runs with the longest limit the program keeps instead of being refused.
TEST(Pushbot42, TakesEveryTimeLimitThePlayerCanAskFor) {
    test::TempDir dir;
    const std::string in = SampleLevel(dir, 3);
    const std::string outPath = dir.Path("out.txt");
    for (const char* seconds : {"999999999", "1e30", "1e400"}) {
        std::string out;
        EXPECT_EQ(
            RunProgram("-in '" + in + "' -out '" + outPath + "' -time " + seconds, &out, outPath),
            0)
            << seconds;
        EXPECT_NE(out.find("; pushbot42: solved"), std::string::npos) << seconds << ": " << out;
    }
    // The shortest limit is taken too; on a loaded machine (a sanitizer build beside other
    // work) one second may end before the answer, which is then said, not refused.
    std::string out;
    const int status = RunProgram("-in '" + in + "' -out '" + outPath + "' -time 1", &out, outPath);
    EXPECT_TRUE((status == 0 && out.find("; pushbot42: solved") != std::string::npos) ||
                (status == 1 && out.find("time limit reached") != std::string::npos))
        << status << ": " << out;
    for (const char* seconds : {"nan", "-5", "1e-400", "12x"})
        EXPECT_EQ(RunProgram("-in '" + in + "' -out '" + outPath + "' -time " + seconds), 2)
            << seconds;
}

// With the work clock a run on one thread is the same on every machine and load: two runs of a
// level too hard for the budget stop at the same position count, and a bad rate is ignored.
TEST(Pushbot42, TheWorkClockMakesOneThreadsRunRepeatable) {
    test::TempDir dir;
    // A classic of 16 boxes that takes far more than 20,000 positions.
    const std::string in = dir.Write("hard.txt",
                                     "   #########\n"
                                     "  ##   ##  #####\n"
                                     "###     #  #    ###\n"
                                     "#  $ #$ #  #  ... #\n"
                                     "# # $#@$## # #.#. #\n"
                                     "#  # #$  #    . . #\n"
                                     "# $    $ # # #.#. #\n"
                                     "#   ##  ##$ $ . . #\n"
                                     "# $ #   #  #$#.#. #\n"
                                     "## $  $   $  $... #\n"
                                     " #$ ######    ##  #\n"
                                     " #  #    ##########\n"
                                     " ####\n");
    std::string runs[2];
    for (int i = 0; i < 2; ++i) {
        const std::string out = dir.Path("work" + std::to_string(i) + ".txt");
        const std::string command = "PUSHBOT_WORK_CLOCK=20000 '" + std::string(PUSHBOT42_PATH) +
                                    "' -in '" + in + "' -out '" + out +
                                    "' -time 1 -threads 1 >/dev/null 2>&1";
        std::system(command.c_str());
        runs[i] = test::ReadWholeFile(out);
    }
    EXPECT_NE(runs[0].find("time limit reached"), std::string::npos) << runs[0];
    EXPECT_EQ(runs[0], runs[1]);
    const std::string out = dir.Path("bad.txt");
    const std::string bad = "PUSHBOT_WORK_CLOCK=nan '" + std::string(PUSHBOT42_PATH) + "' -in '" +
                            in + "' -out '" + out + "' -time 1 >/dev/null 2>&1";
    std::system(bad.c_str());
    EXPECT_NE(test::ReadWholeFile(out).find("; pushbot42:"), std::string::npos);
}

}  // namespace
}  // namespace ruk
