// The player's command line: ruk [FILE [LEVEL]], ruk --resume, --help and --version. Read without
// Qt so that the rules are tested on their own; the window only acts on the result.
#pragma once

#include <string>

namespace ruk {

enum class LaunchAction {
    RUN,      // open the window (with FILE when one was given)
    HELP,     // print UsageText() to stdout and end
    VERSION,  // print VersionText() to stdout and end
    FAULT,    // print the fault and the hint to stderr and end with status 2
};

struct CommandLine {
    LaunchAction action = LaunchAction::RUN;
    std::string file;       // the level file to open; empty when none was given
    std::string levelText;  // LEVEL as given; empty when none was given
    bool resume = false;    // --resume: the last place and its kept game, as Ctrl+L, Ctrl+G
    int level = 1;          // LEVEL read as a number from 1; 0 when it is not one
    std::string fault;      // one line saying why the line was refused (FAULT)
};

// --help (-h) and --version win wherever they stand before "--"; --resume takes no FILE; any
// other argument that starts with '-' before "--" is refused, so is a third operand. A lone "-"
// is an operand.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// LEVEL as typed: decimal digits only, 1 to 999,999,999; 0 for anything else.
int ParseLevelNumber(const std::string& text);

std::string UsageText();
std::string VersionText();

}  // namespace ruk
