// The player's command line (see command_line.h).
#include "launch/command_line.h"

#include <vector>

#include "panel/window_caption.h"

namespace ruk {

namespace {
constexpr int MAX_LEVEL_DIGITS = 9;  // any level count a file can hold, without overflow
}

int ParseLevelNumber(const std::string& text) {
    if (text.empty()) return 0;
    int value = 0;
    int digits = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return 0;
        // Leading zeros count for nothing; more than nine digits after them is no level.
        if (value == 0 && ch == '0') continue;
        if (++digits > MAX_LEVEL_DIGITS) return 0;
        value = value * 10 + (ch - '0');
    }
    return value;
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    std::string unknown;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            line.action = LaunchAction::HELP;
            return line;
        } else if (!optionsEnded && arg == "--version") {
            // --help still wins when it comes later.
            line.action = LaunchAction::VERSION;
        } else if (!optionsEnded && arg == "--resume") {
            line.resume = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (unknown.empty()) unknown = arg;
        } else {
            operands.push_back(arg);
        }
    }
    if (line.action == LaunchAction::VERSION) return line;
    if (!unknown.empty()) {
        line.action = LaunchAction::FAULT;
        line.fault = "unknown option '" + unknown + "'";
        return line;
    }
    if (line.resume && !operands.empty()) {
        line.action = LaunchAction::FAULT;
        line.fault = "--resume opens the last level shown; it takes no FILE";
        return line;
    }
    if (operands.size() > 2) {
        line.action = LaunchAction::FAULT;
        line.fault = "too many arguments (at most FILE and LEVEL)";
        return line;
    }
    if (!operands.empty()) line.file = operands[0];
    if (operands.size() == 2) {
        line.levelText = operands[1];
        line.level = ParseLevelNumber(line.levelText);
    }
    return line;
}

std::string UsageText() {
    return "Usage: ruk [FILE [LEVEL]]\n"
           "       ruk --resume\n"
           "Plays box-pushing puzzle levels in a window.\n"
           "\n"
           "  FILE        a level file (.sok, .xsb, .txt or any text) to open\n"
           "  LEVEL       the level of FILE to show, counted from 1 (default 1)\n"
           "  --resume    reopen the level shown when RUK was last closed and go on with\n"
           "              its unfinished game (as Ctrl+L, then Ctrl+G)\n"
           "  -h, --help  print this text and exit\n"
           "  --version   print the version and exit\n"
           "\n"
           "A file that holds no level, or a LEVEL it does not hold, is reported in the\n"
           "window, which then starts with no level. F1 in the window lists the keys.\n"
           "Solved levels, best solutions and unfinished games are remembered in\n"
           "$XDG_DATA_HOME/ruk/progress.sqlite (by default ~/.local/share/ruk/).\n";
}

std::string VersionText() {
    // The program's own version, then the player it plays as (the window's caption).
    return std::string("ruk ") + RUK_VERSION + "\n" + WINDOW_CAPTION + "\n";
}

}  // namespace ruk
