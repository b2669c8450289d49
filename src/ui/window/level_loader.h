// The level loader's window side: File, Prev, Next and Jump, the command line's file and level,
// and a file reopened at a level.
#pragma once

#include <string>

#include "launch/command_line.h"
#include "window/window_frame.h"

namespace ruk {

class LevelLoader {
  public:
    explicit LevelLoader(const PartContext& context) : c_(context) {}

    void OpenFile();
    void Prev();
    void Next();
    void Jump();
    // Shows level number of the open file as Jump does (the game left is kept).
    void JumpTo(int number);
    // The command line's FILE at its LEVEL. A file with no level, a LEVEL it does not hold or
    // one that is no number: a message, and the window goes on with no level.
    void OpenFromCommandLine(const CommandLine& line);
    // FILE at LEVEL; lastIfFewer: a file that has shrunk since opens at its last level instead.
    void OpenFileAtLevel(const std::string& file, int level, bool lastIfFewer = false);

  private:
    void SelectAndChange(int number);

    PartContext c_;
};

}  // namespace ruk
