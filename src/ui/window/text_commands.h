// The text dialogs' window side: a level or a move string in, the level and the game out; and
// the same through the clipboard by keys.
#pragma once

#include <string>

#include "window/window_frame.h"

namespace ruk {

enum class MovesLoad;

class TextCommands {
  public:
    explicit TextCommands(const PartContext& context) : c_(context) {}

    void LevelText();  // Text
    void MovesIn();    // URDL Input
    void Output();     // URDL Output (Level Output in the editor)
    // Ctrl+V: the clipboard's level loaded as Text loads it, its moves then taken as URDL Input
    // takes them; or, with no level in it, its moves alone where URDL Input could be clicked.
    void Paste();
    // Ctrl+Shift+S, Ctrl+C in Play mode: the level and the game to the clipboard.
    void CopyGame();

  private:
    // What Text does with the level text it took.
    void ShowLevelText(const std::string& text);
    // What URDL Input does once its moves were loaded.
    void MovesTaken(MovesLoad load);

    PartContext c_;
};

}  // namespace ruk
