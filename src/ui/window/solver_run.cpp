// The solver's window side (see solver_run.h).
#include "window/solver_run.h"

#include <QApplication>
#include <QTimer>
#include <utility>

#include "dialogs/solver_dialog.h"
#include "panel/command_rules.h"
#include "window/board_view.h"
#include "window/control_panel.h"

namespace ruk {

namespace {

constexpr int SOLVER_CLOCK_MS = 1000;

std::string TimeText(const char* status, int seconds) {
    return std::string("Status: ") + status + "\r\nTime: " + std::to_string(seconds) + "sec";
}

}  // namespace

SolverRun::SolverRun(const PartContext& context, const WorkingPaths& paths,
                     std::string programFolder)
    : c_(context), paths_(paths), programFolder_(std::move(programFolder)) {
    clockTimer_.setInterval(SOLVER_CLOCK_MS);
    connect(&clockTimer_, &QTimer::timeout, this, [this] { ClockTick(); });
}

SolverRun::~SolverRun() {
    clockTimer_.stop();
}

void SolverRun::Button() {
    if (c_.window.solverRunning) {
        Cancel();
        return;
    }
    if (AlreadySolved(c_.core)) {
        c_.prompts.Message("RUK", "It's already solved.", PromptIcon::INFORMATION);
        return;
    }
    const LevelStatus status = door::Status(c_.core);
    if (status == LevelStatus::PLAYABLE || status == LevelStatus::BLOCKED) {
        SolverDialog dialog(c_.core, paths_, programFolder_, c_.parent);
        c_.prompts.RunDialog(dialog);
        if (dialog.Started()) Start(dialog);
    }
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

void SolverRun::Start(const SolverDialog& dialog) {
    WindowState& window = c_.window;
    job_ = dialog.Job();
    window.solverRunning = true;
    window.solverSeconds = 0;
    window.solverTimeLimit = dialog.Settings().solverTimeLimit;
    window.autoPlayWhenSolved = dialog.Settings().autoPlayWhenSolved == AutoPlay::On;
    window.solverTitle = job_.title;
    clockTimer_.start();
    c_.board.ShowSolverBanner(paths_.folder, job_.shownCommand);
    c_.panel.SetText(ID_SOLVER, "Cancel");
    stopReason_ = End::FINISHED;
    // A script that cannot be started ends at once as a run that left no answer.
    if (!process_.Start(paths_.solverScript, paths_.folder, job_.errorPath))
        QTimer::singleShot(0, this, [this] {
            if (c_.window.solverRunning && !c_.frame.Closed()) Report(End::FINISHED);
        });
}

void SolverRun::Cancel() {
    stopReason_ = End::CANCELED;
    process_.Stop();
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
    Report(End::CANCELED);
}

void SolverRun::Stop() {
    clockTimer_.stop();
    process_.Stop();
    c_.window.solverRunning = false;
}

void SolverRun::ClockTick() {
    WindowState& window = c_.window;
    if (!window.solverRunning || c_.frame.Closed()) return;
    ++window.solverSeconds;
    UpdateSolverClock(window, c_.texts);
    c_.frame.ApplyPanel();
    if (!process_.Ended() && window.solverSeconds > window.solverTimeLimit) {
        stopReason_ = End::TIMED_OUT;
        process_.Stop();
    }
    if (process_.Ended()) Report(stopReason_);
}

void SolverRun::Report(End end) {
    if (!c_.window.solverRunning) return;
    clockTimer_.stop();
    if (end != End::TIMED_OUT) {
        UpdateSolverClock(c_.window, c_.texts);  // the clock keeps its final count
        c_.frame.ApplyPanel();
    }
    c_.window.solverRunning = false;
    c_.panel.SetText(ID_SOLVER, "Solver");
    switch (end) {
        case End::FINISHED:
            if (!TakeAnswer()) return;
            break;
        case End::CANCELED:
            c_.prompts.Message("RUK", "Canceled.", PromptIcon::INFORMATION);
            break;
        case End::TIMED_OUT:
            ResultMessage(false);
            break;
    }
    c_.board.Redraw();
    c_.frame.ApplyControlStates();
}

bool SolverRun::TakeAnswer() {
    // A long answer takes seconds to read and play through: the cursor says so.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ImportResult result = ImportSolution(c_.core, job_);
    QApplication::restoreOverrideCursor();
    if (result == ImportResult::OUT_OF_MEMORY) {
        c_.prompts.Message("RUK", "Out of memory. Close RUK.", PromptIcon::ERROR);
        c_.frame.CloseSoon();
        return false;
    }
    const bool solved = result == ImportResult::SOLVED;
    if (solved) {
        UpdateResult(c_.core, c_.texts);
    } else if (!door::Totals(c_.core).solved) {
        // The Result group keeps its counts after a failed run, but not a "Solved" that the
        // letters now held no longer earn: the import cut the ones that did.
        c_.texts.Set(ID_SOLVED, "");
    }
    c_.frame.ApplyPanel();
    ResultMessage(solved);
    if (solved && c_.window.autoPlayWhenSolved) c_.panel.Action(ID_AUTO_PLAY)->trigger();
    return true;
}

void SolverRun::ResultMessage(bool solved) {
    const WindowState& window = c_.window;
    if (solved) {
        c_.prompts.Message(window.solverTitle, TimeText("Solved", window.solverSeconds),
                           PromptIcon::INFORMATION);
        return;
    }
    // One more line when the solver said why.
    std::string text = TimeText("Failed", window.solverSeconds);
    // The reason may mean looking through a long answer once more.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string reason = SolverFailureReason(job_);
    QApplication::restoreOverrideCursor();
    if (!reason.empty()) text += "\r\n" + reason;
    c_.prompts.Message(window.solverTitle, text, PromptIcon::ERROR);
}

}  // namespace ruk
