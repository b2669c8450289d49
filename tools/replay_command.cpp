// ruk-tool replay: a move string judged on a level of a file.
#include <cstdio>
#include <string>

#include "board/level_file.h"
#include "commands.h"
#include "core_door.h"
#include "game_audit.h"
#include "tool_level.h"

namespace ruk::tool {

namespace {

constexpr const char* REPLAY_USAGE = "usage: ruk-tool replay FILE N [MOVES] [--audit]";
}  // namespace

int ReplayCommand(const Args& args) {
    if (args.positional.size() < 2 || args.positional.size() > 3) return Fail(REPLAY_USAGE);
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);
    const std::string error = LoadFileLevel(*core, args.positional[0], args.positional[1]);
    if (!error.empty()) return Fail(error);

    std::string moves;
    const std::string readError = ReadMoves(args, 2, moves);
    if (!readError.empty()) return Fail(readError);
    // A zero byte is a character outside the notation like any other: the text ends before it.
    const bool complete =
        door::ImportMoves(*core, moves.c_str()) && moves.find('\0') == std::string::npos;
    if (complete)
        std::printf("parse complete\n");
    else
        std::printf("parse incomplete at %u\n", core->game.history.end);
    const ResultTotals& totals = core->game.totals;
    std::printf("solved %d moves %u pushes %u actions %u\n", totals.solved ? 1 : 0,
                totals.totalMoves, totals.totalPushes, totals.totalActions);
    if (!args.Has("--audit")) {
        std::printf("unsolvable %d\n", UnsolvableAtEnd(*core) ? 1 : 0);
        return 0;
    }
    const std::uint32_t end = core->game.history.end;
    const AuditResult audit = AuditGame(*core);
    // The check at the end of the letters is the audit's last position.
    std::printf("unsolvable %d\n", core->game.history.cursor == end && core->planner.unsolvable);
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
