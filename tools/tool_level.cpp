// Level and move loading for ruk-tool (see tool_level.h).
#include "tool_level.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core_door.h"

namespace ruk::tool {

namespace {

constexpr std::size_t MAX_MOVE_TEXT = 64u * 1024u * 1024u;

bool ReadAll(std::FILE* in, std::string& text) {
    char buffer[65536];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        text.append(buffer, got);
        if (text.size() > MAX_MOVE_TEXT) return false;
    }
    return true;
}

}  // namespace

std::string LoadFileLevel(CoreState& core, const std::string& file, const std::string& number) {
    if (!door::OpenLevelSet(core, file.c_str())) return "no level could be read from " + file;
    const int count = door::Levels(core).count;
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end != '\0' || n < 1 || n > count)
        return "level " + number + " is not in " + file + " (1 to " + std::to_string(count) + ")";
    if (!door::ShowLevel(core, static_cast<int>(n)))
        return "level " + number + " could not be read";
    return "";
}

std::string ReadMoves(const Args& args, std::size_t index, std::string& moves) {
    if (args.positional.size() > index) {
        const std::string& path = args.positional[index];
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (!in) return "cannot read " + path;
        const bool read = ReadAll(in, moves);
        std::fclose(in);
        return read ? "" : path + " is too long for a move string";
    }
    if (isatty(STDIN_FILENO)) return "";
    return ReadAll(stdin, moves) ? "" : "the move string on standard input is too long";
}

}  // namespace ruk::tool
