// The solver's window side: the Solver button (open the dialog, or cancel a run), the run's clock
// and time limit on the solver clock timer, and the three ways a run ends.
#pragma once

#include <QObject>
#include <QTimer>
#include <string>

#include "process/solver_process.h"
#include "settings/settings.h"
#include "solver/solver_job.h"
#include "window/window_frame.h"

namespace ruk {

class SolverDialog;

class SolverRun : public QObject {
  public:
    SolverRun(const PartContext& context, const WorkingPaths& paths, std::string programFolder);
    ~SolverRun() override;

    void Button();
    // The solver clock timer's body, every second while a solver runs: the clock, the time
    // limit, and the report once the solver's process has ended.
    void ClockTick();
    // The window closes: a running solver goes with it, its report dropped.
    void Stop();

    qint64 ProcessId() const { return process_.ProcessId(); }
    // Waits up to ms for the solver's process to end by itself, without reporting it.
    bool WaitForProcess(int ms) { return process_.WaitForEnd(ms); }

  private:
    enum class End { FINISHED, CANCELED, TIMED_OUT };
    void Start(const SolverDialog& dialog);
    void Cancel();
    void Report(End end);
    // The finished run's answer taken in; false when it could not be held (the window closes).
    bool TakeAnswer();
    void ResultMessage(bool solved);

    PartContext c_;
    const WorkingPaths& paths_;
    std::string programFolder_;
    QTimer clockTimer_;
    SolverProcess process_;
    SolverJob job_;
    End stopReason_ = End::FINISHED;
};

}  // namespace ruk
