// ruk-tool replay: a move string judged on a level of a file.
#include <cstdio>
#include <string>

#include "board/level_file.h"
#include "commands.h"
#include "engine/solved_test.h"
#include "engine/urdl_parser.h"
#include "game_audit.h"
#include "level_change.h"

namespace ruk::tool {

namespace {

constexpr const char* REPLAY_USAGE = "usage: ruk-tool replay FILE N [MOVES] [--audit]";
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

// Loads level N of FILE through the level-change sequence; an error message, or "".
std::string LoadFileLevel(CoreState& core, const std::string& file, const std::string& number) {
    if (!OpenLevelFile(core.level, file.c_str())) return "no level could be read from " + file;
    const int count = core.level.levelSet.count;
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || *end != '\0' || n < 1 || n > count)
        return "level " + number + " is not in " + file + " (1 to " + std::to_string(count) + ")";
    if (!SelectLevel(core.level, static_cast<int>(n)))
        return "level " + number + " could not be read";
    RunLevelChange(core);
    return "";
}

int ReplayCommand(const Args& args) {
    if (args.positional.size() < 2 || args.positional.size() > 3) return Fail(REPLAY_USAGE);
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);
    const std::string error = LoadFileLevel(*core, args.positional[0], args.positional[1]);
    if (!error.empty()) return Fail(error);

    std::string moves;
    if (args.positional.size() == 3) {
        std::FILE* in = std::fopen(args.positional[2].c_str(), "rb");
        if (!in) return Fail("cannot read " + args.positional[2]);
        const bool read = ReadAll(in, moves);
        std::fclose(in);
        if (!read) return Fail(args.positional[2] + " is too long for a move string");
    } else if (!ReadAll(stdin, moves)) {
        return Fail("the move string on standard input is too long");
    }
    // A zero byte is a character outside the notation like any other: the text ends before it.
    const bool complete =
        ParseUrdl(core->level, core->play, moves.c_str()) && moves.find('\0') == std::string::npos;
    if (complete)
        std::printf("parse complete\n");
    else
        std::printf("parse incomplete at %u\n", core->play.history.end);
    SolvedTest(core->level, core->play);
    const ResultTotals& totals = core->play.totals;
    std::printf("solved %d moves %u pushes %u actions %u\n", totals.solved ? 1 : 0,
                totals.totalMoves, totals.totalPushes, totals.totalActions);
    if (!args.Has("--audit")) {
        std::printf("unsolvable %d\n", UnsolvableAtEnd(*core) ? 1 : 0);
        return 0;
    }
    const std::uint32_t end = core->play.history.end;
    const AuditResult audit = AuditGame(*core);
    // The check at the end of the letters is the audit's last position.
    std::printf("unsolvable %d\n", core->play.history.cursor == end && core->planner.unsolvable);
    std::printf("audit positions %d unsolvable-claims %d guard-refusals %d\n", audit.positions,
                audit.unsolvableClaims, audit.guardRefusals);
    if (audit.firstClaimMove >= 0)
        std::printf("first-unsolvable-claim at move %lld\n",
                    static_cast<long long>(audit.firstClaimMove));
    if (audit.firstRefusalMove >= 0)
        std::printf("first-guard-refusal at move %lld\n",
                    static_cast<long long>(audit.firstRefusalMove));
    return 0;
}

}  // namespace ruk::tool
