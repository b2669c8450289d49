// The running solver: its script in a process group of its own, so that stopping the run
// stops the solver and everything it started, not only the shell.
#pragma once

#include <QProcess>
#include <string>

namespace ruk {

class SolverProcess {
  public:
    SolverProcess();
    ~SolverProcess();

    // Runs the script with /bin/sh from folder. False when no process could be started.
    bool Start(const std::string& script, const std::string& folder);
    // Whether the process has ended; never waits.
    bool Ended();
    bool WaitForEnd(int ms);
    // Stops the whole process group and waits a moment for the shell to go.
    void Stop();
    bool Running() const { return running_; }
    qint64 ProcessId() const { return pid_; }

  private:
    QProcess process_;
    qint64 pid_ = 0;
    bool running_ = false;
};

}  // namespace ruk
