// The window's modal interactions: message boxes, the open-file and save dialogs and the program's
// own dialogs. The program shows them; tests answer them.
#pragma once

#include <optional>
#include <string>

class QDialog;

namespace ruk {

enum class PromptIcon { NONE, INFORMATION, ERROR, QUESTION };

class Prompts {
  public:
    virtual ~Prompts() = default;
    // A message with an OK button.
    virtual void Message(const std::string& caption, const std::string& text, PromptIcon icon) = 0;
    // OK and Cancel, Cancel the default; true for OK.
    virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
    // The chosen file's path, starting at startPath; nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const std::string& title,
                                                const std::string& startPath) = 0;
    // A question with a button named accept and Cancel, Cancel the default; true for accept.
    // Prompts that answer no questions cancel it.
    virtual bool Ask(const std::string& /*caption*/, const std::string& /*text*/,
                     const std::string& /*accept*/) {
        return false;
    }
    // The path chosen in the save dialog, starting at startPath; an existing file may be
    // chosen, without a question. Nothing when cancelled, as prompts that choose no files do.
    virtual std::optional<std::string> SaveFile(const std::string& /*title*/,
                                                const std::string& /*startPath*/) {
        return std::nullopt;
    }
    // Runs one of the program's own dialogs modally, already filled and wired up; tests work
    // its controls instead.
    virtual void RunDialog(QDialog& dialog) = 0;
};

}  // namespace ruk
