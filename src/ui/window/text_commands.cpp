// The text dialogs' window side (see text_commands.h).
#include "window/text_commands.h"

#include <QByteArray>

#include "clipboard/game_copy.h"
#include "clipboard/pasted_text.h"
#include "dialogs/clipboard_text.h"
#include "dialogs/text_input_dialog.h"
#include "dialogs/text_out_dialog.h"
#include "window/control_panel.h"

namespace ruk {

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TextCommands::LevelText() {
    TextInputDialog dialog(TextInputDialog::Purpose::LEVEL, c_.core, c_.prompts, c_.parent);
    c_.prompts.RunDialog(dialog);
    if (dialog.Delivered()) ShowLevelText(dialog.LevelText());
}

void TextCommands::ShowLevelText(const std::string& text) {
    // The game is kept before the text takes the level's place.
    c_.frame.LeaveGame();
    door::LoadText(c_.core, text.c_str());
    c_.frame.LevelShown();
}

void TextCommands::MovesIn() {
    TextInputDialog dialog(TextInputDialog::Purpose::MOVES, c_.core, c_.prompts, c_.parent);
    c_.prompts.RunDialog(dialog);
    MovesTaken(dialog.OutOfMemory() ? MovesLoad::OUT_OF_MEMORY
               : dialog.Delivered() ? MovesLoad::TAKEN
                                    : MovesLoad::NONE);
}

void TextCommands::MovesTaken(MovesLoad load) {
    if (load == MovesLoad::OUT_OF_MEMORY) {
        c_.frame.CloseSoon();
        return;
    }
    if (load == MovesLoad::NONE) return;
    door::RecheckSolved(c_.core);
    c_.frame.RefreshLevelInfo();
    c_.frame.ApplyControlStates();
}

void TextCommands::Output() {
    TextOutDialog dialog(c_.core, c_.parent);
    c_.prompts.RunDialog(dialog);
}

void TextCommands::Paste() {
    if (!c_.panel.Enabled(ID_TEXT)) return;
    const std::string clip = ClipboardText();
    const PastedText pasted = ReadPastedText(clip);
    if (pasted.level) {
        ShowLevelText(LevelTextToLoad(Bytes(clip)));
    } else if (!pasted.moves.empty() && !c_.panel.Enabled(ID_URDL_INPUT)) {
        c_.prompts.Message("RUK", "The clipboard holds no level.", PromptIcon::INFORMATION);
        return;
    }
    // A level that cannot be played takes no moves, as its URDL Input button says.
    if (pasted.moves.empty() || !c_.panel.Enabled(ID_URDL_INPUT)) return;
    MovesTaken(LoadMovesText(c_.core, c_.prompts, Bytes(pasted.moves)));
}

void TextCommands::CopyGame() {
    if (c_.core.level.editor.editMode == EditMode::EDIT || !c_.panel.Enabled(ID_URDL_OUTPUT))
        return;
    const std::string text = GameCopyText(c_.core);
    if (!text.empty()) SetClipboardText(text);
}

}  // namespace ruk
