// The Text and URDL input dialog (see text_input_dialog.h).
#include "dialogs/text_input_dialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

#include "core_door.h"
#include "dialogs/clipboard_text.h"

namespace ruk {

TextInputDialog::TextInputDialog(Purpose purpose, CoreState& core, Prompts& prompts,
                                 QWidget* parent)
    : DialogFrame(parent, CourierFont(), 237, 331),
      purpose_(purpose),
      core_(core),
      prompts_(prompts) {
    setWindowTitle(purpose == Purpose::LEVEL ? "Text" : "URDL input");
    box_ = AddTextBox(7, 25, 223, 299);
    paste_ = AddButton("Paste", 130, 7, 48, 14, false);
    load_ = AddButton("Load", 182, 7, 48, 14, true);
    connect(paste_, &QPushButton::clicked, this, [this] { Paste(); });
    connect(load_, &QPushButton::clicked, this, [this] { Load(); });
}

void TextInputDialog::Paste() {
    const std::string text = ClipboardText();
    if (text.empty()) return;
    box_->setPlainText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

void TextInputDialog::Load() {
    // The box keeps line breaks as LF; both readers take any line break.
    const QByteArray text = box_->toPlainText().toLatin1();
    if (purpose_ == Purpose::LEVEL) {
        levelText_ = LevelTextToLoad(text);
        delivered_ = true;
    } else {
        const MovesLoad load = LoadMovesText(core_, prompts_, text);
        outOfMemory_ = load == MovesLoad::OUT_OF_MEMORY;
        delivered_ = load != MovesLoad::NONE;
    }
    done(delivered_ ? QDialog::Accepted : QDialog::Rejected);
}

std::string LevelTextToLoad(const QByteArray& text) {
    const qsizetype end = text.indexOf('\0');
    const qsizetype length = std::min<qsizetype>(end < 0 ? text.size() : end, LEVEL_TEXT_LIMIT);
    return std::string(text.constData(), static_cast<std::size_t>(length));
}

MovesLoad LoadMovesText(CoreState& core, Prompts& prompts, const QByteArray& text) {
    if (text.isEmpty()) return MovesLoad::NONE;
    // Run lengths ("3r2U") are expanded first; a text without digits or brackets goes in as it is.
    std::string expanded;
    const char* moves = text.constData();
    if (HasRunLengths(moves)) {
        const MoveTextRead read = door::ExpandMoveText(moves, expanded);
        if (read.error != MoveTextError::NONE) {
            prompts.Message("RUK",
                            "The moves have " + std::string(MoveTextErrorText(read.error)) +
                                " at character " + std::to_string(read.at + 1) + ".",
                            PromptIcon::NONE);
            return MovesLoad::NONE;
        }
        moves = expanded.c_str();
    }
    if (door::ImportMoves(core, moves)) return MovesLoad::TAKEN;
    const bool outOfMemory = core.game.history.failed;
    if (outOfMemory) prompts.Message("RUK", "Out of memory. Close RUK.", PromptIcon::ERROR);
    prompts.Message("RUK", "There is incomplete data.", PromptIcon::NONE);
    return outOfMemory ? MovesLoad::OUT_OF_MEMORY : MovesLoad::TAKEN;
}

}  // namespace ruk
