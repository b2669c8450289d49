// The text dialogs' window side: a level or a move string in, the level and the game out.
#pragma once

#include "window/window_frame.h"

namespace ruk {

class TextCommands {
  public:
    explicit TextCommands(const PartContext& context) : c_(context) {}

    void LevelText();  // Text
    void MovesIn();    // URDL Input
    void Output();     // URDL Output (Level Output in the editor)

  private:
    PartContext c_;
};

}  // namespace ruk
