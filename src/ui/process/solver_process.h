// The running solver: its script in a process group of its own, and every process the run
// starts, also one that leaves the group (setsid, a double fork), ended with the run.
#pragma once

#include <QProcess>
#include <atomic>
#include <string>
#include <thread>

namespace ruk {

class SolverProcess {
  public:
    // The first one made also makes this program the reaper of its orphaned descendants, so
    // that a solver's daemon stays within reach instead of moving to init.
    SolverProcess();
    ~SolverProcess();

    // Runs the script with /bin/sh from folder. Both are taken as the bytes the file system
    // holds, whatever their encoding. The run's error output is read as it comes and its last
    // ERROR_TAIL_BYTES are written to errorPath when the run ends. The script's shell dies with
    // this program, however it ends. False when no process could be started.
    bool Start(const std::string& script, const std::string& folder, const std::string& errorPath);
    // Whether the process has ended; never waits. Once it has, whatever the run started and
    // left behind is ended too.
    bool Ended();
    bool WaitForEnd(int ms);
    // Ends the script and every process the run started, and waits a moment for them to go.
    void Stop();
    bool Running() const { return running_; }
    qint64 ProcessId() const { return pid_; }

    static constexpr std::size_t ERROR_TAIL_BYTES = 64 * 1024;

  private:
    // Ends the reading of the error output and writes what it kept to the error file.
    void KeepErrorTail();
    // Kills the run's processes and reaps those that became ours; waits up to waitMs for the
    // last of them to go.
    void EndRunProcesses(int waitMs);

    QProcess process_;
    qint64 pid_ = 0;
    // The start time (clock ticks since boot) of the run's shell: a process of ours that started
    // earlier was not started by this run.
    unsigned long long runStart_ = 0;
    bool running_ = false;
    bool swept_ = true;  // the run's processes have been ended
    std::string errorPath_;
    std::string errorTail_;  // the last bytes of the error output, filled by errorReader_
    std::thread errorReader_;
    std::atomic<bool> stopReading_{false};
};

}  // namespace ruk
