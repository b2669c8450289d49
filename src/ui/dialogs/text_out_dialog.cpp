// The Text out dialog (see text_out_dialog.h).
#include "dialogs/text_out_dialog.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core_door.h"
#include "dialogs/clipboard_text.h"

namespace ruk {

TextOutDialog::TextOutDialog(CoreState& core, QWidget* parent)
    : DialogFrame(parent, CourierFont(), 237, 331), core_(core) {
    copy_ = AddButton("Copy", 130, 7, 48, 14, false);
    close_ = AddButton("Close", 182, 7, 48, 14, true);
    box_ = AddTextBox(7, 25, 223, 299);
    hyphens_ = new QCheckBox("Change spaces to hyphens.", this);
    Place(hyphens_, 10, 8, 113, 10);
    connect(copy_, &QPushButton::clicked, this, [this] { Copy(); });
    connect(close_, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(hyphens_, &QCheckBox::clicked, this,
            [this](bool ticked) { Build(ticked ? '-' : ' '); });
    Build(' ');
}

void TextOutDialog::Build(char floor) {
    const OutputText output = door::Output(core_, floor);
    setWindowTitle(QString::fromLatin1(output.title.c_str()));
    QString text =
        QString::fromLatin1(output.text.data(), static_cast<qsizetype>(output.text.size()));
    text.replace("\r\n", "\n");  // the box breaks lines on LF alone
    box_->setPlainText(text);
}

void TextOutDialog::Copy() {
    // The clipboard gets the platform's LF line breaks, as the box shows them; other programs
    // here would show a stray CR at the end of every line.
    SetClipboardText(box_->toPlainText().toLatin1().toStdString());
}

}  // namespace ruk
