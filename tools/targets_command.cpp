// ruk-tool targets: where a box of a position can be brought, as a click would show it.
#include <cstdio>
#include <string>

#include "commands.h"
#include "core_door.h"
#include "engine/replay_steps.h"
#include "engine/urdl_parser.h"
#include "game_audit.h"
#include "tool_level.h"

namespace ruk::tool {

namespace {

constexpr const char* TARGETS_USAGE =
    "usage: ruk-tool targets FILE N [MOVES] --box X,Y [--guard on|off]";

bool ParseCell(const std::string& text, int& x, int& y) {
    const auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    char* end = nullptr;
    x = static_cast<int>(std::strtol(text.c_str(), &end, 10));
    if (end != text.c_str() + comma) return false;
    y = static_cast<int>(std::strtol(text.c_str() + comma + 1, &end, 10));
    return *end == '\0' && x >= 1 && y >= 1;
}

}  // namespace

int TargetsCommand(const Args& args) {
    if (args.positional.size() < 2 || args.positional.size() > 3 || !args.Has("--box"))
        return Fail(TARGETS_USAGE);
    int x = 0;
    int y = 0;
    if (!ParseCell(args.Value("--box", ""), x, y)) return Fail("--box takes X,Y, both from 1");
    const std::string guard = args.Value("--guard", "on");
    if (guard != "on" && guard != "off") return Fail("--guard takes on or off");
    auto core = CreateCoreState();
    if (!core) return Fail("out of memory");
    if (!ApplyGridOption(args, core->level.grids)) return Fail(GRID_OPTION_ERROR);
    std::string error = LoadFileLevel(*core, args.positional[0], args.positional[1]);
    if (!error.empty()) return Fail(error);
    std::string moves;
    error = ReadMoves(args, 2, moves);
    if (!error.empty()) return Fail(error);
    ParseUrdl(core->level, core->game, moves.c_str());
    UnsolvableAtEnd(*core);

    const Board& board = core->level.board;
    const Grids& grids = core->level.grids;
    const int stride = RowStride(board);
    if (x > stride || y > StoredRows(board)) return Fail("no box at " + args.Value("--box", ""));
    const int box = (y - 1) * stride + (x - 1);
    const GridCell cell = BoardToGrid(board, grids, box);
    if (!(grids.displayGrid[GridIndex(cell.row, cell.col)] & BOX))
        return Fail("no box at " + args.Value("--box", ""));
    core->view.guardOn = guard == "on";
    door::SelectBoxAt(*core, box);
    int count = 0;
    for (int i = 0; i < board.cellCount; ++i) {
        const GridCell g = BoardToGrid(board, grids, i);
        const int grid = GridIndex(g.row, g.col);
        if (!core->view.targets.targetFlag[grid]) continue;
        std::printf("%d,%d sides %d\n", i % stride + 1, i / stride + 1,
                    core->view.targets.sideCount[grid]);
        ++count;
    }
    std::printf("targets %d\n", count);
    return 0;
}

}  // namespace ruk::tool
