// The text dialogs' window side (see text_commands.h).
#include "window/text_commands.h"

#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"

namespace ruk {

void TextCommands::LevelText() {
    TextInputDialog dialog(TextInputDialog::Purpose::LEVEL, c_.core, c_.prompts, c_.parent);
    c_.prompts.RunDialog(dialog);
    if (!dialog.Delivered()) return;
    // The game is kept before the text takes the level's place.
    c_.frame.LeaveGame();
    door::LoadText(c_.core, dialog.LevelText().c_str());
    c_.frame.LevelShown();
}

void TextCommands::MovesIn() {
    TextInputDialog dialog(TextInputDialog::Purpose::MOVES, c_.core, c_.prompts, c_.parent);
    c_.prompts.RunDialog(dialog);
    if (dialog.OutOfMemory()) {
        c_.frame.CloseSoon();
        return;
    }
    if (!dialog.Delivered()) return;
    door::RecheckSolved(c_.core);
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

void TextCommands::Output() {
    TextOutDialog dialog(c_.core, c_.parent);
    c_.prompts.RunDialog(dialog);
}

}  // namespace ruk
