// The "Text out" dialog: the level, and in Play mode the game, as text to copy.
#pragma once

#include "dialogs/dialog_frame.h"
#include "records/core_state.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace ruk {

class TextOutDialog : public DialogFrame {
  public:
    TextOutDialog(CoreState& core, QWidget* parent);

    QPlainTextEdit* TextBox() const { return box_; }
    QPushButton* CopyButton() const { return copy_; }
    QPushButton* CloseButton() const { return close_; }
    QCheckBox* HyphenBox() const { return hyphens_; }

  private:
    void Build(char floor);
    void Copy();

    CoreState& core_;
    QPlainTextEdit* box_;
    QPushButton* copy_;
    QPushButton* close_;
    QCheckBox* hyphens_;
};

}  // namespace ruk
