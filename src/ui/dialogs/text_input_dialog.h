// The dialog through which a level ("Text") or a move string ("URDL input") is typed or
// pasted and handed to the game.
#pragma once

#include <string>

#include "dialogs/dialog_frame.h"
#include "panel/prompts.h"
#include "records/core_state.h"

class QByteArray;
class QPlainTextEdit;
class QPushButton;

namespace ruk {

constexpr int LEVEL_TEXT_LIMIT = 9999;  // characters of level text that Load hands over

// The level text Load hands over: text cut at a zero byte and at LEVEL_TEXT_LIMIT characters.
std::string LevelTextToLoad(const QByteArray& text);

// What Load does with a move string: appended after the cursor, a string not wholly taken said
// in a message (and a history that could not grow). NONE: an empty text, nothing done.
enum class MovesLoad { NONE, TAKEN, OUT_OF_MEMORY };
MovesLoad LoadMovesText(CoreState& core, Prompts& prompts, const QByteArray& text);

class TextInputDialog : public DialogFrame {
  public:
    enum class Purpose { LEVEL, MOVES };
    TextInputDialog(Purpose purpose, CoreState& core, Prompts& prompts, QWidget* parent);

    // Load handed the text on: the level text is ready for the window to load, or the moves
    // are in the history after the cursor.
    bool Delivered() const { return delivered_; }
    // The level text Load took (see LevelTextToLoad).
    const std::string& LevelText() const { return levelText_; }
    // The history could not grow: the program must close.
    bool OutOfMemory() const { return outOfMemory_; }

    QPlainTextEdit* TextBox() const { return box_; }
    QPushButton* PasteButton() const { return paste_; }
    QPushButton* LoadButton() const { return load_; }

  private:
    void Paste();
    void Load();

    Purpose purpose_;
    CoreState& core_;
    Prompts& prompts_;
    QPlainTextEdit* box_;
    QPushButton* paste_;
    QPushButton* load_;
    std::string levelText_;
    bool delivered_ = false;
    bool outOfMemory_ = false;
};

}  // namespace ruk
