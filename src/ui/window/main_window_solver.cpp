// The main window's solver bridge: the Solver button (open, or cancel a run), the run's clock
// and time limit on timer 3, and the three ways a run ends.
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "dialogs/solver_dialog.h"
#include "panel/command_rules.h"
#include "render/text_drawing.h"
#include "window/main_window.h"

namespace ruk {

namespace {

std::string TimeText(const char* status, int seconds) {
    return std::string("Status: ") + status + "\r\nTime: " + std::to_string(seconds) + "sec";
}

}  // namespace

void MainWindow::SolverButton() {
    if (window_.solverRunning) {
        CancelSolver();
        return;
    }
    if (AlreadySolved(*core_)) {
        prompts_.Message("RUK", "It's already solved.", PromptIcon::INFORMATION);
        return;
    }
    const LevelStatus status = core_->level.board.status;
    if (status == LevelStatus::PLAYABLE || status == LevelStatus::BLOCKED) {
        SolverDialog dialog(*core_, paths_, programFolder_, this);
        prompts_.RunDialog(dialog);
        if (dialog.Started()) StartSolverRun(dialog);
    }
    RefreshLevelInfo();
    ApplyControlStates();
}

void MainWindow::StartSolverRun(const SolverDialog& dialog) {
    solverJob_ = dialog.Job();
    window_.solverRunning = true;
    window_.solverSeconds = 0;
    window_.solverTimeLimit = dialog.Settings().solverTimeLimit;
    window_.autoPlayWhenSolved = dialog.Settings().autoPlayWhenSolved == AutoPlay::On;
    window_.solverTitle = solverJob_.title;
    solverTimer_.start();
    DrawSolverBanner(zoom_.scale == 1 ? boardBuffer_ : zoomedBuffer_, core_->level.grids.maxHeight,
                     QFile::decodeName(paths_.folder.c_str()),
                     QFile::decodeName(solverJob_.shownCommand.c_str()));
    boardView_->update();
    SetControlText(ID_SOLVER, "Cancel");
    solverStopReason_ = SolverEnd::FINISHED;
    // A script that cannot be started ends at once as a run that left no answer.
    if (!solverProcess_.Start(paths_.solverScript, paths_.folder, solverJob_.errorPath))
        QTimer::singleShot(0, this, [this] {
            if (window_.solverRunning && !closed_) SolverReport(SolverEnd::FINISHED);
        });
}

void MainWindow::CancelSolver() {
    solverStopReason_ = SolverEnd::CANCELED;
    solverProcess_.Stop();
    RefreshLevelInfo();
    ApplyControlStates();
    SolverReport(SolverEnd::CANCELED);
}

void MainWindow::OnSolverClockTick() {
    if (!window_.solverRunning || closed_) return;
    ++window_.solverSeconds;
    UpdateSolverClock(window_, panel_);
    ApplyPanel();
    if (!solverProcess_.Ended() && window_.solverSeconds > window_.solverTimeLimit) {
        solverStopReason_ = SolverEnd::TIMED_OUT;
        solverProcess_.Stop();
    }
    if (solverProcess_.Ended()) SolverReport(solverStopReason_);
}

void MainWindow::SolverReport(SolverEnd end) {
    if (!window_.solverRunning) return;
    solverTimer_.stop();
    if (end != SolverEnd::TIMED_OUT) {
        UpdateSolverClock(window_, panel_);  // the clock keeps its final count
        ApplyPanel();
    }
    window_.solverRunning = false;
    SetControlText(ID_SOLVER, "Solver");
    switch (end) {
        case SolverEnd::FINISHED: {
            // A long answer takes seconds to read and play through: the cursor says so.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const ImportResult result = ImportSolution(*core_, solverJob_);
            QApplication::restoreOverrideCursor();
            if (result == ImportResult::OUT_OF_MEMORY) {
                prompts_.Message("RUK", "Out of memory. Close RUK.", PromptIcon::ERROR);
                // Closed once this report has been handled, so nothing draws into freed buffers.
                QTimer::singleShot(0, this, [this] { close(); });
                return;
            }
            if (result == ImportResult::SOLVED) {
                UpdateResult(*core_, panel_);
            } else if (!core_->game.totals.solved) {
                // The Result group keeps its counts after a failed run, but not a "Solved" that
                // the letters now held no longer earn: the import cut the ones that did.
                panel_.Set(ID_SOLVED, "");
            }
            ApplyPanel();
            SolverResultMessage(result == ImportResult::SOLVED);
            if (result == ImportResult::SOLVED && window_.autoPlayWhenSolved) Command(ID_AUTO_PLAY);
            break;
        }
        case SolverEnd::CANCELED:
            prompts_.Message("RUK", "Canceled.", PromptIcon::INFORMATION);
            break;
        case SolverEnd::TIMED_OUT:
            SolverResultMessage(false);
            break;
    }
    Redraw();
    ApplyControlStates();
}

void MainWindow::SolverResultMessage(bool solved) {
    if (solved) {
        prompts_.Message(window_.solverTitle, TimeText("Solved", window_.solverSeconds),
                         PromptIcon::INFORMATION);
    } else {
        // One more line when the solver said why.
        std::string text = TimeText("Failed", window_.solverSeconds);
        // The reason may mean looking through a long answer once more.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string reason = SolverFailureReason(solverJob_);
        QApplication::restoreOverrideCursor();
        if (!reason.empty()) text += "\r\n" + reason;
        prompts_.Message(window_.solverTitle, text, PromptIcon::ERROR);
    }
}

}  // namespace ruk
