// The clipboard (see clipboard_text.h).
#include "dialogs/clipboard_text.h"

#include <QClipboard>
#include <QGuiApplication>

namespace ruk {

std::string ClipboardText() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return {};
    const QByteArray bytes = clipboard->text().toLatin1();
    const qsizetype end = bytes.indexOf('\0');
    return std::string(bytes.constData(), end < 0 ? bytes.size() : end);
}

void SetClipboardText(const std::string& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace ruk
