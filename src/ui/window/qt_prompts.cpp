// The real dialogs (see qt_prompts.h). Texts are bytes (Latin-1) and keep their CR LF line
// breaks; a message box shows a line break for each pair.
#include "window/qt_prompts.h"

#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ruk {

namespace {

QString Shown(const std::string& text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace("\r\n", "\n");
    return shown;
}

QMessageBox::Icon IconOf(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::ERROR:
            return QMessageBox::Critical;
        case PromptIcon::QUESTION:
            return QMessageBox::Question;
        case PromptIcon::NONE:
            return QMessageBox::NoIcon;
        case PromptIcon::INFORMATION:
            break;
    }
    return QMessageBox::Information;
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& caption,
                                            const std::string& text, PromptIcon icon) {
    return std::make_unique<QMessageBox>(IconOf(icon), Shown(caption), Shown(text), QMessageBox::Ok,
                                         parent);
}

void QtPrompts::Message(const std::string& caption, const std::string& text, PromptIcon icon) {
    MakeMessageBox(parent_, caption, text, icon)->exec();
}

bool QtPrompts::Confirm(const std::string& caption, const std::string& text) {
    QMessageBox box(QMessageBox::Question, Shown(caption), Shown(text),
                    QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

bool QtPrompts::Ask(const std::string& caption, const std::string& text,
                    const std::string& accept) {
    QMessageBox box(QMessageBox::Question, Shown(caption), Shown(text), QMessageBox::NoButton,
                    parent_);
    QPushButton* yes = box.addButton(Shown(accept), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == yes;
}

std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const std::string& title,
                                                const std::string& startPath) {
    auto dialog =
        std::make_unique<QFileDialog>(parent, Shown(title), QFile::decodeName(startPath.c_str()));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setNameFilters({"Level files (*.txt *.sok *.xsb)", "All files (*)"});
    // The start path names the last file: select it, so the dialog opens in its folder.
    if (!startPath.empty()) dialog->selectFile(QFile::decodeName(startPath.c_str()));
    return dialog;
}

std::optional<std::string> QtPrompts::OpenFile(const std::string& title,
                                               const std::string& startPath) {
    const std::unique_ptr<QFileDialog> dialog = MakeOpenFileDialog(parent_, title, startPath);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return QFile::encodeName(dialog->selectedFiles().first()).toStdString();
}

std::optional<std::string> QtPrompts::SaveFile(const std::string& title,
                                               const std::string& startPath) {
    QFileDialog dialog(parent_, Shown(title), QFile::decodeName(startPath.c_str()));
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The window asks itself whether to add to a file that is there; nothing is replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters({"Level files (*.txt *.sok *.xsb)", "All files (*)"});
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

}  // namespace ruk

namespace ruk {

void QtPrompts::RunDialog(QDialog& dialog) {
    dialog.exec();
}

}  // namespace ruk
