// The solver's process (see solver_process.h).
#include "solver/solver_process.h"

#include <signal.h>
#include <unistd.h>

namespace ruk {

SolverProcess::SolverProcess() {
    // A group of its own: one signal then reaches the shell, the solver and their children.
    process_.setChildProcessModifier([] { ::setsid(); });
    // The solver talks through its files; what it prints goes nowhere.
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
}

SolverProcess::~SolverProcess() {
    Stop();
}

bool SolverProcess::Start(const std::string& script, const std::string& folder) {
    process_.setWorkingDirectory(QString::fromStdString(folder));
    process_.start("/bin/sh", {QString::fromStdString(script)});
    if (!process_.waitForStarted(5000)) return false;
    pid_ = process_.processId();
    running_ = true;
    return true;
}

bool SolverProcess::Ended() {
    if (!running_) return true;
    if (process_.state() == QProcess::NotRunning || process_.waitForFinished(0)) {
        running_ = false;
        // Anything the shell left behind in its group goes with it.
        if (pid_ > 0) ::kill(static_cast<pid_t>(-pid_), SIGKILL);
    }
    return !running_;
}

bool SolverProcess::WaitForEnd(int ms) {
    if (running_) process_.waitForFinished(ms);
    return Ended();
}

void SolverProcess::Stop() {
    if (!running_) return;
    if (pid_ > 0) ::kill(static_cast<pid_t>(-pid_), SIGKILL);
    process_.waitForFinished(3000);
    running_ = false;
}

}  // namespace ruk
