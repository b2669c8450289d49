// ruk-tool: the headless checker for level authors, solver authors and our own checks. It
// drives the same core code as the player and prints one fact per line.
#include <cstdio>
#include <string>

#include "commands.h"

namespace {

constexpr const char* USAGE = "usage: ruk-tool levels FILE [--count] [--titles] [--grid WxH]";

}  // namespace

int main(int argc, char** argv) {
    using namespace ruk::tool;
    if (argc < 2) return Fail(USAGE);
    const std::string command = argv[1];
    if (command == "levels") return LevelsCommand(ParseArgs(argc, argv, 2, {"--grid"}));
    if (command == "replay") return ReplayCommand(ParseArgs(argc, argv, 2, {"--grid"}));
    if (command == "targets")
        return TargetsCommand(ParseArgs(argc, argv, 2, {"--grid", "--box", "--guard"}));
    if (command == "bench") return BenchCommand(ParseArgs(argc, argv, 2, {"--grid", "--guard"}));
    if (command == "progress")
        return ProgressCommand(ParseArgs(argc, argv, 2, {"--grid", "--db", "--export"}));
    return Fail("unknown command '" + command + "'; " + USAGE);
}
