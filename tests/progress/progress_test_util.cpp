// Helpers of the progress tests (see progress_test_util.h).
#include "progress_test_util.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "test_files.h"

namespace ruk::test {

Board BoardOf(const std::string& text) {
    Core core;
    LoadText(*core.state, text);
    return core.level->board;
}

ChildRun RunInChild(const std::function<bool()>& prepare, const std::function<void()>& check) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0) return ChildRun::UNAVAILABLE;
    if (child == 0) {
        int code = 2;
        if (prepare()) {
            check();
            code = ::testing::Test::HasFailure() ? 1 : 0;
        }
        std::fflush(stdout);
        _exit(code);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return ChildRun::FAILED;
    const int code = WEXITSTATUS(status);
    return code == 0 ? ChildRun::PASSED : code == 2 ? ChildRun::UNAVAILABLE : ChildRun::FAILED;
}

ChildRun RunUnprivileged(const std::function<void()>& check) {
    if (geteuid() != 0) {
        check();
        return ChildRun::PASSED;  // its failures are this test's own
    }
    constexpr uid_t NOBODY = 65534;
    return RunInChild(
        [] { return setgroups(0, nullptr) == 0 && setgid(NOBODY) == 0 && setuid(NOBODY) == 0; },
        check);
}

}  // namespace ruk::test
