// The real dialogs behind the window's prompts.
#pragma once

#include "panel/prompts.h"

#include <memory>

class QFileDialog;
class QMessageBox;
class QWidget;

namespace ruk {

// The open-file dialog as File shows it: level files offered first, any file one choice away.
std::unique_ptr<QFileDialog> MakeOpenFileDialog(QWidget* parent, const std::string& title,
                                                const std::string& startPath);

// The message box Message shows, with an OK button.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, const std::string& caption,
                                            const std::string& text, PromptIcon icon);

class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& caption, const std::string& text, PromptIcon icon) override;
    bool Confirm(const std::string& caption, const std::string& text) override;
    std::optional<std::string> OpenFile(const std::string& title,
                                        const std::string& startPath) override;
    bool Ask(const std::string& caption, const std::string& text,
             const std::string& accept) override;
    std::optional<std::string> SaveFile(const std::string& title,
                                        const std::string& startPath) override;
    void RunDialog(QDialog& dialog) override;

  private:
    QWidget* parent_;
};

}  // namespace ruk
