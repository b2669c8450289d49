// What the program's small dialogs share: places in dialog units (a quarter of the font's
// average character width across, an eighth of its height down), Escape and the close box that
// both close the dialog as rejected, and Enter in a multi-line box that presses the default
// button.
#pragma once

#include <QDialog>
#include <QFont>

class QPlainTextEdit;
class QPushButton;

namespace ruk {

class DialogFrame : public QDialog {
  public:
    DialogFrame(QWidget* parent, const QFont& font, int width, int height);

    // Places a control by dialog units.
    void Place(QWidget* control, int x, int y, int width, int height) const;
    // A multi-line box with a vertical scroll bar whose long lines wrap on screen; Enter in it
    // presses the default button (Ctrl+Enter starts a new line).
    QPlainTextEdit* AddTextBox(int x, int y, int width, int height);
    QPushButton* AddButton(const QString& text, int x, int y, int width, int height,
                           bool isDefault);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    double unitX_;
    double unitY_;
    QPushButton* defaultButton_ = nullptr;
};

// The dialogs' monospaced face.
QFont CourierFont();

}  // namespace ruk
