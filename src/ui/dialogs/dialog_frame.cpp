// Dialog frame (see dialog_frame.h).
#include "dialogs/dialog_frame.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace ruk {

QFont CourierFont() {
    QFont font("Courier", 9);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

DialogFrame::DialogFrame(QWidget* parent, const QFont& font, int width, int height)
    : QDialog(parent) {
    setFont(font);
    const QFontMetricsF metrics(font);
    unitX_ = metrics.averageCharWidth() / 4.0;
    unitY_ = metrics.height() / 8.0;
    setFixedSize(static_cast<int>(std::lround(width * unitX_)),
                 static_cast<int>(std::lround(height * unitY_)));
}

void DialogFrame::Place(QWidget* control, int x, int y, int width, int height) const {
    control->setGeometry(static_cast<int>(std::lround(x * unitX_)),
                         static_cast<int>(std::lround(y * unitY_)),
                         static_cast<int>(std::lround(width * unitX_)),
                         static_cast<int>(std::lround(height * unitY_)));
}

QPlainTextEdit* DialogFrame::AddTextBox(int x, int y, int width, int height) {
    auto* box = new QPlainTextEdit(this);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAnywhere);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->installEventFilter(this);
    Place(box, x, y, width, height);
    return box;
}

QPushButton* DialogFrame::AddButton(const QString& text, int x, int y, int width, int height,
                                    bool isDefault) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    if (isDefault) {
        button->setDefault(true);
        defaultButton_ = button;
    }
    Place(button, x, y, width, height);
    return button;
}

void DialogFrame::closeEvent(QCloseEvent* event) {
    event->accept();
    QDialog::done(QDialog::Rejected);
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && defaultButton_) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            if (auto* box = qobject_cast<QPlainTextEdit*>(watched)) box->insertPlainText("\n");
            return true;
        }
        if (enter) {
            if (defaultButton_->isEnabled()) defaultButton_->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace ruk
