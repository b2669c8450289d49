// The main window's text dialogs: a level or a move string in, the level and game out.
#include <QTimer>

#include "core_door.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "engine/solved_check.h"
#include "window/main_window.h"

namespace ruk {

void MainWindow::TextCommand() {
    TextInputDialog dialog(TextInputDialog::Purpose::LEVEL, *core_, prompts_, this);
    prompts_.RunDialog(dialog);
    if (!dialog.Delivered()) return;
    LeaveGame();
    door::LoadSourceText(*core_);
    LevelShown();
}

void MainWindow::UrdlInputCommand() {
    TextInputDialog dialog(TextInputDialog::Purpose::MOVES, *core_, prompts_, this);
    prompts_.RunDialog(dialog);
    if (dialog.OutOfMemory()) {
        // Closed once this handler has returned, so that nothing draws into freed buffers.
        QTimer::singleShot(0, this, [this] { close(); });
        return;
    }
    if (!dialog.Delivered()) return;
    SolvedTest(core_->level, core_->game, core_->scratch);
    RefreshLevelInfo();
    ApplyControlStates();
}

void MainWindow::OutputCommand() {
    TextOutDialog dialog(*core_, this);
    prompts_.RunDialog(dialog);
}

}  // namespace ruk
